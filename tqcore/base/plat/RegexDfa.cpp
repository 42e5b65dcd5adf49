#include "plat/RegexDfa.h"

#include "plat/Exception.h"

#include <pthread.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace plat {

using Kind = RegexProgram::CharKind;

// Followed by the row of columnCount_ entries, then the pcs.
struct alignas(8) RegexDfa::State {
    uint32_t pcCount;
    uint8_t before;  // kind of the character before; kOtherChar when nothing asks
    bool fresh;      // only the search entry: the same as beginning a search here
};

namespace {

constexpr size_t kBlockSize = size_t(64) << 10;
// A run that empties the cache again before it has read this many bytes per state built is
// better left to the Pike machine.
constexpr size_t kMinBytesPerState = 10;

}  // namespace

std::atomic<uint64_t> RegexDfa::forkCount_{0};

void RegexDfa::countFork() {
    forkCount_.fetch_add(1, std::memory_order_relaxed);
}

bool RegexDfa::installForkCounter() {
    static const bool installed = pthread_atfork(nullptr, nullptr, &countFork) == 0;
    return installed;
}

uint64_t RegexDfa::forkCountOnceCounted() {
    // pthread_atfork fails for want of memory only.
    if (!installForkCounter()) throw std::bad_alloc();
    return forkCount_.load(std::memory_order_relaxed);
}

// The first install would otherwise come with the first automaton, maybe while another thread
// forks; a child would then wait for ever on the guard of `installed`.
const bool RegexDfa::forkCounterInstalledAtStart_ = RegexDfa::installForkCounter();

void RegexDfa::abandon(RegexDfa* automaton) {
    static std::atomic<RegexDfa*> abandoned{nullptr};
    TQ_ASSERT(!automaton->madeInThisProcess());
    automaton->nextAbandoned_ = abandoned.load(std::memory_order_relaxed);
    while (!abandoned.compare_exchange_weak(automaton->nextAbandoned_, automaton,
                                            std::memory_order_release, std::memory_order_relaxed)) {
    }
}

RegexDfa::RegexDfa(const RegexProgram& program, bool wholeText, size_t budgetBytes)
    : madeAtForkCount_(forkCountOnceCounted()), program_(program), wholeText_(wholeText),
      budgetBytes_(budgetBytes), columnCount_(program.byteMap.columnCount), map_(program.byteMap),
      visited_(size_t(program.length()) + 1, 0) {
    std::memcpy(byteColumn_, map_.byteColumn, sizeof byteColumn_);
    for (auto& start : start_)
        start.store(nullptr, std::memory_order_relaxed);
}

RegexDfa::~RegexDfa() = default;

std::atomic<uintptr_t>* RegexDfa::row(State* state) const {
    return reinterpret_cast<std::atomic<uintptr_t>*>(state + 1);
}

const uint32_t* RegexDfa::pcsOf(const State* state) const {
    return reinterpret_cast<const uint32_t*>(reinterpret_cast<const char*>(state + 1) +
                                             size_t(columnCount_) * sizeof(uintptr_t));
}

Kind RegexDfa::kindBefore(const char* textStart, const char* at) const {
    if (!program_.hasAssertions) return RegexProgram::kOtherChar;
    return RegexProgram::kindOf(RegexProgram::charEndingAt(textStart, at));
}

void* RegexDfa::allocate(size_t bytes) {
    bytes = (bytes + 7) & ~size_t(7);
    for (; blockIndex_ < blocks_.size(); ++blockIndex_, blockUsed_ = 0) {
        Block& block = blocks_[blockIndex_];
        if (block.size - blockUsed_ >= bytes) {
            void* at = block.bytes.get() + blockUsed_;
            blockUsed_ += bytes;
            return at;
        }
    }
    size_t size = std::max(kBlockSize, bytes);
    blocks_.push_back(Block{std::unique_ptr<char[]>(new char[size]), size});
    blockUsed_ = bytes;
    return blocks_.back().bytes.get();
}

namespace {

size_t hashOf(const uint32_t* pcs, uint32_t count, uint8_t before) {
    uint64_t hash = 0x9E3779B97F4A7C15u ^ before;
    for (uint32_t i = 0; i < count; ++i)
        hash = (hash ^ pcs[i]) * 0x100000001B3u;
    return size_t(hash ^ (hash >> 29));
}

}  // namespace

RegexDfa::State* RegexDfa::intern(const uint32_t* pcs, uint32_t count, uint8_t before) {
    if (index_.empty()) index_.assign(64, nullptr);
    size_t mask = index_.size() - 1;
    size_t slot = hashOf(pcs, count, before) & mask;
    for (; index_[slot]; slot = (slot + 1) & mask) {
        State* state = index_[slot];
        if (state->before == before && state->pcCount == count &&
            std::memcmp(pcsOf(state), pcs, count * sizeof(uint32_t)) == 0)
            return state;
    }
    size_t bytes = sizeof(State) + size_t(columnCount_) * sizeof(uintptr_t) + count * sizeof(uint32_t);
    bool grow = 2 * (stateCount_ + 1) > index_.size();
    size_t cost = bytes + (grow ? index_.size() * sizeof(State*) : 0);
    if (bytesUsed_ + cost > budgetBytes_) return nullptr;
    bytesUsed_ += cost;
    State* state = new (allocate(bytes)) State{count, before, false};
    state->fresh = !wholeText_ && count == 1 && pcs[0] == program_.searchStart;
    std::atomic<uintptr_t>* entries = row(state);
    for (int i = 0; i < columnCount_; ++i)
        new (&entries[i]) std::atomic<uintptr_t>(kUnbuilt);
    std::memcpy(const_cast<uint32_t*>(pcsOf(state)), pcs, count * sizeof(uint32_t));
    ++stateCount_;
    if (!grow) {
        index_[slot] = state;
        return state;
    }
    std::vector<State*> larger(index_.size() * 2, nullptr);
    mask = larger.size() - 1;
    index_.push_back(state);  // rehashed with the others
    for (State* old : index_) {
        if (!old) continue;
        size_t at = hashOf(pcsOf(old), old->pcCount, old->before) & mask;
        while (larger[at])
            at = (at + 1) & mask;
        larger[at] = old;
    }
    index_.swap(larger);
    return state;
}

void RegexDfa::holdCache(std::shared_lock<std::shared_mutex>& hold) {
    if (resetWanted_.load(std::memory_order_relaxed)) {
        std::unique_lock<std::shared_mutex> exclusive(cacheLock_);
        if (resetWanted_.load(std::memory_order_relaxed)) {
            std::lock_guard<std::mutex> lock(buildLock_);
            resetLocked();
        }
    }
    hold = std::shared_lock<std::shared_mutex>(cacheLock_);
}

void RegexDfa::resetLocked() {
    resetWanted_.store(false, std::memory_order_relaxed);
    for (auto& start : start_)
        start.store(nullptr, std::memory_order_relaxed);
    std::fill(index_.begin(), index_.end(), nullptr);
    bytesUsed_ = index_.size() * sizeof(State*);
    blockIndex_ = 0;
    blockUsed_ = 0;
    stateCount_ = 0;
    ++resets_;
}

void RegexDfa::setBudget(size_t budgetBytes) {
    std::unique_lock<std::shared_mutex> exclusive(cacheLock_);
    std::lock_guard<std::mutex> lock(buildLock_);
    budgetBytes_ = budgetBytes;
    resetLocked();
}

RegexDfa::State* RegexDfa::startState(Kind before) {
    State* state = start_[before].load(std::memory_order_acquire);
    if (state) return state;
    std::lock_guard<std::mutex> lock(buildLock_);
    state = start_[before].load(std::memory_order_relaxed);
    if (state) return state;
    uint32_t pc = wholeText_ ? program_.anchoredStart : program_.searchStart;
    state = intern(&pc, 1, before);
    if (state) start_[before].store(state, std::memory_order_release);
    return state;
}

bool RegexDfa::closure(const State& state, Kind after) {
    if (++generation_ == 0) {
        std::fill(visited_.begin(), visited_.end(), 0u);
        generation_ = 1;
    }
    consumers_.clear();
    pending_.clear();
    const Kind before = Kind(state.before);
    const uint32_t* code = program_.words.data();
    const uint32_t length = program_.length();
    bool matched = false;
    const uint32_t* pcs = pcsOf(&state);
    for (uint32_t i = 0; i < state.pcCount; ++i) {
        uint32_t pc = pcs[i];
        for (;;) {
            for (;;) {
                if (visited_[pc] == generation_) break;
                visited_[pc] = generation_;
                if (pc >= length) {
                    // Leftmost-first: the threads below the one that matched are dropped.
                    if (!wholeText_) return true;
                    matched = true;
                    break;
                }
                uint32_t word = code[pc];
                if (int32_t(word) <= 0) {
                    pc = 0u - word;
                } else if (RegexProgram::isConsuming(word)) {
                    consumers_.push_back(pc);
                    break;
                } else if (RegexProgram::isAssertion(word)) {
                    if (!program_.assertionHolds(word, before, after)) break;
                    ++pc;
                } else if (word == RegexProgram::Split || word == RegexProgram::SplitLazy) {
                    pending_.push_back(RegexProgram::otherBranch(code, pc));
                    pc = RegexProgram::preferredBranch(code, pc);
                } else {
                    pc += program_.instructionLength(pc);  // saves and clears
                }
            }
            if (pending_.empty()) break;
            pc = pending_.back();
            pending_.pop_back();
        }
    }
    return matched;
}

uintptr_t RegexDfa::build(State* state, int column) {
    std::lock_guard<std::mutex> lock(buildLock_);
    uintptr_t entry = row(state)[column].load(std::memory_order_relaxed);
    if (!(entry & kUnbuilt)) return entry;
    bool matched = closure(*state, map_.kinds[size_t(column)]);
    // Mid-text matches mean nothing to a whole-text run.
    uintptr_t matchBit = matched && (!wholeText_ || column == map_.endColumn) ? kMatched : 0;
    nextPcs_.clear();
    if (column != map_.endColumn) {
        // Successors of distinct instructions are distinct: the list needs no deduplication.
        for (uint32_t pc : consumers_)
            if (program_.consumes(pc, map_.representative[size_t(column)]))
                nextPcs_.push_back(pc + program_.instructionLength(pc));
    }
    if (nextPcs_.empty()) {
        entry = kDead | matchBit;
    } else {
        State* next = intern(nextPcs_.data(), uint32_t(nextPcs_.size()),
                             program_.hasAssertions ? map_.kinds[size_t(column)] : RegexProgram::kOtherChar);
        if (!next) return 0;
        entry = reinterpret_cast<uintptr_t>(next) | matchBit;
    }
    row(state)[column].store(entry, std::memory_order_release);
    return entry;
}

bool RegexDfa::recover(std::shared_lock<std::shared_mutex>& hold, State*& state, Kind before,
                       const char* at, Progress& progress) {
    std::vector<uint32_t> saved;
    if (state) {
        saved.assign(pcsOf(state), pcsOf(state) + state->pcCount);
        before = Kind(state->before);
    } else {
        saved.push_back(wholeText_ ? program_.anchoredStart : program_.searchStart);
    }
    uint64_t seenResets = resets_;
    size_t states;
    {
        std::lock_guard<std::mutex> lock(buildLock_);
        states = stateCount_;
    }
    if (progress.resets > 0 && size_t(at - progress.lastReset) < kMinBytesPerState * progress.statesAtReset)
        return false;
    // Runs that begin from now on wait instead of holding the lock shared, so that the
    // runs in progress drain and one of the waiters gets it alone.
    resetWanted_.store(true, std::memory_order_relaxed);
    hold.unlock();
    {
        std::unique_lock<std::shared_mutex> exclusive(cacheLock_);
        if (resets_ == seenResets) {
            std::lock_guard<std::mutex> lock(buildLock_);
            resetLocked();
        }
    }
    hold.lock();
    ++progress.resets;
    progress.lastReset = at;
    progress.statesAtReset = std::max<size_t>(states, 1);
    std::lock_guard<std::mutex> lock(buildLock_);
    state = intern(saved.data(), uint32_t(saved.size()), before);
    return state != nullptr;
}

uintptr_t RegexDfa::entryAt(std::shared_lock<std::shared_mutex>& hold, State*& state,
                           Kind before, const char* at, const char* textEnd, int& column,
                           int& length, Progress& progress) {
    length = 0;
    column = at < textEnd ? map_.columnAt(at, textEnd, length) : map_.endColumn;
    for (;;) {
        uintptr_t entry = row(state)[column].load(std::memory_order_acquire);
        if (entry & kUnbuilt) entry = build(state, column);
        if (entry || !recover(hold, state, before, at, progress)) return entry;
    }
}

template <bool kWholeText>
RegexDfa::Outcome RegexDfa::run(const char* textStart, const char* at, const char* textEnd,
                                bool firstOnly, bool useFilter, const char*& from,
                                const char*& matchEnd) {
    std::shared_lock<std::shared_mutex> hold;
    holdCache(hold);
    Progress progress;
    // At a fresh start, text no match can begin in is skipped: by memchr for a literal
    // prefix, to line starts, or over bytes no match begins with. Without assertions a fresh
    // start is the start state itself, which stays put over such bytes, so the loop below
    // skips them without stopping; otherwise the state after a skip depends on the character
    // before, and the loop stops at every fresh start. A whole-text automaton has no fresh
    // states (its threads all began at the text's start) and skips nothing.
    const bool skipFar = !kWholeText && useFilter && program_.filterSkipsFar();
    const bool skipBytes = !kWholeText && useFilter && program_.hasFilter && !skipFar;
    const bool skipInLoop = skipBytes && !program_.hasAssertions;
    const bool* firstBytes = program_.firstBytes;
    const bool stopAtFresh = (skipFar || skipBytes) && !skipInLoop;
    Kind before = kindBefore(textStart, at);
    State* state = startState(before);
    if (!state && !recover(hold, state, before, at, progress)) return Outcome::GaveUp;
    from = at;
    bool found = false;
    bool stoppedFresh = false;  // the loop below stopped on entering a fresh start
    for (;;) {
        if ((skipFar || skipBytes) && state->fresh && at < textEnd) {
            const char* candidate = at;
            if (skipFar && !program_.mayStartAt(textStart, at, textEnd))
                candidate = program_.nextCandidate(textStart, at + 1, textEnd);
            while (skipBytes && candidate < textEnd &&
                   !firstBytes[static_cast<unsigned char>(*candidate)])
                ++candidate;
            if (candidate != at) {
                // No match can begin before the candidate, nor be empty at the end.
                at = candidate;
                if (at >= textEnd) break;
                from = at;
                if (program_.hasAssertions) {
                    before = kindBefore(textStart, at);
                    state = startState(before);
                    if (!state && !recover(hold, state, before, at, progress))
                        return Outcome::GaveUp;
                }
            }
        }
        // Built ASCII transitions that neither match nor stop are the bulk of a run. Kept in
        // locals whose address is never taken, so that they stay in registers.
        {
            State* current = state;
            const char* lastFresh = from;
            stoppedFresh = false;
            const char* p = at;
            while (p < textEnd) {
                uint8_t column = byteColumn_[static_cast<unsigned char>(*p)];
                if (column == kDecode) break;
                uintptr_t entry = row(current)[column].load(std::memory_order_acquire);
                // Mid-text entries of a whole-text automaton carry no match bit.
                if (entry & kTags) break;
                ++p;
                current = reinterpret_cast<State*>(entry);
                if (!kWholeText && current->fresh) {
                    lastFresh = p;
                    if (stopAtFresh) {
                        stoppedFresh = true;
                        break;
                    }
                    if (skipInLoop) {
                        while (p < textEnd && !firstBytes[static_cast<unsigned char>(*p)])
                            ++p;
                        lastFresh = p;
                    }
                }
            }
            state = current;
            from = lastFresh;
            at = p;
        }
        if (stoppedFresh) continue;  // to the skip
        int column, length;
        uintptr_t entry = entryAt(hold, state, before, at, textEnd, column, length, progress);
        if (!entry) return Outcome::GaveUp;
        // A whole-text automaton sets the match bit at the text's end only, where every
        // entry is dead.
        if (entry & kMatched) {
            found = true;
            matchEnd = at;
            if (firstOnly) break;
        }
        if (entry & kDead) break;
        at += length;
        state = target(entry);
        if (!kWholeText && state->fresh) from = at;
    }
    return found ? Outcome::Match : Outcome::NoMatch;
}

RegexDfa::Outcome RegexDfa::search(const char* textStart, const char* at, const char* textEnd,
                                   bool firstOnly, bool useFilter, const char*& from,
                                   const char*& matchEnd) {
    return run<false>(textStart, at, textEnd, firstOnly, useFilter, from, matchEnd);
}

RegexDfa::Outcome RegexDfa::matchWhole(const char* text, const char* textEnd) {
    const char* from;
    const char* matchEnd;
    return run<true>(text, text, textEnd, true, false, from, matchEnd);
}

}  // namespace plat
