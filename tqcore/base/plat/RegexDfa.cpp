#include "plat/RegexDfa.h"

#include "plat/Regex.h"
#include "plat/RegexMatcher.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace plat {

namespace {

// What the assertions can tell apart about the characters around a position.
enum CharClass { kOther, kWord, kLineBreak, kTextStart, kTextEnd };

bool isWordClass(int cls) {
    return cls == kWord;
}

}  // namespace

RegexDfa::RegexDfa(const uint32_t* program, uint32_t programLength, uint32_t startPc,
                   uint32_t flags, size_t budgetBytes, bool stopAtFreshStarts)
    : program_(program), programLength_(programLength), startPc_(startPc), flags_(flags),
      budgetBytes_(budgetBytes), stopAtFreshStarts_(stopAtFreshStarts),
      visited_(size_t(programLength) + 1, 0) {
    // Operands may look like assertions too; taking them for one only costs states.
    for (uint32_t pc = 0; pc < programLength; ++pc)
        if (program[pc] >= Regex::LineStart && program[pc] <= Regex::NotWordBoundary)
            hasAssertions_ = true;
    // With assertions a fresh start needs the character before it, known only at a stop.
    stopAtFreshStarts_ = stopAtFreshStarts_ || hasAssertions_;
    std::fill(std::begin(startStates_), std::end(startStates_), -1);
    states_.push_back(State{{}, 0, false});
    table_.assign(kColumns, int32_t(kDead << kStateShift) | kNotable);
    bytesUsed_ = sizeof(State) + kColumns * sizeof(int32_t) + visited_.size() * sizeof(uint32_t);
}

int RegexDfa::charClass(int c) const {
    if (c < 0) return kTextStart;
    if (c == '\n' || c == '\r' || c == 0x2028 || c == 0x2029) return kLineBreak;
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_')
        return kWord;
    return kOther;
}

int RegexDfa::startState(int previousChar) {
    // A search restarts at every candidate the start filter finds: no lookup each time.
    int previousClass = hasAssertions_ ? charClass(previousChar) : kOther;
    int& state = startStates_[previousClass];
    if (state < 0) {
        next_.assign(1, startPc_);
        state = intern(previousClass);
        if (state < 0) return kOverBudget;
    }
    return state;
}

bool RegexDfa::closure(const State& state, int nextClass) {
    if (++generation_ == 0) {
        std::fill(visited_.begin(), visited_.end(), 0u);
        generation_ = 1;
    }
    consumers_.clear();
    pending_.clear();
    const int previousClass = state.previousClass;
    const bool multiline = (flags_ & Regex::Multiline) != 0;
    for (uint32_t pc : state.pcs) {
        for (;;) {
            for (;;) {
                if (visited_[pc] == generation_) break;
                visited_[pc] = generation_;
                if (pc >= programLength_) return true;
                uint32_t word = program_[pc];
                if (int32_t(word) <= 0) {
                    pc = 0u - word;
                    continue;
                }
                bool holds;
                switch (word) {
                case Regex::LineStart:
                    holds = previousClass == kTextStart ||
                            (multiline && previousClass == kLineBreak);
                    break;
                case Regex::LineEnd:
                    holds = nextClass == kTextEnd || (multiline && nextClass == kLineBreak);
                    break;
                case Regex::WordBoundary:
                    holds = isWordClass(previousClass) != isWordClass(nextClass);
                    break;
                case Regex::NotWordBoundary:
                    holds = isWordClass(previousClass) == isWordClass(nextClass);
                    break;
                case Regex::Split:
                case Regex::SplitLazy: {
                    uint32_t target = program_[pc + 1];
                    pending_.push_back(word == Regex::Split ? pc + 2 : target);
                    pc = word == Regex::Split ? target : pc + 2;
                    continue;
                }
                case Regex::Save: pc += 2; continue;
                case Regex::SaveAndClear:
                case Regex::Clear: pc += 3; continue;
                default:
                    consumers_.push_back(pc);
                    holds = false;
                    break;
                }
                if (!holds) break;
                ++pc;
            }
            if (pending_.empty()) break;
            pc = pending_.back();
            pending_.pop_back();
        }
    }
    return false;
}

int32_t RegexDfa::transition(int state, int c) {
    int nextClass = c == RegexMatcher::kNoChar ? kOther : charClass(c);
    bool matched = closure(states_[size_t(state)], nextClass);
    // Successors of distinct instructions are distinct, so the list needs no deduplication.
    next_.clear();
    for (uint32_t pc : consumers_) {
        uint32_t nextPc;
        if (RegexMatcher::consumesChar(program_, flags_, pc, c, nextPc)) next_.push_back(nextPc);
    }
    int target = intern(hasAssertions_ ? nextClass : kOther);
    if (target < 0) return kOverBudget;
    int32_t entry = int32_t((size_t(target) * kColumns) << kStateShift) | (matched ? kMatched : 0) |
                    (target == kDead || (stopAtFreshStarts_ && states_[size_t(target)].freshStart)
                         ? kNotable
                         : 0);
    if (c >= 0 && c < int(kColumns)) table_[size_t(state) * kColumns + size_t(c)] = entry;
    return entry;
}

bool RegexDfa::matchesAtEnd(int state) {
    return state != kDead && closure(states_[size_t(state)], kTextEnd);
}

int RegexDfa::intern(int previousClass) {
    if (next_.empty()) return kDead;
    key_.assign(1, char(previousClass));
    key_.append(reinterpret_cast<const char*>(next_.data()), next_.size() * sizeof(uint32_t));
    auto found = index_.find(key_);
    if (found != index_.end()) return found->second;
    // The key is held twice (map and state) and a map node costs a few words more.
    size_t cost = sizeof(State) + 2 * key_.size() + 64 + kColumns * sizeof(int32_t);
    // A transition holds its target's row in 29 bits, whatever the budget.
    constexpr size_t kMaxStates = (size_t(INT32_MAX) >> kStateShift) / kColumns;
    if (bytesUsed_ + cost > budgetBytes_ || states_.size() >= kMaxStates) return kOverBudget;
    bytesUsed_ += cost;
    int index = int(states_.size());
    bool freshStart = next_.size() == 1 && next_[0] == startPc_;
    states_.push_back(State{next_, previousClass, freshStart});
    index_.emplace(key_, index);
    table_.resize(table_.size() + kColumns, kUnbuilt);
    return index;
}

}  // namespace plat
