// Percent encoding of URL query values for the HTTP client and the proxy layer.
//
// The encoder keeps only "A-Za-z0-9*-._" and writes every other byte as "%XX" with upper-case
// digits. The decoder turns "%XX" (either case) back into the byte and refuses a "%" that is
// not followed by two digits. Both are one pass over the text.
#pragma once

#include "plat/String.h"

namespace plat {

// A new text (null for a null text) with every byte outside "A-Za-z0-9*-._" written as "%XX"
// ("a b" gives "a%20b"). Bytes from 0x80 up are encoded only with `encodeNonAscii` and copied
// unchanged otherwise.
String percentEncode(const char* text, bool encodeNonAscii = true);

// A new text (null for a null text) with each "%XX" replaced by its byte and, with
// `plusIsSpace`, each "+" by a blank; a decoded zero byte ends the result. A "%" without two
// hexadecimal digits after it, anywhere in the text, throws plat::Exception
// "Bad percent encoding".
String percentDecode(const char* text, bool plusIsSpace = false);

}  // namespace plat
