// The key=value record reader over arbitrary bytes: it throws nothing (inputs stay below the
// longest line), and what it read, written out and read again, gives the same map. Keys are
// written unchanged, so entries whose keys hold a backslash or a line break are left out of the
// comparison; every value takes part.
#include "plat/Records.h"
#include "rdr/MemInStream.h"
#include "rdr/MemOutStream.h"

#include <cstdlib>
#include <cstring>

namespace {

bool keyWrittenAsItIs(const char* key) {
    return !std::strpbrk(key, "\\\r\n");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size > 100000) return 0;
    rdr::MemInStream in(data, int(size));
    plat::StringMap map;
    plat::readRecords(in, map);
    for (auto it = map.begin(); it != map.end();)
        it = keyWrittenAsItIs(it->first.get()) ? std::next(it) : map.erase(it);

    rdr::MemOutStream out;
    plat::writeRecords(out, map);
    rdr::MemInStream again(out.data(), out.length());
    plat::StringMap back;
    plat::readRecords(again, back);
    if (back.size() != map.size()) std::abort();
    for (auto a = map.begin(), b = back.begin(); a != map.end(); ++a, ++b)
        if (a->first != b->first.get() || a->second != b->second.get()) std::abort();
    return 0;
}
