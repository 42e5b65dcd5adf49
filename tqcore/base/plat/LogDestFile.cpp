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
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
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

// A log parameter as log writers see it. Writers run on any thread, while the parameter's values
// belong to the thread that sets them: every change, a removal that tells no callback included,
// copies what writers read into atomics and a locked copy of the default text.
template <typename Param>
class MirroredParameter : public Param, private ParameterChangedCallback {
public:
    template <typename... Args>
    explicit MirroredParameter(Args&&... args) : Param(std::forward<Args>(args)...) {
        this->addCallback(this);  // first, so that later callbacks see the new copy
        parameterChanged(this, 0);
    }

    void unsetParam(int priority, bool notify) override {
        Param::unsetParam(priority, notify);
        if (!notify) parameterChanged(this, priority);
    }

    int value() const { return value_.load(std::memory_order_relaxed); }
    // Whether a value is set above the default priority.
    bool setAboveDefault() const { return setAboveDefault_.load(std::memory_order_relaxed); }
    String defaultText() const {
        MutexLock lock(mutex_);
        return defaultText_;
    }

private:
    void parameterChanged(ConfigParameter*, int) override {
        value_.store(this->getValueInt(), std::memory_order_relaxed);
        setAboveDefault_.store(this->getPriority() > 0, std::memory_order_relaxed);
        MutexLock lock(mutex_);
        defaultText_ = this->getValueStrAt(0);
    }

    std::atomic<int> value_{0};
    std::atomic<bool> setAboveDefault_{false};
    mutable Mutex mutex_;  // guards defaultText_
    String defaultText_;   // the value at the default priority
};

// Each parameter makes sure the plat texts are registered before it exists, whichever static
// initialiser asks for it first: their descriptions and the help are plat texts.
MirroredParameter<BoolParameter>& compactLog() {
    static auto* const param =
        (registerPlatTranslations(nullptr),
         new MirroredParameter<BoolParameter>(
             "CompactLog",
             "Whether to produce more compact logging lines for readability.  "
             "Also produces times in local timezone instead of UTC",
             false, true));
    return *param;
}

MirroredParameter<StringParameter>& logDir() {
    static auto* const param =
        (registerPlatTranslations(nullptr),
         new MirroredParameter<StringParameter>("LogDir", LocDesc("plat_param_logdir"), ""));
    return *param;
}

MirroredParameter<StringParameter>& logFile() {
    static auto* const param =
        (registerPlatTranslations(nullptr),
         new MirroredParameter<StringParameter>("LogFile", LocDesc("plat_param_logfile"), ""));
    return *param;
}

MirroredParameter<IntParameter>& logKeepDays() {
    static auto* const param =
        (registerPlatTranslations(nullptr),
         new MirroredParameter<IntParameter>("LogKeepDays", LocDesc("plat_param_log_keep_days"), 30,
                                             false, nullptr, 0, INT_MAX));
    return *param;
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

constexpr int kRotatedNamesPerSecond = 99;  // "(1)" to "(99)" after the first
constexpr int kOpenAttempts = 100;  // while other instances keep moving or removing the file

// The cut-off of pruning: now less `days` days, saturating instead of wrapping into the future.
int64_t pruneCutoff(int64_t now, int64_t days) {
    __int128 cutoff = __int128(now) - __int128(days) * Time::kDay;
    return cutoff < INT64_MIN ? INT64_MIN : int64_t(cutoff);
}

// Whether an entry, as lstat describes it, is a log file to rotate, prune or write: a regular
// file with one link, and for root one of root's own. Nobody else's file, link or second name of
// a file in a shared log directory is ever moved, removed or written through.
bool isOwnLogFile(const struct stat& st) {
    return S_ISREG(st.st_mode) && st.st_nlink == 1 && (geteuid() != 0 || st.st_uid == 0);
}

// Whether a user other than root and us can make entries in a directory, as fstat describes it.
bool othersCanWrite(const struct stat& st) {
    return (st.st_mode & (S_IWGRP | S_IWOTH)) || (st.st_uid != 0 && st.st_uid != geteuid());
}

// A descriptor closed with its holder.
struct DirFd {
    explicit DirFd(int fd) : fd(fd) {}
    ~DirFd() {
        if (fd >= 0) close(fd);
    }
    DirFd(const DirFd&) = delete;
    DirFd& operator=(const DirFd&) = delete;
    int fd;
};

// Opens the log directory, creating what is missing with private permissions. A component in a
// directory that others can write is never followed when it is a link: whoever planted it there
// would choose where the log is created, rotated and pruned. Everything after goes through the
// descriptor, so the directory cannot be swapped under the log either. Throws
// plat::SystemExceptionFmt "mkDir(<dir>)", or plat::Exception for such a link.
int openLogDir(const char* dir) {
    DirFd current(open(dir[0] == '/' ? "/" : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (current.fd < 0) throw SystemExceptionFmt("mkDir(%s)", errno, dir);
    for (const char* p = dir; *p;) {
        const char* start = p;
        while (*p && *p != '/')
            ++p;
        std::string name(start, p);
        int prefixLength = int(p - dir);
        while (*p == '/')
            ++p;
        if (name.empty() || name == ".") continue;
        struct stat st;
        bool shared = fstat(current.fd, &st) != 0 || othersCanWrite(st);
        int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (shared ? O_NOFOLLOW : 0);
        int next = openat(current.fd, name.c_str(), flags);
        if (next < 0 && errno == ENOENT &&
            (mkdirat(current.fd, name.c_str(), 0700) == 0 || errno == EEXIST))
            next = openat(current.fd, name.c_str(), flags);
        if (next < 0) {
            int error = errno;
            if (shared && fstatat(current.fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISLNK(st.st_mode))
                throw ExceptionFmt("Error opening \"%.*s\": a link in a directory others can write",
                                   prefixLength, dir);
            throw SystemExceptionFmt("mkDir(%s)", error, dir);
        }
        close(current.fd);
        current.fd = next;
    }
    int fd = current.fd;
    current.fd = -1;
    return fd;
}

// Removes the rotated log `name` of the directory open on `dirFd` when it is one of ours, last
// modified before `cutoff`, and open in no instance: each holds a shared lock on its log while it
// is open, also after another instance rotated it aside. The name is removed only under our own
// exclusive lock and while it still names the locked file; a file that cannot be locked (held, or
// on a file system without locks) stays.
void pruneIfUnused(int dirFd, const char* name, int64_t cutoff) {
    struct stat named, held;
    auto expired = [&](const struct stat& st) {
        return isOwnLogFile(st) && Time::fromUnixSeconds(st.st_mtime) < cutoff;
    };
    if (fstatat(dirFd, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !expired(named)) return;
    DirFd file(openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.fd < 0 || flock(file.fd, LOCK_EX | LOCK_NB) != 0 || fstat(file.fd, &held) != 0 ||
        fstatat(dirFd, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || held.st_dev != named.st_dev ||
        held.st_ino != named.st_ino || !expired(held))
        return;
    unlinkat(dirFd, name, 0);
}

// Moves the previous log file `base` of the directory open on `dirFd` aside and removes rotated
// files older than LogKeepDays. Failures are silent: the new file is opened all the same
// (appending when the old one stayed). Instances that start together rotate at the same moment:
// a rotated name is never replaced, the next one is taken instead.
void rotateAndPrune(int dirFd, const char* dir, const char* base) {
    struct stat st;
    try {
        os::DirEnum listing(dir);
        int64_t cutoff = pruneCutoff(Time::now(), logKeepDays().value());
        try {
            while (*listing.next())
                if (isRotatedName(listing.name(), base))
                    pruneIfUnused(dirFd, listing.name(), cutoff);
        } catch (const Exception&) {
        }
        if (fstatat(dirFd, base, &st, AT_SYMLINK_NOFOLLOW) != 0 || !isOwnLogFile(st)) return;
        struct tm t = Time::toLocalCalendar(Time::fromUnixSeconds(st.st_mtime));
        String stamp = String::format(".%04d%02d%02d%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1,
                                      t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
        std::string clean = base;
        for (char& c : clean)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '-';
        for (int n = 0; n <= kRotatedNamesPerSecond; ++n) {
            std::string name = clean;
            if (n > 0) name.append(1, '(').append(std::to_string(n)).append(1, ')');
            name.append(stamp.get());
            if (fileRenameNoReplace(dirFd, base, name.c_str()) || errno != EEXIST) return;
        }
    } catch (const Exception&) {
    }
}

const char kRemovedRefusal[] = "no link (removed by another process)";
const char kLockedRefusal[] = "locked by another process";

// Takes the shared lock that keeps pruning away from the log file open on `fd`, and returns why
// the file is not to be written, or null. A lock that the file system does not offer is done
// without: the log is written all the same.
const char* lockLogFile(int fd) {
    struct stat st;
    if (flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) return kLockedRefusal;
    return fstat(fd, &st) != 0    ? "cannot be examined"
           : !S_ISREG(st.st_mode) ? "not a regular file"
           : st.st_nlink == 0     ? kRemovedRefusal
           : st.st_nlink != 1     ? "more than one link"
           : !isOwnLogFile(st)    ? "not owned by root"
                                  : nullptr;
}

// Opens the log file `name` of the directory open on `dirFd` for appending, without following a
// link: a fresh file when rotation moved the previous one away, else the file still there when it
// is one of ours, locked for as long as it stays open. Anything else there throws, as any file
// that cannot be opened. O_NONBLOCK keeps a fifo at the path from stalling the open. Other
// instances may move the file away between the two opens, or rotate it aside and prune it before
// it is locked (it then has no link, or a pruner holds it): its name is tried again.
FILE* openLogStream(int dirFd, const char* name, const char* path) {
    const int flags = O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    const char* refusal = nullptr;
    int error = ENOENT;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        int fd = openat(dirFd, name, flags | O_CREAT | O_EXCL, 0664);
        if (fd < 0 && errno == EEXIST) fd = openat(dirFd, name, flags);
        if (fd < 0) {
            error = errno;
            refusal = nullptr;
            if (error == ENOENT) continue;
            break;
        }
        refusal = lockLogFile(fd);
        if (!refusal && fcntl(fd, F_SETFL, O_APPEND) == 0)
            if (FILE* stream = fdopen(fd, "a")) return stream;
        error = errno;
        close(fd);
        if (refusal != kRemovedRefusal && refusal != kLockedRefusal) break;
    }
    if (refusal) throw ExceptionFmt("Error opening \"%s\": %s", path, refusal);
    throw SystemExceptionFmt("Error opening \"%s\"", error, path);
}

// Whether a write past the process's file size limit would end the process: SIGXFSZ is not
// ignored. The program ignores it at start-up; then such a write fails with EFBIG like any other,
// and the line costs no system call of its own.
bool sizeLimitCanKill() {
    struct sigaction action;
    return sigaction(SIGXFSZ, nullptr, &action) != 0 || action.sa_handler != SIG_IGN;
}

// Whether writing `count` bytes to `fd` would cross the process's file size limit. Such a write
// puts down what fits and the next raises SIGXFSZ, which ends the process unless it is ignored: a
// torn line in the log, and no chance to take it back. Where it would end the process it is not
// attempted; the record fails whole instead.
bool crossesSizeLimit(int fd, size_t count) {
    struct rlimit limit;
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return false;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    off_t position = (fcntl(fd, F_GETFL) & O_APPEND) ? st.st_size : lseek(fd, 0, SEEK_CUR);
    return position < 0 || uint64_t(position) + count > uint64_t(limit.rlim_cur);
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
[[maybe_unused]] BoolParameter& registeredCompactLog = compactLog();
[[maybe_unused]] StringParameter& registeredLogDir = logDir();
[[maybe_unused]] StringParameter& registeredLogFile = logFile();
[[maybe_unused]] IntParameter& registeredLogKeepDays = logKeepDays();

}  // namespace

BoolParameter& LogDestFile::compactLogParam() {
    return compactLog();
}

StringParameter& LogDestFile::logDirParam() {
    return logDir();
}

StringParameter& LogDestFile::logFileParam() {
    return logFile();
}

IntParameter& LogDestFile::logKeepDaysParam() {
    return logKeepDays();
}

LogDestFile::LogDestFile(const char* name, const char* programName, FILE* stream)
    : LogDest(name), programName_(programName), hostName_(os::getLocalHostName()),
      file_(stream, false), useColour_(stream && ttySupportsColour(fileno(stream))),
      isStream_(stream != nullptr), checkSizeLimit_(sizeLimitCanKill()),
      active_(stream != nullptr) {
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
    // The header, colours and line go out as one record, so that a failed write can be taken
    // back whole. The record is assembled by copying: the text was formatted by its source.
    std::string& record = record_;
    record.clear();
    const char* header = headerText.load();
    bool withHeader = header && !headerWritten_;
    if (withHeader) {
        DString wrapped;
        wrapped.append(header).wrap(79, 0);
        record.append(wrapped.c_str()).append(1, '\n');
    }
    if (useColour_) record.append("\033[").append(colourOf(level)).append(1, 'm');
    int64_t now = Time::now();
    if (compactLog().value()) {
        struct tm local = Time::toLocalCalendar(now);
        int64_t sinceSecond = now % Time::kSecond;
        if (sinceSecond < 0) sinceSecond += Time::kSecond;
        char stamp[64];
        std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d.%03d ", local.tm_hour, local.tm_min,
                      local.tm_sec, int(sinceSecond / Time::kMillisecond));
        record.append(stamp);
    } else {
        const char priority[] = {'<', char('0' + priorityOf(level) / 10),
                                 char('0' + priorityOf(level) % 10), '>', ' '};
        record.append(priority, sizeof priority);
        record.append(timeText_, timeStamp(now));
        pid_t pid = processId();
        if (pid != identityPid_) {
            // " <host> <program>[<pid>]: ", the same on every line until a fork.
            identity_.assign(1, ' ').append(hostName_.c_str()).append(1, ' ');
            identity_.append(programName_.c_str()).append(1, '[');
            identity_.append(std::to_string(static_cast<long long>(pid))).append("]: ");
            identityPid_ = pid;
        }
        record.append(identity_);
    }
    record.append(source ? source : "(null)").append(": ");
    record.append(text ? text : "(null)").append(1, '\n');
    if (useColour_) record.append("\033[0m");
    if (!writeRecord(record.data(), record.size())) return;
    if (withHeader) headerWritten_ = true;
    if (maxSize_ > 0 && !isStream_) {
        struct stat st;
        if (fstat(fileno(file_.get()), &st) != 0 || st.st_size < maxSize_) return;
        stopped_ = true;
        closeFile();
        if (limitCallback_) limitCallback_->limitReached(this);
    }
}

size_t LogDestFile::timeStamp(int64_t now) {
    // Within one second only the milliseconds change: the rest of the text is kept.
    int64_t second = now / Time::kSecond - (now % Time::kSecond < 0);
    size_t length = timeLength_;
    if (second != timeSecond_ || length < 5) {
        length = size_t(Time::formatIsoUtc(timeText_, now, true));
        bool patchable = length >= 5 && timeText_[length - 5] == '.';
        timeSecond_ = second;
        timeLength_ = patchable ? length : 0;
        return length;
    }
    int64_t sinceSecond = now - second * Time::kSecond;
    unsigned milliseconds = unsigned(sinceSecond / Time::kMillisecond);
    timeText_[length - 4] = char('0' + milliseconds / 100);
    timeText_[length - 3] = char('0' + milliseconds / 10 % 10);
    timeText_[length - 2] = char('0' + milliseconds % 10);
    return length;
}

bool LogDestFile::writeRecord(const char* data, size_t size) {
    FILE* out = file_.get();
    // Whatever others left in a lent stream's buffer goes first; our own stream holds nothing.
    if (isStream_) std::fflush(out);
    int fd = fileno(out);
    size_t done = 0;
    // Where the part written so far begins and ends in the file, once a write came up short, and
    // whether it is one run: other processes may append between our writes.
    off_t partStart = -1, partEnd = -1;
    bool oneRun = true;
    int error = EIO;
    while (done < size) {
        if (checkSizeLimit_ && crossesSizeLimit(fd, size - done)) {
            error = EFBIG;
            break;
        }
        ssize_t written = ::write(fd, data + done, size - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written < 0) error = errno;
            break;
        }
        done += size_t(written);
        if (done == size) return true;
        off_t end = lseek(fd, 0, SEEK_CUR);
        if (end < 0 || (partEnd >= 0 && end - written != partEnd)) oneRun = false;
        if (partStart < 0) partStart = end - written;
        partEnd = end;
    }
    // Take back the part that did go out, but only while it still ends the file: a line another
    // process appended after it must not be cut.
    struct stat st;
    bool partStays = done > 0 && !(oneRun && fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                                   st.st_size == partEnd && ftruncate(fd, partStart) == 0);
    if (!writeFailed_ || partStays) {
        writeFailed_ = true;
        reportOnStderr(partStays ? "Error writing log file (a partial line stays): %s\n"
                                 : "Error writing log file: %s\n",
                       SystemException("write", error));
    }
    return false;
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
    String dir = pathDirName(path), base = pathBaseName(path);
    DirFd dirFd(openLogDir(dir.get()));
    rotateAndPrune(dirFd.fd, dir.get(), base.get());
    stopped_ = false;
    file_.reset(openLogStream(dirFd.fd, base.get(), path), true);
    file_.setLogErrors(false);
    checkSizeLimit_ = sizeLimitCanKill();
    openPath_ = path;
    headerWritten_ = false;
}

bool LogDestFile::openFile() {
    if (!fileName_.get() || !*fileName_.get()) return false;
    try {
        openPath(fileName_.get());
    } catch (const Exception& first) {
        reportOnStderr("Error opening log file: %s\n", first);
        if (!logFile().setAboveDefault() && !logDir().setAboveDefault()) return false;
        try {
            String fallback =
                joinLogPath(logDir().defaultText().c_str(), logFile().defaultText().c_str());
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
