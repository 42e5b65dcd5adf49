#include "plat/Markup.h"

#include "os/OpenUrl.h"
#include "plat/tests/LogCapture.h"
#include "xml/Options.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace plat::Markup;

// The style's fields that differ from the defaults.
std::string describe(const Style* s) {
    std::string out;
    if (s->flags) out += " f" + std::to_string(s->flags);
    if (s->size != 120) out += " s" + std::to_string(s->size);
    if (s->weight != 400) out += " w" + std::to_string(s->weight);
    if (!s->color.isNull()) out += " c=" + std::string(s->color.get());
    return out;
}

// Every call a handler receives, in one line.
struct Trace : Handler {
    std::string calls;
    void beginBlock(int a, float l, float r) override {
        char buffer[64];
        calls += std::string(buffer, size_t(snprintf(buffer, 64, "[%d %g %g ", a, l, r)));
    }
    void endBlock(bool isLast) override { calls += isLast ? "]. " : "] "; }
    void text(const Style* s, const char* t) override {
        calls += "(" + describe(s) + "'" + t + "')";
    }
    void link(const Style* s, const char* url, const char* t) override {
        calls += "(" + describe(s) + " @" + url + "'" + t + "')";
    }
    void end() override { calls += "end"; }
};

// The handler's calls for good markup, the exception's message for bad markup.
std::string parsed(const char* markup) {
    std::vector<Block> blocks;
    try {
        ParserHtml::instance()->parseBlocks(markup, blocks);
    } catch (const plat::Exception& e) {
        return std::string("! ") + e.message();
    }
    Trace trace;
    EXPECT_TRUE(ParserHtml::instance()->parse(markup, &trace));
    return trace.calls;
}

TEST(Markup, ParsesIntoBlocksAndRunsOrFailsWithItsReason) {
    struct Case {
        const char* fault;
        const char* markup;
        const char* expected;
    } cases[] = {
        {"order of calls",
         "<div style=\"text-align:center\">Hello <b>world</b></div><a href=\"u\">here</a>",
         "[1 0 0 ('Hello ')( w700'world')] [0 0 0 ( f4 @u'here')]. end"},
        {"null markup", nullptr, "end"},
        {"line break joins the run before it", "a<br/>b", "[0 0 0 ('a\n')('b')]. end"},
        {"white space between divs is a block", "<div>a</div> <div>b</div>",
         "[0 0 0 ('a')] [0 0 0 (' ')] [0 0 0 ('b')]. end"},
        {"only direct text of a is a link", "<a href=\"u\"><b>x</b></a>",
         "[0 0 0 ( w700'x')]. end"},
        {"percent size, plain size, weight word, normal clears underline",
         "<span style=\"font-size:150%\">a</span><span "
         "style=\"font-size:14;font-weight:bold\">b</span>"
         "<u><span style=\"font-style:normal\">c</span></u>",
         "[0 0 0 ( s180'a')( s14 w0'b')('c')]. end"},
        {"span leaves the enclosing style at the defaults",
         "<b>x<span style=\"color:red\">y</span>z</b>w",
         "[0 0 0 ( w700'x')( w700 c=red'y')( w700'z')('w')]. end"},
        {"paddings, alignment in any case, other declarations to the text",
         "<div style=\"padding-left: 1.5 ;padding-right:2;text-align:RIGHT;color:blue\">x</div>",
         "[2 1.5 2 ( c=blue'x')]. end"},
        {"font attributes", "<font color=\"red\" size=\"14\">x</font>y",
         "[0 0 0 ( s14 c=red'x')('y')]. end"},
        {"references 128 to 255 come out as UTF-8", "&#233;&#xE9;&#128;&amp;",
         "[0 0 0 ('\xC3\xA9\xC3\xA9\xC2\x80&')]. end"},
        {"percent of a huge size does not wrap",
         "<span style=\"font-size:2147483647%\">a</span>"
         "<span style=\"font-size:-2147483648%\">b</span><span "
         "style=\"font-size:2147483648\">c</span>",
         "[0 0 0 ( s2147483647'a')( s-2147483648'b')('c')]. end"},
        {"a padding that is not a finite number is 0",
         "<div style=\"padding-left:nan;padding-right:1e99\">x</div>", "[0 0 0 ('x')]. end"},
        {"misnested element: the repaired tree", "<b>x", "[0 0 0 ( w700'x')]. end"},
        {"style without a value is empty", "<span style>x</span>", "[0 0 0 ('x')]. end"},
        {"attribute without a value", "<b bold>x</b>", "! Unexpected attribute (bold = )"},
        {"href without a value is empty", "<a href>x</a>", "[0 0 0 ( f4 @'x')]. end"},
        {"empty href is a link all the same", "<a href=\"\">x</a>", "[0 0 0 ( f4 @'x')]. end"},
        {"no href", "<a>x</a>", "! Invalid hyperlink spec!"},
        {"unknown tag", "<p>x</p>", "! Unexpected tag p"},
        {"clear section", "<![CDATA[x]]>", "! Unexpected node type 3"},
        {"XML error with the markup's position", "ab\n&foo;",
         "! XML error 4:8 Error: Unknown character entity"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parsed(c.markup), c.expected) << c.fault;
}

// The walk keeps its own stack: outside markup nested to any depth cannot exhaust the thread's.
TEST(Markup, DeepNestingNeedsNoRecursion) {
    std::string markup;
    for (int i = 0; i < 100000; ++i)
        markup += "<b>";
    markup += "x";
    EXPECT_EQ(parsed(markup.c_str()), "[0 0 0 ( w700'x')]. end");
}

// The XML reader's options are process-wide: a parse of markup changes them for its own
// duration and must hand the caller's back, not the defaults.
TEST(Markup, ParseRestoresTheCallersXmlOptions) {
    xml::setGlobalOptions(xml::kShiftJis, false, false, false);
    EXPECT_TRUE(ParserHtml::instance()->parse("<b>x</b>", nullptr));
    EXPECT_FALSE(ParserHtml::instance()->parse("<p>x</p>", nullptr));
    const xml::Options options = xml::globalOptions();
    xml::setGlobalOptions(xml::kUtf8);
    EXPECT_EQ(options.encoding, xml::kShiftJis);
    EXPECT_FALSE(options.utf8BomOnly || options.trimText || options.joinTextAcrossComments);
}

TEST(Markup, BadMarkupIsLoggedAndReachesNoHandler) {
    plat::test::CapturedLog log("MarkupParser", 0);
    Trace trace;
    EXPECT_FALSE(ParserHtml::instance()->parse("<p>x</p>", &trace));
    EXPECT_EQ(trace.calls, "");
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].level, 0);
    EXPECT_EQ(log.lines()[0].text, "Invalid markup (Unexpected tag p): ### <p>x</p> ###");
    EXPECT_STREQ(Stripper("<div>a</div><div>b<a href=\"u\">c</a><br/>d</div>").c_str(), "abc\nd");
    EXPECT_STREQ(Stripper("<p>x</p>").c_str(), "");
}

TEST(Markup, SnippetsEscapeTextAndParseBack) {
    Style bold, quoted, plain, full;
    bold.weight = 700;
    quoted.color = "a\"b";
    full.flags = kItalic | kUnderline | kLink;
    full.size = 2147483647;  // the percentage is computed wide
    full.color = "red";
    full.background = "#fff";
    plat::DString s[11];
    appendText(s[0], "<caf\xE9 & 'x'>");  // Latin-1 made UTF-8, then escaped
    appendText(s[1], nullptr);
    appendSpanText(s[2], "<b>x</b>", nullptr, 120);
    appendTextSpan(s[3], "a&b", "red", 180);
    appendBoldText(s[4], "<x>", nullptr, 120);
    for (int a : {0, 1, 2, 3, 9, -1})
        appendDivStart(s[5], a, nullptr).append("x</div>");
    appendColoredLink(s[6], nullptr, "a?b&c", "red");
    appendStyledLink(appendStyledText(s[7], "x", quoted), "t", "u", plain);
    s[8].append("<i>y</i>");
    appendSpan(s[8], s[8].get(), bold);  // its own text as the argument
    appendSpanText(appendSpanText(s[9], "x", nullptr, 3), "y", nullptr, -3);  // halves round out
    appendStyledText(s[10], "z", full);
    const char* expected[][2] = {
        {"&lt;caf\xC3\xA9 &amp; &apos;x&apos;&gt;", "<caf\xC3\xA9 & 'x'>"},
        {"", ""},
        {"<b>x</b>", "x"},
        {"<span style=\"font-size:150%;font-weight:400;color:red;\">a&amp;b</span>", "a&b"},
        {"<b>&lt;x&gt;</b>", "<x>"},
        {"<div style=\"text-align:left\">x</div><div style=\"text-align:center\">x</div>"
         "<div style=\"text-align:right\">x</div><div style=\"text-align:justify\">x</div>"
         "<div style=\"text-align:justify\">x</div><div style=\"text-align:justify\">x</div>",
         "xxxxxx"},
        {"<a href=\"a?b&amp;c\" style=\"color:red\">a?b&amp;c</a>", "a?b&c"},
        // A quote in a colour cannot end the attribute.
        {"<span style=\"font-size:100%;font-weight:400;color:a&quot;b;\">x</span>"
         "<a href=\"u\" style=\"font-size:100%;font-weight:400;\">t</a>",
         "xt"},
        {"<i>y</i><span style=\"font-size:100%;font-weight:700;\"><i>y</i></span>", "yy"},
        {"<span style=\"font-size:3%;font-weight:400;\">x</span>"
         "<span style=\"font-size:-3%;font-weight:400;\">y</span>",
         "xy"},
        {"<span style=\"font-size:1789569706%;font-weight:400;font-style:italic;text-decoration:"
         "underline;color:red;background-color:#fff;\">z</span>",
         "z"},
    };
    for (int i = 0; i < 11; ++i) {
        EXPECT_STREQ(s[i].c_str(), expected[i][0]) << i;
        EXPECT_STREQ(Stripper(s[i].c_str()).c_str(), expected[i][1]) << i;
    }
}

// Widgets are all handed the one callback, reached through its base.
TEST(Markup, LinkCallbackOpensTheUrl) {
    plat::Markup::LinkCallback* callback = plat::LinkCbOpenUrl::instance();
    ASSERT_NE(callback, nullptr);
    EXPECT_EQ(callback, plat::LinkCbOpenUrl::instance());
    for (const char* launcher : {"true", "false", "no-such-opener"}) {
        os::setUrlLauncherForTesting(launcher);
        EXPECT_EQ(callback->linkClicked("https://example.com/"), launcher == std::string("true"))
            << launcher;
    }
    EXPECT_FALSE(callback->linkClicked(nullptr));
    os::setUrlLauncherForTesting(nullptr);
}

}  // namespace
