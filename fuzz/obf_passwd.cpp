// Scrambled passwords from a stream: any bytes either give a password, which scrambles and
// reads back the same, or fail with one of the documented errors; the reader never takes more
// than the length it announced.
#include "plat/ObfPasswd.h"
#include "rdr/Exception.h"
#include "rdr/MemInStream.h"
#include "rdr/MemOutStream.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size > 4096) return 0;
    rdr::MemInStream in(data, int(size));
    plat::SecureString password;
    try {
        password = plat::readObfPasswd(in);
    } catch (const rdr::EndOfStream&) {
        return 0;
    } catch (const plat::Exception& e) {
        if (std::strcmp(e.message(), "readObfPasswd: password too long") != 0 &&
            std::strcmp(e.message(), "bad obfuscated password length") != 0)
            std::abort();
        return 0;
    }
    if (in.pos() != 2 + (data[0] << 8 | data[1])) std::abort();
    if (!password.get()) {
        if (in.pos() != 2) std::abort();
        return 0;
    }
    rdr::MemOutStream out;
    try {
        plat::writeObfPasswd(out, password.get());
    } catch (const plat::Exception& e) {
        // Only a text whose mark of high bytes pushes the form past 512 bytes is refused.
        bool highBytes = false;
        for (const char* p = password.get(); *p; p++)
            highBytes = highBytes || static_cast<unsigned char>(*p) >= 0x80;
        if (!highBytes || password.length() <= 504 ||
            std::strcmp(e.message(), "writeObfPasswd: password too long") != 0)
            std::abort();
        return 0;
    }
    rdr::MemInStream again(out.data(), out.length());
    if (std::strcmp(plat::readObfPasswd(again).c_str(), password.get()) != 0) std::abort();
    return 0;
}
