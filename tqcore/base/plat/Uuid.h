// plat::Uuid: a 128-bit identifier of the cloud services, kept as its 16 bytes in the order
// written, and sets of them in text.
//
// The text form is 32 lower-case hexadecimal digits, dashed as 8-4-4-4-12 when asked for. Reading
// is lenient about dashes (one at most before any byte) and strict about everything else.
// Sets order UUIDs byte-wise, which is the order of their texts.
#pragma once

#include "plat/String.h"
#include "plat/StringList.h"

#include <cstring>
#include <set>

namespace plat {

class Uuid {
public:
    static constexpr int kSize = 16;

    // All zero bytes.
    Uuid() = default;
    // Copies `kSize` bytes and marks them as a random (version 4) UUID: byte 6 gets the high
    // nibble 4 and byte 8 the top bits 10.
    explicit Uuid(const unsigned char* bytes);
    // parse() or throw plat::Exception "Invalid Uuid '<text>'".
    explicit Uuid(const char* text);

    // A new random (version 4) UUID from the cryptographic generator; holds its lock briefly.
    static Uuid generate();

    // 32 lower-case digits; with `withDashes`, "-" before bytes 4, 6, 8 and 10.
    String format(bool withDashes = true) const;
    // Accepts 16 pairs of hexadecimal digits (either case), each pair optionally preceded by
    // one "-", and nothing after the last pair; braces are refused. Returns false and leaves
    // the bytes alone for anything else.
    bool parse(const char* text);

    const unsigned char* bytes() const { return bytes_; }

    bool operator==(const Uuid& other) const {
        return std::memcmp(bytes_, other.bytes_, kSize) == 0;
    }
    bool operator!=(const Uuid& other) const { return !(*this == other); }
    // Byte-wise, that is as two big-endian 64-bit numbers.
    bool operator<(const Uuid& other) const { return std::memcmp(bytes_, other.bytes_, kSize) < 0; }

private:
    unsigned char bytes_[kSize] = {};
};

using UuidSet = std::set<Uuid>;

// The dashed forms of the set's UUIDs joined by ",".
String uuidSetToString(const UuidSet& set);
// The UUIDs of a comma-separated text (null counts as empty); empty items are skipped. An item
// that does not parse throws plat::Exception "Invalid Uuid '<item>'".
UuidSet uuidSetFromString(const char* text);
// The UUIDs of a set of texts; one that does not parse throws as above.
UuidSet uuidSetFromStrings(const StringSet& texts);

}  // namespace plat
