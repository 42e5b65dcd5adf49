#include "plat/ConfigParameter.h"
#include "plat/Configuration.h"

#include "loc/LocaleSetter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace plat;

namespace {

// "<mode> <configuration> <LogKeepDays then>;" for each call of the help callback.
std::string helpCalls;

void recordHelp(int mode, Configuration* config) {
    helpCalls += std::to_string(mode) + " " + config->getName() + " " +
                 config->getParam("LogKeepDays")->getValueStr().get() + ";";
}

// A private configuration with the names of the global log parameters.
class ArgsTest : public ::testing::Test {
protected:
    // The message of the BadCmdLineArg thrown, or "" when none was.
    std::string run(std::vector<const char*> args, Configuration::ExitCallback callback) {
        args.push_back(nullptr);
        helpCalls.clear();
        try {
            config.processArgs(args.data(), callback);
        } catch (const Exception& e) {
            EXPECT_STREQ(e.typeName(), "BadCmdLineArg");
            return e.message();
        }
        return "";
    }
    // LogKeepDays, CompactLog and LogDir at priority 10 ("-": none), then removed.
    std::string at10() {
        std::string out;
        for (ConfigParameter* p :
             {(ConfigParameter*)&days, (ConfigParameter*)&compact, (ConfigParameter*)&dir}) {
            String t = p->getValueStrAt(10);
            out += std::string(out.empty() ? "" : " ") + (t.isNull() ? "-" : t.get());
            p->unsetParam(10, false);
        }
        return out;
    }

    loc::LocaleSetter english{"en"};
    Configuration config{"Args"};
    BoolParameter compact{"CompactLog", "d", false, false, &config};
    IntParameter days{"LogKeepDays", "d", 30, false, &config, 0};
    StringParameter dir{"LogDir", "d", "", false, &config};
};

TEST_F(ArgsTest, EveryFormAndTheArgumentThatStops) {
    struct Case {
        std::vector<const char*> args;
        const char* bad;    // the argument reported, or null
        const char* after;  // the values at priority 10 afterwards
    } cases[] = {
        {{"LogKeepDays=5"}, nullptr, "5 - -"},
        {{"-LogKeepDays=5"}, nullptr, "5 - -"},
        {{"--LogKeepDays=5"}, nullptr, "5 - -"},
        {{"-LogKeepDays", "5"}, nullptr, "5 - -"},
        {{"--LogKeepDays", "5"}, "--LogKeepDays", "- - -"},
        {{"-LogKeepDays", "many"}, "-LogKeepDays", "- - -"},
        {{"-CompactLog"}, nullptr, "- 1 -"},
        {{"-CompactLog", "0"}, "0", "- 1 -"},
        {{"-CompactLog=0"}, nullptr, "- 0 -"},
        {{"compactlog=yes", "-logdir", "-x"}, nullptr, "- 1 -x"},
        {{"-psn_0_4711", "LogKeepDays=6"}, nullptr, "6 - -"},
        {{"LogKeepDays=7", "word", "LogDir=d"}, "word", "7 - -"},
        {{"-LogDir"}, "-LogDir", "- - -"},  // a string needs a value
        {{"-help"}, "-help", "- - -"},      // no callback: an ordinary word
        {{"-Nope=1"}, "-Nope=1", "- - -"},
        {{"=5"}, "=5", "- - -"},
    };
    for (const Case& c : cases) {
        std::string expected = c.bad ? std::string("Bad argument '") + c.bad + "'." : "";
        EXPECT_EQ(run(c.args, nullptr), expected) << c.args[0];
        EXPECT_EQ(at10(), c.after) << c.args[0];
    }
}

// The settings before the help word apply; those after it do not.
TEST_F(ArgsTest, HelpWordsStopAndCallTheCallback) {
    struct Case {
        std::vector<const char*> args;
        const char* bad;
        const char* calls;
    } cases[] = {
        {{"-HELP"}, "-HELP", "0 Args 30;"},
        {{"-h", "ALL"}, "-h", "1 Args 30;"},
        {{"/?", "xml"}, "/?", "2 Args 30;"},
        {{"LogKeepDays=4", "--Help", "all", "-LogKeepDays", "7"}, "--Help", "1 Args 4;"},
        {{"LogKeepDays=4", "word", "-help"}, "word", ""},
        {{"-helpme"}, "-helpme", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.args, recordHelp),
                  std::string("Bad argument '") + c.bad + "'.  Run with -help for usage.");
        EXPECT_EQ(helpCalls, c.calls) << c.args[0];
    }

    // Parsing stops at the help word; without one it runs to the end.
    const char* args[] = {"-CompactLog", "-h", nullptr};
    const char* const* cursor = args;
    EXPECT_FALSE(config.parseArgs(&cursor, recordHelp));
    EXPECT_EQ(cursor, args + 1);
    const char* done[] = {"-CompactLog", nullptr};
    cursor = done;
    EXPECT_TRUE(config.parseArgs(&cursor, recordHelp));
    EXPECT_EQ(cursor, done + 1);
}

std::string listed(const Configuration& config, bool all, bool showDefaults, int width,
                   int nameWidth) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&buffer, &size);
    config.listParams(all, showDefaults, out, width, nameWidth);
    std::fclose(out);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

// Wrapping counts display columns (a CJK character takes two), while the default part is put
// on its own line by the byte length of the last line, as soon as it would reach the width.
TEST(ConfigurationHelp, LayoutOfLinesAndChildren) {
    loc::LocaleSetter english("en");
    Configuration shop("Shop"), sub("Sub");
    shop.setChild(&sub, true);
    IntParameter size("Size", "Keep it.", 30, false, &shop);
    StringParameter pair("Pair", "Exactly 40 with.", "a b", false, &shop);
    BoolParameter wrapped("Long", "aaaa bbbb cccc dddd eeee ffff gggg", false, false, &shop);
    StringParameter wide("Wide", "漢字 漢字 漢字 漢字 漢字 漢字 漢字 漢字 漢字", "x", false, &shop);
    IntParameter advanced("Adv", "Advanced.", 1, true, &shop);
    const unsigned char bytes[] = {1};
    BinaryParameter key("Key", "Secret.", 1, bytes, false, &shop);
    BoolParameter hidden("_Hidden", "Hidden.", false, false, &shop);
    StringParameter zed("Zed", "Last.", "", false, &sub);

    EXPECT_EQ(listed(shop, false, true, 40, 6), "Shop Parameters:\n"
                                                "  Long   - aaaa bbbb cccc dddd eeee ffff\n"
                                                "           gggg (default=0)\n"
                                                "  Pair   - Exactly 40 with.\n"
                                                "           (default=a b)\n"
                                                "  Size   - Keep it. (default=30)\n"
                                                "  Wide   - 漢字 漢字 漢字 漢字 漢字 漢字\n"
                                                "           漢字 漢字 漢字\n"
                                                "           (default=x)\n"
                                                "Sub Parameters:\n"
                                                "  Zed    - Last. (default=)\n");
    // Advanced and binary ones only with all; binary ones never with a value.
    EXPECT_EQ(
        listed(shop, true, false, 40, 6).find("  Adv    - Advanced.\n  Key    - Secret.\n  Long"),
        17u);
    EXPECT_NE(listed(shop, true, true, 40, 6).find("Advanced. (default=1)\n  Key    - Secret.\n"),
              std::string::npos);
}

}  // namespace
