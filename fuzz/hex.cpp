// Hexadecimal and percent encoding: bytes survive binToHex and hexToBin, percentDecode throws
// nothing outside plat::Exception, and percentEncode then percentDecode gives back the text.
#include "plat/Hex.h"
#include "plat/Percent.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include <strings.h>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    plat::String hex = plat::binToHex(size, data);
    plat::ByteBuf back;
    if (!plat::hexToBin(hex.get(), back) || size_t(back.size()) != size ||
        (size && std::memcmp(back.data(), data, size)))
        std::abort();

    std::string text(reinterpret_cast<const char*>(data), size);
    plat::ByteBuf decoded;
    if (plat::hexToBin(text.c_str(), decoded)) {
        plat::String again = plat::binToHex(size_t(decoded.size()), decoded.data());
        if (strcasecmp(again.get(), text.c_str()) != 0) std::abort();
    }

    for (bool plusIsSpace : {false, true}) {
        try {
            plat::percentDecode(text.c_str(), plusIsSpace);
        } catch (const plat::Exception&) {
        }
    }
    // Texts without NUL: the std::string may hold some, c_str() stops at the first.
    for (bool encodeNonAscii : {false, true}) {
        plat::String encoded = plat::percentEncode(text.c_str(), encodeNonAscii);
        if (plat::percentDecode(encoded.get(), false) != text.c_str()) std::abort();
    }
    return 0;
}
