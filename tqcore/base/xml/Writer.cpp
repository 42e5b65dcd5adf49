// Writing trees as text and to files, editing them in place, and copying them.
#include "xml/NodeData.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <vector>

namespace xml {

namespace {

bool sameName(const char* a, const char* b) { return a && b && !strcasecmp(a, b); }

// Appends to the output, or only counts when there is none. Indentation grows with the square
// of the depth: a document of 450 KB can take 4 GB formatted, so the count is 64 bits and
// measuring it costs nothing per tab.
struct Output {
    char* buffer;
    const CharSet charSet;  // and the option below, as they were when the write started
    const bool trimText;
    size_t length = 0;

    void put(const char* text, size_t n) {
        if (buffer) std::memcpy(buffer + length, text, n);
        length += n;
    }
    void put(const char* text) { put(text, std::strlen(text)); }
    void put(char c) { put(&c, 1); }
    void tabs(int level) {
        if (level <= 0) return;
        if (buffer) std::memset(buffer + length, '\t', size_t(level));
        length += size_t(level);
    }
    void escaped(const char* text) {
        length += escapeText(text, buffer ? buffer + length : nullptr, charSet);
    }
    // Blanks at either end of a text would be trimmed away when it is read back: they are
    // written as character references then.
    void content(const char* text) {
        if (!trimText) return escaped(text);
        const char* start = text;
        const char* stop = text + std::strlen(text);
        while (start < stop && isBlank(*start)) reference(*start++);
        const char* last = stop;
        while (last > start && isBlank(last[-1])) --last;
        length += escapeText(start, buffer ? buffer + length : nullptr, charSet, last);
        while (last < stop) reference(*last++);
    }
    void reference(char blank) {
        char ref[8];
        std::snprintf(ref, sizeof ref, "&#%d;", blank);
        put(ref);
    }
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
};

bool isOneLine(const NodeData* d) {
    return d->name && !d->declaration && d->textCount == 1 && d->childCount == 0 &&
           d->clearCount == 0;
}

// Writes the start of an element and returns the level of its content.
int writeStart(const NodeData* d, int level, Output& out) {
    if (!d->name) return level;
    out.tabs(level);
    out.put('<');
    if (d->declaration) out.put('?');
    out.put(d->name);
    for (int i = 0; i < d->attributeCount; ++i) {
        const Attr& a = d->attributes[i];
        if (!a.name || !*a.name) continue;
        out.put(' ');
        out.put(a.name);
        if (a.value) {
            out.put("=\"");
            out.escaped(a.value);
            out.put('"');
        }
    }
    if (d->declaration) {
        out.put("?>");
        if (level != -1) out.put('\n');
        return level;
    }
    if (orderCount(d) == 0) {
        out.put("/>");
        if (level >= 0) out.put('\n');
        return level;
    }
    out.put('>');
    if (isOneLine(d)) return -2;
    if (level >= 0) out.put('\n');
    return level == -1 ? -1 : level + 1;
}

void writeEnd(const NodeData* d, int level, Output& out) {
    if (!d->name || d->declaration || orderCount(d) == 0) return;
    if (!isOneLine(d)) out.tabs(level);
    out.put("</");
    out.put(d->name);
    out.put('>');
    if (level >= 0) out.put('\n');
}

}  // namespace

int64_t Node::writeText(const Node& node, char* buffer, int level) {
    if (!node.d_) return 0;
    Output out{buffer, currentCharSet(), options.trimText};
    struct Frame {
        const NodeData* node;
        int level;         // of the element itself
        int contentLevel;  // of its content
        int next;          // next entry of the order list
    };
    // An explicit stack: writing follows the depth of the tree, not the depth of the C stack.
    std::vector<Frame> stack;
    stack.push_back({node.d_, level, writeStart(node.d_, level, out), 0});
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == orderCount(f.node)) {
            writeEnd(f.node, f.level, out);
            stack.pop_back();
            continue;
        }
        uint32_t entry = f.node->order[f.next++];
        int i = entryIndex(entry);
        int contentLevel = f.contentLevel;
        switch (entryKind(entry)) {
        case kElementItem: {
            const NodeData* child = f.node->children[i];
            int childContent = writeStart(child, contentLevel, out);
            stack.push_back({child, contentLevel, childContent, 0});  // invalidates f
            break;
        }
        case kClearItem: {
            const ClearSection& c = f.node->clears[i];
            out.tabs(contentLevel);
            out.put(c.openMarker);
            out.put(c.content);
            out.put(c.closeMarker);
            if (contentLevel >= 0) out.put('\n');
            break;
        }
        default: {
            const char* text = f.node->texts[i];
            if (!*text) break;
            out.tabs(contentLevel);
            out.content(text);
            if (contentLevel >= 0) out.put('\n');
            break;
        }
        }
    }
    return int64_t(out.length);
}

char* Node::toText(bool formatted, int* length) const {
    if (length) *length = 0;
    if (!d_) return nullptr;
    int level = formatted && options.trimText ? 0 : -1;
    int64_t size = writeText(*this, nullptr, level);
    if (size > INT_MAX) return nullptr;
    char* text = static_cast<char*>(xmlRealloc(nullptr, size_t(size) + 1));
    writeText(*this, text, level);
    text[size] = 0;
    if (length) *length = int(size);
    return text;
}

int Node::saveFile(const char* path, const char* encodingName, bool formatted) const {
    if (!d_) return kNoError;
    FILE* file = path ? std::fopen(path, "wb") : nullptr;
    if (!file) return kCannotOpenForWriting;
    bool ok = true;
    bool ownDeclaration =
        d_->declaration || (!d_->name && d_->childCount > 0 && d_->children[0]->declaration);
    if (options.encoding == kUtf8) ok = std::fputs("\xEF\xBB\xBF", file) >= 0;
    if (!ownDeclaration) {
        const char* name = options.encoding == kUtf8     ? "utf-8"
                           : options.encoding == kShiftJis ? "SHIFT-JIS"
                           : encodingName                  ? encodingName
                                                           : "ISO-8859-1";
        ok = ok && std::fprintf(file, "<?xml version=\"1.0\" encoding=\"%s\"?>\n", name) >= 0;
    }
    int length = 0;
    char* text = toText(formatted, &length);
    ok = ok && std::fwrite(text, 1, size_t(length), file) == size_t(length);
    std::free(text);
    if (std::fclose(file) != 0) ok = false;
    return ok ? kNoError : kCannotWrite;
}

// ---- Editing ----

namespace {

// Whether `node` is `d` or one of its ancestors.
bool isSelfOrAncestor(const NodeData* node, const NodeData* d) {
    for (; d; d = d->parent)
        if (d == node) return true;
    return false;
}

int childIndexOf(const NodeData* parent, const NodeData* child) {
    for (int i = 0; i < parent->childCount; ++i)
        if (parent->children[i] == child) return i;
    return -1;
}

// Removes `child` from its parent; the caller holds a reference, so it stays alive.
void detach(NodeData* child) {
    NodeData* parent = child->parent;
    if (!parent) return;
    removeContent(parent, kElementItem, childIndexOf(parent, child));
    child->parent = nullptr;
    release(child);  // the reference of the parent's array
}

void attach(NodeData* parent, NodeData* child, int position) {
    int index = insertContent(parent, kElementItem, position);
    parent->children[index] = child;
    child->parent = parent;
    addRef(child);
}

// Position in the order list of item (kind, index); an index out of range means the last.
int positionOf(const NodeData* d, int kind, int index) {
    if (!d) return -1;
    int count = kind == kElementItem ? d->childCount : kind == kTextItem ? d->textCount
                                                                          : d->clearCount;
    if (count == 0) return -1;
    if (index < 0 || index >= count) index = count - 1;
    for (int j = 0; j < orderCount(d); ++j)
        if (d->order[j] == orderEntry(index, kind)) return j;
    return -1;
}

int indexOfText(const NodeData* d, const char* text) {
    for (int i = 0; d && i < d->textCount; ++i)
        if (d->texts[i] == text) return i;
    return -1;
}

int indexOfClear(const NodeData* d, const char* content) {
    for (int i = 0; d && i < d->clearCount; ++i)
        if (d->clears[i].content == content) return i;
    return -1;
}

int indexOfAttribute(const NodeData* d, const char* name, bool byPointer) {
    for (int i = 0; d && i < d->attributeCount; ++i)
        if (byPointer ? d->attributes[i].name == name : sameName(d->attributes[i].name, name))
            return i;
    return -1;
}

}  // namespace

Node Node::addChildOwned(char* name, bool isDeclaration, int position) {
    if (!d_) {
        std::free(name);
        return Node();
    }
    NodeData* child = newNodeData(name, isDeclaration);
    attach(d_, child, position);
    Node node;
    node.d_ = child;  // takes the creation reference
    return node;
}

Node Node::addChild(const char* name, bool isDeclaration, int position) {
    return addChildOwned(xmlStrDup(name), isDeclaration, position);
}

Node Node::addChildNode(Node node, int position) {
    NodeData* n = node.d_;
    if (!d_ || !n || isSelfOrAncestor(n, d_)) return Node();
    if (!n->name) {
        while (n->childCount > 0) {
            NodeData* child = n->children[0];
            Node keep(child);
            detach(child);
            attach(d_, child, position);
            if (position >= 0) ++position;
        }
        return node;
    }
    detach(n);
    attach(d_, n, position);
    return node;
}

Attr Node::addAttributeOwned(char* name, char* value) {
    if (!d_ || !name) {
        std::free(name);
        std::free(value);
        return Attr();
    }
    ownArrays(d_);
    d_->attributes = static_cast<Attr*>(
        xmlRealloc(d_->attributes, sizeof(Attr) * size_t(d_->attributeCount + 1)));
    d_->attributes[d_->attributeCount] = {name, value};
    return d_->attributes[d_->attributeCount++];
}

Attr Node::addAttribute(const char* name, const char* value) {
    if (!name) return Attr();
    return addAttributeOwned(xmlStrDup(name), xmlStrDup(value));
}

const char* Node::addTextOwned(char* text, int position) {
    if (!d_ || !text) {
        std::free(text);
        return nullptr;
    }
    int index = insertContent(d_, kTextItem, position);
    d_->texts[index] = text;
    return text;
}

const char* Node::addText(const char* text, int position) {
    return addTextOwned(xmlStrDup(text), position);
}

ClearSection Node::addClearOwned(char* content, const char* openMarker, const char* closeMarker,
                                 int position) {
    if (!d_ || !content) {
        std::free(content);
        return ClearSection();
    }
    int index = insertContent(d_, kClearItem, position);
    d_->clears[index] = {content, openMarker ? openMarker : "<![CDATA[",
                         closeMarker ? closeMarker : "]]>"};
    return d_->clears[index];
}

ClearSection Node::addClear(const char* content, const char* openMarker,
                            const char* closeMarker, int position) {
    return addClearOwned(xmlStrDup(content), openMarker, closeMarker, position);
}

Attr Node::updateAttribute(const char* newValue, const char* newName, int index) {
    if (!d_) return Attr();
    if (index < 0 || index >= d_->attributeCount)
        return newName ? addAttribute(newName, newValue) : Attr();
    ownArrays(d_);
    Attr& a = d_->attributes[index];
    // Copy first: the new texts may be the old ones.
    char* value = xmlStrDup(newValue);
    if (newName) {
        char* name = xmlStrDup(newName);
        freeUnlessInBlock(d_, a.name);
        a.name = name;
    }
    freeUnlessInBlock(d_, a.value);
    a.value = value;
    return a;
}

Attr Node::updateAttribute(const char* newValue, const char* newName, const char* name) {
    int index = indexOfAttribute(d_, name, false);
    if (index < 0) return addAttribute(newName ? newName : name, newValue);
    return updateAttribute(newValue, newName, index);
}

Attr Node::updateAttribute(const Attr& newAttr, const Attr& oldAttr) {
    int index = indexOfAttribute(d_, oldAttr.name, true);
    if (index < 0) return addAttribute(newAttr.name, newAttr.value);
    return updateAttribute(newAttr.value, newAttr.name, index);
}

const char* Node::updateText(const char* newText, int index) {
    if (!d_ || !newText) return nullptr;
    if (index < 0 || index >= d_->textCount) return addText(newText);
    ownArrays(d_);
    char* text = xmlStrDup(newText);
    freeUnlessInBlock(d_, d_->texts[index]);
    return d_->texts[index] = text;
}

const char* Node::updateText(const char* newText, const char* oldText) {
    return updateText(newText, indexOfText(d_, oldText));
}

ClearSection Node::updateClear(const char* newContent, int index) {
    if (!d_ || !newContent) return ClearSection();
    if (index < 0 || index >= d_->clearCount) return addClear(newContent);
    ownArrays(d_);
    char* content = xmlStrDup(newContent);
    freeUnlessInBlock(d_, d_->clears[index].content);
    d_->clears[index].content = content;
    return d_->clears[index];
}

ClearSection Node::updateClear(const ClearSection& newClear, const ClearSection& oldClear) {
    int index = indexOfClear(d_, oldClear.content);
    if (index < 0)
        return addClear(newClear.content, newClear.openMarker, newClear.closeMarker);
    ClearSection result = updateClear(newClear.content, index);
    if (result.content) {
        ClearSection& c = d_->clears[index];
        if (newClear.openMarker) c.openMarker = newClear.openMarker;
        if (newClear.closeMarker) c.closeMarker = newClear.closeMarker;
        result = c;
    }
    return result;
}

void Node::deleteAttribute(int index) {
    if (index < 0 || index >= attributeCount()) return;
    freeUnlessInBlock(d_, d_->attributes[index].name);
    freeUnlessInBlock(d_, d_->attributes[index].value);
    int count = d_->attributeCount--;
    std::memmove(d_->attributes + index, d_->attributes + index + 1,
                 sizeof(Attr) * size_t(count - index - 1));
    if (count == 1) {
        freeUnlessInBlock(d_, d_->attributes);
        d_->attributes = nullptr;
    }
}

void Node::deleteAttribute(const char* name) { deleteAttribute(indexOfAttribute(d_, name, false)); }
void Node::deleteAttribute(const Attr& attr) { deleteAttribute(indexOfAttribute(d_, attr.name, true)); }

void Node::deleteText(int index) {
    if (index < 0 || index >= textCount()) return;
    freeUnlessInBlock(d_, d_->texts[index]);
    removeContent(d_, kTextItem, index);
}

void Node::deleteText(const char* text) { deleteText(indexOfText(d_, text)); }

void Node::deleteClear(int index) {
    if (index < 0 || index >= clearCount()) return;
    freeUnlessInBlock(d_, d_->clears[index].content);
    removeContent(d_, kClearItem, index);
}

void Node::deleteClear(const ClearSection& clear) { deleteClear(indexOfClear(d_, clear.content)); }

void Node::deleteNode() {
    if (!d_) return;
    detach(d_);
    release(d_);
    d_ = nullptr;
}

Node Node::deepCopy() const {
    if (!d_) return Node();
    auto copyRecord = [](const NodeData* from) {
        NodeData* to = newNodeData(xmlStrDup(from->name), from->declaration);
        to->textCount = from->textCount;
        to->clearCount = from->clearCount;
        to->attributeCount = from->attributeCount;
        if (from->textCount) {
            to->texts = static_cast<char**>(xmlRealloc(nullptr, sizeof(char*) * size_t(from->textCount)));
            for (int i = 0; i < from->textCount; ++i) to->texts[i] = xmlStrDup(from->texts[i]);
        }
        if (from->clearCount) {
            to->clears = static_cast<ClearSection*>(
                xmlRealloc(nullptr, sizeof(ClearSection) * size_t(from->clearCount)));
            for (int i = 0; i < from->clearCount; ++i) {
                to->clears[i] = from->clears[i];
                to->clears[i].content = xmlStrDup(from->clears[i].content);
            }
        }
        if (from->attributeCount) {
            to->attributes = static_cast<Attr*>(
                xmlRealloc(nullptr, sizeof(Attr) * size_t(from->attributeCount)));
            for (int i = 0; i < from->attributeCount; ++i)
                to->attributes[i] = {xmlStrDup(from->attributes[i].name),
                                     xmlStrDup(from->attributes[i].value)};
        }
        int total = orderCount(from);
        if (total) {
            to->order = static_cast<uint32_t*>(xmlRealloc(nullptr, sizeof(uint32_t) * size_t(total)));
            std::memcpy(to->order, from->order, sizeof(uint32_t) * size_t(total));
        }
        if (from->childCount)
            to->children = static_cast<NodeData**>(
                xmlRealloc(nullptr, sizeof(NodeData*) * size_t(from->childCount)));
        return to;
    };
    Node copy;
    copy.d_ = copyRecord(d_);
    // Worklist of (original, copy) pairs whose children are still to be copied.
    std::vector<std::pair<const NodeData*, NodeData*>> pending{{d_, copy.d_}};
    while (!pending.empty()) {
        auto [from, to] = pending.back();
        pending.pop_back();
        for (int i = 0; i < from->childCount; ++i) {
            NodeData* child = copyRecord(from->children[i]);
            child->parent = to;
            to->children[i] = child;
            ++to->childCount;  // the creation reference becomes the array's
            pending.push_back({from->children[i], child});
        }
    }
    return copy;
}

Node Node::getChildNode(const char* name, int n) const {
    if (!d_) return Node();
    int found = -1;
    for (int i = 0; i < d_->childCount; ++i)
        if (sameName(d_->children[i]->name, name)) {
            found = i;
            if (n-- == 0) break;
        }
    if (found < 0 || n >= 0) return Node();
    return Node(d_->children[found]);
}

Node Node::getChildNodeByPath(const char* path, bool create, char separator) {
    if (!d_ || !path) return Node();
    Node node = *this;
    while (*path) {
        const char* end = std::strchr(path, separator);
        if (!end) end = path + std::strlen(path);
        if (end > path) {
            char* step = xmlStrDup(path, end - path);
            Node next = node.getChildNodeByName(step);
            if (next.isEmpty()) {
                if (!create) {
                    std::free(step);
                    return Node();
                }
                next = node.addChildOwned(step);
            } else {
                std::free(step);
            }
            node = next;
        }
        path = *end ? end + 1 : end;
    }
    return node;
}

int Node::positionOfText(int index) const { return positionOf(d_, kTextItem, index); }
int Node::positionOfText(const char* text) const {
    int index = indexOfText(d_, text);
    return index < 0 ? -1 : positionOf(d_, kTextItem, index);
}
int Node::positionOfClear(int index) const { return positionOf(d_, kClearItem, index); }
int Node::positionOfClear(const char* content) const {
    int index = indexOfClear(d_, content);
    return index < 0 ? -1 : positionOf(d_, kClearItem, index);
}
int Node::positionOfChildNode(int index) const { return positionOf(d_, kElementItem, index); }
int Node::positionOfChildNode(const Node& child) const {
    int index = d_ && child.d_ ? childIndexOf(d_, child.d_) : -1;
    return index < 0 ? -1 : positionOf(d_, kElementItem, index);
}
int Node::positionOfChildNode(const char* name, int n) const {
    Node child = getChildNode(name, n);
    return child.isEmpty() ? -1 : positionOfChildNode(child);
}

}  // namespace xml
