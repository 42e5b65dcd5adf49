#include "plat/CmdLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> split(const char* commandLine) {
    plat::StringList list;
    plat::splitArgs(list, commandLine);
    std::vector<std::string> args;
    for (const plat::String& arg : list)
        args.emplace_back(arg.get());
    return args;
}

// Quoted only when needed; how the quoted form escapes is left to the round trip that the
// cmdline fuzz target checks on any arguments.
TEST(CmdLine, QuoteOnlyWhatNeedsIt) {
    const char* cases[][2] = {
        {"abc", "abc"}, {"a\\b", "a\\b"}, {"", "\"\""}, {"a\nb", "\"a\nb\""}, {"a b", "\"a b\""},
    };
    plat::DString line("x");
    std::string want = "x";
    for (const auto& c : cases) {
        plat::quoteArg(line, c[0]);
        want += std::string(" ") + c[1];
    }
    EXPECT_EQ(line.c_str(), want);
}

TEST(CmdLine, Split) {
    using Args = std::vector<std::string>;
    std::pair<const char*, Args> cases[] = {
        {"a \"b c\" \"\" d\\\"e", {"a", "b c", "", "d\"e"}},
        {" \t ", {}},
        {"  a\t\tb\nc ", {"a", "b\nc"}},
        {"a\\\\b", {"a\\\\b"}},        // backslashes before no quote are copied
        {"a\\\\\"b c\"", {"a\\b c"}},  // two backslashes and a quote: one, quoting on
        {"\"unclosed arg", {"unclosed arg"}},
        {"x\"\"y end\\", {"xy", "end\\"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(split(c.first), c.second) << c.first;
}

}  // namespace
