// plat::RegexMatcher: one run of a plat::RegexProgram over one text, as a Pike machine.
//
// All threads of the program advance together, one input character per step, in priority
// order; a pc entered once in a step is not entered again in that step, so a step costs at
// most O(program length x save slots) and a run O(text length x program length), whatever
// the pattern. Nothing backtracks. This is the matcher whose results define every other
// engine's: the others only find the same match sooner.
//
// The thread lists, stack, marks and slots live in storage kept per thread across runs
// (plat::ThreadCache), so that once a thread has run a program of some size, runs of that size
// allocate nothing; what a run with many groups grows beyond 64 KiB goes back when it ends.
#pragma once

#include "plat/RegexProgram.h"
#include "plat/ThreadCache.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace plat {

class RegexMatcher {
public:
    static constexpr uint32_t kUnset = RegexProgram::kUnset;

    // A run of `program` from `startPc` over [textStart, textEnd), recording `slotCount` save
    // slots (2 per group, group 0 the whole match; 0 is allowed). The text must be shorter
    // than 0xFFFFFFFF bytes. With `useFilter` (runs from the search entry only) steps over
    // text where no match can begin are skipped.
    RegexMatcher(const RegexProgram& program, uint32_t startPc, int slotCount,
                 const char* textStart, const char* textEnd, bool useFilter);
    ~RegexMatcher();
    RegexMatcher(const RegexMatcher&) = delete;
    RegexMatcher& operator=(const RegexMatcher&) = delete;

    // Whether the whole text matches (a run from the pattern's code).
    bool matchesWhole();
    // Whether some match exists from the search start; stops at the first match seen.
    bool findAny();
    // Finds the leftmost match from the search start (slot count 2 at least), leaving it in
    // the result slots, and moves the search start past it (see afterMatch). Clears `more`
    // without a match and after an empty match at the text's end.
    bool findNext(bool& more);
    // Takes the match another engine located: the machine runs from `from`, where only the
    // search entry is alive, to `matchEnd`, where the leftmost match ends, for its slots.
    // Then moves the search start as findNext does.
    void replayMatch(const char* from, const char* matchEnd, bool& more);
    // Takes a match of a pattern without groups found by other means.
    void takeMatch(const char* matchStart, const char* matchEnd, bool& more);
    // Takes the match that another engine wrote to resultSlots(), as findNext would.
    void takeResult(bool& more) { afterMatch(more); }
    uint32_t* resultSlots();
    int slotCount() const { return int(slotCount_); }
    const char* searchStart() const { return searchStart_; }

    // Appends the template to `output` with its references to the last match expanded: "$$"
    // "$", "$&" the match, "$`" the text before it, "$'" the text after it, "$n" (all the
    // digits) group n when 1 <= n < slot count / 2, empty when it did not take part. Any other
    // "$" is copied, and so are the characters after it.
    void expandReplacement(const char* replacementTemplate, std::string& output) const;

    // Byte offset of slot `i` of the last match, or kUnset.
    uint32_t resultSlot(int i) const;
    const char* textStart() const { return textStart_; }
    const char* textEnd() const { return textEnd_; }

private:
    struct Scratch;
    using ScratchCache = ThreadCache<Scratch, size_t(64) << 10>;

    // Begins a run at the search start: the threads of the start pc before the first character.
    void start(bool stopAtFirst);
    void startAfter(int previousChar, bool stopAtFirst);
    // Consumes the character at the current position with every thread. With stopAtFirst the
    // threads below one that reaches the program's end are dropped.
    void step(bool stopAtFirst);
    // Follows the non-consuming instructions from `pc` with the current slots, queueing the
    // consuming ones for the next step in priority order.
    void addThread(uint32_t pc, bool stopAtFirst);
    // Moves to the next position where a match may start, as if every step before it had
    // been taken.
    void skipToCandidate();
    // Moves the search start past the match in the result slots.
    void afterMatch(bool& more);
    bool atEnd() const { return position_ >= textEnd_; }

    const RegexProgram& program_;
    uint32_t startPc_;
    size_t slotCount_;  // save slots recorded, even
    const char* textStart_;
    const char* textEnd_;
    const char* searchStart_;  // where the next run begins
    const char* position_;     // the character the next step consumes
    bool useFilter_;           // skip to where a match may begin

    uint32_t generation_ = 0;  // number of the current step
    int previousChar_ = -1;    // the last character consumed; -1 before the text start
    int nextChar_ = RegexProgram::kNoChar;  // the character at position_, decoded once
    int nextLength_ = 0;       // its length in bytes
    bool matched_ = false;     // a thread reached the program's end in the current step
    bool onlyStartThreads_ = false;  // every thread began at the current position
    ScratchCache::Use storage_;      // lists, marks and slots: the thread's, or the run's own
    Scratch& scratch_;               // *storage_
};

}  // namespace plat
