// The process-wide registry of named data blobs ("cacerts.pem", "langs.txt", translation files,
// images) that other parts ask for by file name.
//
// A blob is taken from the registry, or else read once from the application's resource
// directory and kept for the life of the process: the registry never frees or copies the bytes,
// so a returned pointer stays valid until the process ends. Look-ups are safe from any thread.
#pragma once

#include <cstdint>

namespace plat {

struct BuiltinData {
    uint32_t size;              // bytes at `data`
    const unsigned char* data;  // null when the blob is not available
};

// Registers `data` (which must stay valid for the life of the process) under `name`, replacing
// an earlier blob of that name.
void registerBuiltinData(const char* name, uint32_t size, const void* data);

// The blob registered under `name`; otherwise the file of that name in the resource directory,
// read whole (at most 2147483647 bytes) and registered. {0, null} when there is no resource
// directory or the file cannot be read, in which case a later call tries again. Names that are
// absolute or hold a ".." component are never looked for outside the registry.
BuiltinData getBuiltinData(const char* name);

}  // namespace plat
