#include "plat/LogDest.h"

#include "plat/StrUtil.h"

namespace plat {

namespace {
std::atomic<LogDest*> destList{nullptr};
}  // namespace

LogDest::LogDest(const char* name) : name_(name), next_(nullptr) {
    if (!name_) return;
    next_ = destList.load();
    while (!destList.compare_exchange_weak(next_, this)) {
    }
}

LogDest* LogDest::find(const char* name) {
    if (!name) return nullptr;
    for (LogDest* dest = destList.load(); dest; dest = dest->next_)
        if (strCaseCmpAscii(dest->name_, name) == 0) return dest;
    return nullptr;
}

void LogDest::printDestNames(FILE* out) {
    for (LogDest* dest = destList.load(); dest; dest = dest->next_)
        std::fprintf(out, "  %s\n", dest->name_);
}

}  // namespace plat
