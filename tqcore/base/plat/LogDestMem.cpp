#include "plat/LogDestMem.h"

#include "plat/Mutex.h"
#include "plat/String.h"

#include <vector>

namespace plat {

struct LogDestMem::State {
    struct Line {
        int level;
        String source;
        String text;
    };
    Mutex mutex;
    std::vector<Line> lines;
    bool replaying = false;  // lines written by the replay's own destination are not stored
};

LogDestMem::LogDestMem() : LogDest(nullptr), state_(new State) {}

LogDestMem& LogDestMem::instance() {
    static LogDestMem* const store = new LogDestMem;
    return *store;
}

void LogDestMem::write(int level, const char* source, const char* text) {
    MutexLock lock(state_->mutex);
    if (state_->replaying) return;
    auto& lines = state_->lines;
    if (lines.size() < size_t(kMaxEntries))
        lines.push_back({level, String(source), String(text)});
    else if (lines.size() == size_t(kMaxEntries))
        lines.push_back(
            {0, String("LogDestMem"), String("Too many messages, discarding further ones")});
}

void LogDestMem::replay(LogDest& dest, int level) {
    MutexLock lock(state_->mutex);
    struct Replaying {
        bool& flag;
        bool saved;
        ~Replaying() { flag = saved; }
    } replaying{state_->replaying, state_->replaying};
    state_->replaying = true;
    bool started = false;
    for (const State::Line& line : state_->lines) {
        if (line.level > level) continue;
        if (!started) dest.write(level, "LogDestMem", "Start replaying stored messages");
        started = true;
        dest.write(line.level, line.source.get(), line.text.get());
    }
    if (started) dest.write(level, "LogDestMem", "Finished replaying stored messages");
}

void LogDestMem::prune(int level) {
    MutexLock lock(state_->mutex);
    auto& lines = state_->lines;
    size_t kept = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].level > level) lines[kept++] = std::move(lines[i]);
    lines.resize(kept);
}

void LogDestMem::clear() {
    MutexLock lock(state_->mutex);
    state_->lines.clear();
}

int LogDestMem::size() {
    MutexLock lock(state_->mutex);
    return int(state_->lines.size());
}

}  // namespace plat
