// The JSON writer: the tree is walked once, on a stack of open containers of its own, so that
// no depth that a program builds can overflow the thread's. The text is written straight into
// the stream's window, so each byte is copied once and the stream's virtual calls do not grow
// with the number of tokens.
#include "plat/Json.h"

#include "plat/ByteScan.h"
#include "plat/Utf8.h"
#include "rdr/MemOutStream.h"
#include "rdr/OutStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace plat {

namespace {

// The bytes that a string writes as they are: printable ASCII but the quote and the backslash.
struct PlainBytes {
    bool of[256];
    constexpr PlainBytes() : of() {
        for (int c = 0x20; c < 0x7F; c++)
            of[c] = c != '"' && c != '\\';
    }
};
constexpr PlainBytes kPlain;

// The bytes of `bytes` (a ByteWord or a ByteBlock) that a string does not write as they are:
// control characters, 0x7F and up, the quote and the backslash.
template <typename Bytes>
auto unplain(const Bytes& bytes) {
    return bytes.below(0x20) | bytes.atLeast(0x7F) | bytes.equal('"') | bytes.equal('\\');
}

// Spaces for the usual indents, copied in two 16-byte moves.
constexpr char kSpaces[] = "                                ";
constexpr size_t kSpaceRun = sizeof kSpaces - 1;
static_assert(kSpaceRun == 32, "two 16-byte moves");

}  // namespace

class JsonWriter {
public:
    explicit JsonWriter(rdr::OutStream& out) : out_(out) {}
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    // Writes `top` starting at column `indent`. A container whose elements would lie deeper
    // than `maxDepth` (the top at 0) is written up to its opening bracket and ends the text:
    // the result is then false.
    bool value(const JsonValue& top, size_t indent, size_t maxDepth);
    // Hands what was written to the stream: it is in the stream's window already, or in
    // spill_.
    void flush() {
        if (buffer_ == spill_)
            out_.write(spill_, used_);
        else
            out_.setPtr(reinterpret_cast<uint8_t*>(buffer_ + used_));
        buffer_ = spill_;
        used_ = size_ = 0;
    }

private:
    // The longest piece written at once: a character as two \u escapes, or a number.
    static constexpr int kMaxPiece = 24;
    // Indents up to this width go out in one piece.
    static constexpr int kMaxIndent = 128;
    // Containers open at once that the stack holds without an allocation: all that the parser
    // makes.
    static constexpr size_t kInlineLevels = JsonValue::kMaxDepth;

    // An open container.
    struct Level {
        const JsonValue* container;
        int next;     // the index of the element to write next
        bool object;  // an object, else an array
    };

    // Room for at least `n` (at most the size of spill_) more bytes.
    char* room(int n) {
        if (used_ + n > size_) nextArea(n);
        return buffer_ + used_;
    }
    void nextArea(int n);
    void put(char c) { *room(1) = c, used_++; }
    // A short literal.
    void put(const char* text, int length) {
        std::memcpy(room(length), text, size_t(length));
        used_ += length;
    }
    // Writes `value` unless it is an array or an object that holds something: false then.
    bool scalar(const JsonValue& value) {
        switch (value.kind()) {
        case JsonValue::Kind::Null:
            put("null", 4);
            return true;
        case JsonValue::Kind::Bool:
            if (static_cast<const JsonBool&>(value).value())
                put("true", 4);
            else
                put("false", 5);
            return true;
        case JsonValue::Kind::Number:
            number(static_cast<const JsonNumber&>(value).value());
            return true;
        case JsonValue::Kind::String:
            string(static_cast<const JsonString&>(value).c_str());
            return true;
        case JsonValue::Kind::Array:
            if (static_cast<const JsonArray&>(value).size() > 0) return false;
            put("[]", 2);
            return true;
        case JsonValue::Kind::Object:
            if (static_cast<const JsonObject&>(value).size() > 0) return false;
            put("{}", 2);
            return true;
        }
        return true;
    }
    // Copies the plain bytes from `p` on, up to `end` at most; returns the first other byte.
    const char* plainRun(const char* p, const char* end);
    void newLine(size_t indent);
    void number(int64_t value);
    void string(const char* text);

    rdr::OutStream& out_;
    char* buffer_ = spill_;  // where the text goes: the stream's window, or spill_
    int used_ = 0;           // bytes of buffer_ not yet handed to out_
    int size_ = 0;           // bytes that buffer_ takes
    char spill_[256];
    static_assert(1 + kMaxIndent + 16 <= int(sizeof spill_), "newLine() asks for this much");
};

// The stream's window while it has room for the next piece; otherwise spill_, which goes to
// the stream through write(): that makes room the stream's own way, however small its buffers
// or near its limit, where asking the stream for a piece of room could fail for want of bytes
// that the text does not need.
void JsonWriter::nextArea(int n) {
    flush();
    int space = int(out_.windowEnd() - out_.getPtr());
    if (space >= n) {
        buffer_ = reinterpret_cast<char*>(out_.getPtr());
        size_ = space;
    } else {
        size_ = int(sizeof spill_);
    }
}

bool JsonWriter::value(const JsonValue& top, size_t indent, size_t maxDepth) {
    if (scalar(top)) return true;
    Level inlineLevels[kInlineLevels];
    std::vector<Level> moreLevels;
    Level* levels = inlineLevels;
    size_t capacity = kInlineLevels, depth = 0;  // open containers
    const JsonValue* opened = &top;
    for (;;) {
        if (opened) {
            const bool object = opened->kind() == JsonValue::Kind::Object;
            put(object ? '{' : '[');
            if (depth == maxDepth) return false;
            if (depth == capacity) {
                std::vector<Level> grown(2 * capacity);
                std::copy(levels, levels + depth, grown.begin());
                moreLevels.swap(grown);
                levels = moreLevels.data();
                capacity = moreLevels.size();
            }
            levels[depth++] = Level{opened, 0, object};
            opened = nullptr;
        }
        // The elements of the innermost open container, up to one that opens another.
        Level& level = levels[depth - 1];
        const size_t elementIndent = indent + 2 * depth;
        int next = level.next;
        if (level.object) {
            const JsonObject::Members members =
                static_cast<const JsonObject*>(level.container)->members();
            const JsonObject::Member* member = members.begin() + next;
            for (; member != members.end(); member++) {
                if (member != members.begin()) put(',');
                newLine(elementIndent);
                string(member->name.c_str());
                put(':');
                if (!scalar(*member->value)) {
                    opened = member++->value.get();
                    break;
                }
            }
            next = int(member - members.begin());
        } else {
            const JsonArray* array = static_cast<const JsonArray*>(level.container);
            const JsonValuePtr* element = array->elements_ + next;
            const JsonValuePtr* end = array->elements_ + array->size_;
            for (; element != end; element++) {
                if (element != array->elements_) put(',');
                newLine(elementIndent);
                if (!scalar(**element)) {
                    opened = element++->get();
                    break;
                }
            }
            next = int(element - array->elements_);
        }
        level.next = next;
        if (opened) continue;
        newLine(elementIndent - 2);
        put(level.object ? '}' : ']');
        if (--depth == 0) return true;
    }
}

void JsonWriter::newLine(size_t indent) {
    if (indent <= kMaxIndent) {
        // Room for the longest: stores of whole 16-byte pieces may pass the indent.
        char* out = room(1 + kMaxIndent + 16);
        *out = '\n';
        // One fixed-size copy covers the usual depths; a variable-length fill here would
        // become a string instruction whose start costs more than the whole indent.
        std::memcpy(out + 1, kSpaces, kSpaceRun);
        if (indent > kSpaceRun) std::memset(out + 1 + kSpaceRun, ' ', indent - kSpaceRun);
        used_ += 1 + indent;
        return;
    }
    put('\n');
    while (indent > 0) {
        char* out = room(kMaxIndent);
        int n = indent < size_t(kMaxIndent) ? int(indent) : kMaxIndent;
        std::memset(out, ' ', size_t(n));
        used_ += n;
        indent -= size_t(n);
    }
}

void JsonWriter::number(int64_t value) {
    static const char pairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    char digits[20];
    char* start = digits + sizeof digits;
    // Counting in the unsigned magnitude keeps INT64_MIN exact.
    uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
    while (magnitude >= 100) {
        unsigned pair = unsigned(magnitude % 100) * 2;
        magnitude /= 100;
        start -= 2;
        start[0] = pairs[pair];
        start[1] = pairs[pair + 1];
    }
    if (magnitude >= 10) {
        start -= 2;
        start[0] = pairs[magnitude * 2];
        start[1] = pairs[magnitude * 2 + 1];
    } else {
        *--start = char('0' + magnitude);
    }
    char* out = room(21);
    if (value < 0) *out++ = '-';
    while (start < digits + sizeof digits)
        *out++ = *start++;
    used_ = int(out - buffer_);
}

const char* JsonWriter::plainRun(const char* p, const char* end) {
    // Sixteen bytes at a time, stored whole: the count moves on only over the plain ones.
    while (end - p >= 16) {
        char* out = room(16);
        std::memcpy(out, p, 16);
        auto stops = unplain(ByteBlock::load(p));
        if (stops.any()) {
            int plain = stops.first();
            used_ += plain;
            return p + plain;
        }
        used_ += 16;
        p += 16;
    }
    // Fewer than 16 bytes left: when they are all plain, two overlapping words carry them.
    size_t left = size_t(end - p);
    if (left >= 4 && left < 16) {
        uint64_t head, tail;
        if (left >= 8) {
            std::memcpy(&head, p, 8);
            std::memcpy(&tail, end - 8, 8);
        } else {
            uint32_t first, last;
            std::memcpy(&first, p, 4);
            std::memcpy(&last, end - 4, 4);
            head = tail = first | uint64_t(last) << 32;
        }
        if (!(unplain(ByteWord{head}) | unplain(ByteWord{tail}))) {
            char* out = room(16);
            if (left >= 8) {
                std::memcpy(out, &head, 8);
                std::memcpy(out + left - 8, &tail, 8);
            } else {
                std::memcpy(out, p, 4);
                std::memcpy(out + left - 4, end - 4, 4);
            }
            used_ += int(left);
            return end;
        }
    }
    // Byte by byte, up to 16 at a time.
    while (p < end) {
        char* out = room(16);
        const char* stop = end - p > 16 ? p + 16 : end;
        while (p < stop && kPlain.of[static_cast<unsigned char>(*p)])
            *out++ = *p++;
        used_ = int(out - buffer_);
        if (p < stop) break;
    }
    return p;
}

void JsonWriter::string(const char* text) {
    static const char hex[] = "0123456789ABCDEF";
    put('"');
    const char* p = text;
    const char* end = text + std::strlen(text);
    for (;;) {
        p = plainRun(p, end);
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == 0) break;
        char* out = room(kMaxPiece);
        if (c < 0x80) {
            p++;
            *out++ = '\\';
            switch (c) {
            case '\t':
                *out++ = 't';
                break;
            case '\n':
                *out++ = 'n';
                break;
            case '\r':
                *out++ = 'r';
                break;
            case '"':
                *out++ = '"';
                break;
            case '\\':
                *out++ = '\\';
                break;
            default:
                *out++ = 'u';
                *out++ = '0';
                *out++ = '0';
                *out++ = hex[c >> 4];
                *out++ = hex[c & 15];
            }
            used_ = int(out - buffer_);
            continue;
        }
        const char* start = p;
        int codePoint = utf8Decode(&p, nullptr);
        if (codePoint < 0) {
            // Dropping the rest of the text would lose data silently: mark the bad bytes.
            std::memcpy(out, "\xEF\xBF\xBD", 3);
            out += 3;
        } else if (codePoint > 0xFFFF) {
            unsigned units[2] = {0xD800u | unsigned(codePoint - 0x10000) >> 10,
                                 0xDC00u | (unsigned(codePoint) & 0x3FF)};
            for (unsigned unit : units) {
                *out++ = '\\';
                *out++ = 'u';
                for (int shift = 12; shift >= 0; shift -= 4)
                    *out++ = hex[(unit >> shift) & 15];
            }
        } else {
            std::memcpy(out, start, size_t(p - start));
            out += p - start;
        }
        used_ = int(out - buffer_);
    }
    put('"');
}

void JsonValue::write(rdr::OutStream& out, int indent) const {
    JsonWriter writer(out);
    writer.value(*this, indent < 0 ? 0 : size_t(indent), SIZE_MAX);
    writer.flush();
}

JsonValuePtr JsonValue::clone(const JsonValuePtr& value) {
    if (!value) return JsonValuePtr();
    rdr::MemOutStream out;
    JsonWriter writer(out);
    const bool whole = writer.value(*value, 0, kMaxDepth);
    writer.flush();
    DString text;
    out.takeString(text);
    if (!whole) {
        // The parser would refuse the first element of the last container written, on the
        // line after its bracket: the rest, however deep, need not be written to find that.
        long long line = 1 + std::count(text.c_str(), text.c_str() + text.length(), '\n');
        throw JsonException("Unsupported nesting at line %lld", line);
    }
    return parseHttpBody(nullptr, text.get(), text.length());
}

}  // namespace plat
