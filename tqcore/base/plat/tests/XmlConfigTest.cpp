#include "plat/XmlConfig.h"

#include "plat/ConfigParameter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace plat;

namespace {

std::string written(const Configuration& config, bool hidden, bool useLocDesc = false,
                    XmlConfig::ParamFilter* filter = nullptr) {
    std::unique_ptr<char[]> text(XmlConfig::write(config, hidden, useLocDesc, filter));
    return text.get();
}

struct NoInts : XmlConfig::ParamFilter {
    bool wanted(const char*, const char* typeName, bool) override {
        return std::string(typeName) != "int";
    }
};

// Catches: a kind, bound, tag, priority or name that does not survive the trip; special
// characters (in tags too) written raw, which breaks the document; children or hidden names
// walked wrongly; a filter ignored on either side.
TEST(XmlConfig, EveryKindReadsBackAsWritten) {
    static const char* const colours[] = {"red", "<green>", nullptr};
    Configuration config("Test"), child("Child");
    config.setChild(&child, true);
    StringParameter text("Text", "Say \"a<b\" & 'c'", "x&y", false, &config, "noPolicy,<t>&");
    BoolParameter flag("Flag", "d", true, true, &config);
    IntParameter count("count", LocDesc("plat_param_logkeepdays"), 7, false, &config, -5, 99);
    EnumParameter colour("Colour", "d", "<green>", colours, false, &child);
    BinaryParameter bytes("Bytes", "d", 3, "\x01\xfe\x00", false, &child);
    S64Parameter big("_Big", "d", -2, false, &child);
    ASSERT_TRUE(text.setParam("p<&>\"'q", 10) && flag.setParam("0", 30));
    ASSERT_TRUE(count.setParam("42", 10) && colour.setParam("RED", 30));

    std::string all = written(config, true);
    EXPECT_NE(all.find("    <value data=\"p&lt;&amp;&gt;&quot;&apos;q\" priority=\"10\"/>\n"),
              std::string::npos);
    EXPECT_NE(all.find("flags=\"&lt;t&gt;&amp;,noPolicy\""), std::string::npos);
    Configuration back("Back");
    XmlConfig::read(back, all.c_str());
    EXPECT_EQ(written(back, true), all);
    EXPECT_STREQ(back.getStringParam("text")->getValueStrAt(10).get(), "p<&>\"'q");
    EXPECT_TRUE(back.getStringParam("text")->hasTag("<t>&"));
    EXPECT_EQ(back.getS64Param("_big")->getValue(), -2);
    EXPECT_EQ(written(config, false).find("_Big"), std::string::npos);

    std::string keys = written(config, false, true);
    EXPECT_NE(keys.find("locDesc=\"plat_param_logkeepdays\""), std::string::npos);
    XmlConfig::read(back, keys.c_str());
    EXPECT_STREQ(back.getIntParam("Count")->getLocDesc(), "plat_param_logkeepdays");
    EXPECT_EQ(back.findParam("_Big"), nullptr);  // the earlier read's parameters are gone

    NoInts noInts;
    EXPECT_EQ(written(config, false, false, &noInts).find("<int"), std::string::npos);
    XmlConfig::read(back, all.c_str(), &noInts);
    EXPECT_EQ(back.findParam("count"), nullptr);
    EXPECT_NE(back.findParam("Text"), nullptr);
}

// Catches a change of the layout that scripts and stored descriptions rely on.
TEST(XmlConfig, IntegerElementLayout) {
    Configuration config("Test");
    IntParameter level("Level", "Level of detail.", 5, false, &config, 1, 100);
    EXPECT_EQ(written(config, false),
              "<?xml version=\"1.0\"?>\n<config>\n"
              "<int    name=\"Level\"\n        description=\"Level of detail.\"\n"
              "        advanced=\"false\"\n        min=\"1\"\n        max=\"100\">\n"
              "    <value data=\"5\" priority=\"0\"/>\n</int>\n</config>\n");
}

// Catches a malformed description accepted (an enumeration without names holds no value any
// name could show), a warning let through, or a refused value thrown rather than left unset.
TEST(XmlConfig, ReaderRefusesWhatIsNoParameter) {
    const std::string ok = "<int name='Kept' description='d'><value data='1' priority='0'/></int>";
    const struct {
        const char* body;
        const char* message;
    } cases[] = {
        {"<float name='F' description='d'><value data='1' priority='0'/></float>", nullptr},
        {"<int description='d'><value data='1' priority='0'/></int>", nullptr},
        {"<int name='I'><value data='1' priority='0'/></int>", nullptr},
        {"<int name='I' description='d'/>", nullptr},
        {"<int name='I' description='d'><value priority='0'/></int>", nullptr},
        {"<int name='I' description='d'><value data='1'/></int>", nullptr},
        {"<int name='I' description='d'><value data='1' priority='ten'/></int>", nullptr},
        {"<int name='I' description='d' min='x'><value data='1' priority='0'/></int>", nullptr},
        {"<enum name='E' description='d'><value data='a' priority='0'/></enum>", nullptr},
        {"<enum name='E' description='d'><opt/><value data='a' priority='0'/></enum>", nullptr},
        {"<bool name='B' description='d'><value data='1' priority='0'/>",
         "XML error 1:139 Warning: Unmatched end tag"},
    };
    for (const auto& c : cases) {
        Configuration config("Test");
        std::string doc = "<config>" + ok + c.body + "</config>";
        try {
            XmlConfig::read(config, doc.c_str());
            ADD_FAILURE() << c.body;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.message(), c.message ? c.message : "Incompatible XML config") << c.body;
        }
        EXPECT_EQ(config.findParam("Kept") != nullptr, !c.message) << c.body;
    }
    Configuration config("Test");
    EXPECT_THROW(XmlConfig::read(config, "<params/>"), Exception);
    XmlConfig::read(config, "<config><int name='I' description='d' max='5'>"
                            "<value data='9' priority='10'/></int></config>");
    EXPECT_FALSE(config.getIntParam("I")->hasValueAt(10));
}

}  // namespace
