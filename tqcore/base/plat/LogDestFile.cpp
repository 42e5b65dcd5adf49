#include "plat/LogDestFile.h"

#include "os/DirEnum.h"
#include "os/HostName.h"
#include "plat/ConfigParameter.h"
#include "plat/DString.h"
#include "plat/File.h"
#include "plat/LogSrc.h"
#include "plat/Path.h"
#include "plat/PlatTranslations.h"
#include "plat/SysColors.h"
#include "plat/Time.h"

#include <atomic>
#include <climits>
#include <cstring>
#include <pthread.h>
#include <unistd.h>
#include <vector>

namespace plat {

namespace {

// Header texts replaced by a later one stay allocated: a writer may still be reading one.
std::atomic<const char*> headerText{nullptr};
std::atomic<bool> redirectStderr{false};

// The process id of every line, asked of the system once per process (a child of fork asks
// again).
std::atomic<pid_t> cachedPid{0};

pid_t processId() {
    pid_t pid = cachedPid.load(std::memory_order_relaxed);
    if (pid == 0) {
        static const bool registered = [] {
            pthread_atfork(nullptr, nullptr, [] { cachedPid.store(0); });
            return true;
        }();
        (void)registered;
        pid = getpid();
        cachedPid.store(pid, std::memory_order_relaxed);
    }
    return pid;
}

int priorityOf(int level) {
    return level <= 0 ? 11 : level <= 5 ? 12 : level <= 10 ? 13 : level <= 30 ? 14 : 15;
}

const char* colourOf(int level) {
    return level < 6 ? "31;1" : level <= 10 ? "31" : level <= 30 ? "36" : "0";
}

void reportOnStderr(const char* format, const Exception& e) {
    char text[Exception::kMessageSize];
    exceptionText(text, e, "");
    std::fprintf(stderr, format, text);
}

// "<dir>/<file>" from the two values after "$" expansion; an absolute file ignores the
// directory.
String joinLogPath(const char* dir, const char* file) {
    DString fileExpanded, dirExpanded, path;
    expandEnvVars(fileExpanded, file);
    if (pathIsAbsolute(fileExpanded.c_str())) return String(fileExpanded.c_str());
    expandEnvVars(dirExpanded, dir);
    path.append(dirExpanded.c_str());
    if (!strEndsWith(path.c_str(), "/")) path.append("/");
    path.append(fileExpanded.c_str());
    return String(path.c_str());
}

// Whether `name` is one that rotation gives `base`: "<base>.<14 digits>", or with "(<n>)"
// inserted before the last '.'. Pruning touches nothing else in a shared directory.
bool isRotatedName(const char* name, const char* base) {
    size_t baseLength = std::strlen(base);
    if (std::strncmp(name, base, baseLength) != 0) return false;
    const char* p = name + baseLength;
    if (*p == '(') {
        const char* digits = ++p;
        while (*p >= '0' && *p <= '9')
            ++p;
        if (p == digits || p - digits > 2 || *p++ != ')') return false;
    }
    if (*p++ != '.') return false;
    for (int i = 0; i < 14; ++i, ++p)
        if (*p < '0' || *p > '9') return false;
    return *p == '\0';
}

// The cut-off of pruning: now less `days` days, saturating instead of wrapping into the future.
int64_t pruneCutoff(int64_t now, int64_t days) {
    __int128 cutoff = __int128(now) - __int128(days) * Time::kDay;
    return cutoff < INT64_MIN ? INT64_MIN : int64_t(cutoff);
}

// Moves the previous log file aside and removes rotated files older than LogKeepDays. Failures
// are silent: the new file is opened all the same (appending when the old one stayed).
void rotateAndPrune(const char* path) {
    String dir = pathDirName(path);
    String base = pathBaseName(path);
    try {
        os::DirEnum listing(dir.get());
        int64_t cutoff = pruneCutoff(Time::now(), LogDestFile::logKeepDaysParam().getValueInt());
        try {
            while (*listing.next()) {
                if (!isRotatedName(listing.name(), base.get())) continue;
                if (fileGetTime(listing.path()) < cutoff) fileRemoveNoThrow(listing.path());
            }
        } catch (const Exception&) {
        }
        if (!fileExistsNoThrow(path)) return;
        struct tm t = Time::toLocalCalendar(fileGetTime(path));
        String name = String::format("%s.%04d%02d%02d%02d%02d%02d", base.get(), t.tm_year + 1900,
                                     t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
        String target = makeUniqueFileName(dir.get(), name.get(), "(", ")", 99);
        fileRenameNoThrow(path, target.get());
    } catch (const Exception&) {
    }
}

// Keeps the "file" destination's path in step with LogDir and LogFile while file logging is
// enabled.
class LogDestFileMgr : public ParameterChangedCallback {
public:
    LogDestFileMgr(LogDestFile* dest, bool enabled) : dest_(dest), enabled_(enabled) {}

    void parameterChanged(ConfigParameter*, int) override {
        if (!enabled_) return;
        try {
            String path = joinLogPath(LogDestFile::logDirParam().getValueStr().c_str(),
                                      LogDestFile::logFileParam().getValueStr().c_str());
            dest_->setFileName(path.get());
        } catch (const Exception& e) {
            reportOnStderr("Error opening log file: %s\n", e);
        }
    }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    LogDestFile* dest() const { return dest_; }

private:
    LogDestFile* dest_;
    bool enabled_;
};

LogDestFileMgr* fileManager = nullptr;  // set once by fileDest, at start-up

LogSrc logDestFileLog("LogDestFile");
[[maybe_unused]] BoolParameter& registeredCompactLog = LogDestFile::compactLogParam();
[[maybe_unused]] StringParameter& registeredLogDir = LogDestFile::logDirParam();
[[maybe_unused]] StringParameter& registeredLogFile = LogDestFile::logFileParam();
[[maybe_unused]] IntParameter& registeredLogKeepDays = LogDestFile::logKeepDaysParam();

}  // namespace

// Each parameter makes sure the plat texts are registered before it exists, whichever static
// initialiser asks for it first: their descriptions and the help are plat texts.
BoolParameter& LogDestFile::compactLogParam() {
    static BoolParameter* const param =
        (registerPlatTranslations(nullptr),
         new BoolParameter("CompactLog",
                           "Whether to produce more compact logging lines for readability.  "
                           "Also produces times in local timezone instead of UTC",
                           false, true));
    return *param;
}

StringParameter& LogDestFile::logDirParam() {
    static StringParameter* const param =
        (registerPlatTranslations(nullptr),
         new StringParameter("LogDir", LocDesc("plat_param_logdir"), ""));
    return *param;
}

StringParameter& LogDestFile::logFileParam() {
    static StringParameter* const param =
        (registerPlatTranslations(nullptr),
         new StringParameter("LogFile", LocDesc("plat_param_logfile"), ""));
    return *param;
}

IntParameter& LogDestFile::logKeepDaysParam() {
    static IntParameter* const param =
        (registerPlatTranslations(nullptr),
         new IntParameter("LogKeepDays", LocDesc("plat_param_log_keep_days"), 30, false, nullptr, 0,
                          INT_MAX));
    return *param;
}

LogDestFile::LogDestFile(const char* name, const char* programName, FILE* stream)
    : LogDest(name), programName_(programName), hostName_(os::getLocalHostName()),
      file_(stream, false), useColour_(stream && ttySupportsColour(fileno(stream))),
      isStream_(stream != nullptr), active_(stream != nullptr) {
    file_.setLogErrors(false);
}

LogDestFile* LogDestFile::fileDest(const char* programName, bool enable) {
    if (!fileManager) {
        auto* dest = new LogDestFile("file", programName, nullptr);
        fileManager = new LogDestFileMgr(dest, enable);
        logDirParam().addCallback(fileManager);
        logFileParam().addCallback(fileManager);
        if (enable) fileManager->parameterChanged(nullptr, 0);
    }
    return fileManager->dest();
}

LogDestFile* LogDestFile::stderrDest(const char* programName) {
    static LogDestFile* const dest = new LogDestFile("stderr", programName, stderr);
    return dest;
}

LogDestFile* LogDestFile::getFileDest() {
    return fileManager ? fileManager->dest() : nullptr;
}

void LogDestFile::enableFileLogging(bool enable) {
    TQ_ASSERT(fileManager);
    if (fileManager->enabled() == enable) return;
    fileManager->setEnabled(enable);
    if (enable)
        fileManager->parameterChanged(nullptr, 0);
    else
        fileManager->dest()->setFileName(nullptr);
}

void LogDestFile::setHeader(const char* text) {
    static Mutex* const mutex = new Mutex;
    static std::vector<String>* const texts = new std::vector<String>;  // every header ever set
    MutexLock lock(*mutex);
    if (strCmpNull(headerText.load(), text) == 0) return;
    const char* copy = nullptr;
    if (text) {
        texts->emplace_back(text);
        copy = texts->back().get();
    }
    headerText.store(copy);
}

void LogDestFile::setRedirectStderr(bool redirect) {
    redirectStderr.store(redirect);
}

bool LogDestFile::isActive() {
    return active_.load(std::memory_order_acquire);
}

void LogDestFile::write(int level, const char* source, const char* text) {
    MutexLock lock(mutex_);
    if (stopped_) return;
    if (!file_ && !openFile()) return;
    writeLine(level, source, text);
}

void LogDestFile::writeLine(int level, const char* source, const char* text) {
    FILE* out = file_.get();
    if (const char* header = headerText.load(); header && !headerWritten_) {
        DString wrapped;
        wrapped.append(header).wrap(79, 0);
        std::fprintf(out, "%s\n", wrapped.c_str());
        headerWritten_ = true;
    }
    if (useColour_) ttySetColour(out, colourOf(level), false);
    int64_t now = Time::now();
    if (compactLogParam().getValueInt()) {
        struct tm local = Time::toLocalCalendar(now);
        int64_t sinceSecond = now % Time::kSecond;
        if (sinceSecond < 0) sinceSecond += Time::kSecond;
        std::fprintf(out, "%02d:%02d:%02d.%03d %s: %s\n", local.tm_hour, local.tm_min, local.tm_sec,
                     int(sinceSecond / Time::kMillisecond), source, text);
    } else {
        Time::formatIsoUtc(timeText_, now, true);
        std::fprintf(out, "<%d> %s %s %s[%lld]: %s: %s\n", priorityOf(level), timeText_,
                     hostName_.c_str(), programName_.c_str(), static_cast<long long>(processId()),
                     source, text);
    }
    if (useColour_) ttySetColour(out, "0", false);
    std::fflush(out);
    if (maxSize_ > 0 && !isStream_) {
        try {
            if (fileGetSizeFp(out) < maxSize_) return;
        } catch (const Exception&) {
            return;
        }
        stopped_ = true;
        closeFile();
        if (limitCallback_) limitCallback_->limitReached(this);
    }
}

void LogDestFile::closeFile() {
    try {
        file_.reset();
    } catch (const Exception& e) {
        reportOnStderr("Error closing log file: %s\n", e);
    }
}

void LogDestFile::setFileName(const char* path) {
    MutexLock lock(mutex_);
    const char* current = fileName_.get();
    bool bothEmpty = (!current || !*current) && (!path || !*path);
    if (bothEmpty || strCmpNull(current, path) == 0) return;
    if (!isStream_) closeFile();
    fileName_ = path;
    headerWritten_ = false;
    active_.store(isStream_ || (path && *path), std::memory_order_release);
}

void LogDestFile::setMaxSize(int64_t bytes, LimitCallback* callback) {
    MutexLock lock(mutex_);
    maxSize_ = bytes;
    limitCallback_ = callback;
    stopped_ = false;
}

void LogDestFile::openPath(const char* path) {
    mkDirs(pathDirName(path).get(), true);
    rotateAndPrune(path);
    stopped_ = false;
    // A rotation that failed leaves the previous log in place: append rather than lose it.
    file_.open(path, FilePtr::kWrite, fileExistsNoThrow(path) ? FilePtr::kAppend : 0);
    file_.setLogErrors(false);
    openPath_ = path;
}

bool LogDestFile::openFile() {
    if (!fileName_.get() || !*fileName_.get()) return false;
    try {
        openPath(fileName_.get());
    } catch (const Exception& first) {
        reportOnStderr("Error opening log file: %s\n", first);
        if (logFileParam().getPriority() <= 0 && logDirParam().getPriority() <= 0) return false;
        try {
            String fallback = joinLogPath(logDirParam().getValueStrAt(0).c_str(),
                                          logFileParam().getValueStrAt(0).c_str());
            std::fprintf(stderr, "Reverting to default log file %s\n", fallback.get());
            openPath(fallback.get());
            char text[Exception::kMessageSize];
            exceptionText(text, first, "");
            writeLine(0, "LogDestFile: Error opening log file", text);
        } catch (const Exception& e) {
            reportOnStderr("Error opening default log file: %s\n", e);
            return false;
        }
    }
    if (file_ && redirectStderr.load()) dup2(fileno(file_.get()), 2);
    return bool(file_);
}

void LogDestFile::reopenIfMoved() {
    MutexLock lock(mutex_);
    if (isStream_ || !file_ || !fileName_.get()) return;
    try {
        if (fileIsSameAsFd(fileno(file_.get()), openPath_.get())) return;
        closeFile();
        headerWritten_ = false;
        openFile();
    } catch (const Exception&) {
    }
}

}  // namespace plat
