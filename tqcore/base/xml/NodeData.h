// The node record, its arrays and the content order list, with the allocation helpers and the
// texts of markup that the reader, the writer and the edits share. Private to the library.
#pragma once

#include "xml/Node.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <strings.h>

namespace xml {

// The names, values, texts and contents of one parse, decoded or copied there once, in document
// order. It goes with the last of the element allocations that point into it: a subtree kept
// after the rest of its document is released keeps the whole store.
struct TextStore {
    int blocks;   // element allocations that point into it
    size_t size;  // bytes that follow the header

    char* bytes() { return reinterpret_cast<char*>(this + 1); }
};

struct NodeData {
    char* name;            // null for the unnamed top node of a parse
    int childCount;
    int textCount;
    int clearCount;
    int attributeCount;
    bool declaration;      // opened with "<?"
    bool piecesOutside;    // some array or text may lie outside the allocation (set by ownArrays)
    NodeData* parent;      // not owned; null for a top node
    NodeData** children;   // each holds one reference
    char** texts;
    ClearSection* clears;
    Attr* attributes;      // document order
    uint32_t* order;       // children, texts and clears in document order: index * 4 + kind
    int refCount;          // handles plus the parent's children array
    // A parse gives an element one allocation for its record and arrays and those of each of
    // its leaf children (those without child elements); their texts lie in the parse's text
    // store. The allocation goes with the last of its records. Edits take an array out of it
    // before they grow or free it, and free only the texts that lie outside the store.
    int blockRecords;      // of a head: records in the allocation not yet freed
    NodeData* block;       // the record that heads this record's allocation; itself for a head
    size_t blockSize;      // of a head: bytes of the allocation
    TextStore* store;      // of a head: where the texts of its parse lie; null for an edit's
};

// Entities, in the order they are tried.
struct Entity {
    const char* text;
    int length;
    char character;
};
inline constexpr Entity kEntities[] = {
    {"&amp;", 5, '&'}, {"&lt;", 4, '<'}, {"&gt;", 4, '>'}, {"&quot;", 6, '"'}, {"&apos;", 6, '\''}};

// The markers of clear sections; a section keeps the marker texts themselves, so that a comment
// is told by its open marker's address.
struct ClearMarker {
    const char* open;
    const char* close;
};
inline constexpr ClearMarker kCdata = {"<![CDATA[", "]]>"};
inline constexpr ClearMarker kDoctype = {"<!DOCTYPE", ">"};
inline constexpr ClearMarker kComment = {"<!--", "-->"};
inline constexpr ClearMarker kPre = {"<PRE>", "</PRE>"};
// Closes a DOCTYPE that holds an internal subset.
inline constexpr const char* kDoctypeSubsetClose = "]>";

// Names are compared without letter case; a missing name matches nothing.
inline bool sameName(const char* a, const char* b) { return a && b && !strcasecmp(a, b); }

inline int orderCount(const NodeData* d) { return d->childCount + d->textCount + d->clearCount; }
inline uint32_t orderEntry(int index, int kind) { return uint32_t(index) * 4 + uint32_t(kind); }
inline int entryKind(uint32_t entry) { return int(entry & 3); }
inline int entryIndex(uint32_t entry) { return int(entry >> 2); }

// Whether `p` lies in the allocation that holds the record, which goes only with its records.
inline bool inBlock(const NodeData* d, const void* p) {
    uintptr_t at = reinterpret_cast<uintptr_t>(p);
    uintptr_t block = reinterpret_cast<uintptr_t>(d->block);
    return at >= block && at < block + d->block->blockSize;
}
// Whether `p` lies in the text store of the record's parse.
inline bool inStore(const NodeData* d, const void* p) {
    TextStore* store = d->block->store;
    if (!store) return false;
    uintptr_t at = reinterpret_cast<uintptr_t>(p);
    uintptr_t bytes = reinterpret_cast<uintptr_t>(store->bytes());
    return at >= bytes && at < bytes + store->size;
}
// Frees a text or array of the record, unless its parse made it.
inline void freeUnlessParsed(const NodeData* d, void* p) {
    if (!inBlock(d, p) && !inStore(d, p)) std::free(p);
}
// Gives every array of the record an allocation of its own, so that it can grow or be freed.
// Every edit calls it before it puts an allocation of its own into the record.
void ownArrays(NodeData* d);

// malloc family with the allocation failure that stops the process.
void* xmlRealloc(void* old, size_t size);
char* xmlStrDup(const char* text, ptrdiff_t length = -1);  // -1: up to the NUL

// Creates a record with one reference (the caller's), taking the malloc-owned `name`.
NodeData* newNodeData(char* name, bool declaration);
// Frees a record that holds no reference any more, and the children no one else holds.
void freeTree(NodeData* d);
// Handles come and go with every look-up: the reference counts are kept inline.
inline void addRef(NodeData* d) {
    if (d) ++d->refCount;
}
// Drops one reference; frees the record, and the children no one else holds, at zero.
inline void release(NodeData* d) {
    if (d && --d->refCount == 0) freeTree(d);
}
// Adds a content item at `position` of the order list (outside it: the end). Returns the
// item's index in its own array, whose slot the caller fills.
int insertContent(NodeData* d, int kind, int position);
// Removes the content item (kind, index) from its array and the order list; the caller has
// freed what the item owned.
void removeContent(NodeData* d, int kind, int index);

}  // namespace xml
