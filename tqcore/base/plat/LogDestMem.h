// plat::LogDestMem: the store of log lines that no destination took before logging was
// initialised, replayed to the destinations chosen later.
//
// Holds at most 500 lines; the next one becomes a marker line and later ones are dropped until
// the store is pruned. Thread-safe; the one instance lives for the whole process.
#pragma once

#include "plat/LogDest.h"

#include <memory>

namespace plat {

class LogDestMem : public LogDest {
public:
    static constexpr int kMaxEntries = 500;

    static LogDestMem& instance();

    void write(int level, const char* source, const char* text) override;
    // Writes every stored line of level <= `level` to `dest`, framed by a start and a finish
    // line at `level` (none when no line qualifies). Lines that `dest` writes meanwhile are not
    // stored.
    void replay(LogDest& dest, int level);
    // Removes every stored line of level <= `level`.
    void prune(int level);
    void clear();
    // The number of stored lines.
    int size();

private:
    LogDestMem();
    struct State;
    State* state_;  // never freed: lines may be written during static destruction
};

}  // namespace plat
