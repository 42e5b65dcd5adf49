// libxml2 as an outside oracle: for the valid standalone xmltest documents that the reader is
// meant to handle (no entities declared in the DTD, no character references above 255, no
// UTF-16), both parsers must give the same elements, attributes and text. Texts are compared
// without blanks, since the reader trims them and drops blank-only ones by design.
#include "xml/Node.h"

#include "xml/tests/XmltestPath.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void appendText(std::string& out, const char* text) {
    for (const char* p = text; p && *p; ++p)
        if (*p != ' ' && *p != '\t' && *p != '\n' && *p != '\r') out += *p;
}

void fromOurs(std::string& out, const xml::Node& node) {
    bool element = node.getName() && !node.declaration();  // declarations are transparent
    if (element) {
        out += "<" + std::string(node.getName());
        for (int i = 0; i < node.attributeCount(); ++i)
            out += " " + std::string(node.getAttributeName(i)) + "=\"" +
                   xml::textOr(node.getAttributeValue(i)) + "\"";
        out += ">";
    }
    for (int i = node.attributeCount(); i < node.itemCount(); ++i) {
        xml::Item item = node.getItem(i);
        if (item.kind == xml::kElementItem) fromOurs(out, item.element);
        else if (item.kind == xml::kTextItem) appendText(out, item.text);
        else if (item.kind == xml::kClearItem && !std::string(item.clear.openMarker).compare("<![CDATA["))
            appendText(out, item.clear.content);
    }
    if (element) out += "</" + std::string(node.getName()) + ">";
}

void fromLibxml2(std::string& out, xmlDocPtr doc, xmlNodePtr node) {
    std::string name = reinterpret_cast<const char*>(node->name);
    out += "<" + name;
    for (xmlAttrPtr a = node->properties; a; a = a->next) {
        xmlChar* value = xmlNodeListGetString(doc, a->children, 1);
        out += " " + std::string(reinterpret_cast<const char*>(a->name)) + "=\"" +
               (value ? reinterpret_cast<const char*>(value) : "") + "\"";
        xmlFree(value);
    }
    out += ">";
    for (xmlNodePtr c = node->children; c; c = c->next) {
        if (c->type == XML_ELEMENT_NODE) fromLibxml2(out, doc, c);
        else if (c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE)
            appendText(out, reinterpret_cast<const char*>(c->content));
    }
    out += "</" + name + ">";
}

// Documents outside the reader's scope: UTF-16, entities declared in the DTD, references
// above 255.
bool inScope(const std::string& bytes) {
    if (bytes.find('\0') != std::string::npos || bytes.find("<!ENTITY") != std::string::npos)
        return false;
    for (size_t at = bytes.find("&#"); at != std::string::npos; at = bytes.find("&#", at + 2)) {
        bool hex = bytes[at + 2] == 'x';
        if (std::strtol(bytes.c_str() + at + (hex ? 3 : 2), nullptr, hex ? 16 : 10) > 255)
            return false;
    }
    return true;
}

TEST(Libxml2Oracle, SameTreesForValidStandaloneDocuments) {
    XMLTEST_SUITE_ROOT(root);
    const fs::path dir = root / "valid/sa";
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == ".xml") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    int compared = 0, same = 0;
    std::string differing;
    for (const fs::path& path : files) {
        std::stringstream bytes;
        bytes << std::ifstream(path, std::ios::binary).rdbuf();
        if (!inScope(bytes.str())) continue;
        ++compared;
        xmlDocPtr doc = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR);
        ASSERT_NE(doc, nullptr) << path;
        std::string theirs;
        fromLibxml2(theirs, doc, xmlDocGetRootElement(doc));
        xmlFreeDoc(doc);
        xml::ParseResult r;
        std::string ours;
        fromOurs(ours, xml::Node::parseFile(path.c_str(), nullptr, &r));
        if (ours == theirs && r.error == 0) {
            ++same;
            continue;
        }
        differing += " " + path.filename().string();
        std::cout << path.filename() << " code " << r.error << "\n  ours:   " << ours
                  << "\n  theirs: " << theirs << "\n";
    }
    std::cout << same << " of " << compared << " documents give the same tree;"
              << " differing:" << differing << "\n";
    // The known differences: 017a, a processing instruction whose data holds "? >" read as a
    // tag (warning 1); 043, 104, white space in attribute values kept, not normalised to
    // blanks; 058, 111, values of attributes the DTD declares as tokens not collapsed.
    EXPECT_EQ(compared, 91);
    EXPECT_EQ(same, 86);
    EXPECT_EQ(differing, " 017a.xml 043.xml 058.xml 104.xml 111.xml");
}

}  // namespace
