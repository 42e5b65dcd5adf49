// A one-line picture of a tree that tells any two different trees apart: element names (with
// "?" for declarations, "#top" for an unnamed top node), attributes in [], content in {} in
// document order, texts and values in double quotes, clear sections with their markers.
#pragma once

#include "xml/Node.h"

#include <string>

namespace xmltest {

inline void appendEscaped(std::string& out, const char* text, const char* special) {
    for (const char* p = text; *p; ++p) {
        for (const char* s = special; *s; ++s)
            if (*p == *s) out += '\\';
        out += *p;
    }
}

inline void dumpInto(std::string& out, const xml::Node& node) {
    if (node.getName()) appendEscaped(out, node.getName(), "\\[]{},=\"?");
    else out += "#top";
    if (node.declaration()) out += '?';
    for (int i = 0; i < node.itemCount(); ++i) {
        xml::Item item = node.getItem(i);
        bool firstAttr = i == 0 && item.kind == xml::kAttributeItem;
        bool firstContent = i == node.attributeCount();
        if (firstContent && i > 0) out += ']';
        out += firstAttr ? "[" : firstContent ? "{" : ",";
        switch (item.kind) {
        case xml::kAttributeItem:
            appendEscaped(out, item.attribute.name, "\\[]{},=\"?");
            if (item.attribute.value) {
                out += "=\"";
                appendEscaped(out, item.attribute.value, "\\\"");
                out += '"';
            }
            break;
        case xml::kElementItem: dumpInto(out, item.element); break;
        case xml::kTextItem:
            out += '"';
            appendEscaped(out, item.text, "\\\"");
            out += '"';
            break;
        default:
            out += item.clear.openMarker;
            out += '"';
            appendEscaped(out, item.clear.content, "\\\"");
            out += '"';
            out += item.clear.closeMarker;
        }
    }
    if (node.itemCount() == node.attributeCount() && node.attributeCount() > 0) out += ']';
    if (node.itemCount() > node.attributeCount()) out += '}';
}

inline std::string dump(const xml::Node& node) {
    if (node.isEmpty()) return "(empty)";
    std::string out;
    dumpInto(out, node);
    return out;
}

}  // namespace xmltest
