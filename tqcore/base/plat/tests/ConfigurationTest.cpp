#include "plat/Configuration.h"

#include "plat/ConfigParameter.h"
#include "plat/LogSrc.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace plat;

namespace {

TEST(Configuration, FindsByNameIgnoringCaseLatestFirst) {
    Configuration config("Test");
    BoolParameter first("CompactLog", "d", false, false, &config);
    IntParameter other("LogKeepDays", "d", 30, false, &config);
    EXPECT_EQ(config.findParam("compactlog"), &first);
    EXPECT_EQ(config.findParam("LOGKEEPDAYS"), &other);
    EXPECT_EQ(config.findParam("LogKeep"), nullptr);
    EXPECT_EQ(config.findParam(nullptr), nullptr);
    EXPECT_EQ(Configuration::global()->findParam("LogKeepDays"), nullptr);
    BoolParameter later("COMPACTLOG", "d", true, false, &config);
    EXPECT_EQ(config.findParam("CompactLog"), &later);

    std::vector<std::string> order;
    for (Configuration::ParamIterator it(config); it; ++it)
        order.push_back(it->getName());
    EXPECT_EQ(order, (std::vector<std::string>{"COMPACTLOG", "LogKeepDays", "CompactLog"}));
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
    } expected[] = {{"Log", "string", "", "plat_param_log", false},
                    {"_BadUtf8Assert", "bool", "0",
                     "Make bad UTF-8 cause an assertion failure for debugging", false},
                    {"ppmm", "int", "4", "Physical units per mm", true},
                    {"TextSizeFactor", "int", "115",
                     "Factor for text size on this system, normal being 100", true}};
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

}  // namespace
