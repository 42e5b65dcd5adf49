// plat::RegexBacktracker: the groups of a match whose span is known, found by backtracking in
// the program's priority order with one bit per (pc, position) pair.
//
// A pair that was entered once is never followed again: a path that failed from there fails
// again, whatever its slots, and a path that succeeded ended the run. So the cost is bounded
// by program length x span, and the first path to reach the program's end is the one the
// Pike machine would report: same priorities, same rule that a pc is entered once per
// position. It is much cheaper than the Pike machine over the short spans an automaton hands
// over, and is used only where the bitmap stays small.
#pragma once

#include "plat/RegexProgram.h"

#include <cstddef>
#include <cstdint>

namespace plat {

class RegexBacktracker {
public:
    // Runs `program` from its search entry at `from` (where only that entry is alive) over
    // the text [textStart, textEnd), knowing that the match it finds ends at `matchEnd`, and
    // writes its `slotCount` slots (byte offsets from textStart) to `result`. False, with
    // nothing written, when the span is too long for the bitmap.
    static bool replay(const RegexProgram& program, const char* textStart, const char* textEnd,
                       const char* from, const char* matchEnd, size_t slotCount, uint32_t* result);

private:
    struct Scratch;
    // The replay itself, apart from the cache's use: the loop then keeps no register for it.
    [[gnu::noinline]] static bool search(Scratch& scratch, const RegexProgram& program,
                                         const char* textStart, const char* textEnd,
                                         const char* from, const char* matchEnd, size_t slotCount,
                                         uint32_t* result);
    static constexpr size_t kMaxBits = size_t(256) << 10;
};

}  // namespace plat
