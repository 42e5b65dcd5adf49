// plat::String: an owned, NUL-terminated UTF-8 text (or null), allocated with array new.
//
// Copying duplicates the text; assigning a text equal to the current one does nothing. It is
// the result type of the helpers that make new texts, so that the caller never frees by hand.
#pragma once

#include "plat/StrUtil.h"

#include <utility>

namespace plat {

class String {
public:
    String() = default;
    explicit String(const char* text, int length = -1) : text_(strDup(text, length)) {}
    String(const String& other) : text_(strDup(other.text_)) {}
    String(String&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    ~String() { delete[] text_; }

    String& operator=(const String& other) { return *this = other.text_; }
    String& operator=(String&& other) noexcept {
        std::swap(text_, other.text_);
        return *this;
    }
    // Does nothing when the text equals the current one (byte-wise, null equal to null).
    String& operator=(const char* text);

    // Takes ownership of an array-new text.
    static String adopt(char* text) {
        String s;
        s.text_ = text;
        return s;
    }
    // A new string holding the printf-style result.
    static String format(const char* format, ...) TQ_PRINTF_FORMAT(1, 2);

    const char* get() const { return text_; }
    char* buf() { return text_; }
    // The text, or "" when null.
    const char* c_str() const { return text_ ? text_ : ""; }
    bool isNull() const { return text_ == nullptr; }
    size_t length() const { return strLen(text_); }
    // Hands the array over to the caller, who frees it with delete[].
    char* release() { return std::exchange(text_, nullptr); }

private:
    char* text_ = nullptr;
};

inline bool operator==(const String& a, const char* b) {
    return strCmpNull(a.get(), b) == 0;
}
inline bool operator!=(const String& a, const char* b) {
    return !(a == b);
}

}  // namespace plat
