// Translation files over arbitrary bytes: reading never throws anything but the documented
// exceptions, and every stored key and text is non-empty (the key) and valid UTF-8 without NUL,
// whatever the input. The quoted-string reader on its own throws only plat::Exception and never
// appends more bytes than its text holds.
#include "loc/PoFile.h"
#include "plat/LogSrc.h"
#include "plat/Utf8.h"
#include "rdr/MemInStream.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Bad lines are logged; with no destination the lines are dropped at the gate.
    plat::initLogging();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data),
                     strnlen(reinterpret_cast<const char*>(data), size));
    std::string buffer = "kept";
    try {
        loc::parsePoString(text.c_str(), buffer);
    } catch (const plat::Exception&) {
    }
    require(buffer.compare(0, 4, "kept") == 0 && buffer.size() <= 4 + text.size());

    rdr::MemInStream in(data, int(size));
    try {
        loc::parsePo(in, "fuzz", "xx", [](const char* key, const char* translated) {
            require(*key && plat::utf8IsValid(key) && plat::utf8IsValid(translated));
        });
    } catch (const rdr::StringTooLongException&) {
        require(size > 262144);
    }
    return 0;
}
