#include "xml/Node.h"

#include "xml/tests/TreeDump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

using xmltest::dump;

// Restores the process-wide defaults however a test ends.
struct OptionsGuard {
    ~OptionsGuard() { xml::setGlobalOptions(xml::kUtf8, true, true, true); }
};

struct ParseCase {
    const char* why;
    const char* text;
    const char* tag;
    int code, line, column;
    const char* tree;
};

// Every code the parser gives, its position, and the tree; each row names the fault it would
// catch.
TEST(XmlParser, CodesPositionsAndTrees) {
    const ParseCase cases[] = {
        {"inner element closed by its parent's end tag", "<a><b>x</a>", nullptr, 1, 1, 8,
         "a{b{\"x\"}}"},
        {"end tag of no open element", "<a></b>", nullptr, 6, 1, 8, "(empty)"},
        // Only an end tag handed up from a child is an error at the top; one the top meets
        // itself ends the parse with the tree so far.
        {"stray end tag at the top", "<a/></b><c/>", nullptr, 1, 1, 5, "a"},
        {"element left open: position at the end", "<a>\n  xy", nullptr, 1, 2, 5, "a{\"xy\"}"},
        {"no element at all", "plain words", nullptr, 2, 1, 12, "#top{\"plain words\"}"},
        {"declaration keeps the document; tag finds config", "<?xml version=\"1.0\"?>\n<config/>",
         "config", 0, 0, 0, "config"},
        {"tag not found", "<a><b/></a>", "c", 11, 0, 0, "(empty)"},
        {"attribute forms", "<a b c='1' d=2/>", nullptr, 0, 0, 0,
         "a[b,c=\"1\",d=\"2\"]"},
        {"references and entities", "<a>&#65;&#x42;&AMP;&lt;&Quot;</a>", nullptr, 0, 0, 0,
         "a{\"AB&<\\\"\"}"},
        {"unknown entity", "<a>&foo;</a>", nullptr, 12, 1, 11, "(empty)"},
        {"letter in a decimal reference", "<a>&#12a;</a>", nullptr, 12, 1, 12, "(empty)"},
        {"reference above 255", "<a>&#300;</a>", nullptr, 13, 1, 12, "(empty)"},
        {"reference of 256", "<a>&#256;</a>", nullptr, 13, 1, 12, "(empty)"},
        {"&#0; would cut the text", "<a>x&#0;y</a>", nullptr, 12, 1, 12, "(empty)"},
        {"a long digit run must not wrap to 'A'", "<a>&#4294967361;</a>", nullptr, 13, 1, 19,
         "(empty)"},
        {"reference without digits", "<a>&#;</a>", nullptr, 12, 1, 9, "(empty)"},
        {"128-255 become UTF-8 in a UTF-8 tree", "<a b='&#233;'>&#xFF;</a>", nullptr, 0, 0, 0,
         "a[b=\"\xC3\xA9\"]{\"\xC3\xBF\"}"},
        {"trimmed text", "<a>  x  </a>", nullptr, 0, 0, 0, "a{\"x\"}"},
        {"texts joined across a comment", "<a>x<!-- c -->y</a>", nullptr, 0, 0, 0, "a{\"xy\"}"},
        {"several joins after a child", "<a>x<b>v</b>y<!--1-->z<!--2-->w</a>", nullptr, 0, 0, 0,
         "a{\"x\",b{\"v\"},\"yzw\"}"},
        {"empty comment adds nothing", "<a><!----></a>", nullptr, 0, 0, 0, "a"},
        // Only a comment between two texts joins them: an empty one left nothing to delete.
        {"no join across an empty comment", "<a>x<!---->y</a>", nullptr, 0, 0, 0,
         "a{\"x\",\"y\"}"},
        {"no join across an empty section", "<a>x<![CDATA[]]>y</a>", nullptr, 0, 0, 0,
         "a{\"x\",\"y\"}"},
        {"comment kept after the last text", "<a>x<!--c--></a>", nullptr, 0, 0, 0,
         "a{\"x\",<!--\"c\"-->}"},
        // Joins stop at anything but one comment between two texts of the same element: a
        // section, a second comment, a child, the start of the element.
        {"joined across each comment, never across a section",
         "<a>x<!--c-->y<!--d-->z<![CDATA[k]]>w</a>", nullptr, 0, 0, 0,
         "a{\"xyz\",<![CDATA[\"k\"]]>,\"w\"}"},
        {"comments at an element's start and end stay", "<a><!--s-->x<!--c-->y<!--e--></a>",
         nullptr, 0, 0, 0, "a{<!--\"s\"-->,\"xy\",<!--\"e\"-->}"},
        {"two comments in a row keep the texts apart", "<a>x<!--c--><!--d-->y</a>", nullptr, 0,
         0, 0, "a{\"x\",<!--\"c\"-->,<!--\"d\"-->,\"y\"}"},
        {"a section first, then a join", "<a>x<![CDATA[k]]>y<!--c-->z</a>", nullptr, 0, 0, 0,
         "a{\"x\",<![CDATA[\"k\"]]>,\"yz\"}"},
        {"no join with the parent's text over a child's first comment",
         "<r>x<a><!--c-->y</a></r>", nullptr, 0, 0, 0, "r{\"x\",a{<!--\"c\"-->,\"y\"}}"},
        {"no join with a closed leaf's text", "<a>x<b>t</b><!--c-->y</a>", nullptr, 0, 0, 0,
         "a{\"x\",b{\"t\"},<!--\"c\"-->,\"y\"}"},
        {"a joined text is decoded", "<a>x<!--c-->&lt;y</a>", nullptr, 0, 0, 0, "a{\"x<y\"}"},
        {"DOCTYPE with an internal subset", "<!DOCTYPE d [<!ENTITY e 'v'>]><d/>", nullptr, 0, 0,
         0, "#top{<!DOCTYPE\" d [<!ENTITY e 'v'>\"]>,d}"},
        {"unterminated comment", "<a><!-- x</a>", nullptr, 7, 1, 8, "(empty)"},
        {"quoted text where a name belongs", "<a 'b'/>", nullptr, 8, 1, 7, "(empty)"},
        {"missing start tag name", "<a><=></a>", nullptr, 4, 1, 6, "(empty)"},
        {"missing end tag name", "<a></ ></a>", nullptr, 5, 1, 8, "(empty)"},
        {"end of text inside a tag", "<a b=", nullptr, 8, 1, 6, "(empty)"},
        {"processing instruction inside an element closes itself", "<a><?pi?><b/></a>", nullptr,
         0, 0, 0, "a{pi?,b}"},
        {"a declaration's final '?' is its name's unless the close follows", "<r><?pi? a?></r>",
         nullptr, 0, 0, 0, "r{pi\\?\?[a]}"},
        {"head declaration holds the rest", "<?xml v='1'?><a/><b/>", nullptr, 0, 0, 0,
         "xml?[v=\"1\"]{a,b}"},
        {"column counts characters", "<a>\xC3\xA9\xE2\x82\xAC&x;</a>", nullptr, 12, 1, 11,
         "(empty)"},
        // A lead byte must not carry a scan over the NUL, nor swallow the markup after it.
        {"lead byte before the end of a text", "<a>\xE0", nullptr, 1, 1, 5, "a{\"\xE0\"}"},
        {"lead byte before the end of a name", "<a\xF0", nullptr, 8, 1, 4, "(empty)"},
        {"lead byte before a quote", "<a b='\xE0'/>", nullptr, 0, 0, 0, "a[b=\"\xE0\"]"},
        {"lead byte before an end tag", "<a>\xE0</a><b/>", nullptr, 0, 0, 0,
         "#top{a{\"\xE0\"},b}"},
        {"lead byte before a reference's end", "<a>&#\xE0", nullptr, 12, 1, 7, "(empty)"},
        // The texts are stored as they are read, each with a NUL, in room as long as the text
        // and its NUL: here every byte of it.
        {"texts fill the whole store", "x<a", nullptr, 8, 1, 4, "(empty)"},
        // A text joins the one before a comment only once it has decoded whole.
        {"bad reference after a comment keeps both items", "x<!--c-->y&foo;", nullptr, 2, 1,
         16, "#top{\"x\",<!--\"c\"-->}"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.why);
        xml::ParseResult r;
        xml::Node node = xml::Node::parseString(c.text, c.tag, &r);
        EXPECT_EQ(r.error, c.code);
        EXPECT_EQ(r.line, c.line);
        EXPECT_EQ(r.column, c.column);
        EXPECT_EQ(dump(node), c.tree);
    }
    // A quoted value is scanned a word at a time: a '<' at any offset of the first two words
    // ends the quote, so the value is not quoted and the '<' is a token no tag may hold.
    for (size_t at = 0; at < 16; ++at) {
        std::string value(24, 'v');
        value[at] = '<';
        const char quote = at % 2 ? '"' : '\'';
        std::string text = "<a b=" + (quote + value + quote) + "/>";
        SCOPED_TRACE(text);
        xml::ParseResult r;
        EXPECT_TRUE(xml::Node::parseString(text.c_str(), nullptr, &r).isEmpty());
        EXPECT_EQ(r.error, xml::kUnexpectedToken);
    }
}

// The decoder takes a range, not a NUL-terminated text: it must stop at the range's end (each
// range is copied to a heap block of its exact size, where a byte more is an overflow).
TEST(XmlParser, DecodeEntitiesOfARange) {
    const struct {
        const char* text;
        size_t length;
        const char* decoded;  // null: refused
        int code;
    } cases[] = {
        {"a&lt;&gt;b", 9, "a<>", 0},
        {"a&lt;&gt;b", 6, nullptr, 12},  // a "&" within the last two bytes
        {"&#65;&#x42;&AMP;", 16, "AB&", 0},
        {"x&amp;", 5, nullptr, 12},  // "&amp" without its ';' inside the range
        {"&#65;", 4, nullptr, 12},
        {"&#", 2, nullptr, 12},
        {"&#x100;", 7, nullptr, 13},
        {"no reference", 2, "no", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int code = -1;
        std::vector<char> range(c.text, c.text + c.length);
        char* decoded = xml::decodeEntities(range.data(), range.size(), &code);
        EXPECT_EQ(decoded ? std::string(decoded) : "(null)", c.decoded ? c.decoded : "(null)");
        EXPECT_EQ(code, c.code);
        std::free(decoded);
    }
    // The runs between references are scanned a word at a time: a reference at any offset of
    // the first two words, alone or followed by another, in a text and in a value.
    for (size_t at = 0; at < 17; ++at) {
        for (const char* after : {"", "z", "&#65;"}) {
            std::string text = std::string(at, 'x') + "&amp;" + after;
            std::string decoded = std::string(at, 'x') + "&" + (*after == '&' ? "A" : after);
            SCOPED_TRACE(text);
            int code = -1;
            std::vector<char> range(text.begin(), text.end());
            char* out = xml::decodeEntities(range.data(), range.size(), &code);
            EXPECT_EQ(out ? std::string(out) : "(null)", decoded);
            std::free(out);
            std::string document = "<a v='" + text + "'>" + text + "</a>";
            xml::Node node = xml::Node::parseString(document.c_str());
            EXPECT_STREQ(node.getAttribute("v"), decoded.c_str());
            EXPECT_STREQ(node.getText(), decoded.c_str());
        }
    }
}

TEST(XmlParser, NullTextAndErrorTexts) {
    xml::ParseResult r{5, 5, 5};
    EXPECT_TRUE(xml::Node::parseString(nullptr, nullptr, &r).isEmpty());
    EXPECT_EQ(r.error * 100 + r.line, xml::kNoElements * 100);
    EXPECT_STREQ(xml::getError(21), "Unknown");
}

TEST(XmlParser, OptionsChangeTextHandling) {
    OptionsGuard guard;
    const struct {
        bool trim, join;
        int encoding;
        const char* text;
        const char* tree;
    } cases[] = {
        {true, false, 1, "<a>x<!--c-->y</a>", "a{\"x\",<!--\"c\"-->,\"y\"}"},
        {false, true, 1, "<a>  x </a>", "a{\"  x \"}"},
        // Trimming comes before joining: blanks kept untrimmed join, trimmed away they leave
        // the comments side by side.
        {false, true, 1, "<a>x<!--c-->  <!--d-->y</a>", "a{\"x  y\"}"},
        {true, true, 1, "<a>x<!--c-->  <!--d-->y</a>",
         "a{\"x\",<!--\"c\"-->,<!--\"d\"-->,\"y\"}"},
        // Single-byte trees keep references 128-255 as one byte.
        {true, true, 2, "<a>&#233;</a>", "a{\"\xE9\"}"},
        // A Shift-JIS trail byte may be '>' or '=': it belongs to its character.
        {true, true, 3, "<a b='\x83\x3D'>\x83\x3E</a>", "a[b=\"\x83=\"]{\"\x83>\"}"},
        // ...but a byte below 40 never continues one: no markup or blank is swallowed.
        {true, true, 3, "<a>\x83 <b/>\x83</a>", "a{\"\x83\",b,\"\x83\"}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(xml::setGlobalOptions(c.encoding, true, c.trim, c.join), 0);
        EXPECT_EQ(dump(xml::Node::parseString(c.text)), c.tree);
    }
    EXPECT_EQ(xml::setGlobalOptions(7), 1);
    EXPECT_EQ(dump(xml::Node::parseString("<a>&#233;</a>")), "a{\"\xE9\"}") << "7 kept 2";
    // GBK, the last code there is, is taken and counts a double-byte character as one column.
    xml::setGlobalOptions(xml::kUtf8);
    EXPECT_EQ(xml::setGlobalOptions(xml::kGbk), 0);
    xml::ParseResult r;
    xml::Node::parseString("<a>\x81\x41\xFE\x80&x;</a>", nullptr, &r);
    EXPECT_EQ(r.error, xml::kUnknownEntity);
    EXPECT_EQ(r.column, 11);
}

// Nesting of outside input deep enough to overflow a recursive parser, release, writer or copy.
TEST(XmlParser, DeepNestingNeverOverflows) {
    const int depth = 300000;
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<e>";
    text += "x";
    for (int i = 0; i < depth; ++i) text += "</e>";
    xml::ParseResult r;
    xml::Node root = xml::Node::parseString(text.c_str(), nullptr, &r);
    ASSERT_EQ(r.error, 0);
    xml::Node copy = root.deepCopy();
    int length = 0;
    char* written = copy.toText(false, &length);
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(std::string(written, size_t(length)), text);
    std::free(written);
    int levels = 1;
    for (xml::Node n = copy; n.childCount(); n = n.getChildNode(0)) ++levels;
    EXPECT_EQ(levels, depth);
}

// A NUL-terminated text of `length` bytes 'a' that costs a few pages: one shared block of 'a'
// mapped over and over, then a private block that ends the text.
class HugeText {
public:
    explicit HugeText(size_t length) {
        size_t blocks = length / kBlock;
        size_ = (blocks + 1) * kBlock;
        void* base = mmap(nullptr, size_, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE,
                          -1, 0);
        if (base == MAP_FAILED) return;
        base_ = static_cast<char*>(base);
        int fd = memfd_create("hugetext", MFD_CLOEXEC);
        bool ok = fd >= 0 && ftruncate(fd, kBlock) == 0;
        void* block = ok ? mmap(nullptr, kBlock, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                         : MAP_FAILED;
        ok = block != MAP_FAILED;
        if (ok) {
            std::memset(block, 'a', kBlock);
            munmap(block, kBlock);
        }
        for (size_t i = 0; ok && i < blocks; ++i)
            ok = mmap(base_ + i * kBlock, kBlock, PROT_READ, MAP_SHARED | MAP_FIXED, fd, 0) !=
                 MAP_FAILED;
        char* last = base_ + blocks * kBlock;
        ok = ok && mmap(last, kBlock, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS |
                        MAP_FIXED, -1, 0) != MAP_FAILED;
        if (fd >= 0) close(fd);
        if (!ok) return;
        std::memset(last, 'a', length % kBlock);  // the rest of the block is already zero
        text_ = base_;
    }
    ~HugeText() {
        if (base_) munmap(base_, size_);
    }
    const char* get() const { return text_; }

private:
    static constexpr size_t kBlock = size_t(2) << 20;
    char* base_ = nullptr;
    size_t size_ = 0;
    const char* text_ = nullptr;  // null when the mappings could not be made
};

// Positions and line numbers are 32 bits: a text they cannot describe is refused, not parsed
// with positions that wrap.
TEST(XmlParser, TextTooLongForPositionsIsRefused) {
    HugeText text(size_t(1) << 31);
    ASSERT_NE(text.get(), nullptr) << "mappings refused";
    xml::ParseResult r{0, 5, 5};
    EXPECT_TRUE(xml::Node::parseString(text.get(), nullptr, &r).isEmpty());
    EXPECT_EQ(r.error * 100 + r.line * 10 + r.column, xml::kNoXmlData * 100);
}

// Running indexes walk all namesakes, letter case ignored; items come attributes first.
TEST(XmlParser, ReadingTheTree) {
    xml::Node a = xml::Node::parseString("<a x='1' X='2' y><b/>t<c/><B n='5'/><!--k--></a>");
    std::string seen;
    int at = 0;
    for (const char* value; (value = a.getAttribute("x", &at));) seen += value;
    at = 0;
    for (xml::Node b; !(b = a.getChildNodeByName("b", &at)).isEmpty();) seen += b.getName();
    EXPECT_EQ(seen, "12bB");
    EXPECT_STREQ(a.getAttributeNth("X", 1), "2");
    EXPECT_EQ(a.getAttributeNth("X", 2), nullptr);
    EXPECT_EQ(xml::toInt(a.getChildNode("b", -1).getAttribute("n")), 5);
    EXPECT_EQ(a.itemCount(), 3 + 5);
    EXPECT_STREQ(a.getItem(4).text, "t");
    EXPECT_STREQ(a.getItem(7).clear.content, "k");
    EXPECT_EQ(a.getItem(8).kind, xml::kNoItem);
}

TEST(XmlParser, GuessEncoding) {
    const std::string pad(30, 'a');
    const struct {
        std::string bytes;
        bool useDeclaration;
        int expected;
    } cases[] = {
        {"short", true, 0},
        {"\xEF\xBB\xBF" + pad, false, 1},
        {pad + "\xC3\xA9", false, 1},
        {pad + "\xC3z", false, 2},
        // A sequence cut by the end of the sample is not a fault of the document.
        {pad + "\xE2\x82", false, 1},
        {pad + "\xE2z", false, 2},
        {"<?xml version='1.0' encoding = ' Shift-JIS'?>", true, 3},
        {"<?xml version='1.0' encoding='utf-8'?>\xE9z", true, 0},
        {"<?xml version='1.0' encoding='big5'?>", true, 5},
        {"<?xml version='1.0' encoding='gbk'?>", true, 6},
        {"<?xml version='1.0' encoding='latin1'?>", true, 2},
        {"<?xml version='1.0' encoding=latin1?>", true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(xml::guessEncoding(c.bytes.data(), int(c.bytes.size()), c.useDeclaration),
                  c.expected);
    }
}

TEST(XmlParser, AutoTextEscapesAndRepairs) {
    xml::AutoText t;
    EXPECT_STREQ(t.escape("a<b>&\"'"), "a&lt;b&gt;&amp;&quot;&apos;");
    EXPECT_STREQ(t.fromUtf8(nullptr), "");
    EXPECT_STREQ(t.fromUtf8("\xC3(<"), "\xEF\xBF\xBD(&lt;");
    // Its own text as the argument: escaped from a copy, not from a freed buffer.
    const char* own = t.escape("&&&&");
    EXPECT_STREQ(t.escape(own), "&amp;amp;&amp;amp;&amp;amp;&amp;amp;");
    own = t.escape("<<");
    EXPECT_STREQ(t.escape(own + 4), "&amp;lt;");
    // Its whole text, in a buffer that holds the longer result: escaped in place, each entity
    // would overwrite the characters still to be read.
    t.escape(std::string(40, 'a').c_str());
    own = t.escape("<&>");
    EXPECT_STREQ(t.escape(own), "&amp;lt;&amp;amp;&amp;gt;");
}

}  // namespace
