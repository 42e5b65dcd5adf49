// The node record's life (creation, references, release) and the edits of its content arrays
// and order list, on the malloc family.
#include "xml/NodeData.h"

#include "plat/Exception.h"

#include <cstring>

namespace xml {

namespace {

template <typename T>
void shrinkTo(T*& array, int count) {
    if (count == 0) {
        std::free(array);
        array = nullptr;
    } else {
        array = static_cast<T*>(xmlRealloc(array, sizeof(T) * size_t(count)));
    }
}

template <typename T>
void insertAt(T*& array, int count, int index, const T& value) {
    // Edits keep every array at its exact size, as a parse leaves it.
    array = static_cast<T*>(xmlRealloc(array, sizeof(T) * size_t(count + 1)));
    std::memmove(array + index + 1, array + index, sizeof(T) * size_t(count - index));
    array[index] = value;
}

template <typename T>
void eraseAt(T*& array, int count, int index) {
    std::memmove(array + index, array + index + 1, sizeof(T) * size_t(count - index - 1));
    if (count == 1) shrinkTo(array, 0);
}
}  // namespace

void* xmlRealloc(void* old, size_t size) {
    void* p = old ? std::realloc(old, size ? size : 1) : std::malloc(size ? size : 1);
    TQ_ASSERT(p);
    return p;
}

char* xmlStrDup(const char* text, ptrdiff_t length) {
    if (!text) return nullptr;
    size_t n = length < 0 ? std::strlen(text) : size_t(length);
    char* p = static_cast<char*>(xmlRealloc(nullptr, n + 1));
    std::memcpy(p, text, n);
    p[n] = 0;
    return p;
}

NodeData* newNodeData(char* name, bool declaration) {
    NodeData* d = static_cast<NodeData*>(xmlRealloc(nullptr, sizeof(NodeData)));
    std::memset(d, 0, sizeof(NodeData));
    d->name = name;
    d->declaration = declaration;
    d->refCount = 1;
    d->block = d;
    d->blockSize = sizeof(NodeData);
    d->blockRecords = 1;
    d->piecesOutside = true;
    return d;
}

namespace {
// Frees what edits put into a record besides its block.
void freePieces(NodeData* node) {
    for (int i = 0; i < node->textCount; ++i) freeUnlessParsed(node, node->texts[i]);
    for (int i = 0; i < node->clearCount; ++i) freeUnlessParsed(node, node->clears[i].content);
    for (int i = 0; i < node->attributeCount; ++i) {
        freeUnlessParsed(node, node->attributes[i].name);
        freeUnlessParsed(node, node->attributes[i].value);
    }
    freeUnlessParsed(node, node->children);
    freeUnlessParsed(node, node->texts);
    freeUnlessParsed(node, node->clears);
    freeUnlessParsed(node, node->order);
    freeUnlessParsed(node, node->attributes);
    freeUnlessParsed(node, node->name);
}
}  // namespace

void freeTree(NodeData* d) {
    // A worklist instead of recursion: a tree of any depth is freed in constant stack.
    NodeData* pending = d;  // chained through `parent`, which a freed node no longer needs
    d->parent = nullptr;
    while (pending) {
        NodeData* node = pending;
        pending = node->parent;
        for (int i = 0; i < node->childCount; ++i) {
            NodeData* child = node->children[i];
            child->parent = nullptr;
            if (--child->refCount == 0) {
                child->parent = pending;
                pending = child;
            }
        }
        if (node->piecesOutside) freePieces(node);
        NodeData* head = node->block;
        if (--head->blockRecords == 0) {
            if (TextStore* store = head->store; store && --store->blocks == 0) std::free(store);
            std::free(head);
        }
    }
}

namespace {
template <typename T>
void ownArray(const NodeData* d, T*& array, int count) {
    if (!inBlock(d, array)) return;
    T* own = count ? static_cast<T*>(xmlRealloc(nullptr, sizeof(T) * size_t(count))) : nullptr;
    if (count) std::memcpy(own, array, sizeof(T) * size_t(count));
    array = own;
}
}  // namespace

void ownArrays(NodeData* d) {
    d->piecesOutside = true;
    ownArray(d, d->children, d->childCount);
    ownArray(d, d->texts, d->textCount);
    ownArray(d, d->clears, d->clearCount);
    ownArray(d, d->order, orderCount(d));
    ownArray(d, d->attributes, d->attributeCount);
}

int insertContent(NodeData* d, int kind, int position) {
    ownArrays(d);
    int total = orderCount(d);
    int& kindCount = kind == kElementItem ? d->childCount : kind == kTextItem ? d->textCount
                                                                               : d->clearCount;
    int index = kindCount;
    if (position >= 0 && position < total) {
        for (int j = position; j < total; ++j)
            if (entryKind(d->order[j]) == kind) {
                index = entryIndex(d->order[j]);
                break;
            }
        for (int j = 0; j < total; ++j)
            if (entryKind(d->order[j]) == kind && entryIndex(d->order[j]) >= index)
                d->order[j] += 4;
    } else {
        position = total;
    }
    insertAt(d->order, total, position, orderEntry(index, kind));
    if (kind == kElementItem)
        insertAt(d->children, kindCount, index, static_cast<NodeData*>(nullptr));
    else if (kind == kTextItem)
        insertAt(d->texts, kindCount, index, static_cast<char*>(nullptr));
    else
        insertAt(d->clears, kindCount, index, ClearSection());
    ++kindCount;
    return index;
}

void removeContent(NodeData* d, int kind, int index) {
    ownArrays(d);
    int total = orderCount(d);
    int at = -1;
    for (int j = 0; j < total; ++j) {
        int k = entryKind(d->order[j]);
        if (k != kind) continue;
        int i = entryIndex(d->order[j]);
        if (i == index) at = j;
        else if (i > index) d->order[j] -= 4;
    }
    if (at >= 0) eraseAt(d->order, total, at);
    if (kind == kElementItem) eraseAt(d->children, d->childCount--, index);
    else if (kind == kTextItem) eraseAt(d->texts, d->textCount--, index);
    else eraseAt(d->clears, d->clearCount--, index);
}
}  // namespace xml
