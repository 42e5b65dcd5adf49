// The node record and the helpers that the reader and the writer share: allocation, the
// character-length step, entity escaping and the content order list. Private to the library.
#pragma once

#include "xml/Node.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace xml {

struct NodeData {
    char* name;            // null for the unnamed top node of a parse
    int childCount;
    int textCount;
    int clearCount;
    int attributeCount;
    bool declaration;      // opened with "<?"
    NodeData* parent;      // not owned; null for a top node
    NodeData** children;   // each holds one reference
    char** texts;
    ClearSection* clears;
    Attr* attributes;      // document order
    uint32_t* order;       // children, texts and clears in document order: index * 4 + kind
    int refCount;          // handles plus the parent's children array
    // A parse gives an element two allocations for all its arrays instead of up to five:
    // edits take an array out of its block before they grow or free it.
    char* attributeText;   // the attributes array, then the names and values it first held;
                           // freed with the record; null when none
    size_t attributeTextSize;
    void* contentBlock;    // when set, holds children, texts, clears and order, in that order
};

inline int orderCount(const NodeData* d) { return d->childCount + d->textCount + d->clearCount; }
inline uint32_t orderEntry(int index, int kind) { return uint32_t(index) * 4 + uint32_t(kind); }
inline int entryKind(uint32_t entry) { return int(entry & 3); }
inline int entryIndex(uint32_t entry) { return int(entry >> 2); }

struct Options {
    int encoding = kUtf8;
    bool utf8BomOnly = true;
    bool trimText = true;
    bool joinTextAcrossComments = true;
};
extern Options options;
extern const unsigned char* lengthTable;  // the table of options.encoding

// The number of bytes of the character at `p`, never past a NUL or `end` (null: NUL only).
// A lead byte takes only bytes that can continue its character (10xxxxxx in UTF-8, 40 and
// above in the double-byte sets), so a broken sequence never swallows markup, blanks or the
// NUL. 0 at the NUL or the end.
inline int charLength(const char* p, const char* end = nullptr) {
    if (end && p >= end) return 0;
    int n = lengthTable[static_cast<unsigned char>(*p)];
    if (n <= 1) return n;
    bool utf8 = options.encoding == kUtf8;
    for (int i = 1; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(p[i]);
        if ((end && p + i >= end) || (utf8 ? (c & 0xC0) != 0x80 : c < 0x40)) return i;
    }
    return n;
}

// Frees an attribute's name or value, unless it lies in the record's attribute text (which
// goes only with the record, so the other attributes' texts stay where they are).
inline void freeAttributeText(NodeData* d, char* text) {
    uintptr_t at = reinterpret_cast<uintptr_t>(text);
    uintptr_t block = reinterpret_cast<uintptr_t>(d->attributeText);
    if (!d->attributeText || at < block || at >= block + d->attributeTextSize) std::free(text);
}

inline bool attributesInBlock(const NodeData* d) {
    return d->attributes && static_cast<void*>(d->attributes) == d->attributeText;
}
// Gives the attributes array an allocation of its own, so that it can grow or be freed.
void ownAttributes(NodeData* d);
// Gives children, texts, clears and order an allocation each.
void ownContent(NodeData* d);

// malloc family with the allocation failure that stops the process.
void* xmlRealloc(void* old, size_t size);
char* xmlStrDup(const char* text, ptrdiff_t length = -1);  // -1: up to the NUL

// Escapes `text` (up to `end`, null: the NUL) into `out` (null: only measures); returns the
// bytes written, no NUL.
size_t escapeText(const char* text, char* out, const char* end = nullptr);

// Creates a record with one reference (the caller's), taking the malloc-owned `name`.
NodeData* newNodeData(char* name, bool declaration);
// Creates a record with one reference and a copy of the name in the same allocation: one
// allocation fewer for every element a parse makes. Names never change after.
NodeData* newNodeData(const char* name, int nameLength, bool declaration);
// Where a name sharing the record's allocation lies; any other name has its own.
inline char* inlineName(NodeData* d) { return reinterpret_cast<char*>(d + 1); }
void addRef(NodeData* d);
// Drops one reference; frees the record, and the children no one else holds, at zero.
void release(NodeData* d);
// Adds a content item at `position` of the order list (outside it: the end). Returns the
// item's index in its own array, whose slot the caller fills.
int insertContent(NodeData* d, int kind, int position);
// Removes the content item (kind, index) from its array and the order list; the caller has
// freed what the item owned.
void removeContent(NodeData* d, int kind, int index);

}  // namespace xml
