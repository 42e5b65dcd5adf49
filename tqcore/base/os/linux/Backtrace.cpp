#include "os/Backtrace.h"

#include <cstdlib>
#include <execinfo.h>

namespace os {

__attribute__((noinline)) void captureBacktrace(plat::StringList& frames) {
    void* addresses[62];
    int count = backtrace(addresses, 62);
    if (count <= 1) return;
    char** symbols = backtrace_symbols(addresses, count);
    if (!symbols) return;
    for (int i = 1; i < count; ++i)
        frames.emplace_back(symbols[i]);
    std::free(symbols);
}

}  // namespace os
