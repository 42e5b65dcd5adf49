// Shared by the XML fuzz targets: which trees some text form carries, so that writing one and
// parsing the text again must give the same tree.
#pragma once

#include "xml/Node.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fuzzxml {

inline void require(bool condition, const char* what, const std::string& a, const std::string& b) {
    if (condition) return;
    std::fprintf(stderr, "%s\n  first:  %s\n  second: %s\n", what, a.c_str(), b.c_str());
    std::abort();
}

// Whether a name read from a tag reads back as the same token once written: not when it starts
// like another token after "<" ("?", "!", "/"), is "PRE" (whose start tag opens a clear
// section), ends in "/" (which takes the ">" that follows) or holds a quote (which may pair
// with a later one).
inline bool plainName(const char* name) {
    if (!name) return true;
    std::string s(name);
    return !s.empty() && s[0] != '?' && s[0] != '!' && s[0] != '/' && s.back() != '/' && s != "PRE" &&
           s.find_first_of("\"'") == std::string::npos;
}

// Whether the parser, reading the open marker, the content and the close marker, ends the
// section at that close marker: the first close in the text must be the one written, and a
// DOCTYPE takes "]>" when a '<' comes before its first '>'.
inline bool clearReadsBack(const xml::ClearSection& c) {
    std::string text = std::string(c.content) + c.closeMarker;
    const char* close = c.closeMarker;
    if (!std::strcmp(c.openMarker, "<!DOCTYPE")) {
        size_t stop = text.find_first_of("<>");
        close = text[stop] == '<' ? "]>" : ">";
        if (std::strcmp(close, c.closeMarker)) return false;
    }
    return *c.content && text.find(close) == std::strlen(c.content);
}

// Trees that no text form can carry, which a lenient parse of broken input or an edit may
// still build: names that are not plain; a declaration below the head of the document that
// holds content (written back, its "?>" closes it and its content becomes its siblings'); a
// declaration at the head that an end tag closed before more items (written back, it holds
// them); two texts side by side, or (when `joinTexts`) a text, a comment and a text (written
// back, they are one); an empty text or section (written as nothing); a section whose content
// holds its close marker; an unnamed node with attributes (not written) or holding a single
// element and nothing else (read back, that element is the top).
inline bool writable(const xml::Node& node, bool atHead, bool joinTexts) {
    int first = node.attributeCount();
    for (int i = first; i < node.itemCount(); ++i) {
        xml::Item item = node.getItem(i);
        if (item.kind == xml::kTextItem && !*item.text) return false;
        if (item.kind == xml::kClearItem && !clearReadsBack(item.clear)) return false;
        if (item.kind != xml::kTextItem || i == first) continue;
        xml::Item before = node.getItem(i - 1);
        if (before.kind == xml::kTextItem) return false;
        if (joinTexts && i >= first + 2 && before.kind == xml::kClearItem &&
            !std::strcmp(before.clear.openMarker, "<!--") &&
            node.getItem(i - 2).kind == xml::kTextItem)
            return false;
    }
    if (node.declaration() && !atHead && node.itemCount() > node.attributeCount()) return false;
    if (!plainName(node.getName())) return false;
    if (!node.getName() && (node.attributeCount() > 0 ||
                            (node.childCount() == 1 && node.itemCount() == 1)))
        return false;
    for (int i = 0; i < node.attributeCount(); ++i)
        if (!plainName(node.getAttributeName(i))) return false;
    int lastPosition = node.itemCount() - node.attributeCount() - 1;
    for (int i = 0; i < node.childCount(); ++i) {
        xml::Node child = node.getChildNode(i);
        if (!node.getName() && child.declaration() && node.positionOfChildNode(i) != lastPosition)
            return false;
        if (!writable(child, !node.getName(), joinTexts)) return false;
    }
    return true;
}

}  // namespace fuzzxml
