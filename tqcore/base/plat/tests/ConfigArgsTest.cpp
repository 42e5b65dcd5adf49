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

struct HelpCall {
    int mode;
    Configuration* config;
    std::string daysThen;  // LogKeepDays when the callback ran
};
std::vector<HelpCall> helpCalls;

void recordHelp(int mode, Configuration* config) {
    helpCalls.push_back({mode, config, config->getParam("LogKeepDays")->getValueStr().get()});
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
    static std::string at10(const ConfigParameter& p) {
        String t = p.getValueStrAt(10);
        return t.isNull() ? "-" : t.get();
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
        const char* bad;   // the argument reported, or null
        const char* days;  // values at priority 10 afterwards ("-": none)
        const char* compact;
        const char* dir;
    } cases[] = {
        {{"LogKeepDays=5"}, nullptr, "5", "-", "-"},
        {{"-LogKeepDays=5"}, nullptr, "5", "-", "-"},
        {{"--LogKeepDays=5"}, nullptr, "5", "-", "-"},
        {{"-LogKeepDays", "5"}, nullptr, "5", "-", "-"},
        {{"--LogKeepDays", "5"}, "--LogKeepDays", "-", "-", "-"},
        {{"-LogKeepDays", "many"}, "-LogKeepDays", "-", "-", "-"},
        {{"-CompactLog"}, nullptr, "-", "1", "-"},
        {{"-CompactLog", "0"}, "0", "-", "1", "-"},
        {{"-CompactLog=0"}, nullptr, "-", "0", "-"},
        {{"compactlog=yes", "-logdir", "-x"}, nullptr, "-", "1", "-x"},
        {{"-psn_0_4711", "LogKeepDays=6"}, nullptr, "6", "-", "-"},
        {{"LogKeepDays=7", "word", "LogDir=d"}, "word", "7", "-", "-"},
        {{"-LogDir"}, "-LogDir", "-", "-", "-"},  // a string needs a value
        {{"-help"}, "-help", "-", "-", "-"},      // no callback: an ordinary word
        {{"-Nope=1"}, "-Nope=1", "-", "-", "-"},
        {{"=5"}, "=5", "-", "-", "-"},
    };
    for (const Case& c : cases) {
        for (ConfigParameter* p :
             {(ConfigParameter*)&compact, (ConfigParameter*)&days, (ConfigParameter*)&dir})
            p->unsetParam(10, false);
        std::string message = run(c.args, nullptr);
        std::string expected = c.bad ? std::string("Bad argument '") + c.bad + "'." : "";
        EXPECT_EQ(message, expected) << c.args[0];
        EXPECT_EQ(at10(days), c.days) << c.args[0];
        EXPECT_EQ(at10(compact), c.compact) << c.args[0];
        EXPECT_EQ(at10(dir), c.dir) << c.args[0];
    }
}

TEST_F(ArgsTest, HelpWordsCallTheCallbackAfterTheSettingsBehindThem) {
    struct Case {
        std::vector<const char*> args;
        int mode;  // -1: no call
        const char* daysThen;
        const char* bad;
    } cases[] = {
        {{"-HELP"}, 0, "30", "-HELP"},
        {{"-h", "ALL"}, 1, "30", "-h"},
        {{"/?", "xml"}, 2, "30", "/?"},
        {{"--Help", "all", "-LogKeepDays", "7"}, 1, "7", "--Help"},
        {{"-help", "-LogKeepDays=x", "bogus", "LogKeepDays=8"}, 0, "8", "-help"},
        {{"LogKeepDays=4", "word", "-help"}, -1, "", "word"},
        {{"-helpme"}, -1, "", "-helpme"},
    };
    for (const Case& c : cases) {
        std::string message = run(c.args, recordHelp);
        EXPECT_EQ(message, std::string("Bad argument '") + c.bad + "'.  Run with -help for usage.");
        if (c.mode < 0) {
            EXPECT_TRUE(helpCalls.empty()) << c.args[0];
            continue;
        }
        ASSERT_EQ(helpCalls.size(), 1u) << c.args[0];
        EXPECT_EQ(helpCalls[0].mode, c.mode) << c.args[0];
        EXPECT_EQ(helpCalls[0].config, &config);
        EXPECT_EQ(helpCalls[0].daysThen, c.daysThen) << c.args[0];
    }

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
// on its own line by the byte length of the last line.
TEST(ConfigurationHelp, LayoutOfLinesAndChildren) {
    loc::LocaleSetter english("en");
    Configuration shop("Shop"), sub("Sub");
    shop.setChild(&sub, true);
    IntParameter size("Size", "Keep it.", 30, false, &shop);
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
