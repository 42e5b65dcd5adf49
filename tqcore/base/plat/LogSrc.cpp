#include "plat/LogSrc.h"

#include "plat/ByteScan.h"
#include "plat/ConfigParameter.h"
#include "plat/LogDest.h"
#include "plat/LogDestMem.h"
#include "plat/Mutex.h"
#include "plat/PlatTranslations.h"
#include "plat/StrUtil.h"
#include "plat/String.h"
#include "plat/Utf8.h"
#include "plat/Wildcard.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <new>
#include <vector>

namespace plat {

namespace {

std::atomic<LogSrc*> sourceList{nullptr};
std::atomic<bool> initialised{false};

// Serialises applying the setting, level updates and initLogging: all of them run on the
// thread that changes the setting, but a destination may re-enter them from a write.
Mutex& applyMutex() {
    static auto* mutex = new Mutex;
    return *mutex;
}

// Reclaiming replaced destination tables without making writers lock or wait. A writer
// registers in the reader slot of the current epoch's parity while it uses a table. A table
// replaced before the epoch moves on can be held only by writers registered before that move,
// all counted in the old slot; once that slot drains, nobody can reach the table. The epoch
// moves only when the slot it moves into is empty, so a slot never holds writers of two epochs.
// Applying the setting frees what is safe and leaves the rest for the next application: what
// stays allocated is what was replaced while the longest write in progress ran.
std::atomic<unsigned> epoch{0};
std::atomic<int> readers[2];
std::atomic<int> liveTables{0};

struct RetiredTables {
    std::vector<const void*> sinceMove;   // replaced in the current epoch
    std::vector<const void*> beforeMove;  // replaced earlier: free once the old slot drains
};

// Guarded by applyMutex; never destroyed, as sources may be written during static destruction.
RetiredTables& retired() {
    static auto* tables = new RetiredTables;
    return *tables;
}

void freeTables(std::vector<const void*>& tables) {
    for (const void* table : tables)
        ::operator delete(const_cast<void*>(table));
    liveTables.fetch_sub(int(tables.size()));
    tables.clear();
}

// Under applyMutex, after tables were retired.
void reclaimTables() {
    RetiredTables& tables = retired();
    unsigned current = epoch.load() & 1, previous = current ^ 1;
    if (readers[previous].load() != 0) return;
    freeTables(tables.beforeMove);
    if (tables.sinceMove.empty()) return;
    epoch.fetch_add(1);
    tables.beforeMove.swap(tables.sinceMove);
    if (readers[current].load() == 0) freeTables(tables.beforeMove);
}

// Registers the current thread as a reader of destination tables for its lifetime.
class TableReader {
public:
    TableReader() {
        for (;;) {
            slot_ = epoch.load() & 1;
            readers[slot_].fetch_add(1);
            if ((epoch.load() & 1) == slot_) return;
            readers[slot_].fetch_sub(1);
        }
    }
    ~TableReader() { readers[slot_].fetch_sub(1, std::memory_order_release); }
    TableReader(const TableReader&) = delete;
    TableReader& operator=(const TableReader&) = delete;

private:
    unsigned slot_;
};

// Whether every byte of `line` lies in 32..125, the bytes a line may carry unescaped. Eight
// bytes at a time.
bool allPrintable(const char* line) {
    size_t length = std::strlen(line), i = 0;
    for (; i + 8 <= length; i += 8) {
        ByteWord word = ByteWord::load(line + i);
        if (word.below(32) | word.above(125)) return false;
    }
    for (; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        if (c < 32 || c > 125) return false;
    }
    return true;
}

// vsnprintf for the formats most lines use, text with "%s", "%d" and "%%" only, without the C
// library's stream machinery: the same output, at a fraction of the cost. False, before any
// argument was taken, for a format with any other conversion. `length` receives the length of
// the whole output, which may exceed what fitted.
bool formatPlain(char* out, size_t size, const char* format, va_list args, size_t& length) {
    for (const char* p = format; (p = std::strchr(p, '%')); p += 2)
        if (p[1] != 's' && p[1] != 'd' && p[1] != '%') return false;
    length = 0;
    auto put = [&](const char* text, size_t count) {
        if (length < size - 1) std::memcpy(out + length, text, std::min(count, size - 1 - length));
        length += count;
    };
    for (const char* p = format;;) {
        const char* percent = std::strchr(p, '%');
        put(p, percent ? size_t(percent - p) : std::strlen(p));
        if (!percent) break;
        if (percent[1] == '%') {
            put("%", 1);
        } else if (percent[1] == 's') {
            const char* text = va_arg(args, const char*);
            if (!text) text = "(null)";
            put(text, std::strlen(text));
        } else {
            int value = va_arg(args, int);
            unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
            char digits[12];
            char* start = digits + sizeof digits;
            do
                *--start = char('0' + magnitude % 10);
            while (magnitude /= 10);
            if (value < 0) *--start = '-';
            put(start, size_t(digits + sizeof digits - start));
        }
        p = percent + 2;
    }
    out[std::min(length, size - 1)] = '\0';
    return true;
}

// The override of the `Log` parameter, or null.
String& overrideSetting() {
    static auto* text = new String;
    return *text;
}

// Re-applies the setting whenever the `Log` parameter changes at any priority.
class LogParameterChangedCallback : public ParameterChangedCallback {
public:
    void parameterChanged(ConfigParameter*, int) override { LogSrc::applySetting(); }
};

// The override when one is set, else the `Log` parameter's current value.
String currentSetting() {
    if (!overrideSetting().isNull()) return overrideSetting();
    return logParam().getValueStr();
}

struct Element {
    String pattern;
    LogDest* dest;
    int level;
};

// Parses one "<log>:<target>:<level>" element; false for an element to ignore (reported on
// standard error when malformed).
bool parseElement(const char* element, Element& out) {
    if (!*element) return false;
    const char* colon1 = std::strchr(element, ':');
    const char* colon2 = colon1 ? std::strchr(colon1 + 1, ':') : nullptr;
    bool levelOk = colon2 && colon2[1];
    long long level = 0;
    for (const char* p = colon2 ? colon2 + 1 : ""; levelOk && *p; ++p) {
        if (*p < '0' || *p > '9') levelOk = false;
        level = level * 10 + (*p - '0');
        if (level > INT_MAX) levelOk = false;
    }
    if (!levelOk) {
        std::fprintf(stderr, "Failed to parse log param element: '%s'\n", element);
        return false;
    }
    String target(colon1 + 1, int(colon2 - colon1 - 1));
    if (target.length() == 0) return false;
    out.dest = LogDest::find(target.get());
    if (!out.dest) {
        std::fprintf(stderr, "No LogDest found: '%s'\n", target.get());
        return false;
    }
    out.pattern = String(element, int(colon1 - element));
    out.level = int(level);
    return true;
}

std::vector<Element> parseSetting(const char* setting) {
    std::vector<Element> elements;
    String copy(setting ? setting : "");
    char* cursor = copy.buf();
    while (char* element = strTok(&cursor, ',', false)) {
        Element e;
        if (parseElement(element, e)) elements.push_back(std::move(e));
    }
    return elements;
}

// Replays the stored lines once to each active destination that an element gives every
// source ("*"), at the highest such level for that destination, then prunes what was
// replayed everywhere.
void replayStored(const std::vector<Element>& elements) {
    std::map<LogDest*, int> replayLevels;
    int pruneLevel = -1;
    for (const Element& e : elements) {
        if (std::strcmp(e.pattern.get(), "*") != 0 || !e.dest->isActive()) continue;
        auto [it, added] = replayLevels.emplace(e.dest, e.level);
        if (!added && e.level > it->second) it->second = e.level;
        if (e.level > pruneLevel) pruneLevel = e.level;
    }
    for (const auto& [dest, level] : replayLevels)
        LogDestMem::instance().replay(*dest, level);
    if (pruneLevel >= 0) LogDestMem::instance().prune(pruneLevel);
}

// Joins the global configuration during static initialisation, so that the command line and
// the parameter files can set it.
[[maybe_unused]] StringParameter& registeredLogParam = logParam();

}  // namespace

StringParameter& logParam() {
    // Built by whichever static initialiser asks first and never destroyed, like the sources
    // whose setting it holds. The callback is in place before anyone can set a value.
    static StringParameter* const param = [] {
        registerPlatTranslations(nullptr);  // the description is a plat text
        auto* log = new StringParameter("Log", LocDesc("plat_param_log"), "");
        log->addCallback(new LogParameterChangedCallback);
        return log;
    }();
    return *param;
}

LogSrc::LogSrc(const char* name) : name_(name), next_(sourceList.load()), constructed_(true) {
    while (!sourceList.compare_exchange_weak(next_, this)) {
    }
}

int LogSrc::tableCount() {
    return liveTables.load();
}

LogSrc* LogSrc::first() {
    return sourceList.load();
}

bool loggingInitialised() {
    return initialised.load();
}

void LogSrc::error(const char* format, ...) {
    if (!enabled(kError)) return;
    va_list args;
    va_start(args, format);
    vwrite(kError, format, args);
    va_end(args);
}

void LogSrc::info(const char* format, ...) {
    if (!enabled(kInfo)) return;
    va_list args;
    va_start(args, format);
    vwrite(kInfo, format, args);
    va_end(args);
}

void LogSrc::debug(const char* format, ...) {
    if (!enabled(kDebug)) return;
    va_list args;
    va_start(args, format);
    vwrite(kDebug, format, args);
    va_end(args);
}

void LogSrc::verbose(const char* format, ...) {
    if (!enabled(kVerbose)) return;
    va_list args;
    va_start(args, format);
    vwrite(kVerbose, format, args);
    va_end(args);
}

void LogSrc::writeAtLevel(int level, const char* format, ...) {
    if (!enabled(level)) return;
    va_list args;
    va_start(args, format);
    vwrite(level, format, args);
    va_end(args);
}

void LogSrc::vwrite(int level, const char* format, va_list args) {
    // Straight into the line: no argument can point into a buffer that did not exist before.
    char line[4096];
    size_t length = 0;
    if (!format) {
        line[0] = '\0';
    } else if (!formatPlain(line, sizeof line, format, args, length)) {
        int formatted = std::vsnprintf(line, sizeof line, format, args);
        if (formatted < 0) line[0] = '\0';
        length = formatted < 0 ? 0 : size_t(formatted);
    }
    if (length >= sizeof line) cutAtCharBoundary(line, sizeof line - 1);
    writeLine(level, line);
}

void LogSrc::write(int level, const char* text) {
    if (!enabled(level) || !text) return;
    String copy(text);
    char* cursor = copy.buf();
    while (char* line = strTok(&cursor, '\n', true))
        writeLine(level, line);
}

void LogSrc::writeLine(int level, const char* line) {
    bool constructed = constructed_;
    TQ_ASSERT(constructed);
    TableReader reader;
    const Table* table = table_.load();
    bool hasDests = table && table->count > 0;
    if (!hasDests && loggingInitialised()) return;

    String escaped;
    if (!allPrintable(line)) {
        escaped = utf8Visible(line, '~');
        line = escaped.get();
    }

    bool delivered = false;
    for (int i = 0; hasDests && i < table->count; ++i) {
        const Entry& entry = table->entries[i];
        if (entry.level >= level && entry.dest->isActive()) {
            entry.dest->write(level, name_, line);
            delivered = true;
        }
    }
    if (!delivered) LogDestMem::instance().write(level, name_, line);
}

void LogSrc::setTable(const Table* table) {
    if (const Table* old = table_.exchange(table)) retired().sinceMove.push_back(old);
}

void LogSrc::updateLevel() {
    MutexLock lock(applyMutex());
    const Table* table = table_.load(std::memory_order_acquire);
    int level = -1;
    for (int i = 0; table && i < table->count; ++i) {
        int destLevel = table->entries[i].dest->level();
        int entryLevel = table->entries[i].level;
        int effective = entryLevel < destLevel ? entryLevel : destLevel;
        if (effective > level) level = effective;
    }
    level_.store(level, std::memory_order_relaxed);
    refreshGate();
}

void LogSrc::refreshGate() {
    int gate = loggingInitialised() ? level_.load() : INT_MAX;
    gateBits_.store(gate ^ INT_MAX, std::memory_order_relaxed);
}

void LogSrc::setLogSetting(const char* text) {
    {
        MutexLock lock(applyMutex());
        overrideSetting() = String(text);
    }
    applySetting();
}

void LogSrc::applySetting() {
    MutexLock lock(applyMutex());
    String setting = currentSetting();
    std::vector<Element> elements = parseSetting(setting.get());

    // Every source gets a fresh table; the old ones are freed once no writer on another thread
    // can still be reading them.
    for (LogSrc* src = first(); src; src = src->next_) {
        std::map<LogDest*, int> entries;
        for (const Element& e : elements)
            if (wildcardMatch(e.pattern.get(), src->name_, false)) entries[e.dest] = e.level;
        const Table* table = nullptr;
        if (!entries.empty()) {
            size_t bytes = sizeof(Table) + (entries.size() - 1) * sizeof(Entry);
            Table* fresh = static_cast<Table*>(::operator new(bytes));
            fresh->count = int(entries.size());
            int i = 0;
            for (const auto& [dest, level] : entries)
                fresh->entries[i++] = Entry{dest, level};
            table = fresh;
            ++liveTables;
        }
        src->setTable(table);
        src->level_.store(-1, std::memory_order_relaxed);
    }
    reclaimTables();
    replayStored(elements);
    updateAllLevels();
}

void LogSrc::updateAllLevels() {
    MutexLock lock(applyMutex());
    for (LogSrc* src = first(); src; src = src->next_) {
        // A source that tells a peer its level can fail to send; every later source would
        // otherwise stay at -1, silently off.
        try {
            src->updateLevel();
        } catch (const Exception& e) {
            std::fprintf(stderr, "Failed to update the level of log source '%s': %s\n",
                         src->name_, e.message());
        }
    }
}

void initLogging() {
    MutexLock lock(applyMutex());
    if (initialised.load()) return;
    initialised.store(true);
    replayStored(parseSetting(currentSetting().get()));
    LogDestMem::instance().clear();
    for (LogSrc* src = LogSrc::first(); src; src = src->next_)
        src->refreshGate();
}

void LogSrc::printSourceNames(int width, FILE* out) {
    int budget = width - 2;
    bool firstName = true;
    for (LogSrc* src = first(); src; src = src->next_) {
        int length = int(std::strlen(src->name_));
        if (firstName) {
            std::fputs("  ", out);
        } else if (length >= budget) {
            std::fputs(",\n  ", out);
            budget = width - 2;
        } else {
            std::fputs(", ", out);
        }
        std::fputs(src->name_, out);
        budget -= length + 2;
        firstName = false;
    }
    std::fputs("\n", out);
}

}  // namespace plat
