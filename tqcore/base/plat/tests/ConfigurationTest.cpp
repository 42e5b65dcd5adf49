#include "plat/Configuration.h"

#include "loc/LocaleSetter.h"
#include "plat/ConfigParameter.h"
#include "plat/LogSrc.h"
#include "plat/StrUtil.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace plat;

namespace {

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

// A parameter without a configuration joins the global one.
TEST(Configuration, FindsByNameIgnoringCaseLatestFirst) {
    Configuration config("Test");
    BoolParameter first("CompactLog", "d", false, false, &config);
    IntParameter other("OnlyInTest", "d", 30, false, &config);
    EXPECT_EQ(config.findParam("compactlog"), &first);
    EXPECT_EQ(config.findParam("ONLYINTEST"), &other);
    EXPECT_EQ(config.findParam("OnlyIn"), nullptr);
    EXPECT_EQ(config.findParam(nullptr), nullptr);
    EXPECT_EQ(Configuration::global()->findParam("OnlyInTest"), nullptr);
    static auto* global = new IntParameter("_ConfigurationTestParam", "d", 1);
    EXPECT_EQ(Configuration::global()->findParam("_configurationtestparam"), global);
    BoolParameter later("COMPACTLOG", "d", true, false, &config);
    EXPECT_EQ(config.findParam("CompactLog"), &later);
    EXPECT_EQ(walk(config, false),
              (std::vector<std::string>{"Test.COMPACTLOG", "Test.OnlyInTest", "Test.CompactLog"}));
}

// The index beside the list must answer as a walk of the list would, through growth, namesakes
// in other case, clones and removal.
TEST(Configuration, LookUpsAgreeWithTheListAfterEveryChange) {
    auto walkFind = [](const Configuration& config, const std::string& name) -> ConfigParameter* {
        for (Configuration::ParamIterator it(config); it; ++it)
            if (strCaseCmpAscii(it->getName(), name.c_str()) == 0) return it.param();
        return nullptr;
    };
    std::vector<std::string> names, shouted;
    for (int i = 0; i < 300; i++) {
        names.push_back("Param" + std::to_string(i * 7919));
        shouted.push_back("PARAM" + std::to_string(i * 7919));
    }
    auto agree = [&](const Configuration& config, const char* stage) {
        for (size_t i = 0; i < names.size(); i++)
            for (const std::string* asked : {&names[i], &shouted[i]})
                ASSERT_EQ(config.findParam(asked->c_str()), walkFind(config, *asked))
                    << stage << ": " << *asked;
        EXPECT_EQ(config.findParam("Param"), nullptr) << stage;
    };

    Configuration config("Index");
    for (size_t i = 0; i < names.size(); i++) {
        config.addIntParam(names[i].c_str(), "d", int(i));
        // A later namesake of an earlier parameter, which it hides.
        if (i % 3 == 0) config.addIntParam(shouted[i / 2].c_str(), "d", 1000 + int(i));
    }
    agree(config, "added");
    EXPECT_EQ(config.findParam(names[1].c_str())->getValueInt(), 1003);
    EXPECT_EQ(config.findParam(names[2].c_str())->getValueInt(), 2);

    Configuration copy(config);
    agree(copy, "copied");
    EXPECT_EQ(copy.findParam(names[1].c_str())->getValueInt(), 1003);

    config.removeAllParams();
    agree(config, "removed");
    for (size_t i = 0; i < names.size(); i += 2)
        config.addBoolParam(shouted[i].c_str(), "d", true);
    agree(config, "added again");
    config.adoptParam(config.findParam(names[0].c_str()));  // owned already: no second owner
}

// Registered by static objects of the library that this test never names: they must be in
// the binary and in the global configuration before main.
TEST(Configuration, LibraryParametersAreRegistered) {
    for (const char* name : {"Log", "LogKeepDays", "_BadUtf8Assert", "ppmm"})
        EXPECT_NE(Configuration::global()->findParam(name), nullptr) << name;
    loc::LocaleSetter english("en");  // a description given as a key is translated
    EXPECT_STREQ(Configuration::global()->findParam("LogKeepDays")->getDescription(),
                 "Keep log files for X days.");
}

// The override wins over the parameter until it is cleared; removing the value re-applies the
// empty default.
TEST(LogParameter, ChangeReappliesTheSetting) {
    static LogSrc probe("LogParamProbe");
    test::CaptureDest::instance();  // registers "testcapture"
    StringParameter& log = logParam();
    LogSrc::setLogSetting(nullptr);
    ASSERT_TRUE(log.setParam("LogParamProbe:testcapture:30", 10));
    EXPECT_EQ(probe.level(), 30);
    LogSrc::setLogSetting("");
    EXPECT_EQ(probe.level(), -1);
    LogSrc::setLogSetting(nullptr);
    EXPECT_EQ(probe.level(), 30);
    log.unsetParam(10, true);
    EXPECT_EQ(probe.level(), -1);
}

// Off by default: building one is harmless.
TEST(BadUtf8AssertDeathTest, SetParameterMakesBadUtf8Fatal) {
    EXPECT_STREQ(BadUtf8("quiet").message(), "quiet");
    ConfigParameter* assertParam = Configuration::global()->findParam("_BadUtf8Assert");
    ASSERT_NE(assertParam, nullptr);
    EXPECT_DEATH(
        {
            assertParam->setParam(nullptr, 10);
            StringParameter("S", "d", "").setParam("\xFF", 10);
        },
        "Assertion '.*' failed at .*: Bad UTF-8 string for S");
    EXPECT_EQ(assertParam->getValueInt(), 0);
}

// Look-ups go depth first, walks breadth first; a name here wins over a child's.
TEST(Configuration, ChildrenAreSearchedAfterOwnParameters) {
    Configuration parent("P"), child("C"), grandchild("G"), other("O");
    IntParameter parentX("X", "d", 1, false, &parent), childX("X", "d", 2, false, &child),
        deep("Deep", "d", 3, false, &grandchild);
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

    EXPECT_THROW(parent.getParam("Nope"), Exception);
    EXPECT_THROW(parent.getBoolParam("X"), AssertionFail);
    EXPECT_TRUE(parent.getBool("X", true));  // not a boolean: the default
    parent.setChild(&child, false);
    EXPECT_FALSE(parent.getBool("Deep", true));  // now the other child's
}

TEST(Configuration, AliasesSetEveryTargetAndNeverLoop) {
    Configuration config("Alias"), child("Child");
    config.setChild(&child, true);
    IntParameter days("LogKeepDays", "d", 30, false, &config, 0);
    BoolParameter compact("CompactLog", "d", false, false, &config);
    StringParameter dir("LogDir", "d", "", false, &child);
    ParameterAlias both("LogKeepDays", "compactlog"), viaBoth("Both", "LogDir"), self("Loop"),
        toB("B"), toA("A"), partly("Loop", "LogKeepDays"), none;
    ParameterAlias keep("KeepDays", days, &config);
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
        const char* after;  // LogKeepDays, CompactLog and LogDir at priority 10
    } cases[] = {
        {"both", "1", true, "1 1 (none)"},
        {"Both", "5", true, "5 1 (none)"},  // one target refuses
        {"Both", "x", false, "5 1 (none)"},
        {"keepdays", "9", true, "9 1 (none)"},
        {"Chain", "0", true, "0 0 0"},  // an alias of an alias, a child's parameter
        {"Loop", "1", false, "0 0 0"},
        {"A", "1", false, "0 0 0"},
        {"Partly", "7", true, "7 0 0"},  // the looping target fails, the other not
        {"None", "1", true, "7 0 0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(config.setParam(c.name, c.value, 10), c.result) << c.name << "=" << c.value;
        EXPECT_EQ(text(days, 10) + " " + text(compact, 10) + " " + text(dir, 10), c.after)
            << c.name << "=" << c.value;
    }
}

// A copy must answer look-ups by name as the original does, also where a child's parameter has
// the name of one of the parent's.
TEST(Configuration, CopyHoldsClonesAndBulkOperationsFollowLookUps) {
    Configuration parent("P"), child("C");
    parent.setChild(&child, true);
    IntParameter parentX("X", "d", 1, false, &parent), childX("X", "d", 2, false, &child);
    StringParameter childS("S", "d", "a", false, &child);
    const unsigned char key[] = {1, 2};
    BinaryParameter parentK("K", "d", 2, key, false, &parent);
    parentX.setParam("10", 10);
    childX.setParam("20", 10);
    childS.setParam("b", 30);
    ParameterAlias alias("S");
    parent.addAlias("Str", &alias);

    Configuration copy(parent);
    EXPECT_EQ(walk(copy, false).size(), 3u);
    ASSERT_NE(copy.findParam("S"), nullptr);
    EXPECT_NE(copy.findParam("S"), &childS);
    EXPECT_EQ(text(*copy.findParam("S"), 30), "b");
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
    EXPECT_TRUE(Configuration::global()->sameValues(globalCopy));
}

TEST(Configuration, MigrateAliasesRenamesStoredKeys) {
    struct MapStore : KeyValueStore {
        bool get(const char* name, String& text) override {
            if (!entries.count(name)) return false;
            text = entries[name].c_str();
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
    IntParameter a("a", "d", 1, false, &config), b("B", "d", 2, false, &config),
        c("C", "d", 3, false, &config), d("D", "d", 4, false, &config),
        e("E", "d", 5, false, &config), hidden("_H", "d", 6, false, &config),
        f("f", "d", 7, false, &child);
    b.setParamInt(20, 10);
    c.setParamInt(30, 10);
    c.setParamInt(31, 30);
    d.setParamInt(40, 30);
    e.setParamInt(50, 20);
    hidden.setParamInt(60, 10);
    f.setParamInt(70, 10);
    test::CapturedLog log("Configuration", 200);
    config.logValues();
    std::string lines;
    for (const test::LogLine& l : log.lines())
        lines += std::to_string(l.level) + " " + l.text + "\n";
    EXPECT_EQ(lines, "30 C=31 (Policy overriding preference)\n30 D=40 (Policy)\n"
                     "30 E=50 (Priority 20)\n30 B=20 (Preference)\n30 f=70 (Preference)\n"
                     "100 a=1 (Default)\n");
}

}  // namespace
