// The matching operations of plat::Regex: each picks the fastest engine that gives the Pike
// machine's result, and falls back to the machine when an automaton gives up.
#include "plat/Regex.h"

#include "plat/RegexDfa.h"
#include "plat/RegexMatcher.h"
#include "plat/RegexProgram.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace plat {

namespace {

const char* textEndOf(const char* text, const char* end) {
    if (!end) end = text + std::strlen(text);
    TQ_CHECK(size_t(end - text) < RegexProgram::kUnset);
    return end;
}

}  // namespace

bool Regex::findNext(RegexMatcher& matcher, bool& more) const {
    const RegexProgram& program = *program_;
    if (program.literal && (engines_ & LiteralSearch)) {
        const char* start = program.nextCandidate(matcher.textStart(), matcher.searchStart(), matcher.textEnd());
        if (start == matcher.textEnd()) {
            more = false;
            return false;
        }
        matcher.takeMatch(start, start + program.prefix.size(), more);
        return true;
    }
    if ((engines_ & Automaton) && searchAutomaton_->usable()) {
        const char* from;
        const char* matchEnd;
        switch (searchAutomaton_->search(matcher.textStart(), matcher.searchStart(),
                                         matcher.textEnd(), false, engines_ & StartFilter, from,
                                         matchEnd)) {
        case RegexDfa::Outcome::NoMatch: more = false; return false;
        case RegexDfa::Outcome::Match:
            matcher.replayMatch(from, matchEnd, engines_ & Backtracker, more);
            return true;
        case RegexDfa::Outcome::GaveUp: break;
        }
    }
    return matcher.findNext(more);
}

bool Regex::matchesWhole(const char* text, const char* end) const {
    end = textEndOf(text, end);
    const RegexProgram& program = *program_;
    if (program.literal && (engines_ & LiteralSearch))
        return size_t(end - text) == program.prefix.size() &&
               std::memcmp(text, program.prefix.data(), program.prefix.size()) == 0;
    if ((engines_ & Automaton) && wholeAutomaton_->usable()) {
        RegexDfa::Outcome outcome = wholeAutomaton_->matchWhole(text, end);
        if (outcome != RegexDfa::Outcome::GaveUp) return outcome == RegexDfa::Outcome::Match;
    }
    RegexMatcher matcher(program, program.anchoredStart, 0, text, end, false);
    return matcher.matchesWhole();
}

bool Regex::test(const char* text, const char* end) const {
    end = textEndOf(text, end);
    const RegexProgram& program = *program_;
    if (program.literal && (engines_ & LiteralSearch))
        return program.nextCandidate(text, text, end) != end;
    if ((engines_ & Automaton) && searchAutomaton_->usable()) {
        const char* from;
        const char* matchEnd;
        RegexDfa::Outcome outcome = searchAutomaton_->search(text, text, end, true,
                                                             engines_ & StartFilter, from, matchEnd);
        if (outcome != RegexDfa::Outcome::GaveUp) return outcome == RegexDfa::Outcome::Match;
    }
    RegexMatcher matcher(program, program.searchStart, 0, text, end, engines_ & StartFilter);
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
    int groups = std::min(std::max(n, 0), program_->captureCount);
    RegexMatcher matcher(*program_, program_->searchStart, 2 * groups + 2, text, textEnd,
                         engines_ & StartFilter);
    bool more = true;
    if (!findNext(matcher, more)) return nullptr;
    for (int g = 1; g <= groups; ++g) {
        uint32_t s = matcher.resultSlot(2 * g), e = matcher.resultSlot(2 * g + 1);
        if (s == RegexProgram::kUnset || e == RegexProgram::kUnset) continue;
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
    // The result goes straight into the output's buffer (below): a text or template inside
    // that buffer would move or be overwritten, so they are copied first.
    auto inOutput = [&output](const char* p) {
        return output.get() && p >= output.get() && p < output.get() + output.capacity();
    };
    if (write && (inOutput(text) || inOutput(replacementTemplate))) {
        std::string ownText(text, end), ownTemplate(replacementTemplate);
        return replace(ownText.c_str(), ownTemplate.c_str(), output, write, maxCount);
    }
    RegexMatcher matcher(*program_, program_->searchStart,
                         namesGroup ? 2 * program_->captureCount + 2 : 2, text, end,
                         engines_ & StartFilter);
    int count = 0;
    if (!write) {
        for (bool more = true; count < maxCount && more && findNext(matcher, more);)
            ++count;
        return count;
    }
    // The output's buffer grows as needed (beyond its largest capacity the process ends, as
    // for any text). Neither the text nor the template holds a NUL, so neither does the result.
    size_t used = output.length();
    auto reserve = [&output](size_t bytes) {
        if (bytes > size_t(output.capacity()) || !output.get())
            output.reserve(int(std::min<size_t>(bytes, 0x7fffffff)));
    };
    auto put = [&](const char* bytes, size_t length) {
        reserve(used + length + 1);
        std::memcpy(output.buf() + used, bytes, length);
        used += length;
        output.buf()[used] = '\0';
    };
    // Most replacements change the length little: one allocation for the whole result.
    reserve(used + size_t(end - text) + 64);
    std::string expanded;
    const char* copied = text;
    for (bool more = true; count < maxCount && more && findNext(matcher, more); ++count) {
        const char* matchStart = text + matcher.resultSlot(0);
        put(copied, size_t(matchStart - copied));
        expanded.clear();
        matcher.expandReplacement(replacementTemplate, expanded);
        put(expanded.data(), expanded.size());
        copied = text + matcher.resultSlot(1);
    }
    put(copied, size_t(end - copied));
    return count;
}

void Regex::matchAll(const char* text, StringList& output) const {
    const char* end = textEndOf(text, nullptr);
    const int groups = program_->captureCount;
    RegexMatcher matcher(*program_, program_->searchStart, 2 * groups + 2, text, end,
                         engines_ & StartFilter);
    for (bool more = true; more && findNext(matcher, more);) {
        for (int g = 0; g <= groups; ++g) {
            uint32_t s = matcher.resultSlot(2 * g), e = matcher.resultSlot(2 * g + 1);
            if (s == RegexProgram::kUnset || e == RegexProgram::kUnset)
                output.emplace_back();
            else
                output.emplace_back(text + s, int(e - s));
        }
    }
}

}  // namespace plat
