// rdr::MemIoStream::restore on arbitrary state: it either throws a plat::Exception or yields a
// stream that reads, writes, and saves to a state that restores to the same saved bytes.
#include "rdr/MemInStream.h"
#include "rdr/MemIoStream.h"
#include "rdr/MemOutStream.h"

#include <cstdlib>
#include <cstring>

namespace {

void save(rdr::MemIoStream& s, rdr::MemOutStream& out) {
    s.save(out);
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
    save(stream, first);
    rdr::MemIoStream copy(nullptr, -1, 16);
    rdr::MemInStream again(first.data(), first.length());
    copy.restore(again);
    save(copy, second);
    if (first.length() != second.length() ||
        std::memcmp(first.data(), second.data(), size_t(first.length())) != 0)
        std::abort();

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
    try {
        while (stream.check(false, 1)) {
            stream.getBytes(stream.nUnread());
            stream.markPos();
        }
    } catch (const plat::Exception&) {
    }
    return 0;
}
