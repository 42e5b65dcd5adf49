// A one-line picture of a tree that tells any two different trees apart: element names (with
// "?" for declarations, "#top" for an unnamed top node), attributes in [], content in {} in
// document order, texts and values in double quotes, clear sections with their markers.
#pragma once

#include "xml/Node.h"

#include <string>

namespace xmltest {

inline std::string escaped(const char* text, const char* special) {
    std::string out;
    for (const char* p = text; *p; ++p)
        out += std::string(std::string(special).find(*p) != std::string::npos, '\\') + *p;
    return out;
}

inline std::string dump(const xml::Node& node) {
    if (node.isEmpty()) return "(empty)";
    const char* name = node.getName();
    std::string out = (name ? escaped(name, "\\[]{},=\"?") : "#top") + (node.declaration() ? "?" : "");
    for (int i = 0; i < node.itemCount(); ++i) {
        xml::Item item = node.getItem(i);
        out += i == 0 && item.kind == xml::kAttributeItem ? "["
             : i == node.attributeCount() ? (i > 0 ? "]{" : "{") : ",";
        if (item.kind == xml::kAttributeItem)
            out += escaped(item.attribute.name, "\\[]{},=\"?") +
                   (item.attribute.value ? "=\"" + escaped(item.attribute.value, "\\\"") + "\"" : "");
        else if (item.kind == xml::kElementItem) out += dump(item.element);
        else if (item.kind == xml::kTextItem) out += "\"" + escaped(item.text, "\\\"") + "\"";
        else out += item.clear.openMarker + ("\"" + escaped(item.clear.content, "\\\"") + "\"") +
                    item.clear.closeMarker;
    }
    if (node.itemCount() > node.attributeCount()) out += "}";
    else if (node.attributeCount() > 0) out += "]";
    return out;
}

}  // namespace xmltest
