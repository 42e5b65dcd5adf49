#include "plat/CmdLine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::string quoted(const char* argument, const char* line = "") {
    plat::DString commandLine;
    commandLine.append(line);
    plat::quoteArg(commandLine, argument);
    return commandLine.c_str();
}

std::vector<std::string> split(const char* commandLine) {
    plat::StringList list;
    list.emplace_back("first");  // appended to, never replaced
    plat::splitArgs(list, commandLine);
    EXPECT_STREQ(list.front().get(), "first");
    std::vector<std::string> args;
    for (size_t i = 1; i < list.size(); ++i)
        args.emplace_back(list[i].get());
    return args;
}

TEST(CmdLine, Quote) {
    struct Case {
        const char* argument;
        const char* result;
    } cases[] = {
        {"abc", "abc"},
        {"a\"b", "\"a\\\"b\""},
        {"a b\\", "\"a b\\\\\""},
        {"", "\"\""},
        {"a\\b", "a\\b"},                    // nothing to quote: backslashes stay alone
        {"a\\\\\"b", "\"a\\\\\\\\\\\"b\""},  // two backslashes and a quote: five and the quote
        {"a\\ b", "\"a\\ b\""},              // a backslash before a blank is copied
        {"a\tb", "\"a\tb\""},
        {"a\nb", "\"a\nb\""},
        {"a\rb", "a\rb"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quoted(c.argument), c.result) << c.argument;
    EXPECT_EQ(quoted("b", "a"), "a b");
    EXPECT_EQ(quoted(nullptr), "\"\"");
}

TEST(CmdLine, Split) {
    using Args = std::vector<std::string>;
    struct Case {
        const char* line;
        Args args;
    } cases[] = {
        {"a \"b c\" \"\" d\\\"e", {"a", "b c", "", "d\"e"}},
        {"", {}},
        {" \t ", {}},
        {"  a\t\tb  ", {"a", "b"}},
        {"a\nb", {"a\nb"}},
        {"a\\\\b", {"a\\\\b"}},        // backslashes before no quote are copied
        {"a\\\\\"b c\"", {"a\\b c"}},  // two backslashes and a quote: one, quoting on
        {"a\\\\\\\"b", {"a\\\"b"}},    // three backslashes and a quote: one and a quote
        {"\"unclosed arg", {"unclosed arg"}},
        {"x\"\"y", {"xy"}},
        {"\"\"\"\"", {""}},
        {"end\\", {"end\\"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(split(c.line), c.args) << c.line;
    EXPECT_EQ(split(nullptr), Args());
}

// Runs of backslashes before quotes, before the end and elsewhere are where quoting and
// splitting go wrong; random arguments built from those pieces must come back unchanged.
TEST(CmdLine, SplitUndoesQuote) {
    std::mt19937 random(2024);
    const char* pieces[] = {"a", " ", "\t", "\n", "\"", "\\", "\\\\", "\\\\\\", "\xc3\xa9", "''"};
    for (int round = 0; round < 5000; ++round) {
        std::vector<std::string> args(random() % 5);
        plat::DString line;
        for (std::string& arg : args) {
            for (size_t n = random() % 7; n > 0; --n)
                arg += pieces[random() % std::size(pieces)];
            plat::quoteArg(line, arg.c_str());
        }
        ASSERT_EQ(split(line.c_str()), args) << line.c_str();
    }
}

}  // namespace
