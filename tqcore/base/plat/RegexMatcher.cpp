#include "plat/RegexMatcher.h"

#include "plat/Utf8.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {

bool isLineBreak(int c) {
    return c == '\n' || c == '\r' || c == 0x2028 || c == 0x2029;
}
bool isWordChar(int c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
int asciiLower(int c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// Slot arrays are a few words long: a call to memcpy would cost more than the copy.
void copySlots(uint32_t* to, const uint32_t* from, size_t count) {
    for (; count >= 2; count -= 2, to += 2, from += 2) {
        uint64_t pair;
        std::memcpy(&pair, from, 8);
        std::memcpy(to, &pair, 8);
    }
    if (count) *to = *from;
}

const char* textEndOf(const char* text, const char* end) {
    if (!end) end = text + std::strlen(text);
    TQ_CHECK(size_t(end - text) < RegexMatcher::kUnset);
    return end;
}

}  // namespace

RegexMatcher::RegexMatcher(const uint32_t* program, uint32_t startPc, uint32_t programLength,
                           int slotCount, uint32_t flags, const char* textStart,
                           const char* textEnd, const Regex::StartFilter* filter)
    : program_(program), startPc_(startPc), programLength_(programLength),
      slotCount_(size_t(std::max(slotCount, 0))), flags_(flags), textStart_(textStart),
      textEnd_(textEnd), searchStart_(textStart), position_(textStart), filter_(filter) {
    visited_.resize(size_t(programLength) + 1);
    result_.resize(slotCount_);
    slots_.resize(slotCount_);
    result_.fill(kUnset);
}

int RegexMatcher::decodeAt(const char* at, int& length) const {
    if (at >= textEnd_) {
        length = 0;
        return kNoChar;
    }
    unsigned char lead = static_cast<unsigned char>(*at);
    if (lead < 0x80) {
        length = 1;
        return lead;
    }
    // A bad sequence is as long as what the decoder consumed, so the next character starts
    // where a strict reader would resume, and never beyond the end.
    const char* cursor = at + 1;
    int c = utf8DecodeTail(lead, &cursor, int(std::min<ptrdiff_t>(textEnd_ - at, 4)));
    length = int(cursor - at);
    return c < 0 ? kNoChar : c;
}

int RegexMatcher::charEndingAt(const char* at) const {
    if (at == textStart_) return -1;
    const char* lead = utf8Prev(at, textStart_);
    int length;
    int c = decodeAt(lead, length);
    return lead + length == at ? c : kNoChar;
}

void RegexMatcher::start(bool stopAtFirst) {
    startAfter(charEndingAt(searchStart_), stopAtFirst);
}

void RegexMatcher::startAfter(int previousChar, bool stopAtFirst) {
    position_ = searchStart_;
    previousChar_ = previousChar;
    nextChar_ = decodeAt(position_, nextLength_);
    visited_.fill(kUnset);
    generation_ = 0;
    matched_ = false;
    slots_.fill(kUnset);
    current_->clear();
    next_->clear();
    pending_.clear();
    addThread(startPc_, stopAtFirst);
    std::swap(current_, next_);
    next_->clear();
    ++generation_;
    onlyStartThreads_ = true;
}

bool RegexMatcher::mayStartAt(const char* at) const {
    const std::string& prefix = filter_->prefix;
    if (!prefix.empty())
        return size_t(textEnd_ - at) >= prefix.size() &&
               std::memcmp(at, prefix.data(), prefix.size()) == 0;
    return filter_->firstBytes[static_cast<unsigned char>(*at)];
}

void RegexMatcher::skipToCandidate() {
    const std::string& prefix = filter_->prefix;
    const char* at = position_ + 1;
    if (!prefix.empty()) {
        at = std::search(at, textEnd_, prefix.begin(), prefix.end());
    } else {
        while (at < textEnd_ && !filter_->firstBytes[static_cast<unsigned char>(*at)])
            ++at;
    }
    // A candidate byte is never a continuation byte, so it is where a step would have come.
    current_->clear();
    position_ = at;
    matched_ = false;
    ++generation_;
    if (at >= textEnd_) return;  // no match can start here, nor be empty at the end
    previousChar_ = charEndingAt(at);
    nextChar_ = decodeAt(at, nextLength_);
    slots_.fill(kUnset);
    addThread(startPc_, true);
    std::swap(current_, next_);
    next_->clear();
    ++generation_;
}

namespace {

bool inRanges(const uint32_t* ranges, uint32_t count, int c, uint32_t flags) {
    uint32_t u = uint32_t(c);
    if (!(flags & Regex::IgnoreCase)) {
        for (uint32_t i = 0; i < count; ++i)
            if (ranges[2 * i] <= u && u <= ranges[2 * i + 1]) return true;
        return false;
    }
    // The small letter also matches through the capital it comes from.
    u = uint32_t(asciiLower(c));
    uint32_t capital = u >= 'a' && u <= 'z' ? u - ('a' - 'A') : u;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t lo = ranges[2 * i], hi = ranges[2 * i + 1];
        if ((lo <= u && u <= hi) || (lo <= capital && capital <= hi)) return true;
    }
    return false;
}

// Kept apart from the members so that the Pike machine's step gets it inlined.
inline bool consumeAt(const uint32_t* program, uint32_t flags, uint32_t pc, int c,
                      uint32_t& nextPc) {
    const uint32_t* at = program + pc;
    switch (at[0]) {
    case Regex::Any: nextPc = pc + 1; return true;
    case Regex::AnyButNewline: nextPc = pc + 1; return !isLineBreak(c);
    case Regex::Char: nextPc = pc + 2; return at[1] == uint32_t(c);
    case Regex::CharNoCase: nextPc = pc + 2; return uint32_t(asciiLower(int(at[1]))) == uint32_t(asciiLower(c));
    case Regex::Class: nextPc = pc + 2 + 2 * at[1]; return inRanges(at + 2, at[1], c, flags);
    case Regex::NotClass: nextPc = pc + 2 + 2 * at[1]; return !inRanges(at + 2, at[1], c, flags);
    default: TQ_ASSERT(!"consuming instruction"); return false;
    }
}

}  // namespace

bool RegexMatcher::consumesChar(const uint32_t* program, uint32_t flags, uint32_t pc, int c,
                                uint32_t& nextPc) {
    return consumeAt(program, flags, pc, c, nextPc);
}

bool RegexMatcher::consumes(uint32_t pc, int c, uint32_t& nextPc) const {
    return consumeAt(program_, flags_, pc, c, nextPc);
}

void RegexMatcher::addThread(uint32_t pc, bool stopAtFirst) {
    uint32_t* slots = slots_.data();
    const size_t stride = 1 + slotCount_;
    const uint32_t position = uint32_t(position_ - textStart_);
    for (;;) {
        // Follow the preferred branch until it consumes, matches or meets a marked pc.
        for (;;) {
            if (visited_[pc] == generation_) break;
            visited_[pc] = generation_;
            if (pc >= programLength_) {
                copySlots(result_.data(), slots, slotCount_);
                matched_ = true;
                break;
            }
            uint32_t word = program_[pc];
            if (int32_t(word) <= 0) {
                pc = 0u - word;
                continue;
            }
            bool holds;
            switch (word) {
            case Regex::LineStart:
                holds = position_ == textStart_ ||
                        ((flags_ & Regex::Multiline) && isLineBreak(previousChar_));
                break;
            case Regex::LineEnd:
                holds = position_ == textEnd_ ||
                        ((flags_ & Regex::Multiline) && isLineBreak(nextChar_));
                break;
            case Regex::WordBoundary:
                holds = isWordChar(previousChar_) != isWordChar(nextChar_);
                break;
            case Regex::NotWordBoundary:
                holds = isWordChar(previousChar_) == isWordChar(nextChar_);
                break;
            case Regex::Split:
            case Regex::SplitLazy: {
                uint32_t target = program_[pc + 1];
                uint32_t preferred = word == Regex::Split ? target : pc + 2;
                pending_.push_back(word == Regex::Split ? pc + 2 : target);
                size_t at = pending_.size();
                pending_.resize(at + slotCount_);
                copySlots(&pending_[at], slots, slotCount_);
                pc = preferred;
                continue;
            }
            case Regex::Save:
                if (program_[pc + 1] < slotCount_) slots[program_[pc + 1]] = position;
                pc += 2;
                continue;
            case Regex::SaveAndClear:
            case Regex::Clear: {
                uint64_t slot = program_[pc + 1], count = program_[pc + 2];
                if (word == Regex::SaveAndClear && slot < slotCount_) slots[slot++] = position;
                else if (word == Regex::SaveAndClear) ++slot;
                uint64_t last = std::min<uint64_t>(slot + count, slotCount_);
                for (; slot < last; ++slot)
                    slots[slot] = kUnset;
                pc += 3;
                continue;
            }
            default:
                next_->push_back(pc);
                size_t at = next_->size();
                next_->resize(at + slotCount_);
                copySlots(next_->data() + at, slots, slotCount_);
                holds = false;
                break;
            }
            if (!holds) break;
            ++pc;
        }
        if ((matched_ && stopAtFirst) || pending_.empty()) {
            if (stopAtFirst) pending_.clear();
            return;
        }
        size_t top = pending_.size() - stride;
        pc = pending_[top];
        copySlots(slots, &pending_[top + 1], slotCount_);
        pending_.shrinkBy(stride);
    }
}

void RegexMatcher::step(bool stopAtFirst) {
    if (filter_ && onlyStartThreads_ && !mayStartAt(position_)) {
        skipToCandidate();
        if (atEnd()) return;
    }
    int c = nextChar_;
    position_ += nextLength_;
    previousChar_ = c;
    nextChar_ = decodeAt(position_, nextLength_);
    matched_ = false;
    const size_t stride = 1 + slotCount_;
    const uint32_t* threads = current_->data();
    const size_t end = current_->size();
    onlyStartThreads_ = false;
    for (size_t i = 0; i < end; i += stride) {
        uint32_t nextPc;
        if (!consumes(threads[i], c, nextPc)) continue;
        copySlots(slots_.data(), threads + i + 1, slotCount_);
        if (threads[i] == 0 && startPc_ == 1) {
            // The search loop's thread comes last; when no thread before it lives on, the
            // next step starts afresh.
            onlyStartThreads_ = next_->empty();
            // Threads started where no match can begin would die at the next step: keep only
            // the loop itself.
            if (filter_ && (atEnd() || !filter_->firstBytes[uint8_t(*position_)])) {
                visited_[0] = generation_;
                next_->append(threads + i, stride);
                continue;
            }
        }
        addThread(nextPc, stopAtFirst);
        if (matched_ && stopAtFirst) break;
    }
    std::swap(current_, next_);
    next_->clear();
    ++generation_;
}

RegexMatcher::DfaOutcome RegexMatcher::dfaSearch(bool firstOnly) {
    if (!dfa_) {
        // A literal prefix is found faster by memchr than by the automaton, so the automaton
        // stops at each fresh start to let the skip run; otherwise it runs through them.
        bool stopAtFreshStarts = filter_ && !filter_->prefix.empty();
        dfa_.reset(new RegexDfa(program_, programLength_, startPc_, flags_, dfaBudget_,
                                stopAtFreshStarts));
    }
    RegexDfa& dfa = *dfa_;
    const char* at = searchStart_;
    const char* from = at;  // the last fresh start seen
    int previous = charEndingAt(at);
    int state = dfa.startState(previous);
    if (state < 0) return DfaOutcome::GaveUp;
    // Without stops, the program has no assertions and so a single fresh start state.
    const size_t freshRow =
        dfa.stopsAtFreshStarts() ? size_t(-1) : size_t(state) * RegexDfa::kColumns;
    bool found = false;
    bool freshStart = dfa.isFreshStart(state);
    for (;;) {
        if (freshStart && filter_ && at < textEnd_ && !mayStartAt(at)) {
            // The same skip as the Pike machine's: no match begins before the candidate.
            const std::string& prefix = filter_->prefix;
            if (!prefix.empty()) {
                const char* candidate = at + 1;
                for (;;) {
                    candidate = static_cast<const char*>(
                        std::memchr(candidate, prefix[0], size_t(textEnd_ - candidate)));
                    if (!candidate || size_t(textEnd_ - candidate) < prefix.size()) {
                        candidate = textEnd_;
                        break;
                    }
                    if (std::memcmp(candidate, prefix.data(), prefix.size()) == 0) break;
                    ++candidate;
                }
                at = candidate;
            } else {
                ++at;
                while (at < textEnd_ && !filter_->firstBytes[static_cast<unsigned char>(*at)])
                    ++at;
            }
            if (at >= textEnd_) break;  // no match can start there, nor be empty at the end
            from = at;
            previous = dfa.readsPreviousChar() ? charEndingAt(at) : -1;
            state = dfa.startState(previous);
            if (state < 0) return DfaOutcome::GaveUp;
        }
        // Plain ASCII transitions that are built, match nothing and lead to an ordinary
        // state are the bulk of a search: they get a loop of their own.
        if (!freshStart) {
            const int32_t* table = dfa.table();
            size_t row = size_t(state) * RegexDfa::kColumns;
            while (at < textEnd_) {
                unsigned char byte = static_cast<unsigned char>(*at);
                if (byte >= 0x80) break;
                int32_t entry = table[row + byte];
                if (entry < 0 || (entry & (RegexDfa::kMatched | RegexDfa::kNotable))) break;
                row = RegexDfa::rowOf(entry);
                ++at;
                if (row == freshRow) from = at;
            }
            state = int(row / RegexDfa::kColumns);
        }
        if (at >= textEnd_) {
            if (dfa.matchesAtEnd(state)) {
                found = true;
                dfaEnd_ = at;
            }
            break;
        }
        unsigned char byte = static_cast<unsigned char>(*at);
        int c = byte;
        int length = 1;
        int32_t entry;
        if (byte < 0x80) {
            entry = dfa.cached(state, byte);
            if (entry == RegexDfa::kUnbuilt) entry = dfa.transition(state, c);
        } else {
            c = decodeAt(at, length);
            entry = dfa.transition(state, c);
        }
        if (entry < 0) return DfaOutcome::GaveUp;
        if (entry & RegexDfa::kMatched) {
            found = true;
            dfaEnd_ = at;
            if (firstOnly) break;
        }
        at += length;
        state = RegexDfa::targetOf(entry);
        freshStart = false;
        if (RegexDfa::rowOf(entry) == freshRow) from = at;
        if (entry & RegexDfa::kNotable) {
            if (state == RegexDfa::kDead) break;
            freshStart = true;
            from = at;
            previous = c;
        }
    }
    dfaFrom_ = from;
    // Without assertions the machine never looks at the character before.
    dfaPrevious_ = dfa.readsPreviousChar() ? previous : -1;
    return found ? DfaOutcome::Match : DfaOutcome::NoMatch;
}

bool RegexMatcher::findAny() {
    if (!dfaGaveUp_ && dfaWanted()) {
        DfaOutcome outcome = dfaSearch(true);
        if (outcome != DfaOutcome::GaveUp) return outcome == DfaOutcome::Match;
        dfaGaveUp_ = true;
        dfa_.reset();
    }
    start(true);
    while (!matched_ && !atEnd() && hasThreads())
        step(true);
    return matched_;
}

bool RegexMatcher::findNext(bool& more) {
    bool found = false;
    if (!dfaGaveUp_ && dfaWanted()) {
        DfaOutcome outcome = dfaSearch(false);
        if (outcome == DfaOutcome::NoMatch) {
            more = false;
            return false;
        }
        if (outcome == DfaOutcome::GaveUp) {
            dfaGaveUp_ = true;
            dfa_.reset();
        } else {
            // The Pike machine from dfaFrom_ is where the one from the search start would be
            // (no older thread lives there), and its last match ends at dfaEnd_.
            searchStart_ = dfaFrom_;
            startAfter(dfaPrevious_, true);
            while (position_ < dfaEnd_ && hasThreads())
                step(true);
            TQ_ASSERT(position_ == dfaEnd_ && matched_ && textStart_ + result_[1] == dfaEnd_);
            found = true;
        }
    }
    if (!found) {
        start(true);
        found = matched_;
        while (!atEnd() && hasThreads()) {
            step(true);
            found = found || matched_;
        }
    }
    if (!found) {
        more = false;
        return false;
    }
    const char* matchEnd = textStart_ + result_[1];
    searchStart_ = matchEnd;
    if (result_[0] == result_[1]) {
        if (matchEnd >= textEnd_) {
            more = false;
        } else {
            int length;
            decodeAt(matchEnd, length);
            searchStart_ = matchEnd + length;
        }
    }
    return true;
}

void RegexMatcher::expandReplacement(const char* replacementTemplate, std::string& output) const {
    const char* matchStart = textStart_ + result_[0];
    const char* matchEnd = textStart_ + result_[1];
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
        uint32_t start = result_[2 * number], end = result_[2 * number + 1];
        if (start != kUnset && end != kUnset) output.append(textStart_ + start, textStart_ + end);
    }
}

// Runs of plat::Regex.

bool Regex::matchesWhole(const char* text, const char* end) const {
    end = textEndOf(text, end);
    RegexMatcher matcher(program(), anchoredStart_, programLength(), 0, flags_, text, end);
    matcher.start(false);
    while (!matcher.atEnd()) {
        if (!matcher.hasThreads()) return false;
        matcher.step(false);
    }
    return matcher.matched();
}

bool Regex::test(const char* text, const char* end) const {
    end = textEndOf(text, end);
    RegexMatcher matcher(program(), searchStart_, programLength(), 0, flags_, text, end,
                         startFilter());
    return matcher.findAny();
}

const char* Regex::exec(const char* text, const char** end, const char** starts,
                        const char** ends, int n) const {
    const char* textEnd = textEndOf(text, end ? *end : nullptr);
    if (end) *end = nullptr;
    for (int i = 0; i < n; ++i) {
        if (starts) starts[i] = nullptr;
        if (ends) ends[i] = nullptr;
    }
    int groups = std::min(std::max(n, 0), captureCount_);
    RegexMatcher matcher(program(), searchStart_, programLength(), 2 * groups + 2, flags_, text,
                         textEnd, startFilter());
    bool more = true;
    if (!matcher.findNext(more)) return nullptr;
    for (int g = 1; g <= groups; ++g) {
        uint32_t s = matcher.resultSlot(2 * g), e = matcher.resultSlot(2 * g + 1);
        if (s == RegexMatcher::kUnset || e == RegexMatcher::kUnset) continue;
        if (starts) starts[g - 1] = text + s;
        if (ends) ends[g - 1] = text + e;
    }
    if (end) *end = text + matcher.resultSlot(1);
    return text + matcher.resultSlot(0);
}

String Regex::match(const char* text) const {
    const char* start;
    const char* end;
    if (!exec(text, nullptr, &start, &end, 1) || !start) return String();
    return String(start, int(end - start));
}

int Regex::replace(const char* text, const char* replacementTemplate, DString& output,
                   bool write, int maxCount) const {
    // Groups are tracked only when the template names one: two slots are cheaper.
    bool namesGroup = false;
    for (const char* p = replacementTemplate; (p = std::strchr(p, '$')) != nullptr;) {
        if (p[1] == '$') {
            p += 2;
            continue;
        }
        if (p[1] >= '0' && p[1] <= '9') {
            namesGroup = true;
            break;
        }
        ++p;
    }
    const char* end = textEndOf(text, nullptr);
    RegexMatcher matcher(program(), searchStart_, programLength(),
                         namesGroup ? 2 * captureCount_ + 2 : 2, flags_, text, end,
                         startFilter());
    std::string result;
    const char* copied = text;
    int count = 0;
    for (bool more = true; count < maxCount && more && matcher.findNext(more); ++count) {
        if (!write) continue;
        result.append(copied, text + matcher.resultSlot(0));
        matcher.expandReplacement(replacementTemplate, result);
        copied = text + matcher.resultSlot(1);
    }
    if (write) {
        result.append(copied, end);
        output.append(result.c_str(), int(std::min<size_t>(result.size(), 0x7fffffff)));
    }
    return count;
}

void Regex::matchAll(const char* text, StringList& output) const {
    const char* end = textEndOf(text, nullptr);
    RegexMatcher matcher(program(), searchStart_, programLength(), 2 * captureCount_ + 2, flags_,
                         text, end, startFilter());
    for (bool more = true; more && matcher.findNext(more);) {
        for (int g = 0; g <= captureCount_; ++g) {
            uint32_t s = matcher.resultSlot(2 * g), e = matcher.resultSlot(2 * g + 1);
            if (s == RegexMatcher::kUnset || e == RegexMatcher::kUnset)
                output.emplace_back();
            else
                output.emplace_back(text + s, int(e - s));
        }
    }
}

}  // namespace plat
