// The matching operations of plat::Regex. They all ask answer(), the one place that picks the
// fastest engine giving the Pike machine's result: the literal search, then an automaton,
// then the machine itself, which also stands in when an automaton gives up.
#include "plat/Regex.h"

#include "plat/RegexBacktracker.h"
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

bool Regex::answer(Question question, const char* text, const char* from, const char* end,
                   RegexMatcher* found, bool& more) const {
    const RegexProgram& program = *program_;
    if (program.literal && (engines_ & LiteralSearch)) {
        if (question == Question::WholeText)
            return size_t(end - text) == program.prefix.size() &&
                   std::memcmp(text, program.prefix.data(), program.prefix.size()) == 0;
        const char* start = program.nextCandidate(text, from, end);
        if (start == end) {
            more = false;
            return false;
        }
        if (found) found->takeMatch(start, start + program.prefix.size(), more);
        return true;
    }
    RegexDfa& automaton = question == Question::WholeText ? *wholeAutomaton_ : *searchAutomaton_;
    if ((engines_ & Automaton) && automaton.usable()) {
        const char* start = from;
        const char* matchEnd = nullptr;
        RegexDfa::Outcome outcome =
            question == Question::WholeText
                ? automaton.matchWhole(text, end)
                : automaton.search(text, from, end, question == Question::AnyMatch,
                                   engines_ & StartFilter, start, matchEnd);
        if (outcome == RegexDfa::Outcome::NoMatch) {
            more = false;
            return false;
        }
        if (outcome == RegexDfa::Outcome::Match) {
            if (!found) return true;
            // The automaton knows where the match lies; its groups come from a replay over
            // that span alone, by backtracking when the span is short enough.
            if ((engines_ & Backtracker) &&
                RegexBacktracker::replay(program, text, end, start, matchEnd,
                                         size_t(found->slotCount()), found->resultSlots()))
                found->takeResult(more);
            else
                found->replayMatch(start, matchEnd, more);
            return true;
        }
    }
    if (found) return found->findNext(more);
    RegexMatcher matcher(program,
                         question == Question::WholeText ? program.anchoredStart : program.searchStart,
                         0, text, end, question == Question::AnyMatch && (engines_ & StartFilter));
    return question == Question::WholeText ? matcher.matchesWhole() : matcher.findAny();
}

bool Regex::findNext(RegexMatcher& matcher, bool& more) const {
    return answer(Question::LeftmostMatch, matcher.textStart(), matcher.searchStart(),
                  matcher.textEnd(), &matcher, more);
}

bool Regex::matchesWhole(const char* text, const char* end) const {
    bool more;
    end = textEndOf(text, end);
    return answer(Question::WholeText, text, text, end, nullptr, more);
}

bool Regex::test(const char* text, const char* end) const {
    bool more;
    end = textEndOf(text, end);
    return answer(Question::AnyMatch, text, text, end, nullptr, more);
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
