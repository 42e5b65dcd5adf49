#include "plat/Path.h"

#include <cstring>

namespace plat {

namespace {

bool isDotDot(const char* component, size_t length) {
    return length == 2 && component[0] == '.' && component[1] == '.';
}

// The normalised path; `lastStart` receives the offset of its last component.
String normalise(const char* path, size_t* lastStart = nullptr) {
    if (!path) path = "";
    size_t inLength = std::strlen(path);
    // The result is never longer than the input, except for "." from "".
    char* out = new char[inLength + 4];
    bool absolute = path[0] == '/';
    size_t length = 0;  // bytes in `out`, the root slash included
    if (absolute) out[length++] = '/';
    size_t rootLength = length;
    size_t components = 0;      // components in `out`
    size_t leadingDotDots = 0;  // ".." components at the start of a relative result

    for (const char* p = path; *p;) {
        if (*p == '/') {
            ++p;
            continue;
        }
        const char* start = p;
        while (*p && *p != '/')
            ++p;
        size_t componentLength = size_t(p - start);
        if (componentLength == 1 && start[0] == '.') continue;
        if (isDotDot(start, componentLength)) {
            if (components > leadingDotDots) {
                while (length > rootLength && out[length - 1] != '/')
                    --length;
                if (length > rootLength) --length;  // the slash before the removed component
                --components;
                continue;
            }
            if (absolute) continue;  // nothing above the root
            ++leadingDotDots;
        }
        if (length > rootLength) out[length++] = '/';
        std::memcpy(out + length, start, componentLength);
        length += componentLength;
        ++components;
    }
    if (length == 0) out[length++] = '.';
    out[length] = '\0';
    if (lastStart) {
        size_t i = length;
        while (i > rootLength && out[i - 1] != '/')
            --i;
        *lastStart = i;
    }
    return String::adopt(out);
}

const char* const kReservedDeviceNames[] = {
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9",
};

}  // namespace

String normalisePath(const char* path) {
    return normalise(path);
}

String pathDirName(const char* path) {
    size_t last = 0;
    String p = normalise(path, &last);
    const char* text = p.get();
    if (std::strcmp(text, ".") == 0) return String("..");
    if (std::strcmp(text, "/") == 0) return p;
    if (text[0] != '/' && std::strcmp(text + last, "..") == 0) return String::format("%s/..", text);
    if (last == 0) return String(".");
    if (last == 1) return String("/");
    return String(text, int(last - 1));
}

String pathBaseName(const char* path, const char* suffix) {
    size_t last = 0;
    String p = normalise(path, &last);
    const char* text = p.get();
    if (std::strcmp(text, "/") == 0) return p;
    const char* base = text + last;
    if (text[0] != '/' && std::strcmp(base, "..") == 0) return String(".");
    size_t baseLength = std::strlen(base);
    size_t suffixLength = strLen(suffix);
    if (suffixLength > 0 && baseLength > suffixLength && strEndsWithNoCase(base, suffix))
        baseLength -= suffixLength;
    return String(base, int(baseLength));
}

int reservedDeviceNameLength(const char* name) {
    if (!name) return 0;
    for (const char* reserved : kReservedDeviceNames) {
        size_t length = std::strlen(reserved);
        if (strNCaseCmpAscii(name, reserved, length) == 0 &&
            (name[length] == '\0' || name[length] == '.'))
            return int(length);
    }
    return 0;
}

DString sanitiseFileName(const char* name, const char* replacement) {
    DString result;
    if (!name) name = "";
    // These three would name the directory the result is joined to, or its parent.
    if (!std::strcmp(name, "") || !std::strcmp(name, ".") || !std::strcmp(name, "..")) {
        result.append(replacement);
        return result;
    }
    const char* runStart = name;
    for (const char* p = name;; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c != '\0' && c >= 0x20 && c != 0x7F && c != '/') continue;
        result.append(runStart, int(p - runStart));
        if (c == '\0') break;
        result.append(replacement);
        runStart = p + 1;
    }
    return result;
}

}  // namespace plat
