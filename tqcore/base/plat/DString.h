// plat::DString: a growable UTF-8 text buffer with appending, printf-style formatting,
// "$" expansion and word wrapping.
//
// There is no length field: the length is always strlen of the buffer, so the text never holds
// a NUL and is meant for texts of moderate size. Growth makes the capacity 8 at least and
// otherwise the next power of two; the buffer is null until something is stored. Every
// operation accepts its own text (or a part of it) as an argument: stableText() is where that
// rule lives. Growth never throws: running out of memory, or a capacity beyond 2^30, ends the
// process.
#pragma once

#include "plat/StringList.h"

#include <cstdarg>

namespace plat {

class DString {
public:
    // The largest capacity; growth beyond it ends the process.
    static constexpr int kMaxCapacity = 1 << 30;

    DString() = default;
    explicit DString(const char* format, ...) TQ_PRINTF_FORMAT(2, 3);
    DString(const DString& other);
    DString(DString&& other) noexcept;
    DString& operator=(const DString& other);
    DString& operator=(DString&& other) noexcept;
    ~DString() { delete[] buf_; }

    // The buffer (null when nothing was ever stored), or "" through c_str().
    const char* get() const { return buf_; }
    const char* c_str() const { return buf_ ? buf_ : ""; }
    char* buf() { return buf_; }
    size_t length() const { return strLen(buf_); }
    bool empty() const { return !buf_ || !*buf_; }
    int capacity() const { return capacity_; }

    // Makes room for `n` bytes with the NUL; 0 does nothing.
    DString& reserve(int n);
    // Empties the text, keeping the buffer.
    DString& clear();
    // Cuts the text to `length` bytes when it is longer.
    DString& truncate(size_t length);

    // Appends at most `length` bytes of `text` (negative: up to the NUL); null adds nothing.
    DString& append(const char* text, int length = -1);
    DString& appendFormat(const char* format, ...) TQ_PRINTF_FORMAT(2, 3);
    // A formatting error appends nothing.
    DString& appendVFormat(const char* format, va_list args) TQ_PRINTF_FORMAT(2, 0);
    // Replaces bytes start..end (exclusive) by the text; does nothing unless
    // 0 <= start <= end <= length().
    DString& replaceRange(int start, int end, const char* text, int length = -1);
    // Appends the code point `count` times (nothing when count < 1). A code point outside
    // 0..U+10FFFF throws plat::Exception "Unicode out of range".
    DString& appendUnichar(int codePoint, int count = 1);
    // Appends `text` with every occurrence of `find` replaced; an empty `find` is a fatal
    // assertion failure.
    DString& appendReplacing(const char* text, const char* find, const char* replacement);
    // The same on the buffer's own text, in place.
    DString& replace(const char* find, const char* replacement);
    // Leaves valid UTF-8 alone and returns false; otherwise replaces every invalid sequence by
    // U+FFFD, fits the capacity to the result and returns true.
    bool fixUtf8();
    // Word-wraps to `width` display columns, continuing lines after `indent` blanks.
    DString& wrap(int width, int indent);

    // Hands the buffer to the caller (delete[]), leaving this empty.
    char* release();
    // Takes over `text`, allocated with new[] and NUL-terminated within its `capacity` bytes
    // (at most kMaxCapacity), in place of the old buffer.
    void adopt(char* text, int capacity);

    // `text` as it is, or, when it lies in this buffer, a copy of at most `length` bytes held
    // by `keep`: a text that the buffer's growth or editing cannot move or change. Every
    // operation passes its text arguments through here before it touches the buffer; a
    // function that hands one argument to several operations does so first.
    const char* stableText(const char* text, String& keep, int length = -1) const;

private:
    char* buf_ = nullptr;  // NUL-terminated within capacity_, or null
    int capacity_ = 0;
};

// Fills `result` with `text` after "$" expansion: "$name", "${name}", "$$" for "$". Names are
// looked up in `variables` (when given), then, with useEnvironment, in the environment. An
// unknown name throws plat::Exception "unknown environment variable: <name>" with
// failOnUnknown and expands to nothing otherwise.
void expandEnvVars(DString& result, const char* text, const StringMap* variables = nullptr,
                   bool failOnUnknown = true, bool useEnvironment = true);

// Appends each string of [first, last) to `result`, with `separator` before each one unless
// `result` is still empty at that point.
void joinStrings(DString& result, StringSet::const_iterator first, StringSet::const_iterator last,
                 const char* separator);

}  // namespace plat
