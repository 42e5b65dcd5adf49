// plat::SecureString: the holder of a secret text (a password, a token).
//
// Every replacement and the destructor zero the old text before freeing it. A new text is
// copied before the old one is wiped, so assigning the holder's own text (or a part of it) is
// safe.
#pragma once

#include "plat/StrUtil.h"

#include <utility>

namespace plat {

class SecureString {
public:
    SecureString() = default;
    explicit SecureString(const char* text, int length = -1) { assign(text, length); }
    SecureString(SecureString&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    SecureString& operator=(SecureString&& other) noexcept {
        if (this != &other) {
            wipeAndFree();
            text_ = std::exchange(other.text_, nullptr);
        }
        return *this;
    }
    SecureString(const SecureString&) = delete;
    SecureString& operator=(const SecureString&) = delete;
    ~SecureString() { wipeAndFree(); }

    // Takes at most `length` bytes of `text` (negative: up to the NUL); null empties the holder.
    void assign(const char* text, int length = -1) {
        char* fresh = strDup(text, length);
        wipeAndFree();
        text_ = fresh;
    }
    void clear() { wipeAndFree(); }

    const char* get() const { return text_; }
    const char* c_str() const { return text_ ? text_ : ""; }
    size_t length() const { return strLen(text_); }

private:
    void wipeAndFree() {
        if (text_) secureZero(text_, strLen(text_));
        delete[] text_;
        text_ = nullptr;
    }

    char* text_ = nullptr;
};

}  // namespace plat
