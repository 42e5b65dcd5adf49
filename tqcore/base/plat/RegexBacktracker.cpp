#include "plat/RegexBacktracker.h"

#include "plat/Exception.h"
#include "plat/ThreadCache.h"

#include <algorithm>
#include <vector>

namespace plat {

// Kept per thread across runs, so that warm runs allocate nothing.
struct RegexBacktracker::Scratch {
    std::vector<uint64_t> visited;  // one bit per (pc, position in the span)
    std::vector<uint64_t> jobs;     // branches to try, and slots to restore on the way back
    std::vector<uint32_t> slots;    // slots of the path being followed

    size_t heldBytes() const {
        return visited.capacity() * sizeof(uint64_t) + jobs.capacity() * sizeof(uint64_t) +
               slots.capacity() * sizeof(uint32_t);
    }
};

namespace {

constexpr uint64_t kRestore = uint64_t(1) << 63;  // job: slot << 32 | its earlier value

}  // namespace

bool RegexBacktracker::replay(const RegexProgram& program, const char* textStart,
                              const char* textEnd, const char* from, const char* matchEnd,
                              size_t slotCount, uint32_t* result) {
    if (size_t(program.length()) * (size_t(matchEnd - from) + 1) > kMaxBits) return false;
    // The bitmap alone may take kMaxBits / 8 bytes.
    ThreadCache<Scratch, size_t(64) << 10>::Use scratch;
    return search(*scratch, program, textStart, textEnd, from, matchEnd, slotCount, result);
}

bool RegexBacktracker::search(Scratch& scratch, const RegexProgram& program, const char* textStart,
                              const char* textEnd, const char* from, const char* matchEnd,
                              size_t slotCount, uint32_t* result) {
    const size_t width = size_t(matchEnd - from) + 1;
    const uint32_t length = program.length();
    scratch.visited.assign((size_t(length) * width + 63) / 64, 0);
    scratch.slots.assign(slotCount, RegexProgram::kUnset);
    scratch.jobs.clear();
    uint64_t* visited = scratch.visited.data();
    uint32_t* slots = scratch.slots.data();
    std::vector<uint64_t>& jobs = scratch.jobs;
    const uint32_t* code = program.words.data();
    auto explore = [&](uint32_t pc, const char* at) {
        jobs.push_back(uint64_t(pc) << 32 | uint32_t(at - textStart));
    };
    auto save = [&](uint64_t slot, const char* at) {
        jobs.push_back(kRestore | slot << 32 | slots[slot]);
        slots[slot] = at ? uint32_t(at - textStart) : RegexProgram::kUnset;
    };
    explore(program.searchStart, from);
    while (!jobs.empty()) {
        uint64_t job = jobs.back();
        jobs.pop_back();
        if (job & kRestore) {
            slots[(job >> 32) & 0x7FFFFFFF] = uint32_t(job);
            continue;
        }
        uint32_t pc = uint32_t(job >> 32);
        const char* at = textStart + uint32_t(job);
        for (;;) {
            if (pc >= length) {
                std::copy(slots, slots + slotCount, result);
                return true;
            }
            size_t bit = size_t(pc) * width + size_t(at - from);
            if (visited[bit / 64] & (uint64_t(1) << (bit % 64))) break;
            visited[bit / 64] |= uint64_t(1) << (bit % 64);
            uint32_t word = code[pc];
            if (int32_t(word) <= 0) {
                pc = 0u - word;
            } else if (RegexProgram::isConsuming(word)) {
                // A path past the known end cannot be the match.
                if (at >= matchEnd) break;
                int charLength;
                int c = RegexProgram::decode(at, textEnd, charLength);
                if (!program.consumes(pc, c)) break;
                pc += program.instructionLength(pc);
                at += charLength;
            } else if (RegexProgram::isAssertion(word)) {
                int charLength;
                RegexProgram::CharKind before =
                    RegexProgram::kindOf(RegexProgram::charEndingAt(textStart, at));
                RegexProgram::CharKind after =
                    at >= textEnd ? RegexProgram::kTextEdge
                                  : RegexProgram::kindOf(RegexProgram::decode(at, textEnd, charLength));
                if (!program.assertionHolds(word, before, after)) break;
                ++pc;
            } else if (word == RegexProgram::Split || word == RegexProgram::SplitLazy) {
                bool greedy = word == RegexProgram::Split;
                explore(greedy ? pc + 2 : code[pc + 1], at);
                pc = greedy ? code[pc + 1] : pc + 2;
            } else if (word == RegexProgram::Save) {
                if (code[pc + 1] < slotCount) save(code[pc + 1], at);
                pc += 2;
            } else {  // SaveAndClear, Clear
                uint64_t slot = code[pc + 1], count = code[pc + 2];
                if (word == RegexProgram::SaveAndClear) {
                    if (slot < slotCount) save(slot, at);
                    ++slot;
                }
                for (uint64_t last = std::min<uint64_t>(slot + count, slotCount); slot < last; ++slot)
                    save(slot, nullptr);
                pc += 3;
            }
        }
    }
    TQ_ASSERT(!"the automaton's match is found");
    return false;
}

}  // namespace plat
