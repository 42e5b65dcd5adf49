// The node handle: references, reading a tree, editing it in place and copying it.
#include "xml/NodeData.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace xml {

// ---- Handles and reading ----

Node::Node(NodeData* data) : d_(data) { addRef(d_); }
Node::Node(const Node& other) : d_(other.d_) { addRef(d_); }
Node::Node(Node&& other) noexcept : d_(other.d_) { other.d_ = nullptr; }
Node& Node::operator=(const Node& other) {
    NodeData* old = d_;
    d_ = other.d_;
    addRef(d_);
    release(old);
    return *this;
}
Node& Node::operator=(Node&& other) noexcept {
    if (this != &other) {
        release(d_);
        d_ = other.d_;
        other.d_ = nullptr;
    }
    return *this;
}
Node::~Node() { release(d_); }

const char* Node::getName() const { return d_ ? d_->name : nullptr; }
bool Node::declaration() const { return d_ && d_->declaration; }
Node Node::getParentNode() const { return Node(d_ ? d_->parent : nullptr); }
int Node::childCount() const { return d_ ? d_->childCount : 0; }
int Node::textCount() const { return d_ ? d_->textCount : 0; }
int Node::clearCount() const { return d_ ? d_->clearCount : 0; }
int Node::attributeCount() const { return d_ ? d_->attributeCount : 0; }
int Node::itemCount() const { return d_ ? orderCount(d_) + d_->attributeCount : 0; }

Node Node::getChildNode(int index) const {
    if (!d_ || index < 0 || index >= d_->childCount) return Node();
    return Node(d_->children[index]);
}

Node Node::getChildNodeByName(const char* name, int* runningIndex) const {
    if (!d_) return Node();
    for (int i = runningIndex ? *runningIndex : 0; i >= 0 && i < d_->childCount; ++i)
        if (sameName(d_->children[i]->name, name)) {
            if (runningIndex) *runningIndex = i + 1;
            return Node(d_->children[i]);
        }
    return Node();
}

int Node::nChildNode(const char* name) const {
    int n = 0;
    for (int i = 0; i < childCount(); ++i) n += sameName(d_->children[i]->name, name);
    return n;
}

const char* Node::getAttribute(const char* name, int* runningIndex) const {
    if (!d_) return nullptr;
    for (int i = runningIndex ? *runningIndex : 0; i >= 0 && i < d_->attributeCount; ++i)
        if (sameName(d_->attributes[i].name, name)) {
            if (runningIndex) *runningIndex = i + 1;
            return d_->attributes[i].value;
        }
    return nullptr;
}

bool Node::isAttributeSet(const char* name) const {
    for (int i = 0; i < attributeCount(); ++i)
        if (sameName(d_->attributes[i].name, name)) return true;
    return false;
}

const char* Node::getAttributeNth(const char* name, int n) const {
    for (int i = 0; i < attributeCount(); ++i)
        if (sameName(d_->attributes[i].name, name) && n-- == 0) return d_->attributes[i].value;
    return nullptr;
}

const char* Node::getText(int index) const {
    return index >= 0 && index < textCount() ? d_->texts[index] : nullptr;
}
ClearSection Node::getClear(int index) const {
    return index >= 0 && index < clearCount() ? d_->clears[index] : ClearSection();
}
Attr Node::getAttributeByIndex(int index) const {
    return index >= 0 && index < attributeCount() ? d_->attributes[index] : Attr();
}
const char* Node::getAttributeName(int index) const { return getAttributeByIndex(index).name; }
const char* Node::getAttributeValue(int index) const { return getAttributeByIndex(index).value; }

Item Node::getItem(int index) const {
    Item item;
    if (!d_ || index < 0 || index >= itemCount()) return item;
    if (index < d_->attributeCount) {
        item.kind = kAttributeItem;
        item.attribute = d_->attributes[index];
        return item;
    }
    uint32_t entry = d_->order[index - d_->attributeCount];
    item.kind = entryKind(entry);
    int i = entryIndex(entry);
    if (item.kind == kElementItem) item.element = Node(d_->children[i]);
    else if (item.kind == kTextItem) item.text = d_->texts[i];
    else item.clear = d_->clears[i];
    return item;
}

signed char toInt8(const char* text, signed char defaultValue) {
    return text && *text ? static_cast<signed char>(std::atoi(text)) : defaultValue;
}
int toInt(const char* text, int defaultValue) {
    return text && *text ? std::atoi(text) : defaultValue;
}
int64_t toLong(const char* text, int64_t defaultValue) {
    return text && *text ? int64_t(std::strtoll(text, nullptr, 10)) : defaultValue;
}
double toDouble(const char* text, double defaultValue) {
    return text && *text ? std::atof(text) : defaultValue;
}
const char* textOr(const char* text, const char* defaultValue) {
    return text ? text : defaultValue;
}
char firstCharOr(const char* text, char defaultValue) {
    return text && *text ? *text : defaultValue;
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
int orderPositionOf(const NodeData* d, int kind, int index) {
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
    d_->clears[index] = {content, openMarker ? openMarker : kCdata.open,
                         closeMarker ? closeMarker : kCdata.close};
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
        freeUnlessParsed(d_, a.name);
        a.name = name;
    }
    freeUnlessParsed(d_, a.value);
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
    freeUnlessParsed(d_, d_->texts[index]);
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
    freeUnlessParsed(d_, d_->clears[index].content);
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
    freeUnlessParsed(d_, d_->attributes[index].name);
    freeUnlessParsed(d_, d_->attributes[index].value);
    int count = d_->attributeCount--;
    std::memmove(d_->attributes + index, d_->attributes + index + 1,
                 sizeof(Attr) * size_t(count - index - 1));
    if (count == 1) {
        freeUnlessParsed(d_, d_->attributes);
        d_->attributes = nullptr;
    }
}

void Node::deleteAttribute(const char* name) { deleteAttribute(indexOfAttribute(d_, name, false)); }
void Node::deleteAttribute(const Attr& attr) { deleteAttribute(indexOfAttribute(d_, attr.name, true)); }

void Node::deleteText(int index) {
    if (index < 0 || index >= textCount()) return;
    freeUnlessParsed(d_, d_->texts[index]);
    removeContent(d_, kTextItem, index);
}

void Node::deleteText(const char* text) { deleteText(indexOfText(d_, text)); }

void Node::deleteClear(int index) {
    if (index < 0 || index >= clearCount()) return;
    freeUnlessParsed(d_, d_->clears[index].content);
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

int Node::positionOfText(int index) const { return orderPositionOf(d_, kTextItem, index); }
int Node::positionOfText(const char* text) const {
    int index = indexOfText(d_, text);
    return index < 0 ? -1 : orderPositionOf(d_, kTextItem, index);
}
int Node::positionOfClear(int index) const { return orderPositionOf(d_, kClearItem, index); }
int Node::positionOfClear(const char* content) const {
    int index = indexOfClear(d_, content);
    return index < 0 ? -1 : orderPositionOf(d_, kClearItem, index);
}
int Node::positionOfChildNode(int index) const { return orderPositionOf(d_, kElementItem, index); }
int Node::positionOfChildNode(const Node& child) const {
    int index = d_ && child.d_ ? childIndexOf(d_, child.d_) : -1;
    return index < 0 ? -1 : orderPositionOf(d_, kElementItem, index);
}
int Node::positionOfChildNode(const char* name, int n) const {
    Node child = getChildNode(name, n);
    return child.isEmpty() ? -1 : positionOfChildNode(child);
}

}  // namespace xml
