// The XML base64 codec on arbitrary text: decoding never writes past the output size it is
// given and reports a code of its table; any bytes survive encoding and decoding, with and
// without line breaks.
#include "xml/Base64Codec.h"
#include "xml/Node.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 0x10000) return 0;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);  // cut at a NUL
    int error = -1;
    int needed = xml::Base64Codec::decodedSize(text.c_str(), &error);
    if (needed < 0 || (error != 0 && error != 17 && error != 18)) std::abort();
    // An exact-size heap buffer, so that one byte too many is an overflow the sanitizer sees.
    int outSize = data[0] < 128 ? data[0] % 8 : needed;
    std::vector<unsigned char> out(static_cast<size_t>(outSize));
    int written = xml::Base64Codec::decode(text.c_str(), out.data(), outSize, &error);
    if (written > outSize || (written < 0 && error != 18 && error != 20)) std::abort();

    xml::Base64Codec codec;
    const char* encoded = codec.encode(data, int(size), data[0] & 1);
    std::string copy(encoded);
    int decodedSize = -1;
    const unsigned char* back = codec.decode(copy.c_str(), &decodedSize, &error);
    if (!back || decodedSize != int(size) || std::memcmp(back, data, size) != 0) std::abort();
    return 0;
}
