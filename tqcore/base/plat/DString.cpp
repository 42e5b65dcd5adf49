#include "plat/DString.h"

#include "plat/Utf8.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <utility>

namespace plat {

namespace {

constexpr int kMinCapacity = 8;

// Lengths beyond what a capacity can hold are as fatal as a failed allocation.
int checkedLength(size_t length) {
    TQ_ASSERT(length < size_t(DString::kMaxCapacity));
    return int(length);
}

}  // namespace

DString::DString(const char* format, ...) {
    va_list args;
    va_start(args, format);
    appendVFormat(format, args);
    va_end(args);
}

DString::DString(const DString& other) {
    *this = other;
}

DString::DString(DString&& other) noexcept
    : buf_(std::exchange(other.buf_, nullptr)), capacity_(std::exchange(other.capacity_, 0)) {}

DString& DString::operator=(const DString& other) {
    if (this == &other) return *this;
    char* fresh = nullptr;
    if (other.buf_) {
        fresh = new (std::nothrow) char[other.capacity_];
        TQ_ASSERT(fresh);
        std::memcpy(fresh, other.buf_, size_t(other.capacity_));
    }
    delete[] buf_;
    buf_ = fresh;
    capacity_ = other.buf_ ? other.capacity_ : 0;
    return *this;
}

DString& DString::operator=(DString&& other) noexcept {
    std::swap(buf_, other.buf_);
    std::swap(capacity_, other.capacity_);
    return *this;
}

const char* DString::stableText(const char* text, String& keep, int length) const {
    // std::less orders pointers into unrelated arrays too, where < would be undefined.
    std::less<const char*> before;
    if (!buf_ || !text || before(text, buf_) || !before(text, buf_ + capacity_)) return text;
    keep = String(text, length);
    return keep.get();
}

DString& DString::reserve(int n) {
    if (n <= 0 || (buf_ && n <= capacity_)) return *this;
    TQ_ASSERT(n <= kMaxCapacity);
    int capacity = kMinCapacity;
    while (capacity < n)
        capacity <<= 1;
    char* fresh = new (std::nothrow) char[capacity];
    TQ_ASSERT(fresh);
    if (buf_)
        std::memcpy(fresh, buf_, size_t(capacity_));
    else
        fresh[0] = '\0';
    delete[] buf_;
    buf_ = fresh;
    capacity_ = capacity;
    return *this;
}

DString& DString::clear() {
    if (buf_) buf_[0] = '\0';
    return *this;
}

DString& DString::truncate(size_t length) {
    if (buf_ && length < size_t(capacity_)) buf_[length] = '\0';
    return *this;
}

char* DString::release() {
    capacity_ = 0;
    return std::exchange(buf_, nullptr);
}

void DString::adopt(char* text, int capacity) {
    TQ_ASSERT(text && 0 < capacity && capacity <= kMaxCapacity);
    delete[] std::exchange(buf_, text);
    capacity_ = capacity;
}

DString& DString::append(const char* text, int length) {
    if (!text) return *this;
    String keep;
    text = stableText(text, keep, length);
    size_t add = length < 0 ? std::strlen(text) : strnlen(text, size_t(length));
    size_t used = this->length();
    reserve(checkedLength(used + add) + 1);
    std::memcpy(buf_ + used, text, add);
    buf_[used + add] = '\0';
    return *this;
}

DString& DString::appendFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    appendVFormat(format, args);
    va_end(args);
    return *this;
}

DString& DString::appendVFormat(const char* format, va_list args) {
    if (!format) return *this;
    // The arguments of a format cannot be told apart from other texts, so the whole output is
    // made in scratch space before the buffer changes: any of them may be our own text.
    size_t guess = std::strlen(format);
    char small[512];
    std::unique_ptr<char[]> large;
    const char* output = small;
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n >= int(sizeof small)) {
        large.reset(new (std::nothrow) char[size_t(n) + 1]);
        TQ_ASSERT(large);
        va_copy(copy, args);
        n = std::vsnprintf(large.get(), size_t(n) + 1, format, copy);
        va_end(copy);
        output = large.get();
    }
    // The first request is for the length of the format, as the capacity rule expects.
    reserve(checkedLength(length() + guess) + 1);
    // A formatting error (a bad conversion, an output beyond INT_MAX) appends nothing.
    if (n > 0) append(output, n);
    return *this;
}

DString& DString::replaceRange(int start, int end, const char* text, int length) {
    int used = checkedLength(this->length());
    if (start < 0 || start > end || end > used) return *this;
    String keep;
    text = stableText(text, keep, length);
    size_t add = !text ? 0 : length < 0 ? std::strlen(text) : strnlen(text, size_t(length));
    size_t newLength = size_t(used) - size_t(end - start) + add;
    reserve(checkedLength(newLength) + 1);
    std::memmove(buf_ + start + add, buf_ + end, size_t(used - end) + 1);
    if (add) std::memcpy(buf_ + start, text, add);
    return *this;
}

DString& DString::appendUnichar(int codePoint, int count) {
    if (codePoint < 0 || codePoint > kMaxCodePoint) throw Exception("Unicode out of range");
    if (count < 1) return *this;
    char encoded[4];
    char* end = encoded;
    if (codePoint < 0x80)
        *end++ = char(codePoint);
    else
        utf8Encode(codePoint, &end);
    size_t width = size_t(end - encoded), used = length();
    reserve(checkedLength(used + width * size_t(count)) + 1);
    char* p = buf_ + used;
    for (int i = 0; i < count; ++i, p += width)
        std::memcpy(p, encoded, width);
    *p = '\0';
    return *this;
}

DString& DString::appendReplacing(const char* text, const char* find, const char* replacement) {
    size_t findLen = strLen(find);
    TQ_ASSERT(findLen);
    if (!text) return *this;
    String keepText, keepFind, keepReplacement;
    text = stableText(text, keepText);
    find = stableText(find, keepFind);
    replacement = stableText(replacement, keepReplacement);
    for (const char* p = text;;) {
        const char* hit = std::strstr(p, find);
        if (!hit) {
            append(p);
            break;
        }
        append(p, int(hit - p));
        append(replacement);
        p = hit + findLen;
    }
    return *this;
}

DString& DString::replace(const char* find, const char* replacement) {
    TQ_ASSERT(strLen(find));
    if (!buf_) return *this;
    // Built apart: our buffer, and with it any argument taken from it, lives until the end.
    DString result;
    result.appendReplacing(buf_, find, replacement);
    return *this = std::move(result);
}

bool DString::fixUtf8() {
    if (!buf_ || utf8IsValid(buf_)) return false;
    String repaired = toUtf8(buf_);
    capacity_ = checkedLength(repaired.length()) + 1;
    delete[] buf_;
    buf_ = repaired.release();
    return true;
}

DString& DString::wrap(int width, int indent) {
    if (!buf_) return *this;
    DString out;
    const char* p = buf_;
    int pending = 0;  // blanks seen but not yet written
    while (*p == ' ')
        ++p, ++pending;
    int column = 0;
    while (*p) {
        const char* word = p;
        while (*p && *p != ' ' && *p != '\n')
            ++p;
        if (!*p && p == word) break;  // blanks at the very end are a wrap point too
        int wordWidth = utf8DisplayWidth(word, p);
        if (column >= 1 && column + pending + wordWidth > width) {
            out.append("\n").appendUnichar(' ', indent);
            column = indent + wordWidth;
        } else {
            out.appendUnichar(' ', pending);
            column += pending + wordWidth;
        }
        out.append(word, int(p - word));
        pending = 0;
        if (*p == '\n') {
            out.append("\n");
            ++p;
            column = 0;
        } else {
            while (*p == ' ')
                ++p, ++pending;
        }
    }
    if (!out.buf_) out.append("");
    return *this = std::move(out);
}

void expandEnvVars(DString& result, const char* text, const StringMap* variables,
                   bool failOnUnknown, bool useEnvironment) {
    DString out;
    out.append("");
    for (const char* p = text; p && *p;) {
        const char* dollar = std::strchr(p, '$');
        if (!dollar) {
            out.append(p);
            break;
        }
        out.append(p, int(dollar - p));
        p = dollar + 1;
        String name;
        bool braced = false;
        if (*p == '{') {
            braced = true;
            const char* close = std::strchr(p + 1, '}');
            const char* stop = close ? close : p + 1 + std::strlen(p + 1);
            name = String(p + 1, int(stop - (p + 1)));
            p = close ? close + 1 : stop;
        } else if (*p == '$') {
            name = "$";
            ++p;
        } else {
            const char* start = p;
            while ((*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z') ||
                   (*p >= '0' && *p <= '9') || *p == '_')
                ++p;
            name = String(start, int(p - start));
        }
        if (name.length() == 0) {
            if (braced) out.append("$");
            continue;
        }
        if (!braced && name == "$") {
            out.append("$");
            continue;
        }
        const char* value = nullptr;
        if (variables) {
            auto it = variables->find(name);
            if (it != variables->end()) value = it->second.c_str();
        }
        if (!value && useEnvironment) value = std::getenv(name.get());
        if (!value && failOnUnknown)
            throw Exception(Format, "unknown environment variable: %s", name.get());
        out.append(value);
    }
    result = std::move(out);
}

void joinStrings(DString& result, StringSet::const_iterator first, StringSet::const_iterator last,
                 const char* separator) {
    String keep;
    separator = result.stableText(separator, keep);
    for (; first != last; ++first) {
        if (!result.empty()) result.append(separator);
        result.append(first->get());
    }
}

}  // namespace plat
