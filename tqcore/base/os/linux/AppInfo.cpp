#include "os/AppInfo.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace os {

namespace {

// Set only by tests and by start-up code that knows where its files are; see os/AppInfo.cpp for
// why a bare atomic pointer.
std::atomic<char*> resourceDir{nullptr};

// The kernel gives no length up front, so readlink is retried with a larger buffer whenever the
// target may have been cut. Past this size something is wrong and the answer is "unknown".
constexpr size_t kMaxLinkSize = size_t(1) << 20;

}  // namespace

plat::String getModuleRelativePath() {
    for (size_t size = 256; size <= kMaxLinkSize; size *= 2) {
        std::unique_ptr<char[]> target(new char[size]);
        ssize_t length = readlink("/proc/self/exe", target.get(), size);
        if (length < 0) break;
        if (size_t(length) == size) continue;
        // A deleted executable reads as "<path> (deleted)"; only the name is changed by that.
        const char* lastSlash = static_cast<const char*>(memrchr(target.get(), '/', length));
        if (!lastSlash) break;
        if (lastSlash == target.get()) return plat::String("/");
        return plat::String(target.get(), int(lastSlash - target.get()));
    }
    return plat::String("");
}

const char* getResourceDir() {
    return resourceDir.load(std::memory_order_acquire);
}

void setResourceDir(const char* path) {
    delete[] resourceDir.exchange(plat::strDup(path), std::memory_order_acq_rel);
}

}  // namespace os
