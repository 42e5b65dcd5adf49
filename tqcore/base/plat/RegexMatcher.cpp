#include "plat/RegexMatcher.h"

#include "plat/Exception.h"
#include "plat/SmallVector.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace plat {

namespace {

// Slot arrays are a few words long: a call to memcpy would cost more than the copy.
void copySlots(uint32_t* to, const uint32_t* from, size_t count) {
    for (; count >= 2; count -= 2, to += 2, from += 2) {
        uint64_t pair;
        std::memcpy(&pair, from, 8);
        std::memcpy(to, &pair, 8);
    }
    if (count) *to = *from;
}

}  // namespace

// Each thread list and stack entry is a pc followed by the thread's slots.
struct RegexMatcher::Scratch {
    SmallVector<uint32_t, 336> lists[2];
    SmallVector<uint32_t, 336>* current = &lists[0];  // threads for this step
    SmallVector<uint32_t, 336>* next = &lists[1];     // threads for the next step
    SmallVector<uint32_t, 336> pending;  // lower-priority branches still to follow
    SmallVector<uint32_t, 128> visited;  // per pc (and the end): generation last entered
    SmallVector<uint32_t, 20> result;    // slots of the last match
    SmallVector<uint32_t, 20> slots;     // slots of the thread being followed

    // Inline storage included: one sum, as the cache checks it after every run.
    size_t heldBytes() const {
        return (lists[0].capacity() + lists[1].capacity() + pending.capacity() +
                visited.capacity() + result.capacity() + slots.capacity()) *
               sizeof(uint32_t);
    }
};

RegexMatcher::RegexMatcher(const RegexProgram& program, uint32_t startPc, int slotCount,
                           const char* textStart, const char* textEnd, bool useFilter)
    : program_(program), startPc_(startPc), slotCount_(size_t(std::max(slotCount, 0))),
      textStart_(textStart), textEnd_(textEnd), searchStart_(textStart), position_(textStart),
      useFilter_(useFilter && program.hasFilter), scratch_(*storage_) {
    scratch_.result.resize(slotCount_);
    scratch_.slots.resize(slotCount_);
    scratch_.result.fill(kUnset);
}

RegexMatcher::~RegexMatcher() = default;

uint32_t* RegexMatcher::resultSlots() {
    return scratch_.result.data();
}

uint32_t RegexMatcher::resultSlot(int i) const {
    return scratch_.result[size_t(i)];
}

void RegexMatcher::start(bool stopAtFirst) {
    startAfter(RegexProgram::charEndingAt(textStart_, searchStart_), stopAtFirst);
}

void RegexMatcher::startAfter(int previousChar, bool stopAtFirst) {
    position_ = searchStart_;
    previousChar_ = previousChar;
    nextChar_ = RegexProgram::decode(position_, textEnd_, nextLength_);
    // Sized here, not at construction: most runs end before the machine is needed.
    scratch_.visited.resize(size_t(program_.length()) + 1);
    scratch_.visited.fill(kUnset);
    generation_ = 0;
    matched_ = false;
    scratch_.slots.fill(kUnset);
    scratch_.current->clear();
    scratch_.next->clear();
    scratch_.pending.clear();
    addThread(startPc_, stopAtFirst);
    std::swap(scratch_.current, scratch_.next);
    scratch_.next->clear();
    ++generation_;
    onlyStartThreads_ = true;
}

void RegexMatcher::skipToCandidate() {
    const char* at = program_.nextCandidate(textStart_, position_ + 1, textEnd_);
    scratch_.current->clear();
    position_ = at;
    matched_ = false;
    ++generation_;
    if (at >= textEnd_) return;  // no match can start here, nor be empty at the end
    previousChar_ = RegexProgram::charEndingAt(textStart_, at);
    nextChar_ = RegexProgram::decode(at, textEnd_, nextLength_);
    scratch_.slots.fill(kUnset);
    addThread(startPc_, true);
    std::swap(scratch_.current, scratch_.next);
    scratch_.next->clear();
    ++generation_;
}

void RegexMatcher::addThread(uint32_t pc, bool stopAtFirst) {
    const uint32_t* code = program_.words.data();
    const uint32_t programLength = program_.length();
    uint32_t* slots = scratch_.slots.data();
    uint32_t* visited = scratch_.visited.data();
    SmallVector<uint32_t, 336>& pending = scratch_.pending;
    SmallVector<uint32_t, 336>& next = *scratch_.next;
    const size_t stride = 1 + slotCount_;
    const uint32_t position = uint32_t(position_ - textStart_);
    for (;;) {
        // Follow the preferred branch until it consumes, matches or meets a marked pc.
        for (;;) {
            if (visited[pc] == generation_) break;
            visited[pc] = generation_;
            if (pc >= programLength) {
                copySlots(scratch_.result.data(), slots, slotCount_);
                matched_ = true;
                break;
            }
            uint32_t word = code[pc];
            if (int32_t(word) <= 0) {
                pc = 0u - word;
                continue;
            }
            if (RegexProgram::isConsuming(word)) {
                next.push_back(pc);
                size_t at = next.size();
                next.resize(at + slotCount_);
                copySlots(next.data() + at, slots, slotCount_);
                break;
            }
            if (RegexProgram::isAssertion(word)) {
                RegexProgram::CharKind before = RegexProgram::kindOf(previousChar_);
                RegexProgram::CharKind after = atEnd() ? RegexProgram::kTextEdge
                                                       : RegexProgram::kindOf(nextChar_);
                if (!program_.assertionHolds(word, before, after)) break;
                ++pc;
                continue;
            }
            switch (word) {
            case RegexProgram::Split:
            case RegexProgram::SplitLazy: {
                uint32_t target = code[pc + 1];
                uint32_t preferred = word == RegexProgram::Split ? target : pc + 2;
                pending.push_back(word == RegexProgram::Split ? pc + 2 : target);
                size_t at = pending.size();
                pending.resize(at + slotCount_);
                copySlots(&pending[at], slots, slotCount_);
                pc = preferred;
                continue;
            }
            case RegexProgram::Save:
                if (code[pc + 1] < slotCount_) slots[code[pc + 1]] = position;
                pc += 2;
                continue;
            default: {  // SaveAndClear, Clear
                uint64_t slot = code[pc + 1], count = code[pc + 2];
                if (word == RegexProgram::SaveAndClear) {
                    if (slot < slotCount_) slots[slot] = position;
                    ++slot;
                }
                uint64_t last = std::min<uint64_t>(slot + count, slotCount_);
                for (; slot < last; ++slot)
                    slots[slot] = kUnset;
                pc += 3;
                continue;
            }
            }
        }
        if ((matched_ && stopAtFirst) || pending.empty()) {
            if (stopAtFirst) pending.clear();
            return;
        }
        size_t top = pending.size() - stride;
        pc = pending[top];
        copySlots(slots, &pending[top + 1], slotCount_);
        pending.shrinkBy(stride);
    }
}

void RegexMatcher::step(bool stopAtFirst) {
    if (useFilter_ && onlyStartThreads_ && !program_.mayStartAt(textStart_, position_, textEnd_)) {
        skipToCandidate();
        if (atEnd()) return;
    }
    int c = nextChar_;
    position_ += nextLength_;
    previousChar_ = c;
    nextChar_ = RegexProgram::decode(position_, textEnd_, nextLength_);
    matched_ = false;
    const size_t stride = 1 + slotCount_;
    const uint32_t* threads = scratch_.current->data();
    const size_t end = scratch_.current->size();
    onlyStartThreads_ = false;
    for (size_t i = 0; i < end; i += stride) {
        uint32_t pc = threads[i];
        if (!program_.consumes(pc, c)) continue;
        copySlots(scratch_.slots.data(), threads + i + 1, slotCount_);
        if (pc == 0 && startPc_ == program_.searchStart) {
            // The search loop's thread comes last; when no thread before it lives on, the
            // next step starts afresh.
            onlyStartThreads_ = scratch_.next->empty();
            // Threads started where no match can begin would die at the next step: keep only
            // the loop itself.
            if (useFilter_ && (atEnd() || !program_.firstBytes[uint8_t(*position_)])) {
                scratch_.visited[0] = generation_;
                scratch_.next->append(threads + i, stride);
                continue;
            }
        }
        addThread(pc + program_.instructionLength(pc), stopAtFirst);
        if (matched_ && stopAtFirst) break;
    }
    std::swap(scratch_.current, scratch_.next);
    scratch_.next->clear();
    ++generation_;
}

bool RegexMatcher::matchesWhole() {
    start(false);
    while (!atEnd()) {
        if (scratch_.current->empty()) return false;
        step(false);
    }
    return matched_;
}

bool RegexMatcher::findAny() {
    start(true);
    while (!matched_ && !atEnd() && !scratch_.current->empty())
        step(true);
    return matched_;
}

bool RegexMatcher::findNext(bool& more) {
    start(true);
    bool found = matched_;
    while (!atEnd() && !scratch_.current->empty()) {
        step(true);
        found = found || matched_;
    }
    if (!found) {
        more = false;
        return false;
    }
    afterMatch(more);
    return true;
}

void RegexMatcher::replayMatch(const char* from, const char* matchEnd, bool& more) {
    // From `from` the machine is where the one from the search start would be (no older
    // thread lives there), and its last match ends at matchEnd.
    searchStart_ = from;
    start(true);
    while (position_ < matchEnd && !scratch_.current->empty())
        step(true);
    TQ_ASSERT(position_ == matchEnd && matched_ &&
              textStart_ + scratch_.result[1] == matchEnd);
    afterMatch(more);
}

void RegexMatcher::takeMatch(const char* matchStart, const char* matchEnd, bool& more) {
    scratch_.result[0] = uint32_t(matchStart - textStart_);
    scratch_.result[1] = uint32_t(matchEnd - textStart_);
    afterMatch(more);
}

void RegexMatcher::afterMatch(bool& more) {
    const char* matchEnd = textStart_ + scratch_.result[1];
    searchStart_ = matchEnd;
    if (scratch_.result[0] == scratch_.result[1]) {
        if (matchEnd >= textEnd_) {
            more = false;
        } else {
            int length;
            RegexProgram::decode(matchEnd, textEnd_, length);
            searchStart_ = matchEnd + length;
        }
    }
}

void RegexMatcher::expandReplacement(const char* replacementTemplate, std::string& output) const {
    const uint32_t* result = scratch_.result.data();
    const char* matchStart = textStart_ + result[0];
    const char* matchEnd = textStart_ + result[1];
    const size_t groups = slotCount_ / 2;
    for (const char* p = replacementTemplate; *p;) {
        const char* dollar = std::strchr(p, '$');
        if (!dollar) {
            output.append(p);
            break;
        }
        output.append(p, size_t(dollar - p));
        p = dollar + 1;
        switch (*p) {
        case '$': output += '$', ++p; continue;
        case '&': output.append(matchStart, matchEnd), ++p; continue;
        case '`': output.append(textStart_, matchStart), ++p; continue;
        case '\'': output.append(matchEnd, textEnd_), ++p; continue;
        default: break;
        }
        // Long numbers are read whole but counted only as far as "out of range".
        size_t number = 0;
        const char* digits = p;
        for (; *p >= '0' && *p <= '9'; ++p)
            number = std::min<size_t>(number * 10 + size_t(*p - '0'), groups);
        if (p == digits || number < 1 || number >= groups) {
            output += '$';
            p = digits;
            continue;
        }
        uint32_t start = result[2 * number], end = result[2 * number + 1];
        if (start != kUnset && end != kUnset) output.append(textStart_ + start, textStart_ + end);
    }
}

}  // namespace plat
