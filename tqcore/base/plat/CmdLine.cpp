#include "plat/CmdLine.h"

#include <cstring>
#include <string>

namespace plat {

// Both directions build in a std::string: DString appends measure the text each time, which
// would make long runs of backslashes quadratic.

void quoteArg(DString& commandLine, const char* argument) {
    if (!argument) argument = "";
    String keep;
    argument = commandLine.stableText(argument, keep);
    if (!commandLine.empty()) commandLine.append(" ");
    if (*argument && !std::strpbrk(argument, " \t\n\"")) {
        commandLine.append(argument);
        return;
    }
    std::string quotedArg(1, '"');
    const char* in = argument;
    while (*in) {
        size_t backslashes = std::strspn(in, "\\");
        in += backslashes;
        if (*in == '"') {
            quotedArg.append(2 * backslashes + 1, '\\').append(1, '"');
            ++in;
        } else if (*in == '\0') {
            // Doubled, so that the closing quote stays a quote.
            quotedArg.append(2 * backslashes, '\\');
        } else {
            quotedArg.append(backslashes, '\\');
            size_t plain = std::strcspn(in, "\\\"");
            quotedArg.append(in, plain);
            in += plain;
        }
    }
    quotedArg.append(1, '"');
    commandLine.append(quotedArg.c_str());
}

void splitArgs(StringList& list, const char* commandLine) {
    if (!commandLine) return;
    std::string argument;
    bool inArgument = false;  // an argument has begun, possibly still empty
    bool quoted = false;
    const char* in = commandLine;
    while (*in) {
        char c = *in;
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) list.emplace_back(argument.c_str());
            argument.clear();
            inArgument = false;
            ++in;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            size_t backslashes = std::strspn(in, "\\");
            in += backslashes;
            if (*in == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1)
                    argument.append(1, '"');
                else
                    quoted = !quoted;
                ++in;
            } else {
                argument.append(backslashes, '\\');
            }
        } else if (c == '"') {
            quoted = !quoted;
            ++in;
        } else {
            size_t plain = std::strcspn(in, quoted ? "\\\"" : " \t\\\"");
            argument.append(in, plain);
            in += plain;
        }
    }
    if (inArgument) list.emplace_back(argument.c_str());
}

}  // namespace plat
