// plat::LogDest: where the lines of log sources end up (a file, standard error, memory,
// another process).
//
// Named destinations register themselves in a process-wide list, so that the `Log` setting can
// choose them by name; an unnamed one is never chosen. Each destination serialises its own
// writes. Destinations live for the whole process: their destructors do not unregister them.
#pragma once

#include <atomic>
#include <climits>
#include <cstdio>

namespace plat {

class LogDest {
public:
    // `name` (a literal, or null for an unnamed destination) must outlive the destination.
    explicit LogDest(const char* name);
    virtual ~LogDest() = default;
    LogDest(const LogDest&) = delete;
    LogDest& operator=(const LogDest&) = delete;

    // Writes one line of `source` at `level`. May throw; the exception reaches the writer.
    virtual void write(int level, const char* source, const char* text) = 0;
    // An inactive destination receives nothing; its lines go to the memory store.
    virtual bool isActive() { return true; }

    const char* name() const { return name_; }
    // The highest level the destination itself accepts.
    int level() const { return level_.load(std::memory_order_relaxed); }

    // The registered destination with this name, ignoring case, or null.
    static LogDest* find(const char* name);
    // Writes every registered name as a line "  <name>\n".
    static void printDestNames(FILE* out);

protected:
    std::atomic<int> level_{INT_MAX};

private:
    const char* name_;
    LogDest* next_;  // registry of named destinations, most recent first
};

}  // namespace plat
