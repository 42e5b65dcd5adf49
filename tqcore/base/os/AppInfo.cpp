#include "os/AppInfo.h"

#include <atomic>

namespace os {

namespace {

// Constant-initialised, so static initialisers of any file may read them, and never destroyed,
// so code that runs at exit still can.
std::atomic<char*> appName{nullptr};
std::atomic<char*> appPathComponent{nullptr};
std::atomic<char*> systemConfigDir{nullptr};
std::atomic<char*> userConfigDir{nullptr};
std::atomic<char*> userConfigFile{nullptr};

void replaceText(std::atomic<char*>& slot, const char* text) {
    delete[] slot.exchange(plat::strDup(text), std::memory_order_acq_rel);
}

const char* textOrEmpty(const std::atomic<char*>& slot) {
    const char* text = slot.load(std::memory_order_acquire);
    return text ? text : "";
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

void setConfigDirs(const char* systemDir, const char* userDir, const char* userFile) {
    replaceText(systemConfigDir, systemDir);
    replaceText(userConfigDir, userDir);
    replaceText(userConfigFile, userFile);
}

const char* getSystemConfigDir() {
    return textOrEmpty(systemConfigDir);
}

const char* getUserConfigDir() {
    return textOrEmpty(userConfigDir);
}

const char* getUserConfigFile() {
    return textOrEmpty(userConfigFile);
}

}  // namespace os
