// Scrambled passwords: the form in which settings keep a password that is not stored as a
// salted hash.
//
// The password's bytes, zero-filled to whole 8-byte blocks, are DES-encrypted in ECB mode under
// one key built into every copy of the product, followed by "UTF8" when a byte of the password
// is 0x80 or above. This hides a password from a casual look at a file, nothing more: anyone
// with the program can turn it back. On a stream the form has a 2-byte big-endian length, at
// most 512. Every buffer that held the clear text or the scrambled bytes is wiped when released.
#pragma once

#include "plat/MBuf.h"
#include "plat/SecureString.h"

namespace rdr {
class InStream;
class OutStream;
}  // namespace rdr

namespace plat {

// Replaces the contents of `out` (wiping them when its wipe flag is set) by the scrambled form
// of `password` and sets its wipe flag; null leaves it empty. An empty password scrambles to
// 8 bytes.
void obfPasswd(ByteBuf& out, const char* password);
// The password of a scrambled form; an empty buffer gives a null text. A length that is neither
// a multiple of 8 nor 4 more than one ending in "UTF8" throws plat::Exception "bad obfuscated
// password length".
SecureString deobfPasswd(const ByteBuf& scrambled);

// Writes the length and the scrambled form; a form longer than 512 bytes (more than 512 ASCII
// bytes, or 504 with a byte of 0x80 or above) throws plat::Exception "writeObfPasswd: password
// too long" before anything is written.
void writeObfPasswd(rdr::OutStream& out, const char* password);
// Reads what writeObfPasswd wrote. A length above 512 throws plat::Exception "readObfPasswd:
// password too long"; a short stream throws what the stream throws; a bad form as deobfPasswd.
SecureString readObfPasswd(rdr::InStream& in);

}  // namespace plat
