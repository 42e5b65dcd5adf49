// The JSON parser: recursive descent over the input bytes, one value per call, with the depth
// bounded so that the recursion is too. Values wait on a stack of pointers until their
// container closes; the container then takes them into storage of its final size.
#include "plat/Json.h"

#include "plat/ByteScan.h"
#include "plat/ShortCopy.h"
#include "plat/SmallVector.h"
#include "plat/ThreadCache.h"
#include "plat/Utf8.h"

#include <sys/mman.h>

#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>

namespace plat {

namespace {

// The top value has depth 0; a value at this depth is refused.
constexpr int kRefusedDepth = JsonValue::kMaxDepth + 1;

bool acceptedContentType(const char* contentType) {
    if (!contentType || std::strcmp(contentType, "application/json") == 0) return true;
    String copy(contentType);
    char* mediaType = copy.buf();
    char* parameter = std::strchr(mediaType, ';');
    if (parameter) *parameter++ = '\0';
    mediaType = strToLowerAscii(strTrimLeft(strTrimRight(mediaType)));
    if (std::strcmp(mediaType, "application/json") != 0) return false;
    if (!parameter) return true;
    parameter = strToLowerAscii(strTrimLeft(strTrimRight(parameter)));
    return std::strcmp(parameter, "charset=utf-8") == 0;
}

// Bytes of a string, by what the scanner must do with them: 0 stops it (the quote, the
// backslash, a control character), 1 is plain ASCII, 2 a byte of a multi-byte character that
// leaves the text to the UTF-8 check.
constexpr unsigned char kStringStop = 0, kStringAscii = 1, kStringHigh = 2;
struct StringClasses {
    unsigned char of[256];
    constexpr StringClasses() : of() {
        for (int c = 0; c < 256; c++)
            of[c] = c < 0x20 || c == '"' || c == '\\' ? kStringStop
                    : c < 0x80                        ? kStringAscii
                                                      : kStringHigh;
    }
};
constexpr StringClasses kStringClass;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of the four hexadecimal digits at `p`, or -1.
int hex4(const char* p) {
    int value = 0;
    for (int i = 0; i < 4; i++) {
        int digit = hexDigit(p[i]);
        if (digit < 0) return -1;
        value = value << 4 | digit;
    }
    return value;
}

// Values read and not yet in their container, innermost container's last; they are owned here
// until then. The first chunk grows with the document up to kChunk entries; beyond it, chunks
// of kChunk entries are mapped one by one and unmapped as a closing container empties them, so
// that a long array never holds its elements twice: its storage fills while this shrinks.
// (Chunks from malloc would not do: freed, they stay in the process for smaller requests, and
// the array's storage is one request larger than any of them.)
class PendingValues {
public:
    PendingValues() noexcept { useFirstWhole(0); }
    PendingValues(const PendingValues&) = delete;
    PendingValues& operator=(const PendingValues&) = delete;
    ~PendingValues() {
        take(0, [](size_t, JsonValue* value) { delete value; });
    }

    size_t size() const {
        JsonValue* const* last = mapped_.empty() ? first_.data() : mapped_[mapped_.size() - 1];
        return mapped_.size() * kChunk + size_t(top_ - last);
    }
    // The storage held, in bytes; only the first chunk is left once the values are taken.
    size_t heldBytes() const {
        return (first_.isSmall() ? 0 : first_.capacity() * sizeof(JsonValue*)) +
               (mapped_.isSmall() ? 0 : mapped_.capacity() * sizeof(JsonValue**));
    }
    // Deletes what is left; the first chunk is kept when it is no larger than `keep` entries.
    void clear(size_t keep) {
        take(0, [](size_t, JsonValue* value) { delete value; });
        if (first_.capacity() <= keep) return;
        first_.~SmallVector();
        new (&first_) FirstChunk();
        useFirstWhole(0);
    }
    // Room for one more, so that a value once made is never lost to a failure to store it.
    void reserve() {
        if (top_ == limit_) grow();
    }
    void pushReserved(JsonValue* value) { *top_++ = value; }

    // Hands the values from `base` on to place(index from base, value), the last first, and
    // drops them.
    template <typename Place>
    void take(size_t base, Place place) {
        // A chunk mapped for a value that was never made.
        while (!mapped_.empty() && top_ == mapped_.back()) {
            unmapLast();
            top_ = limit_ = chunk(mapped_.size()) + kChunk;
        }
        size_t end = size();
        while (end > base) {
            size_t chunkIndex = (end - 1) / kChunk;
            JsonValue** values = chunk(chunkIndex);
            size_t chunkStart = chunkIndex * kChunk;
            size_t from = base > chunkStart ? base : chunkStart;
            for (size_t i = end; i-- > from;)
                place(i - base, values[i - chunkStart]);
            end = from;
            if (end == chunkStart && chunkIndex > 0) unmapLast();
        }
        JsonValue** last = chunk(mapped_.size());
        top_ = last + (base - mapped_.size() * kChunk);
        limit_ = last + (mapped_.empty() ? first_.capacity() : kChunk);
    }

private:
    static constexpr size_t kChunk = size_t(64) << 10;
    // The first chunk doubles from its inline entries to exactly kChunk.
    using FirstChunk = SmallVector<JsonValue*, 256>;
    static_assert(kChunk >= 256 && (kChunk & (kChunk - 1)) == 0,
                  "doubling from 256 entries reaches kChunk");

    // Chunk 0 is the first chunk, chunk i the mapped chunk i - 1.
    JsonValue** chunk(size_t i) { return i == 0 ? first_.data() : mapped_[i - 1]; }
    // Takes the whole capacity of the first chunk as its room, `used` entries of it filled.
    void useFirstWhole(size_t used) {
        first_.resize(first_.capacity());
        top_ = first_.data() + used;
        limit_ = first_.data() + first_.capacity();
    }
    void unmapLast() {
        munmap(mapped_.back(), kChunk * sizeof(JsonValue*));
        mapped_.shrinkBy(1);
    }
    void grow() {
        if (mapped_.empty() && first_.capacity() < kChunk) {
            size_t used = size();
            first_.resize(first_.capacity() + 1);  // doubles, keeping the entries
            useFirstWhole(used);
            return;
        }
        // The list's room first, so that a mapped chunk is never lost to a failure to list it.
        mapped_.push_back(nullptr);
        void* fresh = mmap(nullptr, kChunk * sizeof(JsonValue*), PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (fresh == MAP_FAILED) {
            mapped_.shrinkBy(1);
            throw std::bad_alloc();
        }
        mapped_.back() = static_cast<JsonValue**>(fresh);
        top_ = mapped_.back();
        limit_ = top_ + kChunk;
    }

    FirstChunk first_;                    // all its entries count as room
    SmallVector<JsonValue**, 8> mapped_;  // the mapped chunks, each full but the last
    JsonValue** top_ = nullptr;           // next free entry of the last chunk
    JsonValue** limit_ = nullptr;         // end of the last chunk
};

// The name of a member whose object is still open: its text (NUL-terminated) in the parser's
// key stack, its length, its first 8 bytes and, in a large object, its hash.
struct PendingKey {
    size_t offset;
    uint32_t length;
    uint32_t hash;
    uint64_t prefix;
};

// The first bytes of a name, for the comparisons that most names fail at once.
uint64_t keyPrefix(const char* text, size_t length) {
    uint64_t prefix = 0;
    if (length >= 8)
        std::memcpy(&prefix, text, 8);
    else
        for (size_t i = 0; i < length; i++)
            prefix |= uint64_t(static_cast<unsigned char>(text[i])) << (8 * i);
    return prefix;
}

// The texts of the pending names, NUL-terminated one after the other.
using KeyText = SmallVector<char, 256>;

constexpr size_t kKeyScanLimit = JsonKeyIndex::kScanLimit;

// What a parse needs besides the tree. Each thread keeps one for its next parse, up to 128 KiB,
// so that small documents allocate nothing but their values.
struct ParserScratch {
    PendingValues values;  // elements and member values of open containers
    // Member names of the open objects. Each takes at least its NUL in keyText, whose bound
    // the parser checks, so this one is never passed.
    SmallVector<PendingKey, 32> keys;
    KeyText keyText;  // their texts
    // Per depth, the index of an open object too large for a scan, which the object takes
    // when it closes.
    JsonKeyIndex keyIndexes[kRefusedDepth];
    bool indexesUsed = false;  // since the last reset
    // The decoded text of a string that holds escapes. It counts in words so that its bound
    // (SmallVector's, in elements) lies beyond the longest string, INT_MAX bytes.
    SmallVector<uint64_t, 32> text;

    // Empties everything, keeping of each part what is small enough to keep. The shares add up
    // to less than the cache's bound, so that one grown part does not cost the others.
    void reset() {
        values.clear(4096);
        keys.clear();
        if (keys.capacity() > 1024) renew(keys);
        keyText.clear();
        if (keyText.capacity() > 16384) renew(keyText);
        if (indexesUsed) {
            for (JsonKeyIndex& index : keyIndexes)
                index.clear();
            indexesUsed = false;
        }
        if (textBytes() > 16384) renew(text);
    }
    size_t heldBytes() const {
        return values.heldBytes() + (keys.isSmall() ? 0 : keys.capacity() * sizeof(PendingKey)) +
               (keyText.isSmall() ? 0 : keyText.capacity()) + (text.isSmall() ? 0 : textBytes());
    }
    char* textData() { return reinterpret_cast<char*>(text.data()); }
    size_t textBytes() const { return text.capacity() * sizeof(uint64_t); }

private:
    template <typename T>
    static void renew(T& part) noexcept {
        part.~T();
        new (&part) T();
    }
};

}  // namespace

class JsonParser {
public:
    JsonParser(const char* text, size_t length, ParserScratch& scratch)
        : p_(text), end_(text + length), s_(scratch) {}

    JsonValuePtr parseDocument() {
        parseValue(0);
        skipWhiteSpace();
        if (p_ != end_) fail("Trailing bytes after JSON");
        JsonValuePtr value;
        s_.values.take(0, [&value](size_t, JsonValue* top) { value = JsonValuePtr(top); });
        return value;
    }

private:
    [[noreturn]] void fail(const char* what) const {
        throw JsonException("%s at line %lld", what, static_cast<long long>(line_));
    }
    void need(size_t n) const {
        if (size_t(end_ - p_) < n) fail("Truncated JSON");
    }

    // The loops below work on a local copy of p_: stores through char pointers could alias it,
    // which would keep the compiler writing it back on every byte.
    void skipWhiteSpace() {
        const char* p = p_;
        for (; p < end_; p++) {
            char c = *p;
            if (c == '\n')
                line_++;
            else if (c != ' ' && c != '\t' && c != '\r')
                break;
        }
        p_ = p;
    }

    // Each of these reads one value and leaves it on s_.values.
    void parseValue(int depth);
    void parseNumber();
    void parseLiteral(const char* word, size_t length);
    // Reads a string whose opening quote is at p_; the text is in [*text, *text + *length),
    // pointing into the input or into the scratch text. A text beyond INT_MAX bytes is refused with
    // "Unsupported string": the string types count in int.
    void parseString(const char** text, size_t* length);
    unsigned parseHex4();
    char* parseUnicodeEscape(char* out, unsigned* seen);
    // Grows the scratch text for `more` bytes after `out`, keeping what is before it.
    char* growText(char* out, size_t more);
    void parseArray(int depth);
    void parseObject(int depth);
    // Reads a member name onto s_.keys, refusing one that the open object at `depth` has.
    void parseKey(int depth, size_t keyBase);
    void push(JsonValue* value) { s_.values.pushReserved(value); }
    // Moves p_ over plain bytes of a string; the result tells which classes it met.
    unsigned scanPlain() {
        const char* p = p_;
        unsigned seen = 0;
        // Sixteen bytes at a time: the quote, the backslash and control characters stop the
        // run, and the high bits tell whether it holds a multi-byte character.
        while (end_ - p >= 16) {
            ByteBlock bytes = ByteBlock::load(p);
            auto stops = bytes.equal('"') | bytes.equal('\\') | bytes.below(0x20);
            unsigned highMask = bytes.atLeast(0x80).mask();
            if (stops.any()) {
                unsigned stopMask = stops.mask();
                unsigned before = (stopMask & (0u - stopMask)) - 1;
                if (highMask & before) seen |= kStringHigh;
                p_ = p + __builtin_ctz(stopMask);
                return seen;
            }
            if (highMask) seen |= kStringHigh;
            p += 16;
        }
        for (unsigned char k; p < end_ && (k = kStringClass.of[static_cast<unsigned char>(*p)]);
             p++)
            seen |= k;
        p_ = p;
        return seen;
    }

    const char* p_;     // next byte to read
    const char* end_;   // one past the input
    int64_t line_ = 0;  // line feeds skipped so far
    ParserScratch& s_;  // the stacks and buffers the thread keeps
};

void JsonParser::parseValue(int depth) {
    // After the white space, so that the error names the line the refused value is on.
    skipWhiteSpace();
    if (depth >= kRefusedDepth) fail("Unsupported nesting");
    need(1);
    switch (*p_) {
    case '"': {
        const char* text;
        size_t length;
        parseString(&text, &length);
        char* copy = new char[length + 1];
        String owned = String::adopt(copy);
        copyShort(copy, text, length);
        copy[length] = '\0';
        s_.values.reserve();
        push(new JsonString(std::move(owned)));
        return;
    }
    case '[':
        return parseArray(depth);
    case '{':
        return parseObject(depth);
    case 't':
        return parseLiteral("true", 4);
    case 'f':
        return parseLiteral("false", 5);
    case 'n':
        return parseLiteral("null", 4);
    default:
        return parseNumber();
    }
}

void JsonParser::parseLiteral(const char* word, size_t length) {
    need(length);
    if (std::memcmp(p_, word, length) != 0) fail("Bad value");
    p_ += length;
    s_.values.reserve();
    if (word[0] == 'n')
        push(new JsonNull);
    else
        push(new JsonBool(word[0] == 't'));
}

void JsonParser::parseNumber() {
    const char* p = p_;
    bool negative = *p == '-';
    if (negative) {
        p_ = ++p;
        need(1);
    }
    uint64_t value = 0;
    if (*p == '0') {
        if (negative) fail("Bad value");
        p++;
    } else if (*p >= '1' && *p <= '9') {
        // 18 digits cannot overflow; only longer numbers pay for the check.
        const char* fastEnd = end_ - p > 18 ? p + 18 : end_;
        do
            value = value * 10 + unsigned(*p++ - '0');
        while (p < fastEnd && unsigned(*p - '0') <= 9);
        const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
        for (; p < end_ && unsigned(*p - '0') <= 9; p++) {
            unsigned digit = unsigned(*p - '0');
            if (value > (limit - digit) / 10) {
                p_ = p;
                fail("Unsupported number");
            }
            value = value * 10 + digit;
        }
    } else {
        fail("Bad value");
    }
    p_ = p;
    if (p < end_ && (*p == '.' || *p == 'e' || *p == 'E')) fail("Unsupported number");
    // Two's complement negation keeps the full range, -2^63 included.
    int64_t number = negative ? int64_t(0 - value) : int64_t(value);
    s_.values.reserve();
    push(new JsonNumber(number));
}

unsigned JsonParser::parseHex4() {
    need(4);
    int value = hex4(p_);
    if (value < 0) fail("Bad string hex escape");
    p_ += 4;
    return unsigned(value);
}

// Decodes the \\u escape whose digits are at p_ (a surrogate pair whole) into `out`, which
// has room for 4 bytes; returns the end of what it wrote.
char* JsonParser::parseUnicodeEscape(char* out, unsigned* seen) {
    unsigned codePoint = parseHex4();
    if (codePoint == 0) fail("Unsupported string");
    if (codePoint >= 0xDC00 && codePoint < 0xE000) fail("Illegal low surrogate");
    if (codePoint >= 0xD800 && codePoint < 0xDC00) {
        // Anything but a whole low-surrogate escape, the end of the input included, leaves
        // the pair unterminated.
        int low = end_ - p_ >= 6 && p_[0] == '\\' && p_[1] == 'u' ? hex4(p_ + 2) : -1;
        if (low < 0xDC00 || low >= 0xE000) fail("Unterminated surrogate pair");
        p_ += 6;
        codePoint = 0x10000 + ((codePoint & 0x3FF) << 10) + (unsigned(low) & 0x3FF);
    }
    if (codePoint < 0x80) {
        *out++ = char(codePoint);
    } else {
        // The encoder writes any code point, non-characters included: the UTF-8 check of the
        // whole text refuses those.
        utf8Encode(int(codePoint), &out);
        *seen |= kStringHigh;
    }
    return out;
}

char* JsonParser::growText(char* out, size_t more) {
    constexpr size_t kWord = sizeof(uint64_t);
    size_t used = size_t(out - s_.textData());
    // A text that passes the buffer's bound is far beyond INT_MAX bytes, which is refused
    // at the closing quote anyway.
    if ((used + more) / kWord >= decltype(s_.text)::kMaxElements) fail("Unsupported string");
    // Only the words in use are copied; the whole capacity is then room.
    s_.text.resize((used + kWord - 1) / kWord);
    s_.text.resize((used + more + kWord - 1) / kWord);
    s_.text.resize(s_.text.capacity());
    return s_.textData() + used;
}

void JsonParser::parseString(const char** text, size_t* length) {
    const char* start = ++p_;
    // Most strings hold no escape: they are checked and handed out in place, and only those
    // with a multi-byte character pay for the UTF-8 check.
    unsigned seen = scanPlain();
    need(1);
    if (*p_ == '"') {
        if (p_ - start > INT_MAX) fail("Unsupported string");
        if ((seen & kStringHigh) && !utf8IsValid(start, p_)) fail("Bad string");
        *text = start;
        *length = size_t(p_ - start);
        p_++;
        return;
    }
    // The decoded text goes to the scratch buffer, which grows when a run or an escape (at
    // most 4 bytes) would not fit.
    char* out = s_.textData();
    const char* run = start;
    for (;;) {
        // The plain run before p_, with room for the escape after it.
        size_t runLength = size_t(p_ - run);
        if (size_t(s_.textData() + s_.textBytes() - out) < runLength + 4)
            out = growText(out, runLength + 4);
        std::memcpy(out, run, runLength);
        out += runLength;
        need(1);
        unsigned char c = static_cast<unsigned char>(*p_);
        if (c == '"') break;
        if (c < 0x20) fail(c == 0 ? "Unsupported string" : "Bad string");
        p_++;
        need(1);
        char escaped = *p_++;
        switch (escaped) {
        case '"':
        case '/':
        case '\\':
            *out++ = escaped;
            break;
        case 'b':
            *out++ = '\b';
            break;
        case 'f':
            *out++ = '\f';
            break;
        case 'n':
            *out++ = '\n';
            break;
        case 'r':
            *out++ = '\r';
            break;
        case 't':
            *out++ = '\t';
            break;
        case 'u':
            out = parseUnicodeEscape(out, &seen);
            break;
        default:
            fail("Bad string");
        }
        run = p_;
        seen |= scanPlain();
    }
    p_++;
    size_t size = size_t(out - s_.textData());
    if (size > size_t(INT_MAX)) fail("Unsupported string");
    if ((seen & kStringHigh) && !utf8IsValid(s_.textData(), out)) fail("Bad string");
    *text = s_.textData();
    *length = size;
}

void JsonParser::parseArray(int depth) {
    p_++;
    const size_t base = s_.values.size();
    skipWhiteSpace();
    need(1);
    if (*p_ == ']') {
        p_++;
    } else {
        for (;;) {
            // Arrays count and index their elements in int.
            if (s_.values.size() - base == size_t(INT_MAX)) fail("Unsupported array");
            parseValue(depth + 1);
            skipWhiteSpace();
            need(1);
            char c = *p_++;
            if (c == ']') break;
            if (c != ',') fail("Bad array");
        }
    }
    std::unique_ptr<JsonArray> array(new JsonArray);
    int count = int(s_.values.size() - base);
    if (count > 0) {
        array->elements_ =
            static_cast<JsonValuePtr*>(jsonheap::allocate(size_t(count) * sizeof(JsonValuePtr)));
        array->capacity_ = count;
        JsonValuePtr* elements = array->elements_;
        s_.values.take(base, [elements](size_t i, JsonValue* value) {
            new (elements + i) JsonValuePtr(value);
        });
        array->size_ = count;
    }
    s_.values.reserve();
    push(array.release());
}

void JsonParser::parseKey(int depth, size_t keyBase) {
    skipWhiteSpace();
    need(1);
    if (*p_ != '"') fail("Bad string");
    const char* name;
    size_t length;
    parseString(&name, &length);
    const uint64_t prefix = keyPrefix(name, length);
    const size_t count = s_.keys.size() - keyBase;
    PendingKey* keys = s_.keys.data() + keyBase;
    const char* texts = s_.keyText.data();
    // Compares the name with the pending key at `i` from keyBase.
    auto same = [&](size_t i) {
        const PendingKey& key = keys[i];
        return key.prefix == prefix && key.length == length &&
               (length <= 8 || std::memcmp(texts + key.offset + 8, name + 8, length - 8) == 0);
    };
    bool duplicate = false;
    uint32_t hash = 0;
    if (count < kKeyScanLimit) {
        for (size_t i = 0; i < count && !duplicate; i++)
            duplicate = same(i);
    } else {
        JsonKeyIndex& index = s_.keyIndexes[depth];
        s_.indexesUsed = true;
        if (count == kKeyScanLimit)
            for (size_t i = 0; i < count; i++)
                keys[i].hash = JsonKeyIndex::hash(texts + keys[i].offset, keys[i].length);
        if (index.full(count)) index.build(count, [keys](size_t i) { return keys[i].hash; });
        hash = JsonKeyIndex::hash(name, length);
        uint32_t* slot = index.probe(hash, same);
        duplicate = *slot != 0;
        if (!duplicate) JsonKeyIndex::insert(slot, count);
    }
    // Objects count and index their members in int.
    if (duplicate || count == size_t(INT_MAX)) fail("Unsupported object");
    // The pending names' texts are counted as a SmallVector counts.
    const size_t offset = s_.keyText.size();
    if (length + 1 > KeyText::kMaxElements - offset) fail("Unsupported object");
    s_.keys.push_back(PendingKey{offset, uint32_t(length), hash, prefix});
    s_.keyText.resize(offset + length + 1);
    char* text = s_.keyText.data() + offset;
    copyShort(text, name, length);
    text[length] = '\0';
}

void JsonParser::parseObject(int depth) {
    p_++;
    const size_t base = s_.values.size();
    const size_t keyBase = s_.keys.size();
    const size_t textBase = s_.keyText.size();
    skipWhiteSpace();
    need(1);
    if (*p_ == '}') {
        p_++;
    } else {
        for (;;) {
            parseKey(depth, keyBase);
            skipWhiteSpace();
            need(1);
            if (*p_++ != ':') fail("Bad object");
            parseValue(depth + 1);
            skipWhiteSpace();
            need(1);
            char c = *p_++;
            if (c == '}') break;
            if (c != ',') fail("Bad object");
        }
    }
    std::unique_ptr<JsonObject> object(new JsonObject);
    int count = int(s_.keys.size() - keyBase);
    if (count > 0) {
        using Member = JsonObject::Member;
        object->members_ = static_cast<Member*>(jsonheap::allocate(size_t(count) * sizeof(Member)));
        object->capacity_ = count;
        size_t textSize = s_.keyText.size() - textBase;
        object->keyBlock_ = static_cast<char*>(jsonheap::allocate(textSize));
        object->keyBlockSize_ = textSize;
        copyShort(object->keyBlock_, s_.keyText.data() + textBase, textSize);
        Member* members = object->members_;
        const char* names = object->keyBlock_;
        const PendingKey* keys = s_.keys.data() + keyBase;
        s_.values.take(base, [=](size_t i, JsonValue* value) {
            new (members + i)
                Member{JsonKey(names + (keys[i].offset - textBase)), JsonValuePtr(value)};
        });
        object->size_ = count;
        if (size_t(count) > kKeyScanLimit) object->index_ = std::move(s_.keyIndexes[depth]);
        s_.keys.resize(keyBase);
        s_.keyText.resize(textBase);
    }
    s_.values.reserve();
    push(object.release());
}

JsonValuePtr JsonValue::parseHttpBody(const char* contentType, const char* text, size_t length) {
    if (!acceptedContentType(contentType))
        throw JsonException("Unknown Content-Type '%s'", contentType);
    ThreadCache<ParserScratch, size_t(128) << 10>::Use scratch;
    JsonParser parser(text, text ? length : 0, *scratch);
    try {
        JsonValuePtr value = parser.parseDocument();
        scratch->reset();
        return value;
    } catch (...) {
        scratch->reset();
        throw;
    }
}

}  // namespace plat
