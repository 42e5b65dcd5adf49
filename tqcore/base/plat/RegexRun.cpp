// The matching operations of plat::Regex. They all ask answer(), the one place that picks the
// fastest engine giving the Pike machine's result: the literal search, then an automaton,
// then the machine itself, which also stands in when an automaton gives up or, in a child of
// fork(), was made before the fork.
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

// Appends the template to `output` with its references to the matcher's last match expanded,
// as replaceFirst documents; "$n" names a group only below the matcher's slot count / 2.
void expandReplacement(const RegexMatcher& matcher, const char* replacementTemplate,
                       std::string& output) {
    const char* textStart = matcher.textStart();
    const char* matchStart = textStart + matcher.resultSlot(0);
    const char* matchEnd = textStart + matcher.resultSlot(1);
    const size_t groups = size_t(matcher.slotCount()) / 2;
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
        case '`': output.append(textStart, matchStart), ++p; continue;
        case '\'': output.append(matchEnd, matcher.textEnd()), ++p; continue;
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
        uint32_t start = matcher.resultSlot(int(2 * number));
        uint32_t end = matcher.resultSlot(int(2 * number + 1));
        if (start != RegexProgram::kUnset && end != RegexProgram::kUnset)
            output.append(textStart + start, textStart + end);
    }
}

}  // namespace

bool Regex::answer(Question question, const char* text, const char* from, const char* end,
                   RegexMatcher* found) const {
    const RegexProgram& program = *program_;
    if (program.literal && (engines_ & LiteralSearch)) {
        if (question == Question::WholeText)
            return size_t(end - text) == program.prefix.size() &&
                   std::memcmp(text, program.prefix.data(), program.prefix.size()) == 0;
        const char* start = program.nextCandidate(text, from, end);
        if (start == end) return false;
        if (found) {
            found->resultSlots()[0] = uint32_t(start - text);
            found->resultSlots()[1] = uint32_t(start - text + program.prefix.size());
        }
        return true;
    }
    RegexDfa& automaton = question == Question::WholeText ? *wholeAutomaton_ : *searchAutomaton_;
    if ((engines_ & Automaton) && automaton.usable() && automaton.madeInThisProcess()) {
        const char* start = from;
        const char* matchEnd = nullptr;
        RegexDfa::Outcome outcome =
            question == Question::WholeText
                ? automaton.matchWhole(text, end)
                : automaton.search(text, from, end, question == Question::AnyMatch,
                                   engines_ & StartFilter, start, matchEnd);
        if (outcome == RegexDfa::Outcome::NoMatch) return false;
        if (outcome == RegexDfa::Outcome::Match) {
            if (!found) return true;
            // The automaton knows where the match lies; its groups come from a replay over
            // that span alone, by backtracking when the span is short enough.
            if (!(engines_ & Backtracker) ||
                !RegexBacktracker::replay(program, text, end, start, matchEnd,
                                          size_t(found->slotCount()), found->resultSlots()))
                found->replayMatch(start, matchEnd);
            return true;
        }
    }
    if (found) return found->findLeftmost(from);
    RegexMatcher matcher(program,
                         question == Question::WholeText ? program.anchoredStart : program.searchStart,
                         0, text, end, question == Question::AnyMatch && (engines_ & StartFilter));
    return question == Question::WholeText ? matcher.matchesWhole() : matcher.findAny();
}

bool Regex::findNext(RegexMatcher& matcher, const char*& from, bool& more) const {
    const char* text = matcher.textStart();
    const char* end = matcher.textEnd();
    if (!answer(Question::LeftmostMatch, text, from, end, &matcher)) {
        more = false;
        return false;
    }
    const uint32_t* result = matcher.resultSlots();
    from = text + result[1];
    if (result[0] == result[1]) {
        if (from >= end) {
            more = false;
        } else {
            int length;
            RegexProgram::decode(from, end, length);
            from += length;
        }
    }
    return true;
}

bool Regex::matchesWhole(const char* text, const char* end) const {
    end = textEndOf(text, end);
    return answer(Question::WholeText, text, text, end, nullptr);
}

bool Regex::test(const char* text, const char* end) const {
    end = textEndOf(text, end);
    return answer(Question::AnyMatch, text, text, end, nullptr);
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
    const char* from = text;
    bool more = true;
    if (!findNext(matcher, from, more)) return nullptr;
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
    const char* from = text;
    if (!write) {
        for (bool more = true; count < maxCount && more && findNext(matcher, from, more);)
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
    for (bool more = true; count < maxCount && more && findNext(matcher, from, more); ++count) {
        const char* matchStart = text + matcher.resultSlot(0);
        put(copied, size_t(matchStart - copied));
        expanded.clear();
        expandReplacement(matcher, replacementTemplate, expanded);
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
    const char* from = text;
    for (bool more = true; more && findNext(matcher, from, more);) {
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
