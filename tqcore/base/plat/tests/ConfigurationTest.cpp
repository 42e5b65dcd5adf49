#include "plat/Configuration.h"

#include "loc/LocaleSetter.h"
#include "plat/ConfigParameter.h"
#include "plat/LogSrc.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

using namespace plat;

namespace {

TEST(Configuration, FindsByNameIgnoringCaseLatestFirst) {
    Configuration config("Test");
    BoolParameter first("CompactLog", "d", false, false, &config);
    IntParameter other("OnlyInTest", "d", 30, false, &config);
    EXPECT_EQ(config.findParam("compactlog"), &first);
    EXPECT_EQ(config.findParam("ONLYINTEST"), &other);
    EXPECT_EQ(config.findParam("OnlyIn"), nullptr);
    EXPECT_EQ(config.findParam(nullptr), nullptr);
    EXPECT_EQ(Configuration::global()->findParam("OnlyInTest"), nullptr);
    BoolParameter later("COMPACTLOG", "d", true, false, &config);
    EXPECT_EQ(config.findParam("CompactLog"), &later);

    std::vector<std::string> order;
    for (Configuration::ParamIterator it(config); it; ++it)
        order.push_back(it->getName());
    EXPECT_EQ(order, (std::vector<std::string>{"COMPACTLOG", "OnlyInTest", "CompactLog"}));
    EXPECT_FALSE(Configuration::ParamIterator(Configuration("Empty")));
}

TEST(Configuration, NullConfigurationMeansGlobal) {
    Configuration* global = Configuration::global();
    EXPECT_STREQ(global->getName(), "Global");
    EXPECT_STREQ(global->getTitleKey(), "plat_configuration_global_params");
    EXPECT_TRUE(global->logChanges());
    static auto* p = new IntParameter("_ConfigurationTestParam", "d", 1);
    EXPECT_EQ(p->getConfiguration(), global);
    EXPECT_EQ(global->findParam("_configurationtestparam"), p);
}

// Registered by static objects of the library that this test never names: they must be in
// the binary and in the global configuration before main.
TEST(Configuration, LibraryParametersAreRegistered) {
    struct Expected {
        const char* name;
        const char* type;
        const char* value;
        const char* description;
        bool advanced;
    } expected[] = {
        {"Log", "string", "", "Record events in the format <log>:<target>:<level>[,...].", false},
        {"LogKeepDays", "int", "30", "Keep log files for X days.", false},
        {"_BadUtf8Assert", "bool", "0", "Make bad UTF-8 cause an assertion failure for debugging",
         false},
        {"ppmm", "int", "4", "Physical units per mm", true},
        {"TextSizeFactor", "int", "115", "Factor for text size on this system, normal being 100",
         true}};
    loc::LocaleSetter english("en");
    for (const Expected& e : expected) {
        ConfigParameter* p = Configuration::global()->findParam(e.name);
        ASSERT_NE(p, nullptr) << e.name;
        EXPECT_STREQ(p->getTypeName(), e.type);
        EXPECT_EQ(p->getValueStr(), e.value);
        EXPECT_STREQ(p->getDescription(), e.description);
        EXPECT_EQ(p->isAdvanced(), e.advanced);
    }
}

TEST(LogParameter, ChangeReappliesTheSetting) {
    static LogSrc probe("LogParamProbe");
    test::CaptureDest& capture = test::CaptureDest::instance();
    StringParameter& log = logParam();
    LogSrc::setLogSetting(nullptr);

    ASSERT_TRUE(log.setParam("LogParamProbe:testcapture:30", 10));
    capture.clear();
    probe.info("first");
    probe.debug("too detailed");
    ASSERT_EQ(capture.lines().size(), 1u);
    EXPECT_EQ(capture.lines()[0].source, "LogParamProbe");
    EXPECT_EQ(capture.lines()[0].text, "first");

    // The override wins over the parameter until it is cleared.
    LogSrc::setLogSetting("");
    probe.info("hidden");
    EXPECT_EQ(capture.lines().size(), 1u);
    LogSrc::setLogSetting(nullptr);
    probe.info("second");
    EXPECT_EQ(capture.lines().size(), 2u);

    // Removing the value re-applies the empty default.
    log.unsetParam(10, true);
    probe.info("gone");
    EXPECT_EQ(capture.lines().size(), 2u);
    EXPECT_EQ(probe.level(), -1);
}

TEST(BadUtf8AssertDeathTest, SetParameterMakesBadUtf8Fatal) {
    // Off by default: building one is harmless.
    EXPECT_STREQ(BadUtf8("quiet").message(), "quiet");
    ConfigParameter* assertParam = Configuration::global()->findParam("_BadUtf8Assert");
    ASSERT_NE(assertParam, nullptr);
    EXPECT_DEATH(
        {
            assertParam->setParam("1", 10);
            BadUtf8 e("bad text here");
        },
        "Assertion '0' failed at [^ ]*plat/Exception.cpp:[0-9]+: bad text here");
    EXPECT_DEATH(
        {
            assertParam->setParam("yes", 30);
            BadUtf8 e(Format, "byte %d", 7);
        },
        "Assertion '0' failed at [^ ]*plat/Exception.cpp:[0-9]+: byte 7");
    EXPECT_DEATH(
        {
            assertParam->setParam(nullptr, 10);
            StringParameter("S", "d", "").setParam("\xFF", 10);
        },
        "Assertion '0' failed at .*: Bad UTF-8 string for S");
    EXPECT_EQ(assertParam->getValueInt(), 0);
}

// "<configuration>.<parameter>" for each step of a walk, in order.
std::vector<std::string> walk(const Configuration& config, bool recurse) {
    std::vector<std::string> names;
    for (Configuration::ParamIterator it(config, recurse); it; ++it)
        names.push_back(std::string(it.configuration()->getName()) + "." + it->getName());
    return names;
}

std::string text(const ConfigParameter& p, int priority) {
    String t = p.getValueStrAt(priority);
    return t.isNull() ? "(none)" : t.get();
}

// Look-ups go depth first, walks breadth first; a name here wins over a child's.
TEST(Configuration, ChildrenAreSearchedAfterOwnParameters) {
    Configuration parent("P"), child("C"), grandchild("G"), other("O");
    IntParameter parentX("X", "d", 1, false, &parent);
    IntParameter childX("X", "d", 2, false, &child);
    IntParameter deep("Deep", "d", 3, false, &grandchild);
    BoolParameter otherDeep("Deep", "d", false, false, &other);
    parent.setChild(&child, true);
    parent.setChild(&child, true);  // no duplicate
    child.setChild(&grandchild, true);
    parent.setChild(&other, true);

    EXPECT_EQ(parent.findParam("deep"), nullptr);
    EXPECT_EQ(parent.findParam("deep", true), &deep);
    EXPECT_EQ(parent.findParam("x", true), &parentX);
    EXPECT_EQ(walk(parent, false), (std::vector<std::string>{"P.X"}));
    EXPECT_EQ(walk(parent, true), (std::vector<std::string>{"P.X", "C.X", "O.Deep", "G.Deep"}));
    EXPECT_TRUE(parent.setParam("DEEP", "40", 10));
    EXPECT_TRUE(parent.setParam("X", "10", 10));
    EXPECT_EQ(deep.getValueInt(), 40);
    EXPECT_EQ(childX.getValueInt(), 2);

    EXPECT_EQ(parent.getIntParam("Deep"), &deep);
    try {
        parent.getParam("Nope");
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.message(), "Parameter Nope not found");
        EXPECT_STREQ(e.typeName(), "");
    }
    EXPECT_THROW(parent.getBoolParam("X"), AssertionFail);
    EXPECT_TRUE(parent.getBool("X", true));  // not a boolean
    parent.setChild(&child, false);
    EXPECT_FALSE(parent.getBool("Deep", true));  // now the other child's
}

TEST(Configuration, AliasesSetEveryTargetAndNeverLoop) {
    Configuration config("Alias"), child("Child");
    config.setChild(&child, true);
    IntParameter days("LogKeepDays", "d", 30, false, &config, 0);
    BoolParameter compact("CompactLog", "d", false, false, &config);
    StringParameter dir("LogDir", "d", "", false, &child);
    ParameterAlias both("LogKeepDays", "compactlog");
    ParameterAlias viaBoth("Both", "LogDir");
    ParameterAlias keep("KeepDays", days, &config);
    ParameterAlias self("Loop");
    ParameterAlias toB("B"), toA("A");
    ParameterAlias partly("Loop", "LogKeepDays");
    ParameterAlias none;
    config.addAlias("Both", &both);
    config.addAlias("Chain", &viaBoth);
    config.addAlias("Loop", &self);
    config.addAlias("A", &toA);
    config.addAlias("B", &toB);
    config.addAlias("Partly", &partly);
    config.addAlias("None", &none);

    struct Case {
        const char* name;
        const char* value;
        bool result;
        const char* days;  // at priority 10 afterwards
        const char* compact;
        const char* dir;
    } cases[] = {
        {"both", "1", true, "1", "1", "(none)"},
        {"Both", "5", true, "5", "1", "(none)"},  // one target refuses
        {"Both", "x", false, "5", "1", "(none)"},
        {"keepdays", "9", true, "9", "1", "(none)"},
        {"Chain", "0", true, "0", "0", "0"},  // an alias of an alias, a child's parameter
        {"Loop", "1", false, "0", "0", "0"},
        {"A", "1", false, "0", "0", "0"},
        {"Partly", "7", true, "7", "0", "0"},  // the looping target fails, the other not
        {"None", "1", true, "7", "0", "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(config.setParam(c.name, c.value, 10), c.result) << c.name << "=" << c.value;
        EXPECT_EQ(text(days, 10), c.days) << c.name;
        EXPECT_EQ(text(compact, 10), c.compact) << c.name;
        EXPECT_EQ(text(dir, 10), c.dir) << c.name;
    }
}

// A copy must answer look-ups by name as the original does, also where a child's parameter has
// the name of one of the parent's.
TEST(Configuration, CopyHoldsClonesAndBulkOperationsFollowLookUps) {
    Configuration parent("P"), child("C");
    parent.setChild(&child, true);
    IntParameter parentX("X", "d", 1, false, &parent);
    IntParameter childX("X", "d", 2, false, &child);
    StringParameter childS("S", "d", "a", false, &child);
    const unsigned char key[] = {1, 2};
    BinaryParameter parentK("K", "d", 2, key, false, &parent);
    parentX.setParam("10", 10);
    childX.setParam("20", 10);
    childS.setParam("b", 30);
    ParameterAlias alias("S");
    parent.addAlias("Str", &alias);

    Configuration copy(parent);
    EXPECT_TRUE(copy.children().empty());
    EXPECT_EQ(walk(copy, false).size(), 3u);
    ConfigParameter* copyS = copy.findParam("S");
    ASSERT_NE(copyS, nullptr);
    EXPECT_NE(copyS, &childS);
    EXPECT_EQ(text(*copyS, 0), "a");
    EXPECT_EQ(text(*copyS, 30), "b");
    EXPECT_EQ(copy.findParam("X")->getValueStr(), "10");
    EXPECT_TRUE(copy.sameValues(parent));
    EXPECT_TRUE(parent.sameValues(copy));

    // Shared alias, separate values.
    EXPECT_TRUE(copy.setParam("Str", "c", 30));
    EXPECT_EQ(childS.getValueStr(), "b");
    EXPECT_FALSE(parent.sameValues(copy));
    EXPECT_EQ(Configuration::changedNames(copy, parent), "S");
    parent.applyChanges(copy, parent);
    EXPECT_EQ(text(childS, 30), "c");
    EXPECT_TRUE(parent.sameValues(copy));

    parentK.setParam("0a0b", 10);
    NoCaseStringMap values;
    values[String("x")] = "old";
    parent.getValuesAt(10, values);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[String("X")], "10");
    EXPECT_EQ(values[String("K")], "0a0b");

    Configuration globalCopy(*Configuration::global());
    EXPECT_TRUE(globalCopy.sameValues(*Configuration::global()));
    EXPECT_TRUE(Configuration::global()->sameValues(globalCopy));
}

TEST(Configuration, MigrateAliasesRenamesStoredKeys) {
    struct MapStore : KeyValueStore {
        bool get(const char* name, String& text) override {
            auto it = entries.find(name);
            if (it == entries.end()) return false;
            text = it->second.c_str();
            return true;
        }
        void set(const char* name, const char* text) override { entries[name] = text; }
        void remove(const char* name) override { entries.erase(name); }
        std::map<std::string, std::string> entries;
    } store;
    store.entries = {{"Old", "5"}, {"New2", "9"}, {"Legacy", "x"}, {"Other", "1"}};
    Configuration parent("P"), child("C");
    parent.setChild(&child, true);
    ParameterAlias old("New1", "New2"), legacy("New3"), unused("New4");
    parent.addAlias("Old", &old);
    parent.addAlias("Unused", &unused);
    child.addAlias("Legacy", &legacy);
    parent.migrateAliases(store);
    EXPECT_EQ(store.entries, (std::map<std::string, std::string>{
                                 {"New1", "5"}, {"New2", "9"}, {"New3", "x"}, {"Other", "1"}}));
}

TEST(Configuration, LogValuesLabelsEachSource) {
    Configuration config("Dump"), child("Child");
    config.setChild(&child, true);
    IntParameter a("a", "d", 1, false, &config);
    IntParameter b("B", "d", 2, false, &config);
    IntParameter c("C", "d", 3, false, &config);
    IntParameter d("D", "d", 4, false, &config);
    IntParameter e("E", "d", 5, false, &config);
    IntParameter hidden("_H", "d", 6, false, &config);
    IntParameter f("f", "d", 7, false, &child);
    b.setParamInt(20, 10);
    c.setParamInt(30, 10);
    c.setParamInt(31, 30);
    d.setParamInt(40, 30);
    e.setParamInt(50, 20);
    hidden.setParamInt(60, 10);
    f.setParamInt(70, 10);
    test::CapturedLog log("Configuration", 200);
    config.logValues();
    std::vector<std::pair<int, std::string>> lines;
    for (const test::LogLine& l : log.lines())
        if (l.source == "Configuration") lines.emplace_back(l.level, l.text);
    EXPECT_EQ(lines,
              (std::vector<std::pair<int, std::string>>{{30, "C=31 (Policy overriding preference)"},
                                                        {30, "D=40 (Policy)"},
                                                        {30, "E=50 (Priority 20)"},
                                                        {30, "B=20 (Preference)"},
                                                        {30, "f=70 (Preference)"},
                                                        {100, "a=1 (Default)"}}));
}

}  // namespace
