// Formatting of translated messages with typed arguments.
//
// Translated texts carry their own placeholders, because word order differs between languages:
// %S a string, %D an integer, %+D a signed integer with its sign, %X an unsigned integer in
// hexadecimal, %.NS at most N bytes of a string (never a cut character), %% a percent sign, and
// the numbered forms %N$S, %N$D, %N$X, %N$.MS, %N$+D for argument N. Each placeholder is checked
// against the kind of the argument it uses. A mismatch never throws or crashes: the placeholder
// is copied into the result after two percent signs, where a reader sees it, and the format is
// named in one error line of the "Localize" log. Formatting is linear in the length of the
// format and the strings it copies; arguments are never copied.
#pragma once

#include "plat/DString.h"
#include "plat/String.h"

#include <cstdint>

namespace loc {

// One argument of a translated message. Callers build a singly linked list on their stack,
// argument 1 first, and keep it alive during the call; the formatter only reads it.
struct FormatArg {
    static constexpr uint32_t kSigned = 0;
    static constexpr uint32_t kUnsigned = 1;
    static constexpr uint32_t kString = 2;

    uint32_t kind = kSigned;
    int32_t intValue = 0;             // for kSigned
    uint32_t uintValue = 0;           // for kUnsigned
    const char* strValue = nullptr;   // for kString: borrowed UTF-8 text; null is a mismatch
    const FormatArg* next = nullptr;  // the following argument, null for the last

    static FormatArg ofInt(int32_t value, const FormatArg* next = nullptr) {
        FormatArg a;
        a.kind = kSigned;
        a.intValue = value;
        a.next = next;
        return a;
    }
    static FormatArg ofUnsigned(uint32_t value, const FormatArg* next = nullptr) {
        FormatArg a;
        a.kind = kUnsigned;
        a.uintValue = value;
        a.next = next;
        return a;
    }
    static FormatArg ofString(const char* value, const FormatArg* next = nullptr) {
        FormatArg a;
        a.kind = kString;
        a.strValue = value;
        a.next = next;
        return a;
    }
};

// Replaces `out` by `format` with its placeholders filled from `args` (null: no arguments) and
// returns `out`. An unnumbered placeholder needs a list of exactly one argument, which every
// such placeholder of the text uses. A mismatched placeholder (unknown or lower-case letter,
// wrong kind, missing or surplus argument, argument number out of range, precision on anything
// but a string, plus sign on anything but a signed integer, a lone '%' at the end, a null
// string, a kind outside 0 to 2) is copied as "%%" followed by its own characters, and the line
// "Bad loc string for args - <format>" is written at the error level. A null format gives an
// empty text. Never throws for any format or argument list.
plat::String& formatTranslation(plat::String& out, const char* format, const FormatArg* args);

// An owned, formatted copy: formatTranslation into a new string.
plat::String formatString(const char* format, const FormatArg* args);

// Word-wraps `text` in place to `width` columns, continuation lines indented by `indent`
// blanks, while the calling thread uses the process POSIX locale (the one chosen with the
// locale list), so that character widths follow it.
void wrapText(plat::DString& text, int width, int indent);

}  // namespace loc
