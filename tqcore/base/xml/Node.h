// The platform's own small XML reader and writer: whole documents held in memory (or loaded
// from a file) become trees of reference-counted nodes, which can be read, edited in place and
// written back as text or to a file.
//
// The reader is lenient: an element left open or closed by the wrong end tag gives a warning
// and a usable tree; names are compared without letter case; no validation, namespaces or
// external entities. Guarantees: no scan reads past the terminating NUL (byte 00 ends every
// scan), a multi-byte character of the chosen encoding is never split, and nothing recurses
// over the depth of the tree (parse, release, copy and write all iterate), so any nesting of
// outside input is safe. Parsing is one pass without copying the input; names, values and
// texts are decoded once, as they are read, straight into the document's text store, which
// goes with the last element that points into it (a subtree kept after the rest of its
// document is released keeps the whole store). An element gets one allocation when it closes:
// its record and arrays, and the same of each child that holds no element; the allocation is
// freed with the last of its records.
// Texts and records are allocated with malloc; an allocation that fails stops the process with
// an assertion failure.
#pragma once

#include <cstddef>
#include <cstdint>

namespace xml {

struct NodeData;  // the node record, private to the library

// Parse and write codes; 1 and 2 are warnings that come with a usable tree.
enum ErrorCode {
    kNoError = 0,
    kUnmatchedEndTagWarning = 1,
    kNoXmlTagWarning = 2,
    kNoXmlData = 3,
    kMissingStartTagName = 4,
    kMissingEndTagName = 5,
    kUnmatchedEndTag = 6,
    kUnmatchedClearTagEnd = 7,
    kUnexpectedToken = 8,
    kNoElements = 9,
    kFileNotFound = 10,
    kFirstTagNotFound = 11,
    kUnknownEntity = 12,
    kCharCodeAbove255 = 13,
    kWideCharConversion = 14,  // never produced
    kCannotOpenForWriting = 15,
    kCannotWrite = 16,
    kBase64LengthWarning = 17,
    kBase64IllegalChar = 18,
    kBase64TruncatedWarning = 19,
    kBase64OutputTooSmall = 20,
};

// Encodings: they choose the character-length table every scan steps by.
enum Encoding {
    kUtf8 = 1,
    kLegacySingleByte = 2,
    kShiftJis = 3,
    kGb2312 = 4,
    kBig5 = 5,
    kGbk = 6,
};

// "v2.43".
const char* version();

// The text of a code: "No error", "Warning: Unmatched end tag", ...; "Unknown" above 20.
const char* getError(int code);

// Process-wide options, which every parse and write copies when it starts; unguarded (set them
// before a parse and restore them after). Stores the three flags; an encoding from 1 to 6 is stored too and 0 is
// returned, any other leaves the encoding unchanged and returns 1.
// Defaults: (kUtf8, true, true, true).
int setGlobalOptions(int encoding, bool utf8BomOnly = true, bool trimText = true,
                     bool joinTextAcrossComments = true);

// Guesses the encoding of the first `length` bytes of a document: 0 for fewer than 25 bytes,
// kUtf8 for a UTF-8 byte-order mark or well-formed UTF-8 (a sequence cut by the end of the
// sample is not held against it), kLegacySingleByte otherwise. With `useDeclaration` an
// "encoding" attribute within the first 200 bytes decides: "utf-8"/"utf8" give kUtf8 (0 when
// the bytes are not well-formed UTF-8), "shiftjis"/"shift-jis"/"sjis" kShiftJis, "GB2312",
// "Big5", "GBK" their codes, any other name kLegacySingleByte.
int guessEncoding(const void* bytes, int length, bool useDeclaration);

struct ParseResult {
    int error = 0;   // ErrorCode
    int line = 0;    // from 1; 0 when the code has no position
    int column = 0;  // from 1, counted in characters
};

// An attribute: names as written, values entity-decoded; `value` is null for an attribute
// written without "=". Owned by its node.
struct Attr {
    char* name = nullptr;
    char* value = nullptr;
};

// Text that is kept unchanged between two markers: CDATA, DOCTYPE, comments, <PRE>. The
// content is owned by its node, the markers are static texts.
struct ClearSection {
    char* content = nullptr;
    const char* openMarker = nullptr;
    const char* closeMarker = nullptr;
};

class Node;

enum ItemKind { kElementItem = 0, kAttributeItem = 1, kTextItem = 2, kClearItem = 3, kNoItem = 4 };

// One item of an element: the member that `kind` names is set.
struct Item;

// Handle of a reference-counted node; the null handle is the empty node, which every failed
// look-up returns and on which every read gives 0, null or the empty node. A node stays alive
// while any handle or its parent holds it; a child held by a handle survives its parent's
// release as a detached top node.
class Node {
public:
    Node() = default;
    Node(const Node& other);
    Node(Node&& other) noexcept;
    Node& operator=(const Node& other);
    Node& operator=(Node&& other) noexcept;
    ~Node();

    // ---- Parsing ----

    // Parses a NUL-terminated document. The result is the single top element, or an unnamed
    // top node when the document holds more than one item at the top. With a non-empty `tag`
    // that differs from the top element's name, the first direct child of that name becomes
    // the result (none: empty node, code 11). Codes 1 and 2 come with a tree, codes 3 and
    // above with the empty node; a null text gives code 9, and a text of INT_MAX bytes or
    // more, whose positions an int cannot hold, code 3 (both with line and column 0).
    // `result` may be null.
    static Node parseString(const char* text, const char* tag = nullptr,
                            ParseResult* result = nullptr);
    // Loads the file whole and parses it, skipping a byte-order mark (EF BB BF; with
    // utf8BomOnly off also FF FE and FE FF). A file that cannot be opened or read gives code
    // 10, an empty one code 3.
    static Node parseFile(const char* path, const char* tag = nullptr,
                          ParseResult* result = nullptr);
    // Sets the encoding guessed from the file's first 200 bytes, parses it, and on any
    // non-zero code (warnings included) prints the error to standard output and exits with
    // status 255.
    static Node parseFileOrExit(const char* path, const char* tag = nullptr);

    // ---- Reading ---- (names compared without letter case)

    static Node emptyNode() { return Node(); }
    bool isEmpty() const { return !d_; }
    // Null for the empty node and for an unnamed top node.
    const char* getName() const;
    bool declaration() const;
    Node getParentNode() const;  // empty for a top node

    int childCount() const;
    int textCount() const;
    int clearCount() const;
    int attributeCount() const;
    // Children, texts and clear sections plus attributes.
    int itemCount() const;

    // Child element at `index`; empty outside 0..childCount()-1.
    Node getChildNode(int index = 0) const;
    // The first child named `name` at or after `*runningIndex` (null: from 0); on success the
    // running index is set one past it, so repeated calls walk all namesakes.
    Node getChildNodeByName(const char* name, int* runningIndex = nullptr) const;
    // The child named `name` that comes after `n` others of that name; n below 0: the last.
    Node getChildNode(const char* name, int n) const;
    // Walks `path` split at `separator`, one child by name per step; a missing step is
    // created when `create` is set, else the result is the empty node.
    Node getChildNodeByPath(const char* path, bool create = false, char separator = '/');
    int nChildNode(const char* name) const;

    // Value of the first attribute `name` at or after `*runningIndex` (same rule as above);
    // null when absent or written without a value.
    const char* getAttribute(const char* name, int* runningIndex = nullptr) const;
    bool isAttributeSet(const char* name) const;
    // Value of the attribute `name` that comes after `n` others of that name.
    const char* getAttributeNth(const char* name, int n) const;

    // Indexed getters: null or an empty record outside 0..count-1.
    const char* getText(int index = 0) const;
    ClearSection getClear(int index = 0) const;
    Attr getAttributeByIndex(int index = 0) const;
    const char* getAttributeName(int index = 0) const;
    const char* getAttributeValue(int index = 0) const;

    // Attributes first, then content in document order; kind kNoItem outside the range.
    Item getItem(int index) const;

    // Place in the document order of the element's children, texts and clear sections; an
    // index beyond the count means the last of the kind; -1 when there is none.
    int positionOfText(int index) const;
    int positionOfText(const char* text) const;  // by the text's own pointer
    int positionOfClear(int index) const;
    int positionOfClear(const char* content) const;  // by the content's own pointer
    int positionOfChildNode(int index) const;
    int positionOfChildNode(const Node& child) const;
    int positionOfChildNode(const char* name, int n) const;

    // ---- Writing ----

    // The tree as a new malloc-owned NUL-terminated text (null for the empty node); formatted
    // (tabs and newlines) only when asked and the trimText option is set. `length` (may be
    // null) receives the length without the NUL. A text longer than INT_MAX bytes, which
    // `length` could not report, is not made: null, length 0.
    char* toText(bool formatted = true, int* length = nullptr) const;
    // Writes the tree into `buffer` (null: only measures) at indentation `level` (-1:
    // unformatted) and returns the number of bytes, without a NUL. Measuring costs no more
    // than the tree's size, however deep its indentation.
    static int64_t writeText(const Node& node, char* buffer, int level);
    // Writes the tree to a new file: a byte-order mark for UTF-8, then, unless the tree starts
    // with a declaration of its own, a declaration line naming the encoding ("utf-8",
    // "SHIFT-JIS", else `encodingName` or "ISO-8859-1"). The file is written beside `path` and
    // replaces it only when complete (plat::TransactedFile), so a failed save keeps the old one.
    // Returns 0, 15 (cannot open) or 16 (a write or the close failed: a full disk, or a file
    // size limit in a process that ignores SIGXFSZ, as one under a limit must). The empty node
    // writes nothing and gives 0.
    int saveFile(const char* path, const char* encodingName = nullptr,
                 bool formatted = true) const;

    // ---- Editing ---- (positions as for positionOf...; any position outside the content
    // means the end. The "Owned" forms take malloc-owned texts; the others copy.)

    Node addChild(const char* name, bool isDeclaration = false, int position = -1);
    Node addChildOwned(char* name, bool isDeclaration = false, int position = -1);
    // Attaches `node`, detaching it from its former parent first (a re-attached node's
    // position counts the content without it). A node without a name hands its children over
    // instead, in order, and is returned without them. Refused (empty node returned, nothing
    // changed) when `node` is this node or one of its ancestors, which would make a cycle.
    Node addChildNode(Node node, int position = -1);
    // Appends an attribute; a null name adds nothing. Returns the new record.
    Attr addAttribute(const char* name, const char* value);
    Attr addAttributeOwned(char* name, char* value);
    const char* addText(const char* text, int position = -1);
    const char* addTextOwned(char* text, int position = -1);
    // Null markers mean "<![CDATA[" and "]]>"; markers must outlive the tree.
    ClearSection addClear(const char* content, const char* openMarker = nullptr,
                          const char* closeMarker = nullptr, int position = -1);
    ClearSection addClearOwned(char* content, const char* openMarker = nullptr,
                               const char* closeMarker = nullptr, int position = -1);

    // Replace the value and, when `newName` is given, the name. An index out of range with a
    // new name, or a name not present, appends a new attribute.
    Attr updateAttribute(const char* newValue, const char* newName, int index);
    Attr updateAttribute(const char* newValue, const char* newName, const char* name);
    // Replaces the attribute whose name is `oldAttr.name` (by pointer) with copies of
    // `newAttr`; appends when there is none.
    Attr updateAttribute(const Attr& newAttr, const Attr& oldAttr);
    // Replace a text or clear section's content; an index out of range (or an old record not
    // found) adds a new item at the end.
    const char* updateText(const char* newText, int index);
    const char* updateText(const char* newText, const char* oldText);
    ClearSection updateClear(const char* newContent, int index);
    ClearSection updateClear(const ClearSection& newClear, const ClearSection& oldClear);

    // Free and remove one item; later items of the kind move down.
    void deleteAttribute(int index);
    void deleteAttribute(const char* name);
    void deleteAttribute(const Attr& attr);  // by the name's own pointer
    void deleteText(int index);
    void deleteText(const char* text);  // by the text's own pointer
    void deleteClear(int index);
    void deleteClear(const ClearSection& clear);  // by the content's own pointer
    // Detaches the node from its parent and drops this handle, which becomes empty; the node
    // and its content are freed with the last handle that holds them.
    void deleteNode();

    // A new top node holding copies of the whole subtree.
    Node deepCopy() const;

private:
    explicit Node(NodeData* data);  // adds a reference

    NodeData* d_ = nullptr;  // null: the empty node
};

struct Item {
    int kind = kNoItem;  // ItemKind
    Node element;
    Attr attribute;
    const char* text = nullptr;
    ClearSection clear;
};

// Number conversions of attribute or text values; the default when the text is null or empty.
signed char toInt8(const char* text, signed char defaultValue = 0);
int toInt(const char* text, int defaultValue = 0);
int64_t toLong(const char* text, int64_t defaultValue = 0);
double toDouble(const char* text, double defaultValue = 0);
// The text itself; the default only when it is null.
const char* textOr(const char* text, const char* defaultValue = "");
char firstCharOr(const char* text, char defaultValue = 0);

// The `length` bytes at `text` with entities ("&amp;", "&lt;", "&gt;", "&quot;", "&apos;",
// letter case ignored) and character references ("&#65;", "&#x41;", codes 1 to 255) decoded,
// as a new malloc-owned NUL-terminated text; codes 128 to 255 become two bytes of UTF-8 under
// the UTF-8 encoding, one byte under the others. Any other "&", a reference without its ";" and
// "&#0;" give null and error 12, a code above 255 null and error 13. `error` (may be null)
// receives the code, 0 on success; a null text gives null and 0.
char* decodeEntities(const char* text, size_t length, int* error = nullptr);

// Reusable buffer for callers that build XML text themselves.
class AutoText {
public:
    AutoText() = default;
    AutoText(const AutoText&) = delete;
    AutoText& operator=(const AutoText&) = delete;
    ~AutoText();

    // Valid UTF-8 (an invalid text is repaired, its bad bytes becoming U+FFFD) with the five
    // special characters escaped; null gives "". Valid until the next call.
    const char* fromUtf8(const char* text);
    // The text with "&", "<", ">", "\"" and "'" replaced by their entities; other characters
    // are copied whole. Valid until the next call.
    const char* escape(const char* text);

private:
    char* text_ = nullptr;
    size_t capacity_ = 0;  // bytes allocated at text_
};

}  // namespace xml
