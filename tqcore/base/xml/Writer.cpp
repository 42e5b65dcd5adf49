// Writing trees as text and to files, and escaping texts for callers that write XML
// themselves.
#include "xml/NodeData.h"
#include "xml/Options.h"

#include "plat/Exception.h"
#include "plat/TransactedFile.h"
#include "plat/Utf8.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace xml {

namespace {

// Escapes `text` (up to `end`, null: the NUL) into `out` (null: only measures); returns the
// bytes written, no NUL.
size_t escapeText(const char* text, char* out, const CharSet& charSet, const char* end = nullptr) {
    size_t written = 0;
    for (const char* p = text; (!end || p < end) && *p;) {
        const Entity* entity = nullptr;
        for (const Entity& e : kEntities)
            if (*p == e.character) entity = &e;
        if (entity) {
            if (out) std::memcpy(out + written, entity->text, size_t(entity->length));
            written += size_t(entity->length);
            ++p;
        } else {
            int n = charSet.length(p, end);
            if (out) std::memcpy(out + written, p, size_t(n));
            written += size_t(n);
            p += n;
        }
    }
    return written;
}

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

// Writes the tree of `root` into `buffer` (null: only measures) at indentation `level`.
int64_t writeTree(const NodeData* root, char* buffer, int level, const Options& options) {
    Output out{buffer, charSetOf(options.encoding), options.trimText};
    struct Frame {
        const NodeData* node;
        int level;         // of the element itself
        int contentLevel;  // of its content
        int next;          // next entry of the order list
    };
    // An explicit stack: writing follows the depth of the tree, not the depth of the C stack.
    std::vector<Frame> stack;
    stack.push_back({root, level, writeStart(root, level, out), 0});
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

// The tree as a new text; null, with length 0, when it is too long for an int.
char* textOf(const NodeData* d, bool formatted, const Options& options, int* length) {
    if (length) *length = 0;
    if (!d) return nullptr;
    int level = formatted && options.trimText ? 0 : -1;
    int64_t size = writeTree(d, nullptr, level, options);
    if (size > INT_MAX) return nullptr;
    char* text = static_cast<char*>(xmlRealloc(nullptr, size_t(size) + 1));
    writeTree(d, text, level, options);
    text[size] = 0;
    if (length) *length = int(size);
    return text;
}

}  // namespace

int64_t Node::writeText(const Node& node, char* buffer, int level) {
    return node.d_ ? writeTree(node.d_, buffer, level, globalOptions()) : 0;
}

char* Node::toText(bool formatted, int* length) const {
    return textOf(d_, formatted, globalOptions(), length);
}

int Node::saveFile(const char* path, const char* encodingName, bool formatted) const {
    if (!d_) return kNoError;
    if (!path) return kCannotOpenForWriting;
    const Options options = globalOptions();
    // Written beside the old file and moved over it only when complete: a full disk leaves the
    // old document, not a fragment.
    plat::TransactedFile transaction(path, plat::FilePtr::kNoThrowOnOpenFail);
    FILE* file = transaction.file().get();
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
    // A text too long to be made comes back null: that is a failed save, not an empty one.
    int length = 0;
    char* text = textOf(d_, formatted, options, &length);
    ok = ok && text && std::fwrite(text, 1, size_t(length), file) == size_t(length);
    std::free(text);
    if (!ok) return kCannotWrite;
    try {
        transaction.commit();
    } catch (const plat::Exception&) {
        return kCannotWrite;
    }
    return kNoError;
}

AutoText::~AutoText() { std::free(text_); }

const char* AutoText::escape(const char* text) {
    if (!text) text = "";
    const CharSet charSet = charSetOf(globalOptions().encoding);
    size_t length = escapeText(text, nullptr, charSet);
    if (length + 1 > capacity_) {
        // The text may live in this buffer: escape from it before it is freed.
        char* fresh = static_cast<char*>(xmlRealloc(nullptr, length + 1));
        escapeText(text, fresh, charSet);
        std::free(text_);
        text_ = fresh;
        capacity_ = length + 1;
    } else if (text >= text_ && text < text_ + capacity_) {
        char* copy = xmlStrDup(text);
        escapeText(copy, text_, charSet);
        std::free(copy);
    } else {
        escapeText(text, text_, charSet);
    }
    text_[length] = 0;
    return text_;
}

const char* AutoText::fromUtf8(const char* text) {
    if (!text) text = "";
    if (plat::utf8IsValid(text)) return escape(text);
    plat::String repaired = plat::toUtf8(text);
    return escape(repaired.get());
}

}  // namespace xml
