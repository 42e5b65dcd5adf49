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
    // A parse gives an element one allocation for all of it: the record, its arrays, its name,
    // the texts of its attributes, texts and clear sections, and the same of each of its leaf
    // children (those without child elements). The allocation goes with the last of its
    // records. Edits take an array out of it before they grow or free it, and free only the
    // texts that lie outside.
    NodeData* block;       // the record that heads this record's allocation; itself for a head
    size_t blockSize;      // of a head: bytes of the allocation
    int blockRecords;      // of a head: records in the allocation not yet freed
    bool piecesOutside;    // some array or text may lie outside the allocation (set by ownArrays)
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

// The character lengths of one encoding: every forward scan of text steps by them, so that a
// multi-byte character is never split.
struct CharSet {
    const unsigned char* lengths;  // by the first byte of a character; 0 for the NUL
    bool utf8;

    // The number of bytes of the character at `p`, never past a NUL or `end` (null: NUL
    // only). A lead byte takes only bytes that can continue its character (10xxxxxx in UTF-8,
    // 40 and above in the double-byte sets), so a broken sequence never swallows markup,
    // blanks or the NUL. 0 at the NUL or the end.
    int length(const char* p, const char* end = nullptr) const {
        if (end && p >= end) return 0;
        int n = lengths[static_cast<unsigned char>(*p)];
        if (n <= 1) return n;
        for (int i = 1; i < n; ++i) {
            unsigned char c = static_cast<unsigned char>(p[i]);
            if ((end && p + i >= end) || (utf8 ? (c & 0xC0) != 0x80 : c < 0x40)) return i;
        }
        return n;
    }
};
// The set of the process-wide encoding: a parse or a write takes it once, when it starts.
CharSet currentCharSet();

// Whether `p` lies in the allocation that holds the record, which goes only with its records.
inline bool inBlock(const NodeData* d, const void* p) {
    uintptr_t at = reinterpret_cast<uintptr_t>(p);
    uintptr_t block = reinterpret_cast<uintptr_t>(d->block);
    return at >= block && at < block + d->block->blockSize;
}
// Frees a text or array of the record, unless it lies in the record's allocation.
inline void freeUnlessInBlock(const NodeData* d, void* p) {
    if (!inBlock(d, p)) std::free(p);
}
// Gives every array of the record an allocation of its own, so that it can grow or be freed.
// Every edit calls it before it puts an allocation of its own into the record.
void ownArrays(NodeData* d);

// malloc family with the allocation failure that stops the process.
void* xmlRealloc(void* old, size_t size);
char* xmlStrDup(const char* text, ptrdiff_t length = -1);  // -1: up to the NUL

// Escapes `text` (up to `end`, null: the NUL) into `out` (null: only measures); returns the
// bytes written, no NUL.
size_t escapeText(const char* text, char* out, const CharSet& charSet, const char* end = nullptr);

// Creates a record with one reference (the caller's), taking the malloc-owned `name`.
NodeData* newNodeData(char* name, bool declaration);
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
