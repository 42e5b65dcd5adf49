// The JSON parser: recursive descent over the input bytes, one value per call, with the depth
// bounded so that the recursion is too.
#include "plat/Json.h"

#include "plat/Utf8.h"

#include <climits>
#include <cstring>
#include <string>
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

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
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
        throw JsonException("%s at line %d", what, line_ > INT_MAX ? INT_MAX : int(line_));
    }
    void need(size_t n) const {
        if (size_t(end_ - p_) < n) fail("Truncated JSON");
    }

    void skipWhiteSpace() {
        for (; p_ < end_; p_++) {
            char c = *p_;
            if (c == '\n')
                line_++;
            else if (c != ' ' && c != '\t' && c != '\r')
                return;
        }
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

    const char* p_;        // next byte to read
    const char* end_;      // one past the input
    int64_t line_ = 0;     // line feeds skipped so far
    std::string scratch_;  // the text of a string that holds escapes
    // Elements of the arrays being read, innermost last: each array takes its own off the end
    // when it closes, so that its storage is allocated once, at its final size.
    std::vector<JsonValuePtr> elements_;
};

JsonValuePtr JsonParser::parseValue(int depth) {
    if (depth >= kRefusedDepth) fail("Unsupported nesting");
    skipWhiteSpace();
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
    bool negative = *p_ == '-';
    if (negative) {
        p_++;
        need(1);
    }
    uint64_t value = 0;
    if (*p_ == '0') {
        if (negative) fail("Bad value");
        p_++;
    } else if (*p_ >= '1' && *p_ <= '9') {
        // 18 digits cannot overflow; only longer numbers pay for the check.
        const char* start = p_;
        do
            value = value * 10 + unsigned(*p_++ - '0');
        while (p_ < end_ && *p_ >= '0' && *p_ <= '9' && p_ - start < 18);
        const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
        for (; p_ < end_ && *p_ >= '0' && *p_ <= '9'; p_++) {
            unsigned digit = unsigned(*p_ - '0');
            if (value > (limit - digit) / 10) fail("Unsupported number");
            value = value * 10 + digit;
        }
    } else {
        fail("Bad value");
    }
    if (p_ < end_ && (*p_ == '.' || *p_ == 'e' || *p_ == 'E')) fail("Unsupported number");
    // Two's complement negation keeps the full range, -2^63 included.
    int64_t number = negative ? int64_t(0 - value) : int64_t(value);
    return JsonValuePtr(new JsonNumber(number));
}

unsigned JsonParser::parseHex4() {
    need(4);
    unsigned value = 0;
    for (int i = 0; i < 4; i++) {
        int digit = hexDigit(p_[i]);
        if (digit < 0) fail("Bad string hex escape");
        value = value << 4 | unsigned(digit);
    }
    p_ += 4;
    return value;
}

void JsonParser::parseString(const char** text, size_t* length) {
    const char* start = ++p_;
    // Most strings hold no escape: they are checked and handed out in place.
    while (p_ < end_ && *p_ != '"' && *p_ != '\\' && static_cast<unsigned char>(*p_) >= 0x20)
        p_++;
    need(1);
    if (*p_ == '"') {
        if (p_ - start > INT_MAX) fail("Unsupported string");
        if (!utf8IsValid(start, p_)) fail("Bad string");
        *text = start;
        *length = size_t(p_ - start);
        p_++;
        return;
    }
    scratch_.assign(start, size_t(p_ - start));
    for (;;) {
        need(1);
        unsigned char c = static_cast<unsigned char>(*p_);
        if (c == '"') break;
        if (c < 0x20) fail(c == 0 ? "Unsupported string" : "Bad string");
        if (c != '\\') {
            const char* run = p_;
            while (p_ < end_ && *p_ != '"' && *p_ != '\\' &&
                   static_cast<unsigned char>(*p_) >= 0x20)
                p_++;
            scratch_.append(run, size_t(p_ - run));
            continue;
        }
        p_++;
        need(1);
        char escaped = *p_++;
        switch (escaped) {
        case '"':
        case '/':
        case '\\':
            scratch_ += escaped;
            continue;
        case 'b':
            scratch_ += '\b';
            continue;
        case 'f':
            scratch_ += '\f';
            continue;
        case 'n':
            scratch_ += '\n';
            continue;
        case 'r':
            scratch_ += '\r';
            continue;
        case 't':
            scratch_ += '\t';
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
            need(2);
            if (p_[0] != '\\' || p_[1] != 'u') fail("Unterminated surrogate pair");
            p_ += 2;
            unsigned low = parseHex4();
            if (low < 0xDC00 || low >= 0xE000) fail("Unterminated surrogate pair");
            codePoint = 0x10000 + ((codePoint & 0x3FF) << 10) + (low & 0x3FF);
        }
        if (codePoint < 0x80) {
            scratch_ += char(codePoint);
        } else {
            char encoded[4];
            char* out = encoded;
            utf8Encode(int(codePoint), &out);
            scratch_.append(encoded, size_t(out - encoded));
        }
    }
    p_++;
    if (scratch_.size() > size_t(INT_MAX)) fail("Unsupported string");
    if (!utf8IsValid(scratch_.data(), scratch_.data() + scratch_.size())) fail("Bad string");
    *text = scratch_.data();
    *length = scratch_.size();
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
        if (object->find(std::string_view(key.get(), nameLength)) >= 0) fail("Unsupported object");
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
