#include "plat/Percent.h"

#include "plat/Hex.h"

#include <cstring>

namespace plat {

namespace {

bool keptAsIs(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '*' ||
           c == '-' || c == '.' || c == '_';
}

}  // namespace

String percentEncode(const char* text, bool encodeNonAscii) {
    if (!text) return String();
    static const char kDigits[] = "0123456789ABCDEF";
    size_t length = std::strlen(text);
    char* result = new char[3 * length + 1];
    char* out = result;
    for (const unsigned char* in = reinterpret_cast<const unsigned char*>(text); *in; ++in) {
        unsigned char c = *in;
        if (keptAsIs(c) || (c >= 0x80 && !encodeNonAscii)) {
            *out++ = char(c);
        } else {
            *out++ = '%';
            *out++ = kDigits[c >> 4];
            *out++ = kDigits[c & 0x0F];
        }
    }
    *out = '\0';
    return String::adopt(result);
}

String percentDecode(const char* text, bool plusIsSpace) {
    if (!text) return String();
    // The whole text is checked even past a decoded zero byte, so that bad input is refused
    // the same way wherever the fault lies.
    String result = String::adopt(new char[std::strlen(text) + 1]);
    char* out = result.buf();
    for (const char* in = text; *in; ++in) {
        if (*in == '%') {
            uint32_t value = 0;
            // The second test is skipped when the first digit is missing, so a "%" at the
            // end never reads past the NUL.
            if (!hexDigitValue(in[1], value) || !hexDigitValue(in[2], value))
                throw Exception("Bad percent encoding");
            *out++ = char(value);
            in += 2;
        } else if (*in == '+' && plusIsSpace) {
            *out++ = ' ';
        } else {
            *out++ = *in;
        }
    }
    *out = '\0';
    return result;
}

}  // namespace plat
