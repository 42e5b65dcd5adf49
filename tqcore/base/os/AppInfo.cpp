#include "os/AppInfo.h"

#include <atomic>

namespace os {

namespace {

// Constant-initialised, so static initialisers of any file may read them, and never destroyed,
// so code that runs at exit still can.
std::atomic<char*> appName{nullptr};
std::atomic<char*> appPathComponent{nullptr};

void replaceText(std::atomic<char*>& slot, const char* text) {
    delete[] slot.exchange(plat::strDup(text), std::memory_order_acq_rel);
}

}  // namespace

void setAppName(const char* name) {
    replaceText(appName, name);
}

void setAppPathComponent(const char* pathComponent) {
    replaceText(appPathComponent, pathComponent);
}

const char* getAppName(bool emptyIfUnset) {
    const char* app = appName.load(std::memory_order_acquire);
    TQ_ASSERT(emptyIfUnset || app);
    return app ? app : "";
}

const char* getAppPathComponent(bool emptyIfUnset) {
    const char* pathComp = appPathComponent.load(std::memory_order_acquire);
    TQ_ASSERT(emptyIfUnset || pathComp);
    return pathComp ? pathComp : "";
}

}  // namespace os
