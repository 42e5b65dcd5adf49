// plat::RegexMatcher: one run of a plat::Regex program over one text, as a Pike machine.
//
// All threads of the program advance together, one input character per step, in priority
// order; a pc entered once in a step is not entered again in that step, so a step costs at
// most O(program length x save slots) and a run O(text length x program length), whatever
// the pattern. Nothing backtracks. The thread lists, stack, marks and slots keep their first
// entries inline, so runs of programs up to 127 words with up to 20 slots allocate nothing
// (the automaton below aside).
//
// Characters are decoded as strict UTF-8; a byte sequence that is not valid UTF-8 is one
// character of value kNoChar (consumed only by Any, AnyButNewline and NotClass), as long as
// the bytes the decoder consumed, one at least.
//
// A search over a longer text first runs a plat::RegexDfa, which finds where the match ends
// and the last position before it where only the search entry was alive; the Pike machine
// then runs only over that span, for the slots. The automaton costs at most kDfaBudget bytes
// a run; should it outgrow them, the Pike machine takes the whole search, so the cost stays
// linear either way.
#pragma once

#include "plat/Regex.h"
#include "plat/RegexDfa.h"
#include "plat/SmallVector.h"

#include <memory>
#include <string>

namespace plat {

class RegexMatcher {
public:
    static constexpr int kNoChar = 0x7FFFFFFF;      // invalid UTF-8 and the text's end
    static constexpr uint32_t kUnset = 0xFFFFFFFF;  // slot of a group that did not take part
    // Bytes an automaton may hold before the search leaves it for the Pike machine.
    static constexpr size_t kDfaBudget = size_t(1) << 20;
    // Shorter texts are left to the Pike machine: building states would cost more than it saves.
    static constexpr ptrdiff_t kDfaMinText = 256;
    enum class DfaUse { Auto, Always, Never };

    // Runs `program` (of `programLength` words) from `startPc` over [textStart, textEnd),
    // recording `slotCount` save slots (2 per group, group 0 the whole match; 0 is allowed).
    // The text must be shorter than 0xFFFFFFFF bytes. With a start filter (only for runs from
    // the search entry) steps over text where no match can begin are skipped.
    RegexMatcher(const uint32_t* program, uint32_t startPc, uint32_t programLength, int slotCount,
                 uint32_t flags, const char* textStart, const char* textEnd,
                 const Regex::StartFilter* filter = nullptr);
    RegexMatcher(const RegexMatcher&) = delete;
    RegexMatcher& operator=(const RegexMatcher&) = delete;

    // Begins a run at the search start: the threads of the start pc before the first character.
    void start(bool stopAtFirst);
    // Consumes the character at the current position with every thread. With stopAtFirst the
    // threads below one that reaches the program's end are dropped.
    void step(bool stopAtFirst);
    // Follows the non-consuming instructions from `pc` with the current slots, queueing the
    // consuming ones for the next step in priority order.
    void addThread(uint32_t pc, bool stopAtFirst);

    // Finds the leftmost match from the search start (slot count 2 at least), leaving it in
    // the result slots, and moves the search start to its end, or one character beyond an
    // empty match. Clears `more` without a match and after an empty match at the text's end.
    bool findNext(bool& more);
    // Whether some match exists from the search start: the run of Regex::test, which stops
    // at the first match seen.
    bool findAny();
    // Whether searches use the automaton: by default (Auto) for kDfaMinText bytes or more.
    // Always and a small budget let tests hold the automaton against the Pike machine.
    void setDfaUse(DfaUse use, size_t budgetBytes = kDfaBudget) {
        dfaUse_ = use;
        dfaBudget_ = budgetBytes;
        dfa_.reset();
    }
    // Appends the template to `output` with its references to the last match expanded: "$$"
    // "$", "$&" the match, "$`" the text before it, "$'" the text after it, "$n" (all the
    // digits) group n when 1 <= n < slot count / 2, empty when it did not take part. Any other
    // "$" is copied, and so are the characters after it.
    void expandReplacement(const char* replacementTemplate, std::string& output) const;

    bool matched() const { return matched_; }
    bool atEnd() const { return position_ >= textEnd_; }
    bool hasThreads() const { return !current_->empty(); }
    // Byte offset of slot `i` of the last match, or kUnset.
    uint32_t resultSlot(int i) const { return result_[size_t(i)]; }
    const char* textStart() const { return textStart_; }

    // Whether the instruction at `pc` of `program` consumes character `c` under the Regex
    // flags; `nextPc` receives the instruction after it.
    static bool consumesChar(const uint32_t* program, uint32_t flags, uint32_t pc, int c,
                             uint32_t& nextPc);

private:
    enum class DfaOutcome { NoMatch, Match, GaveUp };
    // Runs the automaton from the search start up to the end of the leftmost match (or the
    // first match seen, with firstOnly), leaving in dfaFrom_ and dfaPrevious_ where the Pike
    // machine may start instead and the character before, and the match end in dfaEnd_.
    DfaOutcome dfaSearch(bool firstOnly);
    // Only a run from the search entry (pc 1) begins afresh wherever the entry alone lives.
    bool dfaWanted() const {
        return startPc_ == 1 &&
               (dfaUse_ == DfaUse::Always ||
                (dfaUse_ == DfaUse::Auto && textEnd_ - searchStart_ >= kDfaMinText));
    }
    void startAfter(int previousChar, bool stopAtFirst);
    // The character at `at` and its length in bytes (0 at the end).
    int decodeAt(const char* at, int& length) const;
    bool mayStartAt(const char* at) const;
    // Moves to the next position where a match may start, as if every step before it had
    // been taken.
    void skipToCandidate();
    int charEndingAt(const char* at) const;
    bool consumes(uint32_t pc, int c, uint32_t& nextPc) const;

    const uint32_t* program_;
    uint32_t startPc_;
    uint32_t programLength_;
    size_t slotCount_;  // save slots recorded, even
    uint32_t flags_;    // Regex::DotAll, Multiline, IgnoreCase

    const char* textStart_;
    const char* textEnd_;
    const char* searchStart_;  // where the next run begins
    const char* position_;     // the character the next step consumes

    uint32_t generation_ = 0;  // number of the current step
    int previousChar_ = -1;    // the last character consumed; -1 before the text start
    int nextChar_ = kNoChar;   // the character at position_, decoded once
    int nextLength_ = 0;       // its length in bytes
    bool matched_ = false;     // a thread reached the program's end in the current step
    const Regex::StartFilter* filter_;
    bool onlyStartThreads_ = false;  // every thread began at the current position

    // Each thread list and stack entry is a pc followed by the thread's slots.
    // Swapped by pointer at each step, so that no entry is copied.
    SmallVector<uint32_t, 336> lists_[2];
    SmallVector<uint32_t, 336>* current_ = &lists_[0];  // threads for this step
    SmallVector<uint32_t, 336>* next_ = &lists_[1];     // threads for the next step
    SmallVector<uint32_t, 336> pending_;  // lower-priority branches still to follow
    SmallVector<uint32_t, 128> visited_;  // per pc (and the end): generation last entered
    SmallVector<uint32_t, 20> result_;    // slots of the last match
    SmallVector<uint32_t, 20> slots_;     // slots of the thread being followed

    std::unique_ptr<RegexDfa> dfa_;  // built at the first search that wants it
    DfaUse dfaUse_ = DfaUse::Auto;
    size_t dfaBudget_ = kDfaBudget;
    bool dfaGaveUp_ = false;          // the automaton outgrew its budget: Pike machine only
    const char* dfaFrom_ = nullptr;   // where the Pike machine may begin the found match's run
    int dfaPrevious_ = -1;            // the character before dfaFrom_, as the machine saw it
    const char* dfaEnd_ = nullptr;    // where the found match ends
};

}  // namespace plat
