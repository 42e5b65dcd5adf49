// UTF-8 handling on arbitrary bytes: repairs and escapes are always valid UTF-8 within their
// bounds, validation (the SSE2 one and the portable one) agrees with the decoder, ranges land
// on character boundaries, and the single-byte conversions never overrun.
#include "plat/Utf8.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool isBoundary(const std::string& text, int at) {
    return at >= int(text.size()) || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    int maxOutput = data[0] < 128 ? data[0] : -1;
    int rangeStart = data[1] % 64;
    std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);
    const char* begin = bytes.data();
    const char* end = begin + bytes.size();

    plat::String repaired = plat::toUtf8(begin, end, maxOutput);
    require(plat::utf8IsValid(repaired.get()));
    if (maxOutput >= 0) require(repaired.length() <= size_t(maxOutput));

    bool valid = true;
    for (const char* p = begin; p < end && *p;)
        if (plat::utf8Decode(&p, end) < 0) valid = false;
    require(plat::utf8IsValid(begin, end) == valid);
    require(plat::utf8IsValid(begin) == valid);  // the NUL after the copy ends it
    require(plat::utf8detail::isValidPortable(begin, end) == valid);
    if (valid && maxOutput < 0) require(std::strncmp(repaired.get(), begin, bytes.size()) == 0);

    std::string text(bytes.c_str());  // up to the first NUL
    plat::String visible = plat::utf8Visible(text.c_str(), '~');
    require(plat::utf8IsValid(visible.get()));
    for (const char* p = visible.get(); *p; ++p)
        require(static_cast<unsigned char>(*p) >= 0x20 && *p != 0x7F);

    int start = rangeStart, length = int(data[0]) - 64;
    plat::utf8ClampRange(text.c_str(), &start, &length);
    require(start >= 0 && start <= int(text.size()) && length >= 0);
    require(start + length <= int(text.size()));
    require(isBoundary(text, start) && isBoundary(text, start + length));

    int singleLength = -1;
    plat::String single = plat::utf8ToSingleByte(begin, int(bytes.size()), &singleLength);
    require(singleLength >= 0 && size_t(singleLength) <= text.size());
    plat::String back = plat::singleByteToUtf8(single.get(), singleLength);
    require(plat::utf8IsValid(back.get()));

    plat::utf8DisplayWidth(begin, end);
    return 0;
}
