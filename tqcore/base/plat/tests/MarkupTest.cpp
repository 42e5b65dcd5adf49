#include "plat/Markup.h"

#include "os/OpenUrl.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace plat::Markup;

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
        snprintf(buffer, sizeof buffer, "[%d %g %g ", a, l, r);
        calls += buffer;
    }
    void endBlock(bool isLast) override { calls += isLast ? "]. " : "] "; }
    void text(const Style* s, const char* t) override { calls += "(" + describe(s) + "'" + t + "')"; }
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
        {"order of calls", "<div style=\"text-align:center\">Hello <b>world</b></div><a href=\"u\">here</a>",
         "[1 0 0 ('Hello ')( w700'world')] [0 0 0 ( f4 @u'here')]. end"},
        {"null markup", nullptr, "end"},
        {"line break joins the run before it", "a<br/>b", "[0 0 0 ('a\n')('b')]. end"},
        {"line break with no run", "<br/>b", "[0 0 0 ('\n')('b')]. end"},
        {"white space between divs is a block", "<div>a</div> <div>b</div>",
         "[0 0 0 ('a')] [0 0 0 (' ')] [0 0 0 ('b')]. end"},
        {"only direct text of a is a link", "<a href=\"u\"><b>x</b></a>", "[0 0 0 ( w700'x')]. end"},
        {"percent size, plain size, weight word, normal clears underline",
         "<span style=\"font-size:150%\">a</span><span style=\"font-size:14;font-weight:bold\">b</span>"
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
        {"percent of a huge size does not wrap", "<span style=\"font-size:2147483647%\">a</span>"
         "<span style=\"font-size:-2147483648%\">b</span><span style=\"font-size:2147483648\">c</span>",
         "[0 0 0 ( s2147483647'a')( s-2147483648'b')('c')]. end"},
        {"a padding that is not a finite number is 0", "<div style=\"padding-left:nan;padding-right:1e99\">x</div>",
         "[0 0 0 ('x')]. end"},
        {"misnested element: the repaired tree", "<b>x", "[0 0 0 ( w700'x')]. end"},
        {"style without a value is empty", "<span style>x</span>", "[0 0 0 ('x')]. end"},
        {"attribute without a value", "<b bold>x</b>", "! Unexpected attribute (bold = )"},
        {"href without a value", "<a href>x</a>", "! Invalid hyperlink spec!"},
        {"empty href", "<a href=\"\">x</a>", "! Invalid hyperlink spec!"},
        {"no href", "<a>x</a>", "! Invalid hyperlink spec!"},
        {"unknown tag", "<p>x</p>", "! Unexpected tag p"},
        {"nested body", "<body>x</body>", "! Unexpected tag body"},
        {"unknown attribute", "<b face=\"x\">y</b>", "! Unexpected attribute (face = x)"},
        {"clear section", "<![CDATA[x]]>", "! Unexpected node type 3"},
        {"XML error with the markup's position", "ab\n&foo;", "! XML error 4:8 Error: Unknown character entity"},
        {"stray end tag", "x</b>", "! XML error 3:31 Error: Unmatched end tag"},
    };
    for (const Case& c : cases) EXPECT_EQ(parsed(c.markup), c.expected) << c.fault;
}

// The walk keeps its own stack: outside markup nested to any depth cannot exhaust the thread's.
TEST(Markup, DeepNestingNeedsNoRecursion) {
    std::string markup;
    for (int i = 0; i < 100000; ++i) markup += "<b>";
    markup += "x";
    EXPECT_EQ(parsed(markup.c_str()), "[0 0 0 ( w700'x')]. end");
}

TEST(Markup, BadMarkupIsLoggedAndReachesNoHandler) {
    plat::test::CapturedLog log("MarkupParser", 0);
    Trace trace;
    EXPECT_FALSE(ParserHtml::instance()->parse("<p>x</p>", &trace));
    EXPECT_EQ(trace.calls, "");
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].level, 0);
    EXPECT_EQ(log.lines()[0].text, "Invalid markup (Unexpected tag p): ### <p>x</p> ###");
    EXPECT_TRUE(ParserHtml::instance()->parse("<b>ok</b>", nullptr));
    EXPECT_STREQ(Stripper("<div>a</div><div>b<a href=\"u\">c</a><br/>d</div>").c_str(), "abc\nd");
    EXPECT_STREQ(Stripper("<p>x</p>").c_str(), "");
}

TEST(Markup, StyleToCss) {
    Style style;
    EXPECT_STREQ(styleToCss(style).c_str(), "font-size:100%;font-weight:400;");
    struct Case {
        int size;
        const char* percent;
    } sizes[] = {{180, "150"}, {3, "3"}, {-3, "-3"}, {2147483647, "1789569706"}};
    for (const Case& c : sizes) {
        style.size = c.size;
        EXPECT_EQ(std::string(styleToCss(style).c_str()),
                  "font-size:" + std::string(c.percent) + "%;font-weight:400;") << c.size;
    }
    style.flags = kItalic | kUnderline | kLink;
    style.color = "red";
    style.background = "#fff";
    EXPECT_STREQ(styleToCss(style).c_str(),
                 "font-size:1789569706%;font-weight:400;font-style:italic;"
                 "text-decoration:underline;color:red;background-color:#fff;");
}

TEST(Markup, SnippetsEscapeTextAndParseBack) {
    struct Case {
        const char* fault;
        plat::DString (*build)();
        const char* expected;
        const char* plain;  // the snippet's text once stripped
    } cases[] = {
        {"escaping and Latin-1", [] { plat::DString s; return appendText(s, "<caf\xE9 & 'x'>"); },
         "&lt;caf\xC3\xA9 &amp; &apos;x&apos;&gt;", "<caf\xC3\xA9 & 'x'>"},
        {"null text", [] { plat::DString s; return appendText(s, nullptr); }, "", ""},
        {"plain span", [] { plat::DString s; return appendSpanText(s, "<b>x</b>", nullptr, 120); },
         "<b>x</b>", "x"},
        {"coloured span", [] { plat::DString s; return appendTextSpan(s, "a&b", "red", 180); },
         "<span style=\"font-size:150%;font-weight:400;color:red;\">a&amp;b</span>", "a&b"},
        {"bold", [] { plat::DString s; return appendBoldText(s, "<x>", nullptr, 120); },
         "<b>&lt;x&gt;</b>", "<x>"},
        {"div start", [] {
             plat::DString s;
             for (int a : {0, 1, 2, 3, 9, -1}) appendDivStart(s, a, nullptr).append("x</div>");
             return s;
         },
         "<div style=\"text-align:left\">x</div><div style=\"text-align:center\">x</div>"
         "<div style=\"text-align:right\">x</div><div style=\"text-align:justify\">x</div>"
         "<div style=\"text-align:justify\">x</div><div style=\"text-align:justify\">x</div>",
         "xxxxxx"},
        {"link with the URL for text", [] { plat::DString s; return appendColoredLink(s, nullptr, "a?b&c", "red"); },
         "<a href=\"a?b&amp;c\" style=\"color:red\">a?b&amp;c</a>", "a?b&c"},
        {"styled link", [] {
             plat::DString s;
             Style st;
             return appendStyledLink(s, "t", "u", st);
         },
         "<a href=\"u\" style=\"font-size:100%;font-weight:400;\">t</a>", "t"},
        {"a quote in a colour cannot end the attribute", [] {
             plat::DString s;
             Style st;
             st.color = "a\"b";
             return appendStyledText(s, "x", st);
         },
         "<span style=\"font-size:100%;font-weight:400;color:a&quot;b;\">x</span>", "x"},
        {"its own text as an argument", [] {
             plat::DString s;
             s.append("<i>y</i>");
             Style st;
             st.weight = 700;
             return appendSpan(s, s.get(), st);
         },
         "<i>y</i><span style=\"font-size:100%;font-weight:700;\"><i>y</i></span>", "yy"},
    };
    for (const Case& c : cases) {
        plat::DString built = c.build();
        EXPECT_STREQ(built.c_str(), c.expected) << c.fault;
        EXPECT_TRUE(ParserHtml::instance()->parse(built.c_str(), nullptr)) << c.fault;
        EXPECT_STREQ(Stripper(built.c_str()).c_str(), c.plain) << c.fault;
    }
}

TEST(Markup, LinkCallbackOpensTheUrl) {
    plat::LinkCbOpenUrl callback;
    os::setUrlLauncherForTesting("true");
    EXPECT_TRUE(callback.linkClicked("https://example.com/"));
    EXPECT_FALSE(callback.linkClicked(nullptr));
    EXPECT_FALSE(callback.linkClicked("not a url"));
    os::setUrlLauncherForTesting("no-such-opener");
    EXPECT_FALSE(callback.linkClicked("https://example.com/"));
    os::setUrlLauncherForTesting(nullptr);
}

}  // namespace
