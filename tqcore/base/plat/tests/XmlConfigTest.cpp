#include "plat/XmlConfig.h"

#include "plat/ConfigParameter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace plat;

namespace {

std::string written(const Configuration& config, bool hidden, bool useLocDesc = false,
                    XmlConfig::ParamFilter* filter = nullptr) {
    return std::unique_ptr<char[]>(XmlConfig::write(config, hidden, useLocDesc, filter)).get();
}

struct NoInts : XmlConfig::ParamFilter {
    bool wanted(const char*, const char* type, bool) override { return std::string(type) != "int"; }
};

// Catches: a kind, bound, tag, priority or name lost on the trip; special characters (in tags
// too) written raw; children or hidden names walked wrongly; a filter ignored on either side; a
// change of the layout that scripts and stored descriptions rely on.
TEST(XmlConfig, EveryKindReadsBackAsWritten) {
    static const char* const colours[] = {"red", "<green>", nullptr};
    Configuration config("Test"), child("Child"), back("Back");
    config.setChild(&child, true);
    StringParameter text("Text", "Say \"a<b\" & 'c'", "x&y", false, &config, "noPolicy,<t>&");
    BoolParameter flag("Flag", LocDesc("plat_param_logkeepdays"), true, true, &config);
    IntParameter level("Level", "Level of detail.", 5, false, &config, 1, 100);
    EnumParameter colour("Colour", "d", "<green>", colours, false, &child);
    BinaryParameter bytes("Bytes", "d", 3, "\x01\xfe\x00", false, &child);
    S64Parameter big("_Big", "d", -2, false, &child);
    ASSERT_TRUE(text.setParam("p<&>\"'q", 10) && flag.setParam("0", 30));
    ASSERT_TRUE(level.setParam("42", 10) && colour.setParam("RED", 30));

    std::string all = written(config, true);
    EXPECT_NE(all.find("\n<int    name=\"Level\"\n        description=\"Level of detail.\"\n"
                       "        advanced=\"false\"\n        min=\"1\"\n        max=\"100\">\n"
                       "    <value data=\"5\" priority=\"0\"/>\n    <value data=\"42\" "
                       "priority=\"10\"/>\n</int>\n<string "),
              std::string::npos);
    XmlConfig::read(back, all.c_str());
    EXPECT_EQ(written(back, true), all);
    std::string keys = written(config, false, true);
    XmlConfig::read(back, keys.c_str());
    EXPECT_STREQ(back.getBoolParam("flag")->getLocDesc(), "plat_param_logkeepdays");
    EXPECT_EQ(back.findParam("_Big"), nullptr);  // not written; the earlier read's are gone
    NoInts noInts;
    EXPECT_EQ(written(config, false, false, &noInts).find("<int"), std::string::npos);
    XmlConfig::read(back, all.c_str(), &noInts);
    EXPECT_TRUE(!back.findParam("level") && back.findParam("Text"));
}

// Catches a malformed description accepted (an enumeration without names holds no value any
// name could show, a bound with trailing letters), a warning let through, parameters read
// before a fault dropped, or a value the parameter refuses (out of bounds, bad UTF-8) thrown
// or stored rather than left unset.
TEST(XmlConfig, ReaderRefusesWhatIsNoParameter) {
    const std::string kept = "<int name='Kept' description='d' max='5'><value data='9' "
                             "priority='10'/><value data='1' priority='0'/></int>"
                             "<string name='Text' description='d'><value data='\xC3(' "
                             "priority='10'/><value data='ok' priority='0'/></string>";
    const std::pair<const char*, const char*> cases[] = {
        {"<float name='F' description='d'><value data='1' priority='0'/></float>", nullptr},
        {"<int description='d'><value data='1' priority='0'/></int>", nullptr},
        {"<int name='I'><value data='1' priority='0'/></int>", nullptr},
        {"<int name='I' description='d'/>", nullptr},
        {"<int name='I' description='d'><value data='1'/></int>", nullptr},
        {"<int name='I' description='d'><value data='1' priority='ten'/></int>", nullptr},
        {"<int name='I' description='d' min='5x'><value data='6' priority='0'/></int>", nullptr},
        {"<enum name='E' description='d'><value data='a' priority='0'/></enum>", nullptr},
        {"<enum name='E' description='d'><opt/><value data='a' priority='0'/></enum>", nullptr},
        {"<bool name='B' description='d'><value data='1' priority='0'/>",
         "XML error 1:286 Warning: Unmatched end tag"},
    };
    for (const auto& [body, message] : cases) {
        Configuration config("Test");
        try {
            XmlConfig::read(config, ("<config>" + kept + body + "</config>").c_str());
            ADD_FAILURE() << body;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.message(), message ? message : "Incompatible XML config") << body;
        }
        ConfigParameter* read = config.findParam("Kept");
        EXPECT_TRUE(message ? !read : read && read->getValueInt() == 1 && !read->hasValueAt(10));
        ConfigParameter* text = config.findParam("Text");
        EXPECT_TRUE(message ? !text : text && !text->hasValueAt(10)) << body;
    }
}

}  // namespace
