// XML parsing of arbitrary bytes under every encoding and option set: no crash, no read past
// the text, and a tree written out and parsed again (formatted and not) is the same tree; a
// deep copy is too.
#include "xml/Node.h"

#include "xml/tests/TreeDump.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void require(bool condition, const char* what, const std::string& a, const std::string& b) {
    if (condition) return;
    std::fprintf(stderr, "%s\n  first:  %s\n  second: %s\n", what, a.c_str(), b.c_str());
    std::abort();
}

// Whether a name read from a tag reads back as the same token once written: not when it starts
// like another token after "<" ("?", "!", "/"), is "PRE" (whose start tag opens a clear
// section), ends in "/" (which takes the ">" that follows) or holds a quote (which may pair
// with a later one).
bool plainName(const char* name) {
    if (!name) return true;
    std::string s(name);
    return !s.empty() && s[0] != '?' && s[0] != '!' && s[0] != '/' && s.back() != '/' && s != "PRE" &&
           s.find_first_of("\"'") == std::string::npos;
}

// Trees that no text form can carry, which a lenient parse of broken input may still build:
// names that are not plain; a declaration below the head of the document that holds content
// (written back, its "?>" closes it and its content becomes its siblings'); a declaration at
// the head that an end tag closed before more items (written back, it holds them); two texts
// side by side, left by an empty section between them when texts are not joined (written
// back, they are one).
bool writable(const xml::Node& node, bool atHead) {
    for (int i = node.attributeCount() + 1; i < node.itemCount(); ++i)
        if (node.getItem(i).kind == xml::kTextItem && node.getItem(i - 1).kind == xml::kTextItem)
            return false;
    if (node.declaration() && !atHead && node.itemCount() > node.attributeCount()) return false;
    if (!plainName(node.getName())) return false;
    for (int i = 0; i < node.attributeCount(); ++i)
        if (!plainName(node.getAttributeName(i))) return false;
    int lastPosition = node.itemCount() - node.attributeCount() - 1;
    for (int i = 0; i < node.childCount(); ++i) {
        xml::Node child = node.getChildNode(i);
        if (!node.getName() && child.declaration() && node.positionOfChildNode(i) != lastPosition)
            return false;
        if (!writable(child, !node.getName())) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    unsigned flags = data[0];
    int encoding = 1 + int(flags % 6);
    bool trimText = flags & 0x08, join = flags & 0x10;
    const char* tag = flags & 0x20 ? "a" : nullptr;
    xml::setGlobalOptions(encoding, true, trimText, join);
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);  // cut at a NUL
    xml::guessEncoding(text.data(), int(text.size()), flags & 0x40);

    xml::ParseResult result;
    xml::Node tree = xml::Node::parseString(text.c_str(), tag, &result);
    require(tree.isEmpty() == (result.error > xml::kNoXmlTagWarning), "tree and code disagree",
            xml::getError(result.error), "");
    if (!tree.isEmpty() && writable(tree, true)) {
        std::string expected = xmltest::dump(tree);
        require(xmltest::dump(tree.deepCopy()) == expected, "copy differs", expected, "");
        for (bool formatted : {true, false}) {
            int length = 0;
            char* written = tree.toText(formatted, &length);
            xml::ParseResult again;
            std::string reread = xmltest::dump(xml::Node::parseString(written, nullptr, &again));
            require(reread == expected, formatted ? "formatted round trip" : "round trip",
                    expected, reread + "\n  text:   " + written);
            std::free(written);
        }
    }
    xml::setGlobalOptions(xml::kUtf8, true, true, true);
    return 0;
}
