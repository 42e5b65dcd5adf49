// The key=value record reader over arbitrary bytes: it throws nothing (inputs stay below the
// longest line), and what it read, written out and read again, gives the same map, keys and
// values alike.
#include "plat/Records.h"
#include "rdr/MemInStream.h"
#include "rdr/MemOutStream.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size > 100000) return 0;
    rdr::MemInStream in(data, int(size));
    plat::StringMap map;
    plat::readRecords(in, map);

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
