// The Log setting on arbitrary text: parsing and applying never crash, every source ends with
// a level of -1 or more, and applying the same text again gives the same levels.
#include "plat/LogDest.h"
#include "plat/LogSrc.h"

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class NullDest : public plat::LogDest {
public:
    explicit NullDest(const char* name) : LogDest(name) {}
    void write(int, const char*, const char*) override {}
};

plat::LogSrc sources[] = {plat::LogSrc("FdIo"), plat::LogSrc("SetupDlg"), plat::LogSrc("a*b"),
                          plat::LogSrc("")};
NullDest* dests[] = {new NullDest("file"), new NullDest("stderr"), new NullDest("ipc")};

std::vector<int> levels() {
    std::vector<int> out;
    for (plat::LogSrc* src = plat::LogSrc::first(); src; src = src->next())
        out.push_back(src->level());
    return out;
}

// The parser reports bad elements on standard error; keep the fuzzer's output readable.
void applyQuietly(const char* setting) {
    int saved = dup(2);
    int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, 2);
    plat::LogSrc::setLogSetting(setting);
    dup2(saved, 2);
    close(saved);
    close(devNull);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string setting(reinterpret_cast<const char*>(data), size);
    applyQuietly(setting.c_str());
    std::vector<int> first = levels();
    for (int level : first)
        if (level < -1) std::abort();
    applyQuietly(setting.c_str());
    if (levels() != first) std::abort();
    return 0;
}
