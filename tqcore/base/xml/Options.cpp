// The process-wide options, the character-length tables and the guess of a document's
// encoding.
#include "xml/Options.h"

#include <cstring>
#include <strings.h>

namespace xml {

namespace {

struct LengthTable {
    unsigned char len[256];
};

constexpr LengthTable makeTable(int encoding) {
    LengthTable t{};
    for (int b = 1; b < 256; ++b) {
        int n = 1;
        switch (encoding) {
        case kUtf8: n = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3
                      : b >= 0xF0 && b <= 0xF4 ? 4 : 1; break;
        case kShiftJis: n = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF) ? 2 : 1; break;
        case kGb2312: n = b >= 0xA1 && b <= 0xF7 ? 2 : 1; break;
        case kBig5:
        case kGbk: n = b >= 0x81 && b <= 0xFE ? 2 : 1; break;
        default: break;
        }
        t.len[b] = static_cast<unsigned char>(n);
    }
    return t;
}

constexpr LengthTable kTables[7] = {makeTable(0), makeTable(1), makeTable(2), makeTable(3),
                                    makeTable(4), makeTable(5), makeTable(6)};

Options options;

}  // namespace

Options globalOptions() { return options; }

CharSet charSetOf(int encoding) { return {kTables[encoding].len, encoding == kUtf8}; }

int setGlobalOptions(int encoding, bool utf8BomOnly, bool trimText, bool joinTextAcrossComments) {
    options.utf8BomOnly = utf8BomOnly;
    options.trimText = trimText;
    options.joinTextAcrossComments = joinTextAcrossComments;
    if (encoding < kUtf8 || encoding > kGbk) return 1;
    options.encoding = encoding;
    return 0;
}

int guessEncoding(const void* data, int length, bool useDeclaration) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    if (!bytes || length < 25) return 0;
    if (bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) return kUtf8;
    bool wellFormed = true;
    const unsigned char* utf8 = kTables[kUtf8].len;
    for (int i = 0; i < length && bytes[i]; ++i) {
        int n = utf8[bytes[i]];
        for (int k = 1; k < n; ++k) {
            // A sequence cut by the end of the sample is not a fault of the document.
            if (i + k >= length) break;
            if ((bytes[i + k] & 0xC0) != 0x80) {
                wellFormed = false;
                break;
            }
        }
        if (!wellFormed) break;
        i += n - 1;
    }
    int guess = wellFormed ? kUtf8 : kLegacySingleByte;
    if (!useDeclaration) return guess;

    int limit = length < 200 ? length : 200;
    for (int i = 0; i < limit; ++i)
        if (!bytes[i]) limit = i;
    const char* text = reinterpret_cast<const char*>(bytes);
    int at = -1;
    for (int i = 0; i + 8 <= limit; ++i)
        if (!std::memcmp(text + i, "encoding", 8)) {
            at = i + 8;
            break;
        }
    if (at < 0) return guess;
    while (at < limit && isBlank(text[at])) ++at;
    if (at >= limit || text[at] != '=') return guess;
    ++at;
    while (at < limit && isBlank(text[at])) ++at;
    if (at >= limit || (text[at] != '"' && text[at] != '\'')) return guess;
    ++at;
    while (at < limit && isBlank(text[at])) ++at;
    if (at >= limit) return guess;
    auto startsWith = [&](const char* name) {
        int n = int(std::strlen(name));
        return at + n <= limit && !strncasecmp(text + at, name, size_t(n));
    };
    if (startsWith("utf-8") || startsWith("utf8")) return wellFormed ? kUtf8 : 0;
    if (startsWith("shiftjis") || startsWith("shift-jis") || startsWith("sjis")) return kShiftJis;
    if (startsWith("GB2312")) return kGb2312;
    if (startsWith("Big5")) return kBig5;
    if (startsWith("GBK")) return kGbk;
    return kLegacySingleByte;
}

}  // namespace xml
