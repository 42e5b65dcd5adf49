// rdr::MemIoStream::restore on arbitrary state: it either throws a plat::Exception or yields a
// stream that reads, writes, and saves to a state that restores to the same saved bytes and
// to a stream that reads the same data.
#include "rdr/MemInStream.h"
#include "rdr/MemIoStream.h"
#include "rdr/MemOutStream.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// What a reader gets without waiting, then "!" and the message of what stopped it.
std::string readable(rdr::MemIoStream& s) {
    std::string data;
    try {
        while (s.check(false, 1)) {
            int n = s.nUnread();
            data.append(reinterpret_cast<const char*>(s.getBytes(n)), size_t(n));
            s.markPos();
        }
    } catch (const plat::Exception& e) {
        data += "!";
        data += e.message();
    }
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    rdr::MemIoStream stream(nullptr, -1, 16);
    rdr::MemInStream in(data, int(size));
    try {
        stream.restore(in);
    } catch (const plat::Exception&) {
        return 0;
    }
    rdr::MemOutStream first, second;
    stream.save(first);
    rdr::MemIoStream copy(nullptr, -1, 16);
    rdr::MemInStream again(first.data(), first.length());
    copy.restore(again);
    copy.save(second);
    if (first.length() != second.length() ||
        std::memcmp(first.data(), second.data(), size_t(first.length())) != 0)
        std::abort();
    if (readable(stream) != readable(copy)) std::abort();

    try {
        stream.pos();
        stream.length();
        stream.spaceLeft();
        for (int i = 0; i < 100; i++)
            stream.writeU8(uint8_t(i));
        stream.flush();
    } catch (const plat::Exception&) {
    }
    try {
        stream.rewindToMark();
    } catch (const plat::Exception&) {
    }
    readable(stream);
    return 0;
}
