#include "plat/ConfigParameter.h"

#include "plat/Configuration.h"
#include "plat/LogSrc.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

using namespace plat;

namespace {

struct Recorder : ParameterChangedCallback {
    void parameterChanged(ConfigParameter*, int priority) override { calls.push_back(priority); }
    std::vector<int> calls;  // the priorities announced
};

class ParamTest : public ::testing::Test {
protected:
    // "<level> <text>" of every ConfigParameter line so far.
    std::vector<std::string> lines() {
        std::vector<std::string> out;
        for (const test::LogLine& l : log.lines())
            out.push_back(std::to_string(l.level) + " " + l.text);
        return out;
    }
    using Lines = std::vector<std::string>;

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

const char* shown(const char* text) {
    return text ? text : "(null)";
}

// The current value after setting `text` at priority 10, or "refused"; the value is removed
// again.
std::string parsed(ConfigParameter& p, const char* text) {
    bool ok = p.setParam(text, 10);
    std::string out = ok ? p.getValueStr().get() : p.hasValueAt(10) ? "stored" : "refused";
    p.unsetParam(10, false);
    return out;
}

void expectAll(ConfigParameter& p, const char* result, std::initializer_list<const char*> texts) {
    for (const char* text : texts)
        EXPECT_EQ(parsed(p, text), result) << p.getTypeName() << " " << shown(text);
}

// The highest priority held is current and the default stays; every change is one line at the
// level of its priority, and a change under a higher priority is still stored and announced.
TEST_F(ParamTest, PrioritiesAndChangeLog) {
    IntParameter p("P", "d", 1, false, &config);
    p.addCallback(&recorder);
    p.setParamInt(2, 0);
    p.setParamInt(4, 30);
    EXPECT_TRUE(p.setParam("3", 10));
    EXPECT_EQ(p.getValueInt(), 4);
    p.unsetParam(30, false);
    p.unsetParam(0, false);
    EXPECT_EQ(p.getPriority(), 10);
    EXPECT_EQ(p.getValueInt(), 3);
    p.unsetParam(10, false);
    EXPECT_EQ(p.getValueInt(), 2);
    EXPECT_EQ(recorder.calls, (std::vector<int>{0, 30, 10}));
    EXPECT_EQ(lines(), (Lines{"110 set P(int) to 2, priority 0", "100 set P(int) to 4, priority 30",
                              "100 set P(int) to 3, priority 10",
                              "100 unset P(int) priority 30, now 3, priority 10",
                              "100 unset P(int) priority 10, now 2, priority 0"}));

    // The same value again is no change: no line, no call.
    log.clear();
    recorder.calls.clear();
    EXPECT_TRUE(p.setParam("2", 0));
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(recorder.calls.empty());

    config.setLogChanges(false);
    p.setParamInt(5, 10);
    p.unsetParam(10, true);
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(recorder.calls.size(), 2u);
}

// Tags are split without trimming: " noPolicy" is not the tag that refuses a policy.
TEST_F(ParamTest, NoPolicyRefusesPriority30Only) {
    BoolParameter p("B", "d", false, false, &config, "a,noPolicy");
    EXPECT_EQ(parsed(p, "1"), "1");
    EXPECT_FALSE(p.setParam("1", 30));
    EXPECT_FALSE(p.hasValueAt(30));
    EXPECT_TRUE(BoolParameter("Q", "d", false, false, &config, "x, noPolicy").setParam("1", 30));
}

// "4294967297" would wrap to 1 if strtol's long were narrowed without a range check.
TEST_F(ParamTest, TextOfEachType) {
    BoolParameter b("B", "d", false, false, &config);
    expectAll(b, "1", {nullptr, "", "YES", "On", "true"});
    expectAll(b, "0", {"FALSE", "off"});
    expectAll(b, "refused", {"2", "yes ", "tru"});
    EXPECT_EQ(lines().back(), "0 Bool parameter B: invalid value 'tru'");

    IntParameter i("I", "d", 55, false, &config);
    expectAll(i, "31", {"0X1f", "037", " +31"});
    expectAll(i, "refused", {"2147483648", "4294967297", "7 ", "", "08", nullptr});
    IntParameter bounded("I", "d", 500, false, &config, 0, 100);
    EXPECT_EQ(bounded.getValueInt(), 500);  // bounds do not apply to the default
    expectAll(bounded, "refused", {"101", "-1"});
    EXPECT_FALSE(bounded.setParamInt(101, 10));
    expectAll(bounded, "100", {"100"});

    // The form without prefix is byte-swapped into the stored one.
    S64Parameter s64("L", "d", 7, false, &config);
    expectAll(s64, "int64:00000000000000FF", {"int64:00000000000000FF"});
    expectAll(s64, "int64:efcdab8967452301", {"0123456789ABCDEF"});
    expectAll(s64, "refused",
              {"int64:ff", "int64:0000000000000fg0", "int64:000000000000000ff",
               "INT64:00000000000000ff", "00112233445566", "0011223344556g77", nullptr});
    EXPECT_TRUE(s64.setParam("ffffffffffffffff", 10));
    EXPECT_EQ(s64.getValue(), -1);
    EXPECT_TRUE(s64.setValue(INT64_MIN, 10));
    EXPECT_EQ(s64.getValueStr(), "int64:8000000000000000");
    EXPECT_EQ(s64.getValue(), INT64_MIN);

    const unsigned char def[] = {1, 2, 3};
    BinaryParameter bin("K", "d", 3, def, false, &config);
    expectAll(bin, "0aff", {"0aFF"});
    expectAll(bin, "", {""});
    expectAll(bin, "refused", {"abc", "0a f", nullptr});

    // Bad UTF-8 throws and stores nothing.
    StringParameter str("S", "d", "", false, &config);
    expectAll(str, "refused", {nullptr});
    EXPECT_TRUE(str.setParam("h\xC3\xA9llo", 10));
    for (const char* bad : {"\xC0\xAF", "\xE2\x82"})
        EXPECT_THROW(str.setParam(bad, 30), BadUtf8);
    EXPECT_EQ(str.getPriority(), 10);
}

// An index the table does not name shows as its number instead of reading past the table.
TEST_F(ParamTest, EnumNamesAndIndexesOutsideTheTable) {
    const char* const keys[] = {"Alt_L", "Alt_R", "ExtendedChars", nullptr};
    EnumParameter p("E", "d", "alt_r", keys, false, &config);
    EXPECT_EQ(p.getValueStr(), "Alt_R");
    EXPECT_EQ(parsed(p, "extendedchars"), "ExtendedChars");
    expectAll(p, "refused", {"Alt", nullptr});
    EXPECT_FALSE(p.setParamInt(3, 10));
    EXPECT_EQ(p.intToStr(3), "3");
    EXPECT_EQ(p.intToStr(-1), "-1");
    const char* const none[] = {nullptr};
    EnumParameter empty("E", "d", "x", none, false, &config);
    EXPECT_EQ(empty.getValueStr(), "0");
    EXPECT_FALSE(empty.setParamInt(0, 10));
    EnumParameter nullTable("N", "d", nullptr, nullptr, false, &config);
    EXPECT_EQ(nullTable.getValueStr(), "0");
    EXPECT_FALSE(nullTable.setParam("x", 10));
}

TEST_F(ParamTest, BinaryHiddenInLogAndWipeFlagKept) {
    const unsigned char def[] = {1, 2, 3};
    BinaryParameter p("K", "d", 3, def, false, &config);
    EXPECT_TRUE(p.setParam("0aFF", 10));
    EXPECT_EQ(lines(), Lines{"100 set K(binary) to <binary>, priority 10"});

    // A stored secret must still be wiped when read back.
    ByteBuf secret(2), out;
    EXPECT_TRUE(p.setValue(secret, 30));
    p.getValueBin(out);
    EXPECT_TRUE(out.wipe());
    EXPECT_TRUE(p.setValue(3, def, 30));
    p.getValueBin(out);
    EXPECT_FALSE(out.wipe());
}

// Copying a parameter onto itself must not remove its values.
TEST_F(ParamTest, ResetAndCopyNotifyOnlyRealChanges) {
    StringParameter from("S", "d", "a", false, &config), to("S", "d", "x", false, &config);
    from.setParam("c", 30);
    to.setParam("y", 10);
    to.addCallback(&recorder);
    to.copyValuesFrom(from);
    EXPECT_EQ(texts(to), texts(from));
    EXPECT_EQ(recorder.calls, (std::vector<int>{10, 0, 30}));
    recorder.calls.clear();
    to.copyValuesFrom(to);
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(to.notifyIfDefault(), 30);  // no call
    EXPECT_TRUE(to.resetToDefault(true));
    EXPECT_FALSE(to.resetToDefault(true));
    EXPECT_EQ(texts(to), (std::map<int, std::string>{{0, "a"}}));
    EXPECT_EQ(recorder.calls, std::vector<int>{0});
}

// A clone of a parameter that owns its strings must own copies, not share them.
TEST_F(ParamTest, CloneCopiesEverythingButCallbacksAndOwnsItsStrings) {
    Configuration other("Other");
    const char** names = new const char* [3] { strDup("one"), strDup("two"), nullptr };
    auto* owned =
        new EnumParameter(strDup("Owned"), strDup("desc"), "two", names, true, &config, "noPolicy");
    owned->adoptStrings();
    owned->setParamInt(0, 10);
    owned->addCallback(&recorder);
    std::unique_ptr<EnumParameter> copy(owned->clone(&other));
    std::map<int, std::string> values = texts(*owned);
    delete owned;
    EXPECT_EQ(other.findParam("OWNED"), copy.get());
    EXPECT_STREQ(copy->getDescription(), "desc");
    EXPECT_TRUE(copy->isAdvanced());
    EXPECT_TRUE(copy->hasTag("noPolicy"));
    EXPECT_EQ(copy->getMax(), 1);
    EXPECT_EQ(texts(*copy), values);
    EXPECT_TRUE(copy->setParam("TWO", 10));
    EXPECT_TRUE(recorder.calls.empty());
}

TEST(ParamDeathTest, ConstructionErrorsAreFatal) {
    Configuration config("Test");
    EXPECT_DEATH(BoolParameter("B", static_cast<const char*>(nullptr), false, false, &config),
                 "Assertion 'desc \\|\\| locDesc' failed");
    EXPECT_DEATH(StringParameter("S", "d", nullptr, false, &config),
                 "Assertion 'v' failed at .*: Default value <null> for S not allowed");
}

}  // namespace
