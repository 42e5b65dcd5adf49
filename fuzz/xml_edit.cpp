// XML tree editing on a parsed document, through several handles at once.
//
// Input: a document up to the first NUL, then a script: each operation is an opcode byte and
// the argument bytes it reads (handles, indexes, positions, names, texts). Texts are drawn
// from a small set of pieces that hold markup, blanks, references and multi-byte characters,
// or are a text of the tree itself (every edit must take its own texts as arguments).
// Properties, after every operation and for the tree of every handle: children, texts and
// clear sections each appear once in the order list, in the order of their own arrays; every
// child's parent is the node that holds it; no node is its own ancestor; a refused attach is
// refused only for a cycle. At the end, every tree that a text can carry is written (formatted
// and not), parsed and written again to the same text and the same tree.
#include "xml_tree.h"
#include "xml/Node.h"
#include "xml/tests/TreeDump.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

using fuzzxml::require;

namespace {

constexpr int kHandles = 4;
constexpr size_t kMaxNodes = 100000;  // far above what an input can build; more means a cycle

struct Script {
    const uint8_t* p;
    const uint8_t* end;
    bool done() const { return p >= end; }
    uint8_t next() { return p < end ? *p++ : 0; }
    // -1 (the end, or the last) to 6: most positions land inside small trees, some outside.
    int position() { return int(next() % 8) - 1; }
};

// The node record a handle holds: the handle is one pointer, and the empty node is null.
const void* identity(const xml::Node& node) {
    static_assert(sizeof(xml::Node) == sizeof(void*), "a handle is one pointer");
    const void* p;
    std::memcpy(&p, static_cast<const void*>(&node), sizeof p);
    return p;
}

xml::Node rootOf(xml::Node node) {
    for (size_t steps = 0; !node.getParentNode().isEmpty(); ++steps) {
        require(steps < kMaxNodes, "a parent chain without end", "", "");
        node = node.getParentNode();
    }
    return node;
}

bool isSelfOrAncestor(const xml::Node& candidate, xml::Node node) {
    for (; !node.isEmpty(); node = node.getParentNode())
        if (identity(node) == identity(candidate)) return true;
    return false;
}

// Every item of every node of the tree is where its arrays and the order list say it is.
void checkTree(const xml::Node& root) {
    std::vector<xml::Node> pending{root};
    std::unordered_set<const void*> seen;
    while (!pending.empty()) {
        xml::Node node = pending.back();
        pending.pop_back();
        require(seen.insert(identity(node)).second, "a node reached twice", xmltest::dump(root), "");
        require(seen.size() < kMaxNodes, "too many nodes", "", "");
        const int attributes = node.attributeCount();
        const int counts[4] = {node.childCount(), 0, node.textCount(), node.clearCount()};
        require(node.itemCount() == attributes + counts[0] + counts[2] + counts[3], "item count",
                xmltest::dump(node), "");
        for (int i = 0; i < attributes; ++i)
            require(node.getAttributeName(i) != nullptr, "attribute without a name", "", "");
        int seenOfKind[4] = {0, 0, 0, 0};
        for (int i = attributes; i < node.itemCount(); ++i) {
            xml::Item item = node.getItem(i);
            int position = i - attributes;
            require(item.kind == xml::kElementItem || item.kind == xml::kTextItem ||
                        item.kind == xml::kClearItem,
                    "content item of no kind", xmltest::dump(node), "");
            int k = seenOfKind[item.kind]++;
            require(k < counts[item.kind], "more items of a kind than its count", "", "");
            if (item.kind == xml::kElementItem) {
                xml::Node child = node.getChildNode(k);
                require(identity(item.element) == identity(child), "child out of order", "", "");
                require(identity(child.getParentNode()) == identity(node), "child's parent", "", "");
                require(node.positionOfChildNode(k) == position &&
                            node.positionOfChildNode(child) == position,
                        "child position", "", "");
                pending.push_back(child);
            } else if (item.kind == xml::kTextItem) {
                require(item.text && item.text == node.getText(k), "text out of order", "", "");
                require(node.positionOfText(k) == position &&
                            node.positionOfText(item.text) == position,
                        "text position", "", "");
            } else {
                require(item.clear.content && item.clear.content == node.getClear(k).content &&
                            item.clear.openMarker && item.clear.closeMarker,
                        "clear section out of order", "", "");
                require(node.positionOfClear(k) == position &&
                            node.positionOfClear(item.clear.content) == position,
                        "clear section position", "", "");
            }
        }
        require(node.getChildNode(counts[0]).isEmpty() && !node.getText(counts[2]) &&
                    !node.getClear(counts[3]).content && node.getItem(node.itemCount()).kind == xml::kNoItem,
                "an index past the end gives something", "", "");
    }
}

// Written, parsed and written again: the same text and the same tree.
void checkRoundTrip(const xml::Node& root) {
    if (!fuzzxml::writable(root, true, true)) return;
    std::string expected = xmltest::dump(root);
    for (bool formatted : {true, false}) {
        int length = 0;
        char* written = root.toText(formatted, &length);
        require(written && int(std::strlen(written)) == length, "length of the text", expected, "");
        xml::ParseResult result;
        xml::Node again = xml::Node::parseString(written, nullptr, &result);
        require(xmltest::dump(again) == expected, "read back, the tree differs", expected,
                xmltest::dump(again) + "\n  text:   " + written);
        char* rewritten = again.toText(formatted);
        require(!std::strcmp(written, rewritten), "written again, the text differs", written, rewritten);
        std::free(written);
        std::free(rewritten);
    }
}

class Editor {
public:
    Editor(xml::Node document, Script script) : s_(script) { h_[0] = document; }

    void run() {
        for (int steps = 0; !s_.done() && steps < 200; ++steps) {
            step();
            for (const xml::Node& h : h_)
                if (!h.isEmpty()) checkTree(rootOf(h));
        }
        for (const xml::Node& h : h_)
            if (!h.isEmpty()) checkRoundTrip(rootOf(h));
    }

private:
    xml::Node& handle() { return h_[s_.next() % kHandles]; }

    std::string name() {
        static const char kLetters[] = "abcAB1-";
        std::string n(1, kLetters[s_.next() % 5]);  // never a digit or '-' first
        for (int i = s_.next() % 3; i > 0; --i) n += kLetters[s_.next() % 7];
        return n;
    }

    // A text of pieces, or null, or a text the tree holds (which the edit may free).
    const char* text() {
        static const char* const kPieces[] = {"x", " ", "\t", "<", ">", "&", "\"", "'", "]]>",
                                              "-->", "&amp;", "\xC3\xA9", "\xE9", "\n", "y", "]"};
        uint8_t mode = s_.next() % 16;
        xml::Node& from = handle();
        if (mode == 0) return nullptr;
        if (mode == 1) return from.getText(s_.next() % 2);
        if (mode == 2) return from.getAttributeValue(s_.next() % 2);
        if (mode == 3) return from.getClear(s_.next() % 2).content;
        if (mode == 4) return from.getName();
        std::string& t = texts_[textIndex_++ % 4];
        t.clear();
        for (int i = mode % 4; i >= 0; --i) t += kPieces[s_.next() % 16];
        return t.c_str();
    }

    std::string& keep(std::string value) {
        std::string& t = texts_[textIndex_++ % 4];
        t = std::move(value);
        return t;
    }

    void markers(const char** open, const char** close) {
        static const char* const kMarkers[][2] = {
            {nullptr, nullptr}, {"<!--", "-->"}, {"<PRE>", "</PRE>"}, {"<![CDATA[", "]]>"}};
        int m = s_.next() % 4;
        *open = kMarkers[m][0];
        *close = kMarkers[m][1];
    }

    void step() {
        uint8_t op = s_.next() % 20;
        xml::Node& a = handle();
        switch (op) {
        case 0: {
            xml::Node& to = handle();
            to = a.getChildNode(int(s_.next() % 4) - 1);
            break;
        }
        case 1: handle() = a.getParentNode(); break;
        case 2: {
            std::string& n = keep(name());
            bool declaration = s_.next() % 8 == 0;
            int position = s_.position();
            handle() = a.addChild(n.c_str(), declaration, position);
            break;
        }
        case 3: {
            xml::Node& b = handle();
            xml::Node moved = b;
            int position = s_.position();
            bool cycle = !a.isEmpty() && !b.isEmpty() && isSelfOrAncestor(b, a);
            xml::Node result = a.addChildNode(moved, position);
            require(result.isEmpty() == (a.isEmpty() || b.isEmpty() || cycle),
                    "attach refused or taken wrongly", xmltest::dump(a), xmltest::dump(b));
            break;
        }
        case 4: {
            std::string& n = keep(name());
            a.addAttribute(n.c_str(), text());
            break;
        }
        case 5: {
            const char* value = text();
            std::string& n = keep(name());
            a.updateAttribute(value, s_.next() % 2 ? n.c_str() : nullptr, int(s_.next() % 4) - 1);
            break;
        }
        case 6: {
            const char* value = text();
            std::string& n = keep(name());
            const char* newName = s_.next() % 2 ? a.getAttributeName(0) : nullptr;
            a.updateAttribute(value, newName, n.c_str());
            break;
        }
        case 7: {
            std::string& n = keep(name());
            xml::Attr fresh{const_cast<char*>(n.c_str()), const_cast<char*>(text())};
            a.updateAttribute(fresh, a.getAttributeByIndex(s_.next() % 3));
            break;
        }
        case 8: {
            uint8_t how = s_.next() % 3;
            if (how == 0) a.deleteAttribute(int(s_.next() % 4) - 1);
            else if (how == 1) a.deleteAttribute(keep(name()).c_str());
            else a.deleteAttribute(a.getAttributeByIndex(s_.next() % 3));
            break;
        }
        case 9: {
            const char* t = text();
            a.addText(t, s_.position());
            break;
        }
        case 10: {
            const char* t = text();
            if (s_.next() % 2) a.updateText(t, int(s_.next() % 4) - 1);
            else a.updateText(t, a.getText(s_.next() % 3));
            break;
        }
        case 11:
            if (s_.next() % 2) a.deleteText(int(s_.next() % 4) - 1);
            else a.deleteText(a.getText(s_.next() % 3));
            break;
        case 12: {
            const char* t = text();
            const char *open, *close;
            markers(&open, &close);
            a.addClear(t, open, close, s_.position());
            break;
        }
        case 13: {
            const char* t = text();
            if (s_.next() % 2) {
                a.updateClear(t, int(s_.next() % 4) - 1);
            } else {
                xml::ClearSection fresh;
                fresh.content = const_cast<char*>(t);
                markers(&fresh.openMarker, &fresh.closeMarker);
                a.updateClear(fresh, a.getClear(s_.next() % 3));
            }
            break;
        }
        case 14:
            if (s_.next() % 2) a.deleteClear(int(s_.next() % 4) - 1);
            else a.deleteClear(a.getClear(s_.next() % 3));
            break;
        case 15: a.deleteNode(); break;
        case 16: {
            xml::Node& to = handle();
            to = a.deepCopy();
            break;
        }
        case 17: {
            static const char* const kSteps[] = {"a", "b", "A", "/", "c"};
            std::string path;
            for (int i = s_.next() % 5; i >= 0; --i) path += kSteps[s_.next() % 5];
            bool create = s_.next() % 2;
            handle() = a.getChildNodeByPath(keep(path).c_str(), create);
            break;
        }
        case 18: a = xml::Node(); break;
        default: {
            static const char* const kDocs[] = {"<x/><y>t</y>", "<b c='1'>u<!--k--></b>", "words"};
            a = xml::Node::parseString(kDocs[s_.next() % 3]);
            break;
        }
        }
    }

    Script s_;
    xml::Node h_[kHandles];
    std::string texts_[4];  // texts handed to edits, alive until reused four texts later
    size_t textIndex_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    const uint8_t* nul = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const uint8_t* scriptStart = nul ? nul + 1 : data + size;
    std::string document(reinterpret_cast<const char*>(data), size_t(scriptStart - data));
    xml::Node tree = xml::Node::parseString(document.c_str());
    if (!tree.isEmpty()) checkTree(tree);
    Editor editor(tree, Script{scriptStart, data + size});
    tree = xml::Node();
    editor.run();
    return 0;
}
