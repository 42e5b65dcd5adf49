#include "os/Backtrace.h"

#include <cstdlib>
#include <execinfo.h>

namespace os {

__attribute__((noinline)) void captureBacktrace(plat::StringList& frames) {
    void* addresses[62];
    int count = backtrace(addresses, 62);
    if (count <= 1) return;
    // The list starts at the caller's frame. Counting one frame off is not enough: a wrapper of
    // backtrace (the sanitizers install one) adds frames of its own, so the caller's return
    // address marks where the list begins.
    void* callerReturn = __builtin_return_address(0);
    int first = 1;
    for (int i = 0; i < count; ++i) {
        if (addresses[i] == callerReturn) {
            first = i;
            break;
        }
    }
    char** symbols = backtrace_symbols(addresses, count);
    if (!symbols) return;
    for (int i = first; i < count; ++i)
        frames.emplace_back(symbols[i]);
    std::free(symbols);
}

}  // namespace os
