// Writing trees as text and to files, and escaping texts for callers that write XML
// themselves. One writer serves all three outputs: it writes to an rdr::OutStream, which counts
// (to measure a text before it is made), fills a buffer of the measured size, or goes to a
// file.
#include "xml/NodeData.h"
#include "xml/Options.h"

#include "plat/Exception.h"
#include "plat/Utf8.h"
#include "rdr/FileStream.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace xml {

namespace {

// The entity of each byte that escaping replaces, as an index in kEntities; -1 for the others.
// The five characters are ASCII below 40, which no character of any encoding continues (UTF-8
// trail bytes are 80-BF, double-byte trail bytes 40 and above): a byte scan finds exactly those
// that stepping a whole character at a time would, and copies the others whole.
struct EscapeTable {
    signed char entity[256];
};
constexpr EscapeTable makeEscapeTable() {
    EscapeTable t{};
    for (signed char& e : t.entity) e = -1;
    for (size_t i = 0; i < sizeof kEntities / sizeof kEntities[0]; ++i)
        t.entity[static_cast<unsigned char>(kEntities[i].character)] = static_cast<signed char>(i);
    return t;
}
constexpr EscapeTable kEscapes = makeEscapeTable();

// Passes `text` (up to `end`, null: the NUL) with the five characters replaced by their
// entities to `put` (bytes, count), a run of unchanged bytes at a time.
template <typename Put>
void escapeText(const char* text, const char* end, Put&& put) {
    const char* run = text;
    const char* p = text;
    for (; (!end || p < end) && *p; ++p) {
        int entity = kEscapes.entity[static_cast<unsigned char>(*p)];
        if (entity < 0) continue;
        if (p > run) put(run, size_t(p - run));
        put(kEntities[entity].text, size_t(kEntities[entity].length));
        run = p + 1;
    }
    if (p > run) put(run, size_t(p - run));
}

// Counts what is written and keeps none of it. Indentation grows with the square of the depth:
// a document of 450 KB can take 4 GB formatted, so the count is 64 bits, and tabs are counted
// without being written, so that measuring costs no more than the tree's size.
class CountingOutStream : public rdr::OutStream {
public:
    CountingOutStream() {
        ptr = window_;
        end = window_ + sizeof window_;
    }
    int64_t count() const { return counted_ + (ptr - window_); }
    void skip(int64_t n) { counted_ += n; }

    void writeBytes(const void*, int len) override { counted_ += std::max(len, 0); }
    int length() override { return int(std::min<int64_t>(count(), INT_MAX)); }
    int spaceLeft() override { return INT_MAX; }
    int overrun(int itemSize, int nItems) override {
        TQ_ASSERT(itemSize > 0 && itemSize <= int(sizeof window_));
        counted_ += ptr - window_;
        ptr = window_;
        return std::min(nItems, int(sizeof window_) / itemSize);
    }

private:
    uint8_t window_[64];  // for the writers that fill the window in place
    int64_t counted_ = 0;
};

// Fills a buffer that measuring sized.
class BufferOutStream : public rdr::OutStream {
public:
    BufferOutStream(char* buffer, size_t size) {
        start_ = ptr = reinterpret_cast<uint8_t*>(buffer);
        end = ptr + size;
    }
    int length() override { return int(std::min<ptrdiff_t>(ptr - start_, INT_MAX)); }
    int spaceLeft() override { return int(std::min<ptrdiff_t>(end - ptr, INT_MAX)); }
    // The text was measured with the same writer: it never outgrows the buffer.
    int overrun(int itemSize, int nItems) override {
        TQ_ASSERT(end - ptr >= itemSize);
        return int(std::min<ptrdiff_t>(nItems, (end - ptr) / itemSize));
    }

private:
    uint8_t* start_;
};

// Writes trees to a stream, with the trimText option of the moment it is made.
class TreeWriter {
public:
    TreeWriter(rdr::OutStream& out, const Options& options)
        : out_(out), trimText_(options.trimText) {}
    // Measures instead: tabs are counted, not written.
    TreeWriter(CountingOutStream& counter, const Options& options)
        : out_(counter), counter_(&counter), trimText_(options.trimText) {}

    // Writes the tree of `root` at indentation `level` (-1: unformatted).
    void write(const NodeData* root, int level);
    void put(const char* text, size_t n) {
        // One write takes an int: a text an edit made may be longer.
        for (; n > kMaxWrite; text += kMaxWrite, n -= kMaxWrite)
            out_.write(text, int(kMaxWrite));
        out_.write(text, int(n));
    }
    void put(const char* text) { put(text, std::strlen(text)); }

private:
    static constexpr size_t kMaxWrite = size_t(1) << 30;

    void put(char c) { out_.writeU8(static_cast<uint8_t>(c)); }
    void tabs(int level);
    void escaped(const char* text, const char* end = nullptr) {
        escapeText(text, end, [this](const char* bytes, size_t n) { put(bytes, n); });
    }
    void content(const char* text);
    void reference(char blank) {
        char ref[8];
        put(ref, size_t(std::snprintf(ref, sizeof ref, "&#%d;", blank)));
    }
    int writeStart(const NodeData* d, int level);
    void writeEnd(const NodeData* d, int level);

    rdr::OutStream& out_;
    CountingOutStream* counter_ = nullptr;  // when measuring
    const bool trimText_;
};

void TreeWriter::tabs(int level) {
    static const char kTabs[] = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
    if (level <= 0) return;
    if (counter_) return counter_->skip(level);
    for (; level > 0; level -= int(sizeof kTabs - 1))
        put(kTabs, std::min(size_t(level), sizeof kTabs - 1));
}

// Blanks at either end of a text would be trimmed away when it is read back: they are written
// as character references then.
void TreeWriter::content(const char* text) {
    if (!trimText_) return escaped(text);
    const char* start = text;
    const char* stop = text + std::strlen(text);
    while (start < stop && isBlank(*start)) reference(*start++);
    const char* last = stop;
    while (last > start && isBlank(last[-1])) --last;
    escaped(start, last);
    while (last < stop) reference(*last++);
}

bool isOneLine(const NodeData* d) {
    return d->name && !d->declaration && d->textCount == 1 && d->childCount == 0 &&
           d->clearCount == 0;
}

// Writes the start of an element and returns the level of its content.
int TreeWriter::writeStart(const NodeData* d, int level) {
    if (!d->name) return level;
    tabs(level);
    put('<');
    if (d->declaration) put('?');
    put(d->name);
    for (int i = 0; i < d->attributeCount; ++i) {
        const Attr& a = d->attributes[i];
        if (!a.name || !*a.name) continue;
        put(' ');
        put(a.name);
        if (a.value) {
            put("=\"", 2);
            escaped(a.value);
            put('"');
        }
    }
    if (d->declaration) {
        put("?>", 2);
        if (level != -1) put('\n');
        return level;
    }
    if (orderCount(d) == 0) {
        put("/>", 2);
        if (level >= 0) put('\n');
        return level;
    }
    put('>');
    if (isOneLine(d)) return -2;
    if (level >= 0) put('\n');
    return level == -1 ? -1 : level + 1;
}

void TreeWriter::writeEnd(const NodeData* d, int level) {
    if (!d->name || d->declaration || orderCount(d) == 0) return;
    if (!isOneLine(d)) tabs(level);
    put("</", 2);
    put(d->name);
    put('>');
    if (level >= 0) put('\n');
}

void TreeWriter::write(const NodeData* root, int level) {
    struct Frame {
        const NodeData* node;
        int level;         // of the element itself
        int contentLevel;  // of its content
        int next;          // next entry of the order list
    };
    // An explicit stack: writing follows the depth of the tree, not the depth of the C stack.
    std::vector<Frame> stack;
    stack.push_back({root, level, writeStart(root, level), 0});
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == orderCount(f.node)) {
            writeEnd(f.node, f.level);
            stack.pop_back();
            continue;
        }
        uint32_t entry = f.node->order[f.next++];
        int i = entryIndex(entry);
        int contentLevel = f.contentLevel;
        switch (entryKind(entry)) {
        case kElementItem: {
            const NodeData* child = f.node->children[i];
            int childContent = writeStart(child, contentLevel);
            stack.push_back({child, contentLevel, childContent, 0});  // invalidates f
            break;
        }
        case kClearItem: {
            const ClearSection& c = f.node->clears[i];
            tabs(contentLevel);
            put(c.openMarker);
            put(c.content);
            put(c.closeMarker);
            if (contentLevel >= 0) put('\n');
            break;
        }
        default: {
            const char* text = f.node->texts[i];
            if (!*text) break;
            tabs(contentLevel);
            content(text);
            if (contentLevel >= 0) put('\n');
            break;
        }
        }
    }
}

int textLevel(bool formatted, const Options& options) {
    return formatted && options.trimText ? 0 : -1;
}

// The length of the tree's text at `level`.
int64_t measure(const NodeData* d, int level, const Options& options) {
    CountingOutStream counter;
    TreeWriter(counter, options).write(d, level);
    return counter.count();
}

// Writes the tree's text, of the `size` bytes measured, to `buffer`.
void writeInto(char* buffer, int64_t size, const NodeData* d, int level, const Options& options) {
    BufferOutStream out(buffer, size_t(size));
    TreeWriter(out, options).write(d, level);
}

}  // namespace

int64_t Node::writeText(const Node& node, char* buffer, int level) {
    if (!node.d_) return 0;
    const Options options = globalOptions();
    int64_t size = measure(node.d_, level, options);
    if (buffer) writeInto(buffer, size, node.d_, level, options);
    return size;
}

char* Node::toText(bool formatted, int* length) const {
    if (length) *length = 0;
    if (!d_) return nullptr;
    const Options options = globalOptions();
    int level = textLevel(formatted, options);
    int64_t size = measure(d_, level, options);
    if (size > INT_MAX) return nullptr;
    char* text = static_cast<char*>(xmlRealloc(nullptr, size_t(size) + 1));
    writeInto(text, size, d_, level, options);
    text[size] = 0;
    if (length) *length = int(size);
    return text;
}

int Node::saveFile(const char* path, const char* encodingName, bool formatted) const {
    if (!d_) return kNoError;
    if (!path) return kCannotOpenForWriting;
    const Options options = globalOptions();
    int level = textLevel(formatted, options);
    try {
        // Written beside the old file and moved over it only when complete: a full disk leaves
        // the old document, not a fragment.
        rdr::TransactedFileOutStream out(path, plat::FilePtr::kNoThrowOnOpenFail);
        if (!out.isOpen()) return kCannotOpenForWriting;
        // A tree whose text is too long for toText to make is not saved either: that is a
        // failed save, not an empty or a huge one.
        if (measure(d_, level, options) > INT_MAX) return kCannotWrite;
        TreeWriter writer(out, options);
        if (options.encoding == kUtf8) writer.put("\xEF\xBB\xBF");
        bool ownDeclaration =
            d_->declaration || (!d_->name && d_->childCount > 0 && d_->children[0]->declaration);
        if (!ownDeclaration) {
            writer.put("<?xml version=\"1.0\" encoding=\"");
            writer.put(options.encoding == kUtf8       ? "utf-8"
                       : options.encoding == kShiftJis ? "SHIFT-JIS"
                       : encodingName                  ? encodingName
                                                       : "ISO-8859-1");
            writer.put("\"?>\n");
        }
        writer.write(d_, level);
        out.commit();
    } catch (const plat::Exception&) {
        return kCannotWrite;
    }
    return kNoError;
}

AutoText::~AutoText() { std::free(text_); }

namespace {

size_t escapedLength(const char* text) {
    size_t length = 0;
    escapeText(text, nullptr, [&length](const char*, size_t n) { length += n; });
    return length;
}

// Escapes `text` into `out`, which has room for it; no NUL.
void escapeInto(const char* text, char* out) {
    escapeText(text, nullptr, [&out](const char* bytes, size_t n) {
        std::memcpy(out, bytes, n);
        out += n;
    });
}

}  // namespace

const char* AutoText::escape(const char* text) {
    if (!text) text = "";
    size_t length = escapedLength(text);
    if (length + 1 > capacity_) {
        // The text may live in this buffer: escape from it before it is freed.
        char* fresh = static_cast<char*>(xmlRealloc(nullptr, length + 1));
        escapeInto(text, fresh);
        std::free(text_);
        text_ = fresh;
        capacity_ = length + 1;
    } else if (text >= text_ && text < text_ + capacity_) {
        char* copy = xmlStrDup(text);
        escapeInto(copy, text_);
        std::free(copy);
    } else {
        escapeInto(text, text_);
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
