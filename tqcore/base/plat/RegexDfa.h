// plat::RegexDfa: a deterministic automaton over a plat::Regex program, built lazily while a
// search runs (the subset construction done one transition at a time, as text demands it).
//
// A state is the ordered list of pcs the Pike machine's threads wait at before the closure of
// a step, plus the class of the character before (only when the program has assertions). The
// closure keeps the machine's priority order and drops every thread below one that matches,
// so the automaton tracks exactly the threads the machine would, without their slots: it
// tells whether and where the machine's leftmost match ends. A transition is built once, at
// O(program length), then costs one table load per ASCII byte (other characters are followed
// without the table); a run therefore stays linear in the text. Memory is bounded: a state
// beyond the byte budget is refused and the caller falls back to the Pike machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace plat {

class RegexDfa {
public:
    static constexpr int kDead = 0;           // the state without threads
    static constexpr int32_t kMatched = 1;    // transition bit: a match ends before the character
    static constexpr int32_t kNotable = 2;    // transition bit: the target is dead or a fresh start
    // A transition is (row << kStateShift) | bits, the row being where the target's own
    // transitions begin in the table: following one costs no multiplication.
    static constexpr int kStateShift = 2;
    static constexpr int32_t kUnbuilt = -1;   // a transition not built yet
    static constexpr int32_t kOverBudget = -2;
    static constexpr size_t kColumns = 128;   // one table entry per ASCII byte

    // Over `program` (of `programLength` words) as a search from `startPc`, with the
    // Regex flag bits; the automaton never holds more than about `budgetBytes`. With
    // `stopAtFreshStarts`, and always for programs with assertions, transitions into a state
    // of the search entry alone are marked kNotable.
    RegexDfa(const uint32_t* program, uint32_t programLength, uint32_t startPc, uint32_t flags,
             size_t budgetBytes, bool stopAtFreshStarts);
    RegexDfa(const RegexDfa&) = delete;
    RegexDfa& operator=(const RegexDfa&) = delete;

    // The state of a search beginning after `previousChar` (-1 at the text start), or
    // kOverBudget.
    int startState(int previousChar);
    // The transition of `state` on the ASCII byte, kUnbuilt until transition() built it.
    int32_t cached(int state, unsigned char byte) const {
        return table_[size_t(state) * kColumns + byte];
    }
    static int targetOf(int32_t entry) { return (entry >> kStateShift) / int(kColumns); }
    static size_t rowOf(int32_t entry) { return size_t(entry >> kStateShift); }
    // The whole table, kColumns entries per state; moves when a state is added.
    const int32_t* table() const { return table_.data(); }
    // The transition of `state` on character `c` (RegexMatcher::kNoChar for a bad sequence
    // inside the text), built when needed; kOverBudget when its target would not fit.
    int32_t transition(int state, int c);
    // Whether a match ends at the text's end in `state`.
    bool matchesAtEnd(int state);
    bool isFreshStart(int state) const { return states_[size_t(state)].freshStart; }
    bool stopsAtFreshStarts() const { return stopAtFreshStarts_; }
    // Whether the program asks about the character before a position; without assertions
    // neither the automaton nor the Pike machine looks at it.
    bool readsPreviousChar() const { return hasAssertions_; }

private:
    struct State {
        std::vector<uint32_t> pcs;  // threads waiting before the closure, in priority order
        int previousClass;          // class of the character before; 0 without assertions
        bool freshStart;            // only the search entry: the same as beginning a search here
    };

    // Follows the non-consuming instructions from the state's pcs in priority order, as the
    // Pike machine does, appending the consuming pcs to consumers_; true when a match is
    // reached (the threads below it are then dropped).
    bool closure(const State& state, int nextClass);
    int charClass(int c) const;
    // The index of the state holding next_ after a character of class `previousClass`, or
    // kOverBudget.
    int intern(int previousClass);

    const uint32_t* program_;
    uint32_t programLength_;
    uint32_t startPc_;
    uint32_t flags_;
    size_t budgetBytes_;
    size_t bytesUsed_ = 0;           // approximate size of states, keys and table
    bool hasAssertions_ = false;     // the character classes around a position matter
    bool stopAtFreshStarts_;         // fresh starts are kNotable

    std::vector<State> states_;
    std::unordered_map<std::string, int> index_;  // state key -> index in states_
    std::vector<int32_t> table_;     // kColumns transitions per state
    std::vector<uint32_t> visited_;  // per pc (and the end): closure that entered it last
    uint32_t generation_ = 0;        // number of the current closure
    std::vector<uint32_t> pending_;  // lower-priority branches still to follow
    std::vector<uint32_t> consumers_;  // consuming pcs reached by the last closure
    std::vector<uint32_t> next_;     // pcs after the consumers took the character
    std::string key_;                // scratch for interning
    int startStates_[5];             // per class of the character before; -1 until built
};

}  // namespace plat
