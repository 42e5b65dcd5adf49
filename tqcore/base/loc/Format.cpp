#include "loc/Format.h"

#include "loc/LocInternal.h"
#include "loc/LocaleSetter.h"
#include "plat/Utf8.h"

#include <climits>
#include <cstring>

namespace loc {

namespace {

// The result under construction: one allocation of twice the format's length covers most
// messages, and the finished array is handed to the caller's string without a copy.
class OutBuffer {
public:
    explicit OutBuffer(size_t capacity) : capacity_(capacity < 16 ? 16 : capacity) {
        data_ = new char[capacity_];
    }
    ~OutBuffer() { delete[] data_; }
    OutBuffer(const OutBuffer&) = delete;
    OutBuffer& operator=(const OutBuffer&) = delete;

    void append(const char* text, size_t length) {
        if (length >= capacity_ - length_) grow(length);
        std::memcpy(data_ + length_, text, length);
        length_ += length;
    }
    void append(const char* text) { append(text, std::strlen(text)); }
    void append(char c) {
        if (capacity_ - length_ < 2) grow(1);
        data_[length_++] = c;
    }
    plat::String finish() {
        data_[length_] = '\0';
        char* done = data_;
        data_ = nullptr;
        return plat::String::adopt(done);
    }

private:
    void grow(size_t more) {
        size_t wanted = length_ + more + 1;
        size_t capacity = capacity_ * 2;
        while (capacity < wanted)
            capacity *= 2;
        char* bigger = new char[capacity];
        std::memcpy(bigger, data_, length_);
        delete[] data_;
        data_ = bigger;
        capacity_ = capacity;
    }

    char* data_;
    size_t length_ = 0;  // bytes used, without the NUL
    size_t capacity_;    // bytes allocated, room for the NUL included
};

// Reads a decimal number at `p` the way strtol does in the C locale (leading white space and
// a sign accepted), saturating at the 32-bit limits. False when there is no digit.
bool readNumber(const char* p, long* value, const char** end) {
    while (plat::asciiIsSpace(*p))
        ++p;
    bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    if (*p < '0' || *p > '9') return false;
    long n = 0;
    const long limit = negative ? -long(INT_MIN) : long(INT_MAX);
    for (; *p >= '0' && *p <= '9'; ++p) {
        n = n * 10 + (*p - '0');
        if (n > limit) n = limit;
    }
    *value = negative ? -n : n;
    *end = p;
    return true;
}

void appendUnsigned(OutBuffer& out, unsigned long value, unsigned base) {
    char digits[24];
    char* p = digits + sizeof digits;
    do {
        *--p = "0123456789abcdef"[value % base];
        value /= base;
    } while (value);
    out.append(p, size_t(digits + sizeof digits - p));
}

void appendSigned(OutBuffer& out, int32_t value, bool plus) {
    if (value < 0)
        out.append('-');
    else if (plus)
        out.append('+');
    appendUnsigned(out, value < 0 ? 0ul - static_cast<unsigned long>(value) : value, 10);
}

// Converts the placeholder whose characters start at `p` (just after its '%'). Returns the
// position after the conversion letter, or null when the placeholder is bad.
const char* convertPlaceholder(OutBuffer& out, const char* p, const FormatArg* args) {
    bool plus = false;
    long precision = 0;  // 0: none
    const FormatArg* arg = nullptr;
    bool selected = false;
    for (;;) {
        if (*p == '+' && !plus) {
            plus = true;
            ++p;
            continue;
        }
        long number;
        const char* after;
        if (*p == '.' && precision == 0 && readNumber(p + 1, &number, &after) && number > 0) {
            precision = number;
            p = after;
            continue;
        }
        if (!selected && readNumber(p, &number, &after) && number > 0 && *after == '$') {
            const FormatArg* a = args;
            for (long i = 1; a && i < number; ++i)
                a = a->next;
            if (a) {
                arg = a;
                selected = true;
                p = after + 1;
                continue;
            }
        }
        break;
    }
    char letter = *p;
    if (letter != 'D' && letter != 'S' && letter != 'X') return nullptr;
    if (!selected) {
        if (!args || args->next) return nullptr;
        arg = args;
    }
    if (arg->kind == FormatArg::kString && !arg->strValue) return nullptr;
    if (precision > 0) {
        if (letter != 'S' || plus || arg->kind != FormatArg::kString) return nullptr;
        plat::String start = plat::toUtf8(arg->strValue, nullptr, int(precision));
        out.append(start.c_str(), start.length());
    } else if (plus) {
        if (letter != 'D' || arg->kind != FormatArg::kSigned) return nullptr;
        appendSigned(out, arg->intValue, true);
    } else if (letter == 'X') {
        if (arg->kind != FormatArg::kUnsigned) return nullptr;
        appendUnsigned(out, arg->uintValue, 16);
    } else if (letter == 'S') {
        if (arg->kind != FormatArg::kString) return nullptr;
        out.append(arg->strValue);
    } else if (arg->kind == FormatArg::kUnsigned) {
        appendUnsigned(out, arg->uintValue, 10);
    } else if (arg->kind == FormatArg::kSigned) {
        appendSigned(out, arg->intValue, false);
    } else {
        return nullptr;
    }
    return p + 1;
}

}  // namespace

plat::String& formatTranslation(plat::String& out, const char* format, const FormatArg* args) {
    if (!format) format = "";
    size_t formatLength = std::strlen(format);
    OutBuffer buffer(formatLength * 2);
    bool bad = false;
    const char* p = format;
    for (;;) {
        const char* percent = std::strchr(p, '%');
        if (!percent) {
            buffer.append(p, size_t(format + formatLength - p));
            break;
        }
        buffer.append(p, size_t(percent - p));
        if (percent[1] == '%') {
            buffer.append('%');
            p = percent + 2;
            continue;
        }
        if (percent[1] == '\0') {
            buffer.append("%%", 2);
            bad = true;
            break;
        }
        const char* next = convertPlaceholder(buffer, percent + 1, args);
        if (!next) {
            // The placeholder's own characters follow as plain text, so the reader sees it.
            buffer.append("%%", 2);
            bad = true;
            next = percent + 1;
        }
        p = next;
    }
    // Logged before `out` changes: the format may be its text.
    if (bad) localizeLog().error("Bad loc string for args - %s", format);
    out = buffer.finish();
    return out;
}

plat::String formatString(const char* format, const FormatArg* args) {
    plat::String out;
    formatTranslation(out, format, args);
    return out;
}

void wrapText(plat::DString& text, int width, int indent) {
    LocaleSetter processLocale(nullptr);
    text.wrap(width, indent);
}

}  // namespace loc
