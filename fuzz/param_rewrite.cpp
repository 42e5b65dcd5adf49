// Rewriting a parameter file on disk: one set or remove of a key over arbitrary file contents.
//
// Input: byte 0 chooses the edit (bit 0 remove rather than set, bit 1 a key without a value,
// bit 2 no file at all), then the key up to a NUL, the value up to a NUL, and the rest is the
// file. Properties: a key that cannot be written as itself is refused with the file left byte
// for byte; otherwise the records read back are the records read before with exactly that one
// edit applied (a key in another case replaces its record; a value loses the blanks at its end,
// which the format cannot keep), and a remove on a missing file creates none. Nothing outside
// the plat::Exception family is thrown.
#include "plat/Exception.h"
#include "plat/FileConfig.h"
#include "plat/Records.h"
#include "plat/Utf8.h"
#include "rdr/MemInStream.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// A scratch folder of this process, on a memory file system when there is one (every rewrite
// syncs its file to disk).
const std::string& scratchFile() {
    static const std::string path = [] {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/param_rewrite.XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        static std::string folder = pattern;
        std::atexit([] {
            for (const char* name : {"/prog", "/prog.lock", "/prog.tmp"})
                unlink((folder + name).c_str());
            rmdir(folder.c_str());
        });
        return pattern + "/prog";
    }();
    return path;
}

std::string contentsOf(const std::string& path) {
    std::ostringstream all;
    all << std::ifstream(path, std::ios::binary).rdbuf();
    return all.str();
}

plat::NoCaseStringMap recordsOf(const std::string& text) {
    plat::NoCaseStringMap records;
    rdr::MemInStream in(text.data(), int(text.size()));
    plat::readRecords(in, records);
    return records;
}

// White space that a record keeps unescaped (line breaks are written as escapes).
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// Keys are parameter names: one that ends a record early, starts an escape or has blanks at an
// end would read back as another key, an empty one writes a record without a name, and a name
// is UTF-8.
bool writableKey(const std::string& key) {
    if (key.empty() || !plat::utf8IsValid(key.data(), key.data() + key.size())) return false;
    if (key.find_first_of("=\\\r\n") != std::string::npos) return false;
    return !isBlank(key.front()) && !isBlank(key.back());
}

bool sameRecords(const plat::NoCaseStringMap& a, const plat::NoCaseStringMap& b) {
    if (a.size() != b.size()) return false;
    for (auto x = a.begin(), y = b.begin(); x != a.end(); ++x, ++y)
        if (std::strcmp(x->first.get(), y->first.get()) != 0 || x->second != y->second.get())
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 20000) return 0;
    const char* text = reinterpret_cast<const char*>(data + 1);
    const char* end = reinterpret_cast<const char*>(data + size);
    const char* keyEnd = static_cast<const char*>(std::memchr(text, 0, size_t(end - text)));
    if (!keyEnd) return 0;
    const char* valueEnd =
        static_cast<const char*>(std::memchr(keyEnd + 1, 0, size_t(end - keyEnd - 1)));
    if (!valueEnd) return 0;
    bool remove = data[0] & 1, noValue = data[0] & 2, noFile = data[0] & 4;
    std::string key(text, keyEnd), value(keyEnd + 1, valueEnd), file(valueEnd + 1, end);

    const std::string& path = scratchFile();
    unlink(path.c_str());
    if (!noFile) std::ofstream(path, std::ios::binary) << file;
    std::string before = noFile ? std::string() : file;
    plat::NoCaseStringMap expected = recordsOf(before);

    try {
        if (remove)
            plat::FileConfig::removeValue(path.c_str(), key.c_str(), 0);
        else
            plat::FileConfig::setValue(path.c_str(), key.c_str(), noValue ? nullptr : value.c_str(),
                                       0);
    } catch (const plat::Exception& e) {
        require(!writableKey(key), e.message());
        require(std::strcmp(e.message(), "Invalid parameter file key") == 0, e.message());
        require(access(path.c_str(), F_OK) == (noFile ? -1 : 0), "a refused edit made a file");
        require(noFile || contentsOf(path) == file, "a refused edit changed the file");
        return 0;
    }
    require(writableKey(key), "a key that cannot be written was taken");
    while (!value.empty() && isBlank(value.back()))
        value.pop_back();

    auto record = expected.find(key.c_str());
    if (record != expected.end()) expected.erase(record);
    if (!remove)
        expected.emplace(plat::String(key.c_str()),
                         plat::String(noValue ? nullptr : value.c_str()));
    if (remove && noFile) {
        require(access(path.c_str(), F_OK) != 0, "removing from a missing file created it");
        return 0;
    }
    require(sameRecords(recordsOf(contentsOf(path)), expected),
            "the records read back differ from the records read before and the one edit");
    return 0;
}
