#include "plat/ObfPasswd.h"

#include "rdr/MemInStream.h"
#include "rdr/MemOutStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The pinned forms come from an independent DES with the product's key: stored settings hold
// them, so they must keep decoding to the same passwords. Other forms are checked by length.
TEST(ObfPasswd, ScrambledFormsAndLengths) {
    const struct {
        std::string password, form;
        int size;
    } cases[] = {
        {"", "5C9A40FB5521D515", 8},
        {"password", "FE94D587B341ED26", 8},
        {"Geheim\xC3\xBC!", "E48B1C5968FD7C22435546A5120A438B55544638", 20},
        {"123456789", "", 16},
        {"\xFF", "", 12},
    };
    for (const auto& c : cases) {
        plat::ByteBuf scrambled;
        plat::obfPasswd(scrambled, c.password.c_str());
        std::string form;
        for (int i = 0; i < scrambled.size() && !c.form.empty(); i++)
            form += "0123456789ABCDEF"[scrambled[i] >> 4],
                form += "0123456789ABCDEF"[scrambled[i] & 15];
        EXPECT_EQ(form, c.form);
        EXPECT_TRUE(scrambled.size() == c.size && scrambled.wipe()) << c.password;
        EXPECT_STREQ(plat::deobfPasswd(scrambled).get(), c.password.c_str());
    }
}

// The stream form holds 512 scrambled bytes at most: 512 ASCII bytes, or 504 and the mark of
// high bytes; the reader refuses a longer length before reading on, and a form that is not
// whole blocks with or without that mark.
TEST(ObfPasswd, StreamFormAndItsLimits) {
    const std::pair<std::string, const char*> cases[] = {
        {std::string(512, 'x'), nullptr},
        {std::string(513, 'x'), "writeObfPasswd: password too long"},
        {std::string(503, 'x') + "\xE9", nullptr},
        {std::string(504, 'x') + "\xE9", "writeObfPasswd: password too long"},
        {std::string("\x02\x01", 2), "readObfPasswd: password too long"},
        {std::string("\x00\x08\x01\x02", 4), "End of in-memory input stream"},
        {std::string("\0\4UTF9", 6), "bad obfuscated password length"},
        {std::string("\0\f12345678UTF9", 14), "bad obfuscated password length"},
        {std::string("\0\t123456789", 11), "bad obfuscated password length"},
    };
    for (const auto& [text, failure] : cases) {
        rdr::MemOutStream out;
        try {
            if (text[0] == 'x')
                plat::writeObfPasswd(out, text.c_str());
            else
                out.writeBytes(text.data(), int(text.size()));
            rdr::MemInStream in(out.data(), out.length());
            EXPECT_STREQ(plat::readObfPasswd(in).get(), text.c_str());
            EXPECT_TRUE(in.atEnd() && !failure);
        } catch (const plat::Exception& e) {
            EXPECT_STREQ(e.message(), failure ? failure : "") << text.size();
            EXPECT_TRUE(text[0] != 'x' || out.length() == 0);
        }
    }
}

}  // namespace
