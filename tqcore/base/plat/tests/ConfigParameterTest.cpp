#include "plat/ConfigParameter.h"

#include "plat/Configuration.h"
#include "plat/LogSrc.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <memory>
#include <string>
#include <utility>

using namespace plat;

namespace {

struct Recorder : ParameterChangedCallback {
    void parameterChanged(ConfigParameter* parameter, int priority) override {
        calls.emplace_back(parameter, priority);
    }
    std::vector<std::pair<ConfigParameter*, int>> calls;
};

class ParamTest : public ::testing::Test {
protected:
    std::vector<test::LogLine> lines() { return log.lines(); }

    test::CapturedLog log{"ConfigParameter", 200};
    Configuration config{"Test"};
    Recorder recorder;
};

// The values of a parameter as comparable texts ("(null)" for a null one).
std::map<int, std::string> texts(const ConfigParameter& p) {
    std::map<int, std::string> out;
    for (const auto& [priority, text] : p.getValues())
        out[priority] = text.isNull() ? "(null)" : text.get();
    return out;
}

const char* const kKeys[] = {"Alt_L", "Alt_R", "ExtendedChars", nullptr};

// A change below the current priority still reaches callbacks and the log.
TEST_F(ParamTest, PreferenceUnderPolicyNotifiesButKeepsValue) {
    IntParameter p("P", "d", 1, false, &config);
    p.addCallback(&recorder);
    p.setParamInt(7, 30);
    log.clear();
    recorder.calls.clear();
    EXPECT_TRUE(p.setParam("5", 10));
    EXPECT_EQ(p.getValueInt(), 7);
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0], std::make_pair(static_cast<ConfigParameter*>(&p), 10));
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0].text, "set P(int) to 5, priority 10");
    EXPECT_EQ(lines()[0].level, 100);
    EXPECT_EQ(lines()[0].source, "ConfigParameter");
}

TEST_F(ParamTest, SameValueTwiceIsNoChange) {
    StringParameter p("S", "d", "x", false, &config);
    p.addCallback(&recorder);
    EXPECT_TRUE(p.setParam("v", 10));
    EXPECT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(lines().size(), 1u);
    EXPECT_TRUE(p.setParam("v", 10));
    EXPECT_TRUE(p.setParam("x", 0));
    EXPECT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(lines().size(), 1u);
}

TEST_F(ParamTest, NoPolicyRefusesPriority30Only) {
    BoolParameter p("B", "d", false, false, &config, "a,noPolicy");
    p.addCallback(&recorder);
    EXPECT_FALSE(p.setParam("1", 30));
    EXPECT_FALSE(p.hasValueAt(30));
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_TRUE(p.setParam("1", 10));
    EXPECT_TRUE(p.setParamInt(1, 0));
    EXPECT_EQ(p.getValues().size(), 2u);
    // Tags are split without trimming.
    BoolParameter q("Q", "d", false, false, &config, "x, noPolicy,");
    EXPECT_TRUE(q.setParam("1", 30));
    EXPECT_TRUE(q.hasTag(" noPolicy"));
    EXPECT_TRUE(q.hasTag(""));
}

// Priorities 0, 10 and 30 in turn, then removals: the highest held is current and the default
// stays; every change is one line at the level of its priority.
TEST_F(ParamTest, PrioritiesAndChangeLog) {
    IntParameter p("P", "d", 1, false, &config);
    p.setParamInt(2, 0);
    p.setParamInt(3, 10);
    p.setParamInt(4, 30);
    EXPECT_EQ(p.getValueInt(), 4);
    p.unsetParam(30, false);
    p.unsetParam(0, false);
    p.unsetParam(20, false);
    EXPECT_EQ(p.getPriority(), 10);
    EXPECT_EQ(p.getValueInt(), 3);
    p.unsetParam(10, false);
    EXPECT_EQ(p.getValueInt(), 2);
    EXPECT_TRUE(p.getValueStrAt(10).isNull());
    std::vector<std::pair<int, std::string>> expected = {
        {110, "set P(int) to 2, priority 0"},
        {100, "set P(int) to 3, priority 10"},
        {100, "set P(int) to 4, priority 30"},
        {100, "unset P(int) priority 30, now 3, priority 10"},
        {100, "unset P(int) priority 10, now 2, priority 0"}};
    ASSERT_EQ(lines().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(std::make_pair(lines()[i].level, lines()[i].text), expected[i]);

    log.clear();
    config.setLogChanges(false);
    p.addCallback(&recorder);
    p.setParamInt(5, 10);
    p.unsetParam(10, true);
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(recorder.calls.size(), 2u);
}

TEST_F(ParamTest, BoolText) {
    struct Case {
        const char* text;
        int result;  // -1 refused
    } cases[] = {{nullptr, 1}, {"", 1},      {"1", 1},    {"YES", 1},   {"On", 1},
                 {"true", 1},  {"No", 0},    {"off", 0},  {"FALSE", 0}, {"0", 0},
                 {"2", -1},    {"yes ", -1}, {"tru", -1}, {" on", -1}};
    for (const Case& c : cases) {
        BoolParameter p("B", "d", c.result != 1, false, &config);
        log.clear();
        EXPECT_EQ(p.setParam(c.text, 10), c.result >= 0) << (c.text ? c.text : "(null)");
        if (c.result >= 0) {
            EXPECT_EQ(p.getValueInt(), c.result) << c.text;
            EXPECT_EQ(p.getValueStr(), c.result ? "1" : "0");
        } else {
            EXPECT_FALSE(p.hasValueAt(10));
            ASSERT_EQ(lines().size(), 1u);
            EXPECT_EQ(lines()[0].level, 0);
            EXPECT_EQ(lines()[0].text,
                      std::string("Bool parameter B: invalid value '") + c.text + "'");
        }
    }
}

// "4294967297" would wrap to 1 if strtol's long were narrowed without a range check.
TEST_F(ParamTest, IntText) {
    const std::pair<const char*, int> accepted[] = {{"0x10", 16},
                                                    {"0X1f", 31},
                                                    {"010", 8},
                                                    {"-5", -5},
                                                    {" +7", 7},
                                                    {"2147483647", INT_MAX},
                                                    {"-2147483648", INT_MIN}};
    for (const auto& [text, value] : accepted) {
        IntParameter p("I", "d", 55, false, &config);
        EXPECT_TRUE(p.setParam(text, 10)) << text;
        EXPECT_EQ(p.getValueInt(), value) << text;
    }
    const char* const refused[] = {"2147483648", "-2147483649", "4294967297", "12abc", "7 ",
                                   "",           nullptr,       "0x",         "08"};
    for (const char* text : refused) {
        IntParameter p("I", "d", 55, false, &config);
        EXPECT_FALSE(p.setParam(text, 10)) << (text ? text : "(null)");
        EXPECT_EQ(p.getValues().size(), 1u);
    }
    IntParameter bounded("I", "d", 500, false, &config, 0, 100);
    EXPECT_EQ(bounded.getValueInt(), 500);  // bounds do not apply to the default
    EXPECT_FALSE(bounded.setParam("101", 10));
    EXPECT_FALSE(bounded.setParam("-1", 10));
    EXPECT_FALSE(bounded.setParamInt(101, 10));
    EXPECT_TRUE(bounded.setParam("100", 10));
}

TEST_F(ParamTest, EnumTextAndNames) {
    EnumParameter p("E", "d", "alt_r", kKeys, false, &config);
    EXPECT_EQ(p.getValueInt(), 1);
    EXPECT_EQ(p.getValueStr(), "Alt_R");
    EXPECT_TRUE(p.setParam("extendedchars", 10));
    EXPECT_EQ(p.getValueInt(), 2);
    EXPECT_EQ(p.getValueStr(), "ExtendedChars");
    EXPECT_FALSE(p.setParam("Alt", 10));
    EXPECT_FALSE(p.setParam(nullptr, 10));
    EXPECT_FALSE(p.setParamInt(3, 10));
    EXPECT_EQ(EnumParameter("E", "d", "none", kKeys, false, &config).getValueInt(), 0);
}

// An index the table does not name shows as its number instead of reading past the table.
TEST_F(ParamTest, EnumWithoutNameForIndexShowsNumber) {
    const char* const none[] = {nullptr};
    EnumParameter empty("E", "d", "x", none, false, &config);
    EXPECT_EQ(empty.getValueStr(), "0");
    EXPECT_FALSE(empty.setParamInt(0, 10));
    EnumParameter nullTable("N", "d", nullptr, nullptr, false, &config);
    EXPECT_EQ(nullTable.getValueStr(), "0");
    EXPECT_FALSE(nullTable.setParam("x", 10));
    EnumParameter p("E", "d", nullptr, kKeys, false, &config);
    EXPECT_EQ(p.intToStr(3), "3");
    EXPECT_EQ(p.intToStr(-1), "-1");
}

TEST_F(ParamTest, StringText) {
    StringParameter p("S", "d", "", false, &config);
    EXPECT_FALSE(p.setParam(nullptr, 10));
    EXPECT_TRUE(p.setParam("h\xC3\xA9llo", 10));
    for (const char* bad : {"\xC0\xAF", "a\xFF", "\xED\xA0\x80", "\xE2\x82"}) {
        try {
            p.setParam(bad, 30);
            ADD_FAILURE() << "accepted invalid UTF-8";
        } catch (const BadUtf8& e) {
            EXPECT_STREQ(e.message(), "Bad UTF-8 string for S");
        }
        EXPECT_EQ(p.getPriority(), 10);
        EXPECT_EQ(p.getValueStr(), "h\xC3\xA9llo");
    }
}

TEST_F(ParamTest, S64Text) {
    struct Case {
        const char* text;
        const char* stored;
        int64_t value;
    } accepted[] = {{"int64:00000000000000ff", "int64:00000000000000ff", 255},
                    {"int64:00000000000000FF", "int64:00000000000000FF", 255},
                    {"ff00000000000000", "int64:00000000000000ff", 255},
                    {"0123456789ABCDEF", "int64:efcdab8967452301", int64_t(0xefcdab8967452301ULL)},
                    {"ffffffffffffffff", "int64:ffffffffffffffff", -1}};
    for (const Case& c : accepted) {
        S64Parameter p("L", "d", 7, false, &config);
        EXPECT_TRUE(p.setParam(c.text, 10)) << c.text;
        EXPECT_EQ(p.getValueStr(), c.stored);
        EXPECT_EQ(p.getValue(), c.value);
    }
    const char* const refused[] = {"int64:ff",
                                   "int64:0000000000000fg0",
                                   "int64:000000000000000ff",
                                   "00112233445566",
                                   "INT64:00000000000000ff",
                                   "001122334455667788",
                                   "0011223344556g77",
                                   "",
                                   nullptr};
    for (const char* text : refused) {
        S64Parameter p("L", "d", 7, false, &config);
        EXPECT_FALSE(p.setParam(text, 10)) << (text ? text : "(null)");
        EXPECT_EQ(p.getValue(), 7);
    }
    S64Parameter negative("L", "d", -2, false, &config);
    EXPECT_EQ(negative.getValueStr(), "int64:fffffffffffffffe");
    EXPECT_EQ(negative.getValue(), -2);
    EXPECT_TRUE(negative.setValue(INT64_MIN, 10));
    EXPECT_EQ(negative.getValueStr(), "int64:8000000000000000");
    EXPECT_EQ(negative.getValue(), INT64_MIN);
}

TEST_F(ParamTest, BinaryTextAndLog) {
    const unsigned char def[] = {1, 2, 3};
    BinaryParameter p("K", "d", 3, def, false, &config);
    EXPECT_TRUE(p.isAdvanced());
    EXPECT_EQ(p.getValueStr(), "010203");
    EXPECT_TRUE(p.setParam("0aFF", 10));
    EXPECT_EQ(p.getValueLength(), 2);
    EXPECT_EQ(p.getValueStr(), "0aff");
    EXPECT_EQ(p.getValueStrAt(10), "<binary>");
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0].text, "set K(binary) to <binary>, priority 10");
    for (const char* bad : {"abc", "zz", "0a f", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(p.setParam(bad, 30));
    EXPECT_FALSE(p.hasValueAt(30));
    EXPECT_TRUE(p.setParam("", 30));
    EXPECT_EQ(p.getValueLength(), 0);

    // The wipe flag travels with a stored secret.
    ByteBuf secret(2), out;
    EXPECT_TRUE(p.setValue(secret, 30));
    p.getValueBin(out);
    EXPECT_TRUE(out.wipe());
    EXPECT_TRUE(p.setValue(3, def, 30));
    p.getValueBin(out);
    EXPECT_FALSE(out.wipe());
    EXPECT_EQ(out.size(), 3);
}

TEST_F(ParamTest, ResetToDefaultNotifiesOnceWithPriorityZero) {
    IntParameter p("P", "d", 1, false, &config);
    p.addCallback(&recorder);
    EXPECT_FALSE(p.resetToDefault(true));
    EXPECT_EQ(p.notifyIfDefault(), 0);  // one call
    p.setParamInt(2, 10);
    p.setParamInt(3, 30);
    recorder.calls.clear();
    EXPECT_EQ(p.notifyIfDefault(), 30);  // no call
    EXPECT_TRUE(p.resetToDefault(true));
    EXPECT_EQ(texts(p), (std::map<int, std::string>{{0, "1"}}));
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0].second, 0);
}

TEST_F(ParamTest, CopyValuesFromMatchesTheOther) {
    StringParameter from("S", "d", "a", false, &config);
    StringParameter to("S", "d", "x", false, &config);
    from.setParam("c", 30);
    to.setParam("y", 10);
    to.addCallback(&recorder);
    to.copyValuesFrom(from);
    EXPECT_EQ(texts(to), texts(from));
    ASSERT_EQ(recorder.calls.size(), 3u);  // removal of 10, then 0 and 30 set
    EXPECT_EQ(recorder.calls[0].second, 10);
    recorder.calls.clear();
    to.copyValuesFrom(to);
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(ParamTest, CloneCopiesEverythingButCallbacks) {
    Configuration other("Other");
    EnumParameter p("E", LocDesc("plat_param_e"), "Alt_R", kKeys, true, &config, "noPolicy");
    p.setParamInt(2, 10);
    p.addCallback(&recorder);
    std::unique_ptr<EnumParameter> copy(p.clone(&other));
    EXPECT_EQ(other.findParam("e"), copy.get());
    EXPECT_STREQ(copy->getDescription(), "plat_param_e");
    EXPECT_TRUE(copy->isAdvanced());
    EXPECT_TRUE(copy->hasTag("noPolicy"));
    EXPECT_EQ(texts(*copy), texts(p));
    EXPECT_EQ(copy->getMax(), 2);
    EXPECT_TRUE(copy->setParam("alt_l", 10));
    EXPECT_TRUE(recorder.calls.empty());
}

// A clone of a parameter that owns its strings must own copies, not share them.
TEST_F(ParamTest, CloneDuplicatesOwnedStrings) {
    Configuration other("Other");
    const char** names = new const char* [3] { strDup("one"), strDup("two"), nullptr };
    auto* owned = new EnumParameter(strDup("Owned"), strDup("desc"), "two", names, false, &config);
    owned->adoptStrings();
    std::unique_ptr<EnumParameter> copy(owned->clone(&other));
    delete owned;
    EXPECT_STREQ(copy->getName(), "Owned");
    EXPECT_STREQ(copy->getDescription(), "desc");
    EXPECT_EQ(copy->getValueStr(), "two");
    EXPECT_TRUE(copy->setParam("ONE", 10));
}

TEST(ParamDeathTest, ConstructionErrorsAreFatal) {
    Configuration config("Test");
    EXPECT_DEATH(BoolParameter("B", static_cast<const char*>(nullptr), false, false, &config),
                 "Assertion 'desc \\|\\| locDesc' failed");
    EXPECT_DEATH(StringParameter("S", "d", nullptr, false, &config),
                 "Assertion 'v' failed at .*: Default value <null> for S not allowed");
}

}  // namespace
