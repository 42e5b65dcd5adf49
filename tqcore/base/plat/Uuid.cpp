#include "plat/Uuid.h"

#include "crypto/RandomStream.h"
#include "plat/DString.h"
#include "plat/Hex.h"

namespace plat {

namespace {

[[noreturn]] void throwInvalid(const char* text) {
    throw Exception(Format, "Invalid Uuid '%s'", text ? text : "");
}

}  // namespace

Uuid::Uuid(const unsigned char* bytes) {
    std::memcpy(bytes_, bytes, kSize);
    bytes_[6] = (bytes_[6] & 0x0F) | 0x40;
    bytes_[8] = (bytes_[8] & 0x3F) | 0x80;
}

Uuid Uuid::generate() {
    unsigned char bytes[kSize];
    {
        crypto::RandomStream random;
        const uint8_t* drawn = random.readBytes(bytes, kSize);
        std::memcpy(bytes, drawn, kSize);
    }
    Uuid uuid(bytes);
    secureZero(bytes, sizeof bytes);
    return uuid;
}

Uuid::Uuid(const char* text) {
    if (!parse(text)) throwInvalid(text);
}

String Uuid::format(bool withDashes) const {
    char text[2 * kSize + 4 + 1];
    char* out = text;
    for (int i = 0; i < kSize; ++i) {
        if (withDashes && (i == 4 || i == 6 || i == 8 || i == 10)) *out++ = '-';
        *out++ = hexDigit(bytes_[i] >> 4);
        *out++ = hexDigit(bytes_[i] & 0x0F);
    }
    *out = '\0';
    return String(text);
}

bool Uuid::parse(const char* text) {
    if (!text) return false;
    unsigned char parsed[kSize];
    for (int i = 0; i < kSize; ++i) {
        if (*text == '-') ++text;
        // Stops at the first non-digit, the NUL included, so a short text is never overrun.
        if (!hexToBin(text, 1, &parsed[i])) return false;
        text += 2;
    }
    if (*text != '\0') return false;
    std::memcpy(bytes_, parsed, kSize);
    return true;
}

String uuidSetToString(const UuidSet& set) {
    DString text;
    for (const Uuid& uuid : set) {
        if (!text.empty()) text.append(",");
        text.append(uuid.format(true).get());
    }
    return String(text.c_str());
}

UuidSet uuidSetFromString(const char* text) {
    UuidSet set;
    if (!text) return set;
    String copy(text);
    char* cursor = copy.buf();
    while (char* item = strTok(&cursor, ',', false)) {
        if (!*item) continue;
        set.insert(Uuid(item));
    }
    return set;
}

UuidSet uuidSetFromStrings(const StringSet& texts) {
    UuidSet set;
    for (const String& text : texts)
        set.insert(Uuid(text.get()));
    return set;
}

}  // namespace plat
