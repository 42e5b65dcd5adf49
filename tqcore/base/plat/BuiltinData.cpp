#include "plat/BuiltinData.h"

#include "os/AppInfo.h"
#include "plat/FilePtr.h"
#include "plat/Mutex.h"
#include "plat/StringList.h"

#include <climits>
#include <cstring>
#include <map>

namespace plat {

namespace {

using Registry = std::map<String, BuiltinData, StrLess>;

// Created on first use and never destroyed, so static destructors may still look blobs up.
Registry& registry() {
    static auto* map = new Registry;
    return *map;
}

Mutex& registryMutex() {
    static auto* mutex = new Mutex;
    return *mutex;
}

// Whether the name stays inside the directory it is joined to.
bool staysInside(const char* name) {
    if (!*name || name[0] == '/') return false;
    for (const char* p = name; *p;) {
        const char* end = std::strchr(p, '/');
        size_t length = end ? size_t(end - p) : std::strlen(p);
        if (length == 2 && p[0] == '.' && p[1] == '.') return false;
        if (!end) break;
        p = end + 1;
    }
    return true;
}

}  // namespace

void registerBuiltinData(const char* name, uint32_t size, const void* data) {
    MutexLock lock(registryMutex());
    registry()[String(name)] = {size, static_cast<const unsigned char*>(data)};
}

BuiltinData getBuiltinData(const char* name) {
    if (!name) return {0, nullptr};
    MutexLock lock(registryMutex());
    auto found = registry().find(String(name));
    if (found != registry().end()) return found->second;

    const char* directory = os::getResourceDir();
    if (!directory || !staysInside(name)) return {0, nullptr};
    try {
        String path = String::format("%s/%s", directory, name);
        FilePtr file(path.get(), FilePtr::kRead);
        ByteBuf contents = file.readAll(INT_MAX);
        file.reset();
        // Kept for the life of the process, as registered blobs are; never empty, so a present
        // empty file is told from a missing one.
        auto* bytes = new unsigned char[contents.size() > 0 ? contents.size() : 1];
        if (contents.size() > 0) std::memcpy(bytes, contents.data(), size_t(contents.size()));
        registerBuiltinData(name, uint32_t(contents.size()), bytes);
    } catch (const Exception&) {
        return {0, nullptr};
    }
    return registry()[String(name)];
}

}  // namespace plat
