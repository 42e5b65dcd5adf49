// The process-wide options of the XML reader and writer, and the character lengths of the
// encodings they choose between. Private to the platform library. A parse or a write copies
// the options when it starts, so that nothing it does changes midway; a caller that sets
// options of its own reads here the ones it found, to give them back after.
#pragma once

#include "xml/Node.h"

namespace xml {

struct Options {
    int encoding = kUtf8;
    bool utf8BomOnly = true;
    bool trimText = true;
    bool joinTextAcrossComments = true;
};

// The options as xml::setGlobalOptions last set them.
Options globalOptions();

inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The character lengths of one encoding: every forward scan of text steps by them, so that a
// multi-byte character is never split.
struct CharSet {
    const unsigned char* lengths;  // by the first byte of a character; 0 for the NUL
    bool utf8;

    // The number of bytes of the character at `p`, never past a NUL or `end` (null: NUL
    // only). A lead byte takes only bytes that can continue its character (10xxxxxx in UTF-8,
    // 40 and above in the double-byte sets), so a broken sequence never swallows markup,
    // blanks or the NUL. 0 at the NUL or the end.
    int length(const char* p, const char* end = nullptr) const {
        if (end && p >= end) return 0;
        int n = lengths[static_cast<unsigned char>(*p)];
        if (n <= 1) return n;
        for (int i = 1; i < n; ++i) {
            unsigned char c = static_cast<unsigned char>(p[i]);
            if ((end && p + i >= end) || (utf8 ? (c & 0xC0) != 0x80 : c < 0x40)) return i;
        }
        return n;
    }
};
// The set of an encoding from kUtf8 to kGbk.
CharSet charSetOf(int encoding);

}  // namespace xml
