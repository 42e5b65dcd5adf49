#include "plat/ByteWords.h"

#include <cstdint>

namespace plat {

namespace {

constexpr uint32_t kWordsPerPlace = 1626;
constexpr uint32_t kSecondPlace = kWordsPerPlace;                  // x / 1626
constexpr uint32_t kThirdPlace = kWordsPerPlace * kWordsPerPlace;  // x / 2643876
constexpr int kShortGroupWords = 1627;  // first entry of the 3-byte group's last words

size_t wordCount(size_t length) {
    return (3 * length + 3) / 4;
}

}  // namespace

const char* bytesWordAt(const unsigned char* bytes, size_t length, size_t index) {
    if (index >= wordCount(length)) return nullptr;
    size_t start = 4 * (index / 3);
    size_t groupLength = length - start < 4 ? length - start : 4;
    uint32_t x = 0;
    for (size_t i = 0; i < groupLength; ++i)
        x |= uint32_t(bytes[start + i]) << (8 * i);
    switch (index % 3) {
    case 0:
        return byteWordTable[x % kWordsPerPlace + 1];
    case 1:
        return byteWordTable[(x / kSecondPlace) % kWordsPerPlace + 1];
    default:
        // Three bytes leave fewer than seven values for the third place.
        if (groupLength == 3) return byteWordTable[x / kThirdPlace + kShortGroupWords];
        return byteWordTable[(x / kThirdPlace) % kWordsPerPlace + 1];
    }
}

StringList bytesToWords(size_t length, const unsigned char* bytes) {
    StringList words;
    size_t count = wordCount(length);
    words.reserve(count);
    for (size_t i = 0; i < count; ++i)
        words.emplace_back(bytesWordAt(bytes, length, i));
    return words;
}

}  // namespace plat
