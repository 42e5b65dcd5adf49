// plat::RegexDfa: a deterministic automaton over a plat::RegexProgram, built lazily as texts
// demand it (the subset construction done one transition at a time) and kept in the compiled
// expression across runs and threads.
//
// A state is the ordered list of pcs at which the Pike machine's threads wait before the
// closure of a step, plus the kind of the character before (when the program asks about it).
// The closure keeps the machine's priority order; a search automaton drops every thread below
// one that matches, as the machine's leftmost-first runs do, a whole-text automaton keeps them
// all. So the automaton tracks exactly the threads the machine would, without their slots: it
// tells whether and where the machine's match ends, and the last position before it where
// only the search entry was alive, from which the machine can replay the match for its
// groups. Characters that no instruction tells apart share a column; a built transition then
// costs one table load per byte, and building one costs O(program length), so a run stays
// linear in the text.
//
// Threads: a run holds the cache lock shared; following built transitions takes no other
// lock, building one takes the build lock. Memory is bounded: when the states would outgrow
// the budget, the run waits for the other runs to finish, empties the cache and goes on from
// the state it was in; a run that would empty it too often leaves its text to the Pike
// machine.
//
// fork(): the child has only the forking thread, but keeps every lock as the parent's other
// threads held it, and any state one of them was changing half changed. So an automaton
// belongs to the process that made it: its callers ask madeInThisProcess() (one relaxed
// load) and leave an automaton of a parent alone, its locks, its states and its memory.
#pragma once

#include "plat/RegexProgram.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <vector>

namespace plat {

class RegexDfa {
public:
    enum class Outcome { NoMatch, Match, GaveUp };

    // Over `program` as a search from its search entry, or with `wholeText` from the
    // pattern's code for whole-text matching; the states never take more than about
    // `budgetBytes`.
    RegexDfa(const RegexProgram& program, bool wholeText, size_t budgetBytes);
    ~RegexDfa();
    RegexDfa(const RegexDfa&) = delete;
    RegexDfa& operator=(const RegexDfa&) = delete;

    // False when the program tells apart too many characters for a row of transitions, or
    // would cost too much to sort them; the Pike machine then runs alone.
    bool usable() const { return columnCount_ <= RegexProgram::kMaxColumns; }
    // False in a child of fork() for an automaton made before the fork (in this process's
    // parent or further up): then nothing of it may be used, setBudget and the destructor
    // included; release it with abandon().
    bool madeInThisProcess() const {
        return madeAtForkCount_ == forkCount_.load(std::memory_order_relaxed);
    }
    // Leaves an automaton that is not madeInThisProcess() as it is, for good: freeing its
    // memory could free what a thread of the parent was moving at the fork. It stays
    // reachable, so that a leak checker at the process's exit does not count it.
    static void abandon(RegexDfa* automaton);

    // Searches [at, textEnd) of the text beginning at `textStart` for the match the Pike
    // machine would find from `at`: Match sets `matchEnd` to where it ends and `from` to the
    // last position at or before its start where only the search entry was alive. With
    // `firstOnly` it stops at the first match end seen (enough to tell whether one exists).
    // With `useFilter` it skips text where the program's filter says no match can begin.
    // GaveUp: the cache could not hold the states this text needs.
    Outcome search(const char* textStart, const char* at, const char* textEnd, bool firstOnly,
                   bool useFilter, const char*& from, const char*& matchEnd);
    // Whether [text, textEnd) matches whole (a whole-text automaton only).
    Outcome matchWhole(const char* text, const char* textEnd);

    // Empties the cache and sets a new budget. Not safe while another thread runs.
    void setBudget(size_t budgetBytes);

private:
    struct State;
    struct Block {
        std::unique_ptr<char[]> bytes;
        size_t size;
    };
    // What a run needs to know about the resets it caused.
    struct Progress {
        int resets = 0;
        const char* lastReset = nullptr;  // where in the text the last one happened
        size_t statesAtReset = 0;         // how many states the cache held then
    };

    // An entry is the target state's address with these bits (states are 8-byte aligned).
    // An entry the loop follows has none of them, so it is the address itself.
    static constexpr uintptr_t kMatched = 1;  // a match ends before the character
    static constexpr uintptr_t kDead = 2;     // no thread lives on; no target
    static constexpr uintptr_t kUnbuilt = 4;  // not built yet; no target
    static constexpr uintptr_t kTags = 7;
    static constexpr uint8_t kDecode = RegexProgram::ByteMap::kDecode;

    std::atomic<uintptr_t>* row(State* state) const;
    const uint32_t* pcsOf(const State* state) const;
    static State* target(uintptr_t entry) { return reinterpret_cast<State*>(entry & ~kTags); }
    RegexProgram::CharKind kindBefore(const char* textStart, const char* at) const;

    // Under the build lock.
    State* startState(RegexProgram::CharKind before);
    uintptr_t build(State* state, int column);
    bool closure(const State& state, RegexProgram::CharKind after);
    State* intern(const uint32_t* pcs, uint32_t count, uint8_t before);
    void* allocate(size_t bytes);
    void resetLocked();
    // The one loop of search and matchWhole: from `at` to the first match end (firstOnly)
    // or the last, skipping with the filter where a search may.
    template <bool kWholeText>
    [[gnu::always_inline]] inline Outcome run(const char* textStart, const char* at, const char* textEnd, bool firstOnly,
                bool useFilter, const char*& from, const char*& matchEnd);
    // Takes the cache lock shared for a run, after emptying the cache if a run asked for it.
    void holdCache(std::shared_lock<std::shared_mutex>& hold);
    // The entry of `state` for the character at `at` (the end's column at the text's end),
    // built when needed, with the character's column and length; after the cache was emptied
    // `state` is the same state built anew. 0: the run must give up.
    uintptr_t entryAt(std::shared_lock<std::shared_mutex>& hold, State*& state,
                      RegexProgram::CharKind before, const char* at, const char* textEnd,
                      int& column, int& length, Progress& progress);
    // After `state` (or, when null, the start state of `before`) could not be built: empties
    // the cache, unless another run just did, and rebuilds the state. False when the run
    // should give up.
    bool recover(std::shared_lock<std::shared_mutex>& hold, State*& state,
                 RegexProgram::CharKind before, const char* at, Progress& progress);

    // Counts the forks that led to this process: a child handler of pthread_atfork, installed
    // once (while the process starts, so that no fork can land in the middle of it), adds one.
    static std::atomic<uint64_t> forkCount_;
    static void countFork();
    static bool installForkCounter();
    // forkCount_, read once the handler counts every fork to come.
    static uint64_t forkCountOnceCounted();
    static const bool forkCounterInstalledAtStart_;
    const uint64_t madeAtForkCount_;     // forkCount_ in the process that made the automaton
    RegexDfa* nextAbandoned_ = nullptr;  // the list of abandon()

    const RegexProgram& program_;
    const bool wholeText_;       // from the pattern's code, keeping threads below a match
    size_t budgetBytes_;
    const int columnCount_;      // of the program's byte map

    const RegexProgram::ByteMap& map_;  // the program's columns
    uint8_t byteColumn_[256];             // map_.byteColumn, beside the cache the loops read

    // The cache. Shared by runs: readers follow entries with acquire loads.
    mutable std::shared_mutex cacheLock_;  // shared: a run; exclusive: emptying the cache
    std::mutex buildLock_;                 // adding states and entries
    std::atomic<State*> start_[4];         // per kind of the character before; null: unbuilt
    uint64_t resets_ = 0;                  // times the cache was emptied (cacheLock_)
    std::atomic<bool> resetWanted_{false}; // a run waits to empty the cache

    // Under the build lock.
    std::vector<Block> blocks_;       // kept across resets
    size_t blockIndex_ = 0;           // the block being filled
    size_t blockUsed_ = 0;            // bytes of it taken
    size_t bytesUsed_ = 0;            // states and index, counted against the budget
    std::vector<State*> index_;       // open addressing by state contents
    size_t stateCount_ = 0;
    std::vector<uint32_t> visited_;   // per pc (and the end): closure that entered it last
    uint32_t generation_ = 0;         // number of the current closure
    std::vector<uint32_t> pending_;   // lower-priority branches still to follow
    std::vector<uint32_t> consumers_; // consuming pcs reached by the last closure
    std::vector<uint32_t> nextPcs_;   // pcs after the consumers took the character
};

}  // namespace plat
