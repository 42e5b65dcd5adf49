// Base64: decoding any text is safe, whatever decodes re-encodes to a text that decodes to the
// same bytes, and any bytes survive encoding and decoding in both alphabets.
#include "plat/Base64.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool sameBytes(const plat::ByteBuf& buffer, const unsigned char* data, size_t size) {
    return size_t(buffer.size()) == size && (size == 0 || !std::memcmp(buffer.data(), data, size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);  // cut at a NUL by the decoder
    plat::ByteBuf decoded;
    if (plat::base64Decode(text.c_str(), decoded)) {
        for (bool urlSafe : {false, true}) {
            plat::String again =
                plat::base64Encode(size_t(decoded.size()), decoded.data(), urlSafe);
            plat::ByteBuf redecoded;
            if (!plat::base64Decode(again.get(), redecoded) ||
                !sameBytes(redecoded, decoded.data(), size_t(decoded.size())))
                std::abort();
        }
    }
    for (bool urlSafe : {false, true}) {
        plat::String encoded = plat::base64Encode(size, data, urlSafe);
        plat::ByteBuf back;
        if (!plat::base64Decode(encoded.get(), back) || !sameBytes(back, data, size)) std::abort();
    }
    return 0;
}
