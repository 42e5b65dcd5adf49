// The JSON parser: recursive descent over the input bytes, one value per call, with the depth
// bounded so that the recursion is too.
#include "plat/Json.h"

#include "plat/Utf8.h"

#include <climits>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace plat {

namespace {

// The top value has depth 0; a value at this depth is refused.
constexpr int kRefusedDepth = 33;

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

}  // namespace

class JsonParser {
public:
    JsonParser(const char* text, size_t length) : p_(text), end_(text + length) {}

    JsonValuePtr parseDocument() {
        JsonValuePtr value = parseValue(0);
        skipWhiteSpace();
        if (p_ != end_) fail("Trailing bytes after JSON");
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

    JsonValuePtr parseValue(int depth);
    JsonValuePtr parseNumber();
    JsonValuePtr parseLiteral(const char* word, size_t length);
    // Reads a string whose opening quote is at p_; the text is in [*text, *text + *length),
    // pointing into the input or into scratch_. A text beyond INT_MAX bytes is refused with
    // "Unsupported string": the string types count in int.
    void parseString(const char** text, size_t* length);
    unsigned parseHex4();
    JsonValuePtr parseArray(int depth);
    JsonValuePtr parseObject(int depth);
    // Moves p_ over plain bytes of a string; the result tells which classes it met.
    unsigned scanPlain() {
        const char* p = p_;
        unsigned seen = 0;
        for (unsigned char k; p < end_ && (k = kStringClass.of[static_cast<unsigned char>(*p)]);
             p++)
            seen |= k;
        p_ = p;
        return seen;
    }

    const char* p_;                    // next byte to read
    const char* end_;                  // one past the input
    int64_t line_ = 0;                 // line feeds skipped so far
    std::unique_ptr<char[]> scratch_;  // the text of a string that holds escapes
    size_t scratchSize_ = 0;           // its size in bytes
    // Elements of the arrays being read, innermost last: each array takes its own off the end
    // when it closes, so that its storage is allocated once, at its final size.
    std::vector<JsonValuePtr> elements_;
};

JsonValuePtr JsonParser::parseValue(int depth) {
    // After the white space, so that the error names the line the refused value is on.
    skipWhiteSpace();
    if (depth >= kRefusedDepth) fail("Unsupported nesting");
    need(1);
    switch (*p_) {
    case '"': {
        const char* text;
        size_t length;
        parseString(&text, &length);
        return JsonValuePtr(new JsonString(text, int(length)));
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

JsonValuePtr JsonParser::parseLiteral(const char* word, size_t length) {
    need(length);
    if (std::memcmp(p_, word, length) != 0) fail("Bad value");
    p_ += length;
    if (word[0] == 'n') return JsonValuePtr(new JsonNull);
    return JsonValuePtr(new JsonBool(word[0] == 't'));
}

JsonValuePtr JsonParser::parseNumber() {
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
    return JsonValuePtr(new JsonNumber(number));
}

unsigned JsonParser::parseHex4() {
    need(4);
    int value = hex4(p_);
    if (value < 0) fail("Bad string hex escape");
    p_ += 4;
    return unsigned(value);
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
    // No escape makes its text longer, so the bytes up to the closing quote (or the end of the
    // input) bound the decoded text and the loop below writes without checks.
    size_t bound = size_t(p_ - start);
    for (const char* q = p_; q < end_ && *q != '"';) {
        size_t step = *q == '\\' && end_ - q > 1 ? 2 : 1;
        q += step;
        bound += step;
    }
    if (bound > scratchSize_) {
        scratchSize_ = bound > 2 * scratchSize_ ? bound : 2 * scratchSize_;
        scratch_.reset(new char[scratchSize_]);
    }
    char* out = scratch_.get();
    std::memcpy(out, start, size_t(p_ - start));
    out += p_ - start;
    for (;;) {
        need(1);
        unsigned char c = static_cast<unsigned char>(*p_);
        if (c == '"') break;
        if (c < 0x20) fail(c == 0 ? "Unsupported string" : "Bad string");
        if (c != '\\') {
            const char* run = p_;
            seen |= scanPlain();
            std::memcpy(out, run, size_t(p_ - run));
            out += p_ - run;
            continue;
        }
        p_++;
        need(1);
        char escaped = *p_++;
        switch (escaped) {
        case '"':
        case '/':
        case '\\':
            *out++ = escaped;
            continue;
        case 'b':
            *out++ = '\b';
            continue;
        case 'f':
            *out++ = '\f';
            continue;
        case 'n':
            *out++ = '\n';
            continue;
        case 'r':
            *out++ = '\r';
            continue;
        case 't':
            *out++ = '\t';
            continue;
        case 'u':
            break;
        default:
            fail("Bad string");
        }
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
            // The encoder writes any code point, non-characters included: the check below
            // refuses those.
            utf8Encode(int(codePoint), &out);
            seen |= kStringHigh;
        }
    }
    p_++;
    size_t size = size_t(out - scratch_.get());
    if (size > size_t(INT_MAX)) fail("Unsupported string");
    if ((seen & kStringHigh) && !utf8IsValid(scratch_.get(), out)) fail("Bad string");
    *text = scratch_.get();
    *length = size;
}

JsonValuePtr JsonParser::parseArray(int depth) {
    p_++;
    JsonArrayPtr array(new JsonArray);
    skipWhiteSpace();
    need(1);
    if (*p_ == ']') {
        p_++;
        return std::move(array);
    }
    const size_t base = elements_.size();
    for (;;) {
        // Arrays count and index their elements in int.
        if (elements_.size() - base == size_t(INT_MAX)) fail("Unsupported array");
        elements_.push_back(parseValue(depth + 1));
        skipWhiteSpace();
        need(1);
        char c = *p_++;
        if (c == ']') break;
        if (c != ',') fail("Bad array");
    }
    std::vector<JsonValuePtr>& owned = array->elements_;
    owned.reserve(elements_.size() - base);
    for (size_t i = base; i < elements_.size(); i++)
        owned.push_back(std::move(elements_[i]));
    elements_.resize(base);
    return std::move(array);
}

JsonValuePtr JsonParser::parseObject(int depth) {
    p_++;
    JsonObjectPtr object(new JsonObject);
    skipWhiteSpace();
    need(1);
    if (*p_ == '}') {
        p_++;
        return std::move(object);
    }
    for (;;) {
        skipWhiteSpace();
        need(1);
        if (*p_ != '"') fail("Bad string");
        const char* name;
        size_t nameLength;
        parseString(&name, &nameLength);
        String key(name, int(nameLength));
        skipWhiteSpace();
        need(1);
        if (*p_++ != ':') fail("Bad object");
        // Objects count and index their members in int.
        if (object->find(std::string_view(key.get(), nameLength)) >= 0 ||
            object->members_.size() == size_t(INT_MAX))
            fail("Unsupported object");
        object->appendNew(std::move(key), parseValue(depth + 1));
        skipWhiteSpace();
        need(1);
        char c = *p_++;
        if (c == '}') return std::move(object);
        if (c != ',') fail("Bad object");
    }
}

JsonValuePtr JsonValue::parseHttpBody(const char* contentType, const char* text, size_t length) {
    if (!acceptedContentType(contentType))
        throw JsonException("Unknown Content-Type '%s'", contentType);
    JsonParser parser(text, text ? length : 0);
    return parser.parseDocument();
}

}  // namespace plat
