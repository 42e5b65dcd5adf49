// The reader: the tokenizer, the element parser and the parse entry points.
#include "xml/NodeData.h"
#include "xml/Options.h"

#include "plat/ByteScan.h"
#include "plat/Exception.h"
#include "plat/ShortCopy.h"
#include "plat/SmallVector.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace xml {

namespace {

const char* const kErrorTexts[] = {
    "No error",
    "Warning: Unmatched end tag",
    "Warning: No XML tag found",
    "Error: No XML data",
    "Error: Missing start tag name",
    "Error: Missing end tag name",
    "Error: Unmatched end tag",
    "Error: Unmatched clear tag end",
    "Error: Unexpected token found",
    "Error: No elements found",
    "Error: File not found",
    "Error: First Tag not found",
    "Error: Unknown character entity",
    "Error: Character code above 255 is forbidden in MultiByte char mode.",
    "Error: unable to convert between WideChar and MultiByte chars",
    "Error: unable to open file for writing",
    "Error: cannot write into file",
    "Warning: Base64-string length is not a multiple of 4",
    "Error: Base64-string contains an illegal character",
    "Warning: Base64-string is truncated",
    "Error: Base64 decode output buffer is too small",
};

// In the order they are tried: the first that matches opens the section.
const ClearMarker* const kClearMarkers[] = {&kCdata, &kDoctype, &kComment, &kPre};

}  // namespace

const char* version() { return "v2.43"; }

const char* getError(int code) {
    return code >= 0 && code <= kBase64OutputTooSmall ? kErrorTexts[code] : "Unknown";
}

namespace {

enum TokenType {
    kTokText,
    kTokQuoted,
    kTokTagStart,   // "<"
    kTokTagEnd,     // ">"
    kTokShortEnd,   // "/>"
    kTokEndTag,     // "</"
    kTokDeclaration,  // "<?"
    kTokEquals,
    kTokClear,
    kTokEnd,
};

struct Token {
    TokenType type;
    int start;   // index of the first byte
    int length;
    const ClearMarker* clear;  // for kTokClear
    bool mayHoldReference;     // false only for a quoted text seen to hold no '&'
};

// Every byte the tokenizer stops at (NUL, blanks, quotes, '/', '<', '=', '>', and '&' in the
// entity decoder) is below 40, so it never continues a character of any encoding (UTF-8 trail
// bytes are 80-BF, double-byte trail bytes 40 and above). Scanning byte by byte therefore stops
// exactly where stepping a whole character at a time would, and never splits a character.
constexpr unsigned char kBlankByte = 1;
constexpr unsigned char kWordEnd = 2;  // ends a text token ('/' only before '>')

struct ByteClasses {
    unsigned char of[256];
};

constexpr ByteClasses makeByteClasses() {
    ByteClasses c{};
    c.of[static_cast<unsigned char>('\t')] = kBlankByte | kWordEnd;
    c.of[static_cast<unsigned char>('\n')] = kBlankByte | kWordEnd;
    c.of[static_cast<unsigned char>('\r')] = kBlankByte | kWordEnd;
    c.of[static_cast<unsigned char>(' ')] = kBlankByte | kWordEnd;
    c.of[0] = kWordEnd;
    c.of[static_cast<unsigned char>('<')] = kWordEnd;
    c.of[static_cast<unsigned char>('=')] = kWordEnd;
    c.of[static_cast<unsigned char>('>')] = kWordEnd;
    c.of[static_cast<unsigned char>('/')] = kWordEnd;
    return c;
}

constexpr ByteClasses kByteClasses = makeByteClasses();

inline unsigned char byteClass(char c) { return kByteClasses.of[static_cast<unsigned char>(c)]; }

// A prefix match that stops at the first difference, so it never reads past the NUL.
inline bool startsWith(const char* text, const char* prefix) {
    for (; *prefix; ++prefix, ++text)
        if (*text != *prefix) return false;
    return true;
}

// Entity names are ASCII letters: folding with 20 is the case-insensitive compare.
inline bool matchesEntity(const char* p, const Entity& e) {
    for (int i = 1; i < e.length - 1; ++i)
        if ((p[i] | 0x20) != e.text[i]) return false;
    return p[e.length - 1] == ';';
}

// Decodes the references in [text, end) into `out` (null: only measures); returns the bytes,
// or -1 with the code in `error` for a bad reference. Never reads outside the range. `utf8`:
// codes 128 to 255 become two bytes of UTF-8, else one byte.
ptrdiff_t decodeReferences(const char* text, const char* end, char* out, int* error, bool utf8) {
    auto refuse = [&](int code) {
        *error = code;
        return ptrdiff_t(-1);
    };
    ptrdiff_t written = 0;
    for (const char* p = text; p < end;) {
        // Runs between references are short: too short for memchr's call to pay, and too long
        // for a loop over single bytes. They are copied a word at a time, and the part of the
        // word before its first '&' at once. The output never runs ahead of the input, so a
        // whole word fits where it goes.
        for (; end - p >= 8; p += 8, written += 8) {
            plat::ByteWord word = plat::ByteWord::load(p);
            if (uint64_t ampersands = word.equal('&')) {
                int before = plat::firstMatch(ampersands);
                if (out) plat::copyShort(out + written, p, size_t(before));
                p += before;
                written += before;
                break;
            }
            if (out) std::memcpy(out + written, &word.bits, 8);
        }
        for (; p < end && *p != '&'; ++p, ++written)
            if (out) out[written] = *p;
        if (p == end) break;
        const Entity* entity = nullptr;
        char first = end - p >= 2 ? char(p[1] | 0x20) : 0;
        for (const Entity& e : kEntities)
            if (e.text[1] == first && end - p >= e.length && matchesEntity(p, e)) {
                entity = &e;
                break;
            }
        if (entity) {
            if (out) out[written] = entity->character;
            ++written;
            p += entity->length;
            continue;
        }
        if (end - p < 3 || p[1] != '#') return refuse(kUnknownEntity);
        const char* q = p + 2;
        bool hex = *q == 'x' || *q == 'X';
        if (hex) ++q;
        const char* digits = q;
        int code = 0;
        for (; q < end && *q != ';'; ++q) {
            int digit = *q >= '0' && *q <= '9' ? *q - '0'
                      : hex && *q >= 'a' && *q <= 'f' ? *q - 'a' + 10
                      : hex && *q >= 'A' && *q <= 'F' ? *q - 'A' + 10 : -1;
            if (digit < 0) return refuse(kUnknownEntity);
            // Saturates: a long run of digits must not wrap round to a small code.
            if (code < 256) code = code * (hex ? 16 : 10) + digit;
        }
        // "&#0;" would cut the text at the NUL it decodes to.
        if (q >= end || q == digits || code == 0)
            return refuse(kUnknownEntity);
        if (code > 255) return refuse(kCharCodeAbove255);
        if (utf8 && code >= 0x80) {
            if (out) {
                out[written] = char(0xC0 | (code >> 6));
                out[written + 1] = char(0x80 | (code & 0x3F));
            }
            written += 2;
        } else {
            if (out) out[written] = char(code);
            ++written;
        }
        p = q + 1;
    }
    return written;
}

// An element whose end has not been read yet: its name and where its items start in the
// parser's arrays.
struct OpenElement {
    char* name;  // in the text store; null for the top node
    int nameLength;
    bool declaration;
    size_t children, texts, clears, order, attributes, leaves;
    int textCount, clearCount;  // its own, without its leaves'
};

// A span of one of the parser's arrays.
struct Span {
    size_t begin, end;
    size_t size() const { return end - begin; }
};

// A leaf element (one without child elements) that has closed: its record is made with its
// parent's, in the same allocation, and its items stay in the parser's arrays until then.
struct ClosedLeaf {
    char* name;
    bool declaration;
    Span texts, clears, attributes, order;
};

class Parser {
public:
    // `length` is below INT_MAX, so that every index fits an int. The options are those of
    // the moment the parse starts.
    //
    // The text store is as long as the document and its NUL, and that always suffices: every
    // name, value, text and content is stored with one NUL, never longer than it is written
    // (references shrink, quotes and blanks go), and the byte after it in the document (a quote,
    // a blank, '=', '<', '>', '/' or the closing marker) belongs to no other.
    Parser(const char* doc, size_t length)
        : doc_(doc),
          end_(doc + length),
          options_(globalOptions()),
          charSet_(charSetOf(options_.encoding)),
          store_(static_cast<TextStore*>(xmlRealloc(nullptr, sizeof(TextStore) + length + 1))),
          storeNext_(store_->bytes()),
          storeEnd_(storeNext_ + length + 1) {
        store_->blocks = 0;
        store_->size = length + 1;
    }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // Parses the whole document and returns its unnamed top node (one reference); `completed`
    // is false when the parse was abandoned. A tag and elements left open (at the end or by
    // an error) get their items all the same. Call it once: the text store goes to the tree,
    // the top's allocation always among its owners. An allocation failure stops the process,
    // here as everywhere in the library: the arrays' std::bad_alloc ends at this noexcept.
    NodeData* run(bool* completed) noexcept {
        openElement(nullptr, 0, false);
        *completed = parseContent();
        NodeData* closed = nullptr;
        while (open_.size()) closed = closeElement();
        return closed;
    }

    int error() const { return error_; }
    int errorIndex() const { return errorIndex_; }
    int endIndex() const { return index_; }
    const CharSet& charSet() const { return charSet_; }

private:
    Token nextToken();
    // Outside a tag only '<' and the end of the text matter: every other token belongs to
    // the text, and none of them holds a '<'.
    void skipToMarkup() {
        const char* p = doc_ + index_;
        // Between tags there is mostly a line break and some indentation: a few bytes are
        // looked at before a longer text goes to memchr, whose call costs more than they do.
        for (const char* stop = p + 16; p < stop; ++p)
            if (*p == '<' || p == end_) {
                index_ = int(p - doc_);
                return;
            }
        const char* next = static_cast<const char*>(std::memchr(p, '<', size_t(end_ - p)));
        index_ = int((next ? next : end_) - doc_);
    }
    bool fail(int code) {
        error_ = code;
        errorIndex_ = index_;
        return false;
    }
    void warn(int index) {
        if (error_ == kNoError) {
            error_ = kUnmatchedEndTagWarning;
            errorIndex_ = index;
        }
    }
    bool addParsedText(int end);
    bool joinsEarlierText() const;
    bool joinText(const char* text, int length);
    // The kind of the current element's own item `fromEnd` (0 or 1) items before its last;
    // -1 when there is none. A closed leaf's items lie after its entry in order_, and count
    // as that one element item.
    int ownKindFromEnd(int fromEnd) const;
    bool parseClear(const ClearMarker* marker);
    // Room in the text store for a range of `length` bytes and its NUL (see the constructor).
    char* storeRoom(int length) {
        TQ_ASSERT(storeEnd_ - storeNext_ > length);
        return storeNext_;
    }
    // Stores the range as it is; returns the stored text.
    char* store(const char* text, int length) {
        char* out = storeRoom(length);
        plat::copyShort(out, text, size_t(length));
        out[length] = 0;
        storeNext_ = out + length + 1;
        return out;
    }
    // Stores the entity-decoded range; returns the stored text, or null, with the parse failed
    // and the store as it was, for a bad reference.
    char* decodeInto(const char* text, int length, bool mayHoldReference = true) {
        char* out = storeRoom(length);
        if (!mayHoldReference || !std::memchr(text, '&', size_t(length)))
            return store(text, length);
        int code = kNoError;
        ptrdiff_t decoded = decodeReferences(text, text + length, out, &code, charSet_.utf8);
        if (decoded < 0) {
            fail(code);
            return nullptr;
        }
        out[decoded] = 0;
        storeNext_ = out + decoded + 1;
        return out;
    }
    bool closes(const OpenElement& e, const char* endName) const;

    void addAttributeName(const char* name, int nameLength) {
        attributes_.push_back({store(name, nameLength), nullptr});
    }
    bool addAttributeValue(const char* text, int length, bool mayHoldReference) {
        char* value = decodeInto(text, length, mayHoldReference);
        attributes_.back().value = value;
        return value != nullptr;
    }
    void openElement(const char* name, int nameLength, bool declaration) {
        char* stored = name ? store(name, nameLength) : nullptr;
        if (open_.size()) {
            const OpenElement& parent = open_.back();
            order_.push_back(orderEntry(int(children_.size() - parent.children), kElementItem));
            children_.push_back(nullptr);  // the child's record, made when it closes (a leaf's
                                      // only when this element does)
        }
        open_.push_back({stored, nameLength, declaration, children_.size(), texts_.size(),
                         clears_.size(), order_.size(), attributes_.size(), leaves_.size(), 0,
                         0});
    }
    void addText(char* text) {
        order_.push_back(orderEntry(open_.back().textCount++, kTextItem));
        texts_.push_back(text);
    }
    // Gives the current element its record and makes its parent current. Returns the record,
    // or null for a leaf, whose record is made with its parent's.
    NodeData* closeElement();
    void makeRecord(NodeData* d, const OpenElement& e, const ClosedLeaf* leaves,
                    size_t leafCount);

    bool parseContent();

    const char* doc_;
    const char* end_;             // the terminating NUL
    const Options options_;
    const CharSet charSet_;
    int index_ = 0;
    int textStart_ = 0;           // start of the text not yet added
    int error_ = kNoError;
    int errorIndex_ = 0;
    const char* pendingEndTag_ = nullptr;  // end tag name that closes an outer element
    // What the parser collects before it knows its size: the items of the elements still open
    // lie on top of their ancestors' and move into the element's one allocation when it closes.
    // The first items live in the parser itself, so a small document costs no allocation
    // beyond its elements. A document below INT_MAX bytes, at 3 or more bytes an item, stays
    // far below the arrays' bound.
    plat::SmallVector<OpenElement, 32> open_;    // the top node, then each open element
    plat::SmallVector<NodeData*, 64> children_;  // items of the open elements
    plat::SmallVector<char*, 64> texts_;
    plat::SmallVector<ClearSection, 8> clears_;
    plat::SmallVector<uint32_t, 128> order_;
    plat::SmallVector<Attr, 32> attributes_;
    plat::SmallVector<ClosedLeaf, 32> leaves_;   // of the open elements
    TextStore* store_;    // the elements' allocations own it
    char* storeNext_;     // where the next text goes
    char* storeEnd_;
};

inline Token Parser::nextToken() {
    const char* p = doc_ + index_;
    while (byteClass(*p) & kBlankByte) ++p;
    Token t{kTokText, int(p - doc_), 1, nullptr, true};
    switch (*p) {
    case 0:
        t.type = kTokEnd;
        t.length = 0;
        break;
    case '"':
    case '\'': {
        // Quoted only when the same quote comes before any '<' (and the NUL), which one pass
        // finds (no NUL comes before end_); it also notes whether there is a '&' to decode.
        const char* q = p + 1;
        const unsigned char quote = static_cast<unsigned char>(*p);
        uint64_t ampersands = 0;
        for (; end_ - q >= 8; q += 8) {
            plat::ByteWord word = plat::ByteWord::load(q);
            if (word.equal(quote) | word.equal('<')) break;
            ampersands |= word.equal('&');
        }
        for (; *q != *p && *q != '<' && *q; ++q) ampersands |= *q == '&';
        t.mayHoldReference = ampersands != 0;
        if (*q == *p) {
            t.type = kTokQuoted;
            t.length = int(q + 1 - p);
        } else {
            t.type = kTokEnd;  // an ordinary text token, below
        }
        break;
    }
    case '/':
        if (p[1] == '>') {
            t.type = kTokShortEnd;
            t.length = 2;
        } else {
            t.type = kTokEnd;
        }
        break;
    case '<':
        if (p[1] == '!' || p[1] == 'P') {
            for (const ClearMarker* marker : kClearMarkers)
                if (startsWith(p, marker->open)) {
                    t.type = kTokClear;
                    t.length = int(std::strlen(marker->open));
                    t.clear = marker;
                    break;
                }
            if (t.type == kTokClear) break;
        }
        t.type = p[1] == '?' ? kTokDeclaration : p[1] == '/' ? kTokEndTag : kTokTagStart;
        t.length = t.type == kTokTagStart ? 1 : 2;
        break;
    case '=':
        t.type = kTokEquals;
        break;
    case '>':
        t.type = kTokTagEnd;
        break;
    default:
        t.type = kTokEnd;
        break;
    }
    if (t.type == kTokEnd && *p) {
        t.type = kTokText;
        const char* q = p;
        while (!(byteClass(*q) & kWordEnd) || (*q == '/' && q[1] != '>')) ++q;
        t.length = int(q - p);
    }
    index_ = t.start + t.length;
    return t;
}


// Whether the end tag named at `endName` closes `e`: it starts with the element's name,
// letter case ignored, and the name ends there.
bool Parser::closes(const OpenElement& e, const char* endName) const {
    if (!e.name || strncasecmp(e.name, endName, size_t(e.nameLength))) return false;
    char next = endName[e.nameLength];
    return isBlank(next) || next == '/' || next == '<' || next == '=' || next == '>';
}

NodeData* Parser::closeElement() {
    const OpenElement e = open_.back();
    open_.shrinkBy(1);
    if (open_.size() && children_.size() == e.children) {
        leaves_.push_back({e.name, e.declaration, {e.texts, texts_.size()},
                           {e.clears, clears_.size()}, {e.attributes, attributes_.size()},
                           {e.order, order_.size()}});
        return nullptr;
    }
    // One allocation of the exact size for the element and its leaves: records and arrays of
    // pointers first, then the order lists, so that every part is aligned. The spans of the
    // arrays hold the leaves' items as well as the element's.
    const ClosedLeaf* leaves = leaves_.data() + e.leaves;
    size_t leafCount = leaves_.size() - e.leaves;
    size_t size = sizeof(NodeData) * (1 + leafCount) +
                  sizeof(NodeData*) * (children_.size() - e.children) +
                  sizeof(char*) * (texts_.size() - e.texts) +
                  sizeof(ClearSection) * (clears_.size() - e.clears) +
                  sizeof(Attr) * (attributes_.size() - e.attributes) +
                  sizeof(uint32_t) * (order_.size() - e.order);
    NodeData* d = static_cast<NodeData*>(xmlRealloc(nullptr, size));
    makeRecord(d, e, leaves, leafCount);
    d->blockSize = size;
    d->blockRecords = int(1 + leafCount);
    d->store = store_;
    ++store_->blocks;

    children_.resize(e.children);
    texts_.resize(e.texts);
    clears_.resize(e.clears);
    order_.resize(e.order);
    attributes_.resize(e.attributes);
    leaves_.resize(e.leaves);
    if (open_.size()) children_.back() = d;
    return d;
}

// Fills the record at `d` and those of its leaves, taking the parts of the allocation in the
// order closeElement measured them. The element's own items are its spans less its leaves'.
void Parser::makeRecord(NodeData* d, const OpenElement& e, const ClosedLeaf* leaves,
                        size_t leafCount) {
    char* at = reinterpret_cast<char*>(d) + sizeof(NodeData) * (1 + leafCount);
    auto take = [&at](size_t bytesEach, size_t count) -> char* {
        if (count == 0) return nullptr;
        char* part = at;
        at += bytesEach * count;
        return part;
    };
    auto fill = [&](NodeData* r, bool declaration, size_t childCount, size_t textCount,
                    size_t clearCount, size_t attributeCount) {
        r->childCount = int(childCount);
        r->textCount = int(textCount);
        r->clearCount = int(clearCount);
        r->attributeCount = int(attributeCount);
        r->declaration = declaration;
        r->parent = nullptr;
        r->children = reinterpret_cast<NodeData**>(take(sizeof(NodeData*), childCount));
        r->texts = reinterpret_cast<char**>(take(sizeof(char*), textCount));
        r->clears = reinterpret_cast<ClearSection*>(take(sizeof(ClearSection), clearCount));
        r->attributes = reinterpret_cast<Attr*>(take(sizeof(Attr), attributeCount));
        r->refCount = 1;
        r->block = d;
        r->blockSize = 0;
        r->blockRecords = 0;
        r->piecesOutside = false;
    };
    // The items of span [begin, end) of `array` that are not the leaves' (`span` names the
    // leaves' part), copied in order to `to`. Runs are a few items long, too short for a call
    // of memcpy to pay.
    auto copyOwn = [&](auto* to, const auto& array, size_t begin, size_t end,
                       Span ClosedLeaf::*span) {
        for (size_t i = 0; i < leafCount; ++i) {
            for (; begin < (leaves[i].*span).begin; ++begin) *to++ = array[begin];
            begin = (leaves[i].*span).end;
        }
        for (; begin < end; ++begin) *to++ = array[begin];
    };
    // A leaf's items are one run of each array.
    auto copyLeaf = [](auto* to, const auto& array, Span span) {
        for (size_t i = span.begin; i < span.end; ++i) *to++ = array[i];
    };

    size_t leafTexts = 0, leafClears = 0, leafAttributes = 0, leafOrder = 0;
    for (size_t i = 0; i < leafCount; ++i) {
        leafTexts += leaves[i].texts.size();
        leafClears += leaves[i].clears.size();
        leafAttributes += leaves[i].attributes.size();
        leafOrder += leaves[i].order.size();
    }
    size_t childCount = children_.size() - e.children;
    fill(d, e.declaration, childCount,
         texts_.size() - e.texts - leafTexts, clears_.size() - e.clears - leafClears,
         attributes_.size() - e.attributes - leafAttributes);
    d->name = e.name;
    NodeData* leafRecords = d + 1;
    for (size_t i = 0; i < leafCount; ++i) {
        const ClosedLeaf& leaf = leaves[i];
        NodeData* r = leafRecords + i;
        fill(r, leaf.declaration, 0, leaf.texts.size(), leaf.clears.size(),
             leaf.attributes.size());
        r->name = leaf.name;
        r->parent = d;
        copyLeaf(r->texts, texts_, leaf.texts);
        copyLeaf(r->clears, clears_, leaf.clears);
        copyLeaf(r->attributes, attributes_, leaf.attributes);
    }
    copyOwn(d->texts, texts_, e.texts, texts_.size(), &ClosedLeaf::texts);
    copyOwn(d->clears, clears_, e.clears, clears_.size(), &ClosedLeaf::clears);
    copyOwn(d->attributes, attributes_, e.attributes, attributes_.size(), &ClosedLeaf::attributes);
    // Children: a slot left empty is the next leaf's.
    size_t nextLeaf = 0;
    for (size_t i = 0; i < childCount; ++i) {
        NodeData* child = children_[e.children + i];
        if (!child) child = leafRecords + nextLeaf++;
        child->parent = d;
        d->children[i] = child;
    }

    // The order lists, right after the arrays of pointers.
    auto takeOrder = [&](size_t count) {
        return reinterpret_cast<uint32_t*>(take(sizeof(uint32_t), count));
    };
    d->order = takeOrder(order_.size() - e.order - leafOrder);
    copyOwn(d->order, order_, e.order, order_.size(), &ClosedLeaf::order);
    for (size_t i = 0; i < leafCount; ++i) {
        leafRecords[i].order = takeOrder(leaves[i].order.size());
        copyLeaf(leafRecords[i].order, order_, leaves[i].order);
    }
}

bool Parser::addParsedText(int end) {
    const char* start = doc_ + textStart_;
    const char* stop = doc_ + end;
    if (options_.trimText) {
        while (start < stop && isBlank(*start)) ++start;
        while (stop > start && isBlank(stop[-1])) --stop;
    }
    if (start >= stop) return true;
    int length = int(stop - start);
    if (options_.joinTextAcrossComments && joinsEarlierText()) return joinText(start, length);
    char* text = decodeInto(start, length);
    if (!text) return false;
    addText(text);
    return true;
}

int Parser::ownKindFromEnd(int fromEnd) const {
    const OpenElement& e = open_.back();
    size_t leafCount = leaves_.size() - e.leaves;
    size_t i = order_.size();  // one past the entry looked at
    for (int k = 0;; ++k) {
        if (i <= e.order) return -1;
        int kind;
        const ClosedLeaf* leaf = leafCount ? &leaves_[e.leaves + leafCount - 1] : nullptr;
        if (leaf && leaf->order.end == i) {
            kind = kElementItem;
            i = leaf->order.begin - 1;  // before the leaf's own entry in its element's list
            --leafCount;
        } else {
            kind = entryKind(order_[i - 1]);
            --i;
        }
        if (k == fromEnd) return kind;
    }
}

// A text joins the text before it when only a comment lies between them. An empty comment or
// section left no item, so the texts around it stay two.
bool Parser::joinsEarlierText() const {
    return ownKindFromEnd(0) == kClearItem && clears_.back().openMarker == kComment.open &&
           ownKindFromEnd(1) == kTextItem;
}

// Decodes the text onto the end of the earlier one, over the comment, which goes: the comment's
// content was the last thing stored, right after the earlier text's NUL. The text is checked
// first, so that a bad reference leaves both as they were.
bool Parser::joinText(const char* text, int length) {
    bool mayHoldReference = std::memchr(text, '&', size_t(length));
    int code = kNoError;
    if (mayHoldReference &&
        decodeReferences(text, text + length, nullptr, &code, charSet_.utf8) < 0)
        return fail(code);
    storeNext_ = clears_.back().content - 1;
    clears_.shrinkBy(1);
    order_.shrinkBy(1);
    --open_.back().clearCount;
    decodeInto(text, length, mayHoldReference);
    return true;
}

bool Parser::parseClear(const ClearMarker* marker) {
    const char* content = doc_ + index_;
    const char* close = marker->close;
    if (marker == &kDoctype) {
        const char* p = content;
        while (*p && *p != '>' && *p != '<') ++p;
        if (*p == '<') close = kDoctypeSubsetClose;
    }
    const char* found = std::strstr(content, close);
    if (!found) return fail(kUnmatchedClearTagEnd);
    index_ = int(found - doc_) + int(std::strlen(close));
    if (found > content) {
        order_.push_back(orderEntry(open_.back().clearCount++, kClearItem));
        clears_.push_back({store(content, int(found - content)), marker->open, close});
    }
    return true;
}

enum class TagState { kOutside, kName, kEquals, kValue };

bool Parser::parseContent() {
    TagState state = TagState::kOutside;
    const char* pendingName = nullptr;
    int pendingLength = 0;

    // The current element is closed (explicitly or by an outer end tag): step out to its
    // parent, and out of every element that a pending end tag closes as well.
    auto closeCurrent = [&]() -> bool {
        closeElement();
        state = TagState::kOutside;
        textStart_ = index_;
        while (pendingEndTag_) {
            if (open_.size() == 1) return fail(kUnmatchedEndTag);
            if (closes(open_.back(), pendingEndTag_)) pendingEndTag_ = nullptr;
            closeElement();
        }
        return true;
    };
    auto leaveTag = [&]() {
        state = TagState::kOutside;
        textStart_ = index_;
    };
    // The XML declaration at the head of a document stays open to its end; a declaration
    // deeper down (below the top node and one more element) closes with its "?>".
    auto declarationCloses = [&]() { return open_.size() >= 3; };

    for (;;) {
        if (state == TagState::kOutside) {
            skipToMarkup();
            Token t = nextToken();
            if (t.type == kTokTagStart || t.type == kTokDeclaration) {
                if (!addParsedText(t.start)) return false;
                Token name = nextToken();
                if (name.type != kTokText) return fail(kMissingStartTagName);
                bool isDeclaration = t.type == kTokDeclaration;
                int nameLength = name.length;
                // "<?pi?>": the '?' belongs to the close, not the name. Only there: in
                // "<?pi? a?>" it is the name's, which a written tree must read back as.
                const char* after = doc_ + name.start + nameLength;
                bool questionClose = isDeclaration && nameLength > 1 && after[-1] == '?' &&
                                     (after[0] == '>' || (after[0] == '/' && after[1] == '>'));
                if (questionClose) --nameLength;
                openElement(doc_ + name.start, nameLength, isDeclaration);
                state = TagState::kName;
                if (questionClose) {
                    pendingName = "?";
                    pendingLength = 1;
                    state = TagState::kEquals;
                }
            } else if (t.type == kTokEndTag) {
                if (!addParsedText(t.start)) return false;
                Token name = nextToken();
                if (name.type != kTokText || nextToken().type != kTokTagEnd)
                    return fail(kMissingEndTagName);
                if (!closes(open_.back(), doc_ + name.start)) {
                    warn(t.start);
                    pendingEndTag_ = doc_ + name.start;
                }
                // An end tag the top meets itself (it has no name, so it is never its own)
                // ends the document with the tree so far; only one that a child hands up
                // unmatched is an error.
                if (open_.size() == 1) return true;
                if (!closeCurrent()) return false;
            } else if (t.type == kTokClear) {
                if (!addParsedText(t.start)) return false;
                if (!parseClear(t.clear)) return false;
                textStart_ = index_;
            } else {  // the end: nothing else starts at '<' or the NUL
                if (!open_.back().declaration && open_.size() > 1) warn(t.start);
                return addParsedText(t.start);
            }
            continue;
        }

        Token t = nextToken();
        const char* text = doc_ + t.start;
        switch (state) {
        case TagState::kName:
            if (t.type == kTokText) {
                pendingName = text;
                pendingLength = t.length;
                state = TagState::kEquals;
            } else if (t.type == kTokTagEnd) {
                leaveTag();
            } else if (t.type == kTokShortEnd) {
                if (!closeCurrent()) return false;
            } else {
                return fail(kUnexpectedToken);
            }
            break;
        case TagState::kEquals:
            if (t.type == kTokEquals) {
                state = TagState::kValue;
            } else if (t.type == kTokText) {
                addAttributeName(pendingName, pendingLength);
                pendingName = text;
                pendingLength = t.length;
            } else if (t.type == kTokTagEnd || t.type == kTokShortEnd) {
                bool closesNow = t.type == kTokShortEnd;
                if (open_.back().declaration && pendingLength > 0 &&
                    pendingName[pendingLength - 1] == '?') {
                    --pendingLength;
                    closesNow = closesNow || declarationCloses();
                }
                if (pendingLength > 0) addAttributeName(pendingName, pendingLength);
                if (closesNow) {
                    if (!closeCurrent()) return false;
                } else {
                    leaveTag();
                }
            } else {
                return fail(kUnexpectedToken);
            }
            break;
        case TagState::kValue: {
            if (t.type != kTokText && t.type != kTokQuoted) return fail(kUnexpectedToken);
            int length = t.length;
            if (open_.back().declaration && length > 0 && text[length - 1] == '?') --length;
            if (t.type == kTokQuoted && length >= 2 && text[length - 1] == text[0]) {
                ++text;
                length -= 2;
            }
            addAttributeName(pendingName, pendingLength);
            if (!addAttributeValue(text, length, t.mayHoldReference)) return false;
            state = TagState::kName;
            break;
        }
        case TagState::kOutside:
            break;
        }
    }
}

// Line and column of `index`, counting characters, each 0A starting a new line.
void lineAndColumnOf(const char* doc, int index, const CharSet& charSet, ParseResult* result) {
    int line = 1, column = 1;
    for (const char* p = doc; p < doc + index && *p;) {
        if (*p == '\n') {
            ++line;
            column = 1;
            ++p;
        } else {
            ++column;
            p += charSet.length(p, doc + index);
        }
    }
    result->line = line;
    result->column = column;
}

}  // namespace

char* decodeEntities(const char* text, size_t length, int* error) {
    int code = kNoError;
    char* decoded = nullptr;
    if (!text) {
        // Nothing to decode, like a copy of nothing.
    } else if (!std::memchr(text, '&', length)) {
        decoded = xmlStrDup(text, ptrdiff_t(length));
    } else {
        bool utf8 = charSetOf(globalOptions().encoding).utf8;
        ptrdiff_t size = decodeReferences(text, text + length, nullptr, &code, utf8);
        if (size >= 0) {
            decoded = static_cast<char*>(xmlRealloc(nullptr, size_t(size) + 1));
            decodeReferences(text, text + length, decoded, &code, utf8);
            decoded[size] = 0;
        }
    }
    if (error) *error = code;
    return decoded;
}

Node Node::parseString(const char* text, const char* tag, ParseResult* result) {
    ParseResult ignored;
    if (!result) result = &ignored;
    if (!text) {
        *result = {kNoElements, 0, 0};
        return Node();
    }
    size_t length = std::strlen(text);
    if (length >= size_t(INT_MAX)) {
        *result = {kNoXmlData, 0, 0};
        return Node();
    }
    Parser parser(text, length);
    bool completed = false;
    NodeData* top = parser.run(&completed);
    int code = top->childCount == 0 ? kNoXmlTagWarning : parser.error();
    int index = code == kUnmatchedEndTagWarning || !completed ? parser.errorIndex()
                                                              : parser.endIndex();

    Node node;
    node.d_ = top;  // takes the creation reference
    if (top->childCount == 1 && top->textCount == 0 && top->clearCount == 0 &&
        top->attributeCount == 0) {
        NodeData* only = top->children[0];
        Node child(only);
        only->parent = nullptr;
        top->childCount = 0;
        release(only);  // the reference of the array
        node = child;
    }
    result->error = code;
    if (code > kNoXmlTagWarning) {
        node = Node();
    } else if (tag && *tag && !sameName(node.getName(), tag)) {
        Node found = node.getChildNodeByName(tag);
        if (found.isEmpty()) {
            *result = {kFirstTagNotFound, 0, 0};
            return Node();
        }
        node = found;
    }
    if (code != kNoError) lineAndColumnOf(text, index, parser.charSet(), result);
    return node;
}

Node Node::parseFile(const char* path, const char* tag, ParseResult* result) {
    ParseResult ignored;
    if (!result) result = &ignored;
    FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file) {
        *result = {kFileNotFound, 0, 0};
        return Node();
    }
    long size = -1;
    if (!std::fseek(file, 0, SEEK_END)) size = std::ftell(file);
    if (size == 0) {
        std::fclose(file);
        *result = {kNoXmlData, 0, 0};
        return Node();
    }
    char* buffer = nullptr;
    bool ok = size > 0 && size < 0x7FFFFFF0 && !std::fseek(file, 0, SEEK_SET);
    if (ok) {
        buffer = static_cast<char*>(xmlRealloc(nullptr, size_t(size) + 4));
        ok = std::fread(buffer, 1, size_t(size), file) == size_t(size);
        std::memset(buffer + size, 0, 4);
    }
    std::fclose(file);
    if (!ok) {
        std::free(buffer);
        *result = {kFileNotFound, 0, 0};
        return Node();
    }
    const unsigned char* b = reinterpret_cast<unsigned char*>(buffer);
    int skip = 0;
    if (size >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) skip = 3;
    else if (!globalOptions().utf8BomOnly && size >= 2 &&
             ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF)))
        skip = 2;
    Node node = parseString(buffer + skip, tag, result);
    std::free(buffer);
    return node;
}

Node Node::parseFileOrExit(const char* path, const char* tag) {
    if (FILE* file = path ? std::fopen(path, "rb") : nullptr) {
        unsigned char sample[200];
        size_t got = std::fread(sample, 1, sizeof sample, file);
        std::fclose(file);
        int guess = guessEncoding(sample, int(got), true);
        const Options options = globalOptions();
        if (guess >= kUtf8 && guess <= kGbk)
            setGlobalOptions(guess, options.utf8BomOnly, options.trimText,
                             options.joinTextAcrossComments);
    }
    ParseResult result;
    Node node = parseFile(path, tag, &result);
    if (result.error != kNoError) {
        bool firstTag = result.error == kFirstTagNotFound;
        std::printf("XML Parsing error inside file '%s'.\n%s\nAt line %i, column %i.\n%s%s%s",
                    path ? path : "", getError(result.error), result.line, result.column,
                    firstTag ? "First Tag should be '" : "", firstTag && tag ? tag : "",
                    firstTag ? "'.\n" : "");
        std::fflush(stdout);
        std::exit(255);
    }
    return node;
}

}  // namespace xml
