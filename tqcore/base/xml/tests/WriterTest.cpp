#include "xml/Base64Codec.h"
#include "xml/Node.h"

#include "plat/tests/FileTestUtil.h"
#include "xml/tests/TreeDump.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace {

using xmltest::dump;

std::string text(const xml::Node& node, bool formatted) {
    int length = -1;
    char* t = node.toText(formatted, &length);
    std::string s = t ? std::string(t) : "(null)";
    EXPECT_EQ(size_t(length), t ? s.size() : 0u);
    std::free(t);
    return s;
}

TEST(XmlWriter, FormattedAndUnformatted) {
    const struct {
        const char* in;
        const char* formatted;
        const char* unformatted;
    } cases[] = {
        {"<a>x</a>", "<a>x</a>\n", "<a>x</a>"},
        {"<a k='&lt;\"'><b/>t&amp;<![CDATA[<raw>]]><c>y</c></a>",
         "<a k=\"&lt;&quot;\">\n\t<b/>\n\tt&amp;\n\t<![CDATA[<raw>]]>\n\t<c>y</c>\n</a>\n",
         "<a k=\"&lt;&quot;\"><b/>t&amp;<![CDATA[<raw>]]><c>y</c></a>"},
        {"<?xml version='1.0'?><r v><!--c--></r>",
         "<?xml version=\"1.0\"?>\n<r v>\n\t<!--c-->\n</r>\n",
         "<?xml version=\"1.0\"?><r v><!--c--></r>"},
        {"x<a/>y", "x\n<a/>\ny\n", "x<a/>y"},
        // Blanks at the ends of a text survive being read back with trimming.
        {"<a>&#32;x y&#10;</a>", "<a>&#32;x y&#10;</a>\n", "<a>&#32;x y&#10;</a>"},
        // ...in mixed content too, and a text of blanks only is written once.
        {"<a><b/>&#32;&#9;<c/>&#10;t&#32;</a>",
         "<a>\n\t<b/>\n\t&#32;&#9;\n\t<c/>\n\t&#10;t&#32;\n</a>\n",
         "<a><b/>&#32;&#9;<c/>&#10;t&#32;</a>"},
        // Texts joined across comments, a section apart.
        {"<a>x<!--c-->y<!--d-->z<![CDATA[k]]>w</a>", "<a>\n\txyz\n\t<![CDATA[k]]>\n\tw\n</a>\n",
         "<a>xyz<![CDATA[k]]>w</a>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        xml::Node node = xml::Node::parseString(c.in);
        EXPECT_EQ(text(node, true), c.formatted);
        EXPECT_EQ(text(node, false), c.unformatted);
        for (bool formatted : {true, false})
            EXPECT_EQ(dump(xml::Node::parseString(text(node, formatted).c_str())), dump(node));
    }
    EXPECT_EQ(text(xml::Node(), true), "(null)");

    // Deeper than any one write of tabs: each level's indentation whole, written as measured.
    const int depth = 100;
    std::string in, formatted;
    for (int i = 0; i < depth; ++i) {
        in += "<e>";
        formatted += std::string(size_t(i), '\t') + (i + 1 < depth ? "<e>\n" : "<e>x</e>\n");
    }
    in += "x";
    for (int i = depth - 2; i >= 0; --i) formatted += std::string(size_t(i), '\t') + "</e>\n";
    for (int i = 0; i < depth; ++i) in += "</e>";
    xml::Node deep = xml::Node::parseString(in.c_str());
    EXPECT_EQ(text(deep, true), formatted);
    std::string buffer(formatted.size() + 1, '#');
    EXPECT_EQ(xml::Node::writeText(deep, buffer.data(), 0), int64_t(formatted.size()));
    EXPECT_EQ(buffer, formatted + "#");

    // Escaping steps by whole characters: a lead byte does not take a special character that
    // follows it as its trail, in any encoding.
    struct OptionsGuard {
        ~OptionsGuard() { xml::setGlobalOptions(xml::kUtf8); }
    } guard;
    ASSERT_EQ(xml::setGlobalOptions(xml::kShiftJis), 0);
    EXPECT_EQ(text(xml::Node::parseString("<a b='\x83&lt;\x83\x40'>\x83>\x83&amp;</a>"), false),
              "<a b=\"\x83&lt;\x83\x40\">\x83&gt;\x83&amp;</a>");

    // Without trimming the texts are written as they are, blanks included, and toText lays
    // nothing out, since indentation would come back as text. A level given to writeText
    // still lays the tree out and keeps the texts as they are.
    ASSERT_EQ(xml::setGlobalOptions(xml::kUtf8, true, false), 0);
    const struct {
        const char* in;
        const char* indented;
    } untrimmed[] = {
        {"<a><b>x</b><c> y </c>z</a>", "<a>\n\t<b>x</b>\n\t<c> y </c>\n\tz\n</a>\n"},
        {"<a> <b/>\t</a>", "<a>\n\t \n\t<b/>\n\t\t\n</a>\n"},
    };
    for (const auto& c : untrimmed) {
        SCOPED_TRACE(c.in);
        xml::Node node = xml::Node::parseString(c.in);
        EXPECT_EQ(text(node, true), c.in);
        EXPECT_EQ(text(node, false), c.in);
        EXPECT_EQ(dump(xml::Node::parseString(text(node, true).c_str())), dump(node));
        const int64_t size = xml::Node::writeText(node, nullptr, 0);
        EXPECT_EQ(size, int64_t(std::strlen(c.indented)));
        std::string buffer(size_t(size) + 1, '#');
        xml::Node::writeText(node, buffer.data(), 0);
        EXPECT_EQ(buffer, c.indented + std::string("#"));
    }
}

// 65,536 nested elements (a document of 450 KB) take 4.3 GB formatted: the count must not
// wrap, and a text longer than its length can report is refused rather than cut or saved empty.
TEST(XmlWriter, TextTooLongForItsLengthIsRefused) {
    const int64_t depth = 65536;
    std::string in;
    for (int64_t i = 0; i < depth; ++i) in += "<e>";
    for (int64_t i = 0; i < depth; ++i) in += "</e>";
    xml::ParseResult r;
    xml::Node root = xml::Node::parseString(in.c_str(), nullptr, &r);
    ASSERT_EQ(r.error, 0);
    // Level i writes i tabs before its start and its end tag; the innermost is "<e/>".
    const int64_t formatted = (depth - 2) * (depth - 1) + 10 * (depth - 1) + 5;
    EXPECT_EQ(xml::Node::writeText(root, nullptr, 0), formatted);
    int length = -1;
    EXPECT_EQ(root.toText(true, &length), nullptr);
    EXPECT_EQ(length, 0);
    // Saved, such a text is a failed write that keeps the old file, not an empty document.
    TempDir dir;
    writeFile(dir / "deep.xml", "<old/>");
    EXPECT_EQ(root.saveFile((dir / "deep.xml").c_str()), xml::kCannotWrite);
    EXPECT_EQ(readFile(dir / "deep.xml"), "<old/>");
    EXPECT_EQ(text(root, false).size(), size_t(depth * 7 - 3));
}

TEST(XmlWriter, SaveFileAndParseFile) {
    TempDir dir;
    const struct {
        const char* in;
        const char* file;
    } cases[] = {
        {"<a>x</a>", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<a>x</a>\n"},
        {"<?xml version='1.0'?><a/>", "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<a/>\n"},
    };
    for (const auto& c : cases) {
        std::string path = dir / "out.xml";
        xml::Node node = xml::Node::parseString(c.in);
        ASSERT_EQ(node.saveFile(path.c_str()), 0);
        EXPECT_EQ(readFile(path), c.file);
        xml::ParseResult r;
        EXPECT_EQ(dump(xml::Node::parseFile(path.c_str(), node.getName(), &r)), dump(node));
        EXPECT_EQ(r.error, 0);
    }
    // A document of many stream buffers: the file is the declaration and the tree's text.
    std::string big = "<r>";
    for (int i = 0; i < 2000; ++i)
        big += "<e n='" + std::to_string(i) + "'>&lt;" + std::string(size_t(i % 50), 'x') + "</e>";
    big += "<t>" + std::string(40000, 'y') + "</t></r>";
    xml::Node bigNode = xml::Node::parseString(big.c_str());
    for (bool formatted : {true, false}) {
        ASSERT_EQ(bigNode.saveFile((dir / "big.xml").c_str(), nullptr, formatted), 0);
        const std::string declaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
        EXPECT_EQ(readFile(dir / "big.xml"),
                  "\xEF\xBB\xBF" + declaration + text(bigNode, formatted));
    }
    // An unnamed top that begins with a declaration brings its own: no second one is written.
    xml::Node top = xml::Node::parseString("<a/><b/>");
    top.addChild("xml", true, 0).addAttribute("version", "1.0");
    ASSERT_EQ(top.saveFile((dir / "top.xml").c_str()), 0);
    EXPECT_EQ(readFile(dir / "top.xml"), "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<a/>\n<b/>\n");
    xml::Node a = xml::Node::parseString("<a/>");
    EXPECT_EQ(a.saveFile((dir / "no/such/dir").c_str()), xml::kCannotOpenForWriting);
    xml::ParseResult r;
    xml::Node::parseFile((dir / "missing").c_str(), nullptr, &r);
    EXPECT_EQ(r.error, xml::kFileNotFound);
    std::ofstream(dir / "empty");
    xml::Node::parseFile((dir / "empty").c_str(), nullptr, &r);
    EXPECT_EQ(r.error, xml::kNoXmlData);
}

// Catches a save that writes over the old file in place: a full disk, reported or not (SIGXFSZ
// ignored, or at its default), left a 4096-byte fragment instead of the old document.
TEST(XmlWriterDeathTest, FailedSaveKeepsTheOldFile) {
    TempDir dir;
    std::string path = dir / "out.xml";
    writeFile(path, "<old/>");
    xml::Node big = xml::Node::parseString(("<a>" + std::string(8192, 'x') + "</a>").c_str());
    EXPECT_EXIT(
        {
            limitFileSize(4096, true);
            std::exit(big.saveFile(path.c_str()) == xml::kCannotWrite ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(readFile(path), "<old/>");
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"out.xml"}) << "a temporary file stays";
    EXPECT_EXIT(
        {
            limitFileSize(4096, false);
            big.saveFile(path.c_str());
            std::exit(0);
        },
        testing::KilledBySignal(SIGXFSZ), "");
    EXPECT_EQ(readFile(path), "<old/>");
}

TEST(XmlWriterDeathTest, ParseFileOrExitReportsAndExits) {
    TempDir dir;
    std::ofstream(dir / "open.xml") << "<a>\n<b>";
    std::ofstream(dir / "other.xml") << "<b/>";
    // The report goes to standard output; the child sends it where the death test looks.
    EXPECT_EXIT(
        {
            dup2(2, 1);
            xml::Node::parseFileOrExit((dir / "open.xml").c_str(), "a");
        },
        testing::ExitedWithCode(255),
        "XML Parsing error inside file '.*/open.xml'.\nWarning: Unmatched end tag\n"
        "At line 2, column 4.\n$");
    EXPECT_EXIT(
        {
            dup2(2, 1);
            xml::Node::parseFileOrExit((dir / "other.xml").c_str(), "a");
        },
        testing::ExitedWithCode(255),
        "Error: First Tag not found\nAt line 0, column 0.\nFirst Tag should be 'a'.\n$");
}

// Content inserted at positions keeps the order list and each kind's array in step.
TEST(XmlEditing, InsertDeleteAndPositions) {
    xml::Node a = xml::Node::parseString("<a>t0<b/><!--c0-->t1</a>", nullptr);
    a.addText("n", 2);                     // between b and the comment
    a.addChild("d", false, 0);             // first of all
    a.addClear("k", "<!--", "-->", 99);    // the end
    EXPECT_EQ(dump(a), "a{d,\"t0\",b,\"n\",<!--\"c0\"-->,\"t1\",<!--\"k\"-->}");
    EXPECT_EQ(a.positionOfText(1), 3);
    EXPECT_EQ(a.positionOfText(9), 5);
    EXPECT_EQ(a.positionOfClear(a.getClear(1).content), 6);
    EXPECT_EQ(a.positionOfChildNode("B", 0), 2);
    a.deleteText(1);
    a.deleteClear(0);
    a.deleteText(a.getText(0));
    EXPECT_EQ(dump(a), "a{d,b,\"t1\",<!--\"k\"-->}");
    EXPECT_EQ(a.positionOfText(0), 2);
    a.updateText("u", 5);
    a.updateText("T", a.getText(0));
    a.updateClear("K", 0);
    EXPECT_EQ(dump(a), "a{d,b,\"T\",<!--\"K\"-->,\"u\"}");
    a.addAttribute("p", "1");
    a.addAttribute(nullptr, "x");
    a.updateAttribute("2", nullptr, "P");
    a.updateAttribute("3", "q", 7);
    a.updateAttribute("4", nullptr, "r");
    a.deleteAttribute("q");
    EXPECT_EQ(dump(a), "a[p=\"2\",r=\"4\"]{d,b,\"T\",<!--\"K\"-->,\"u\"}");
    EXPECT_EQ(dump(a.getChildNodeByPath("b/x/y", true)), "y");
    EXPECT_TRUE(a.getChildNodeByPath("b/z", false).isEmpty());
    EXPECT_EQ(dump(a.getChildNode(1)), "b{x{y}}");
}

// A parsed element keeps its attributes' texts in one allocation with their array: every edit
// must leave the other attributes' texts where they were, and free each allocation once.
TEST(XmlEditing, EditsOfParsedAttributes) {
    const struct {
        const char* why;
        void (*edit)(xml::Node&);
        const char* tree;
    } cases[] = {
        {"new value", [](xml::Node& a) { a.updateAttribute("9", nullptr, 0); }, "a[x=\"9\",y=\"2\",z]"},
        {"new name", [](xml::Node& a) { a.updateAttribute("9", "w", "x"); }, "a[w=\"9\",y=\"2\",z]"},
        {"array grows", [](xml::Node& a) { a.addAttribute("v", "5"); }, "a[x=\"1\",y=\"2\",z,v=\"5\"]"},
        {"all deleted, then one added",
         [](xml::Node& a) {
             for (int i = 0; i < 3; ++i) a.deleteAttribute(0);
             a.addAttribute("v", "5");
         },
         "a[v=\"5\"]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        xml::Node a = xml::Node::parseString("<a x='1' y='2' z/>");
        const char* y = a.getAttribute("y");
        c.edit(a);
        EXPECT_EQ(dump(a), c.tree);
        if (a.isAttributeSet("y")) {
            EXPECT_STREQ(y, "2");
        }
    }
}

TEST(XmlEditing, AttachDetachAndLifetimes) {
    xml::Node root = xml::Node::parseString("<r><a><b><c/></b></a><d/></r>");
    xml::Node a = root.getChildNode(0);
    xml::Node c = a.getChildNodeByPath("b/c");
    // A node into itself or below itself would make a cycle that is never freed.
    EXPECT_TRUE(c.addChildNode(a).isEmpty());
    EXPECT_TRUE(a.addChildNode(a).isEmpty());
    EXPECT_EQ(dump(root), "r{a{b{c}},d}");
    // Moving within the same parent: the position counts the content without the node.
    root.addChildNode(a, 1);
    EXPECT_EQ(dump(root), "r{d,a{b{c}}}");
    xml::Node top = xml::Node::parseString("<x/><y/>");
    c.addChildNode(top);
    EXPECT_EQ(dump(root), "r{d,a{b{c{x,y}}}}");
    EXPECT_EQ(top.childCount(), 0);
    // Deleting a node that another handle still holds: detached, not freed under it.
    xml::Node b = a.getChildNode(0);
    xml::Node alias = b;
    b.deleteNode();
    EXPECT_TRUE(b.isEmpty());
    EXPECT_EQ(dump(root), "r{d,a}");
    EXPECT_EQ(dump(alias), "b{c{x,y}}");
    EXPECT_TRUE(alias.getParentNode().isEmpty());
    // A child held by a handle outlives its parent's release, with its own content.
    alias = xml::Node();
    EXPECT_EQ(dump(c), "c{x,y}");
    EXPECT_TRUE(c.getParentNode().isEmpty());
    EXPECT_STREQ(c.getChildNode(1).getParentNode().getName(), "c");
    xml::Node copy = root.deepCopy();
    root.getChildNode(0).addText("changed");
    EXPECT_EQ(dump(copy), "r{d,a}");
    // An unnamed node hands its children over in order, the first at the position given.
    root.addChildNode(xml::Node::parseString("<p/><q/><s/>"), 0);
    EXPECT_EQ(dump(root), "r{p,q,s,d{\"changed\"},a}");
}

TEST(XmlBase64, EncodeAndDecode) {
    xml::Base64Codec codec;
    const unsigned char bytes[54] = {'M', 'a', 'n'};
    std::string encoded;
    for (int count : {3, 1, 2}) encoded += codec.encode(bytes, count);
    EXPECT_EQ(encoded, "TWFuTQ==TWE=");
    EXPECT_EQ(std::string(codec.encode(bytes, 54, true)).find('\n'), 72u);
    EXPECT_EQ(xml::Base64Codec::encodedLength(54, true), 74);
    // A text longer than an int can measure: refused before a byte is read.
    EXPECT_EQ(xml::Base64Codec::encodedLength(0x7FFFFFFF, false), -1);
    EXPECT_EQ(codec.encode(bytes, 0x7FFFFFFF), nullptr);
    const struct {
        const char* text;
        int size, sizeError;
        const char* decoded;  // null: refused
        int decodeError;
    } cases[] = {
        {" TW\nFu ", 3, 0, "Man", 0},
        {"TWE=", 2, 0, "Ma", 19},
        {"TQ==", 1, 0, "M", 19},
        {"TWFuTQ", 4, 17, "ManM", 19},
        {"TW*u", 0, 18, nullptr, 18},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int error = -1, size = -1;
        EXPECT_EQ(xml::Base64Codec::decodedSize(c.text, &error), c.size);
        EXPECT_EQ(error, c.sizeError);
        const unsigned char* out = codec.decode(c.text, &size, &error);
        EXPECT_EQ(error, c.decodeError);
        EXPECT_EQ(out ? std::string(reinterpret_cast<const char*>(out), size_t(size)) : "(null)",
                  c.decoded ? c.decoded : "(null)");
    }
    unsigned char small[2];
    int error = 0;
    EXPECT_EQ(xml::Base64Codec::decode("TWFu", small, 2, &error), -1);
    EXPECT_EQ(error, xml::kBase64OutputTooSmall);
}

}  // namespace
