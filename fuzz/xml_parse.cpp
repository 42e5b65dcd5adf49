// XML parsing of arbitrary bytes under every encoding and option set: no crash, no read past
// the text, and a tree written out and parsed again (formatted and not) is the same tree; a
// deep copy is too.
#include "xml_tree.h"
#include "xml/Node.h"
#include "xml/tests/TreeDump.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using fuzzxml::require;

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
    if (!tree.isEmpty() && fuzzxml::writable(tree, true, join)) {
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
