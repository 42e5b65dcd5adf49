// plat::LogSrc: a named source of log lines, as a rule one static object per source file.
//
// Which destinations a source writes to, and up to which level, is chosen by the `Log`
// setting ("<pattern>:<destination>:<level>,..."). A line above the source's level costs one
// comparison: the gate comes before any formatting. Until logging is declared initialised
// (plat::initLogging, when the application loop starts) nothing is filtered, and lines that no
// destination takes are kept in memory and replayed once the destinations are known.
//
// Writers may be called on any thread and never lock. A source's destination table is replaced
// as a whole when the setting is applied; a replaced table is freed once no writer can still be
// reading it, so memory stays bounded however often the setting changes. Sources live for the
// whole process.
#pragma once

#include "plat/Exception.h"

#include <atomic>
#include <climits>
#include <cstdarg>
#include <cstdio>

namespace plat {

class LogDest;
class StringParameter;

class LogSrc {
public:
    static constexpr int kError = 0;
    static constexpr int kInfo = 30;
    static constexpr int kDebug = 100;
    static constexpr int kVerbose = 110;

    // `name` must outlive the source (a literal). Links the source into the process-wide list.
    explicit LogSrc(const char* name);
    // Sources are never unlinked: a static source stays usable by other static destructors.
    virtual ~LogSrc() = default;
    LogSrc(const LogSrc&) = delete;
    LogSrc& operator=(const LogSrc&) = delete;

    const char* name() const { return name_; }
    // The highest level any destination currently takes; -1 with no destination.
    int level() const { return level_.load(std::memory_order_relaxed); }
    // Whether a line of `level` would pass the gate of the writers.
    bool enabled(int level) const {
        return level <= (gateBits_.load(std::memory_order_relaxed) ^ INT_MAX);
    }

    // printf-style writers at levels 0, 30, 100 and 110, and at a given level.
    void error(const char* format, ...) TQ_PRINTF_FORMAT(2, 3);
    void info(const char* format, ...) TQ_PRINTF_FORMAT(2, 3);
    void debug(const char* format, ...) TQ_PRINTF_FORMAT(2, 3);
    void verbose(const char* format, ...) TQ_PRINTF_FORMAT(2, 3);
    void writeAtLevel(int level, const char* format, ...) TQ_PRINTF_FORMAT(3, 4);
    // Formats into 4096 bytes (cut at a character boundary) and writes one line; newlines in
    // the result are escaped, not split. No level gate of its own.
    void vwrite(int level, const char* format, va_list args) TQ_PRINTF_FORMAT(3, 0);
    // Writes each non-empty line of `text` (split at '\n') after the level gate.
    void write(int level, const char* text);

    // Recomputes the level from the destinations (entry level capped by each destination's
    // own level).
    virtual void updateLevel();

    // Replaces the `Log` parameter's value by `text` for this process (null: use the parameter
    // again) and applies the setting.
    static void setLogSetting(const char* text);
    // Applies the current setting to every source.
    static void applySetting();
    // Calls updateLevel on every source in list order. A source whose update throws is
    // reported on standard error and the others are still updated.
    static void updateAllLevels();
    // Lists every source name for the parameter help, wrapped to `width` columns.
    static void printSourceNames(int width, FILE* out);

    // The destination tables allocated and not yet freed, the current ones included.
    static int tableCount();

    // The list of sources, most recently constructed first.
    static LogSrc* first();
    LogSrc* next() const { return next_; }

private:
    friend void initLogging();
    struct Entry {
        LogDest* dest;
        int level;
    };
    struct Table {
        int count;
        Entry entries[1];  // `count` entries, allocated to size
    };

    void writeLine(int level, const char* line);
    void setTable(const Table* table);
    void refreshGate();

    const char* name_;
    std::atomic<int> level_{INT_MAX};  // highest level any destination takes
    // The gate (level_, or INT_MAX before initLogging) XOR INT_MAX: the zero bits of a source
    // written before its constructor ran open the gate, so the line reaches the check of
    // `constructed_` instead of vanishing.
    std::atomic<int> gateBits_{0};
    std::atomic<const Table*> table_{nullptr};  // destinations and entry levels, or null
    LogSrc* next_;                              // process-wide list
    bool constructed_;
};

// Declares logging initialised: replays the stored lines to the chosen destinations, then
// discards them. Later calls do nothing.
void initLogging();
bool loggingInitialised();

// The `Log` parameter of the global configuration: the setting, a comma-separated list of
// "<source pattern>:<destination>:<level>", empty by default. Every change re-applies it.
StringParameter& logParam();

}  // namespace plat
