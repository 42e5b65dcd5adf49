// The string and line readers over arbitrary bytes with arbitrary maximum lengths: repaired
// texts are valid UTF-8, lines hold no line feed and respect their maximum, and a string read
// by rdr::ByteReader from a pipe fed in pieces equals the one a blocking read gives.
#include "plat/Utf8.h"
#include "rdr/ByteReader.h"
#include "rdr/MemInStream.h"
#include "rdr/MemIoStream.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The texts of length-prefixed strings, "!" for a refused length.
std::vector<std::string> blockingStrings(const unsigned char* data, size_t size, int maxLen) {
    std::vector<std::string> texts;
    rdr::MemInStream in(data, int(size));
    try {
        for (;;) {
            try {
                texts.push_back(in.readString(maxLen, true).get());
            } catch (const rdr::StringTooLongException&) {
                texts.push_back("!");
            }
        }
    } catch (const rdr::EndOfStream&) {
    }
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 2) return 0;
    int maxLen = data[0] * 4;
    size_t piece = data[1] % 16 + 1;
    data += 2;
    size -= 2;

    rdr::MemInStream lines(data, int(size));
    try {
        for (;;) {
            plat::DString line;
            bool sawNul = false;
            lines.readLine(line, maxLen, &sawNul, true);
            if (!plat::utf8IsValid(line.c_str()) || std::strchr(line.c_str(), '\n') ||
                line.length() > size_t(maxLen ? maxLen : 262144) * 3)
                std::abort();
        }
    } catch (const rdr::EndOfStream&) {
    } catch (const rdr::StringTooLongException&) {
    }

    std::vector<std::string> expected = blockingStrings(data, size, maxLen);
    for (const std::string& text : expected)
        if (!plat::utf8IsValid(text.c_str())) std::abort();

    std::vector<std::string> got;
    rdr::MemIoStream pipe;
    rdr::ByteReader reader;
    bool refused = false;
    for (size_t fed = 0; fed < size && !refused;) {
        size_t n = std::min(piece, size - fed);
        pipe.writeBytes(data + fed, int(n));
        pipe.flush();
        fed += n;
        for (;;) {
            try {
                plat::String text = reader.readString(&pipe, maxLen, false);
                if (!text.get()) break;
                got.push_back(text.get());
            } catch (const rdr::BlockException&) {
                break;
            } catch (const rdr::StringTooLongException&) {
                got.push_back("!");
                refused = true;  // the reader cannot skip the body it refused
                break;
            }
        }
    }
    // The pipe's reader stops at a refused length; compare up to there.
    if (got.size() > expected.size()) std::abort();
    for (size_t i = 0; i < got.size(); i++)
        if (got[i] != expected[i]) std::abort();
    if (!refused && got.size() != expected.size()) std::abort();
    return 0;
}
