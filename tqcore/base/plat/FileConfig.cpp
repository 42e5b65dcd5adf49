#include "plat/FileConfig.h"

#include "plat/LogSrc.h"
#include "plat/Mutex.h"
#include "plat/StrUtil.h"
#include "plat/Time.h"
#include "plat/Utf8.h"
#include "rdr/Exception.h"
#include "rdr/FileStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace plat {

namespace {

LogSrc fileConfigLog("FileConfig");

constexpr int kLockWaitMs = 10000;
constexpr int kLockPollMs = 16;  // the longest pause between two looks at a lock

bool isMissing(int errorNumber) {
    return errorNumber == ENOENT || errorNumber == ENOTDIR;
}

// Locks `mutex` unless `deadline` (monotonic time) passes first; false then.
bool lockBefore(Mutex& mutex, int64_t deadline) {
    int error = pthread_mutex_trylock(mutex.native());
    while (error == EBUSY) {
        int64_t left = deadline - getMonotonicTime();
        if (left <= 0) return false;
        // The timed lock measures against the wall clock, which may be set back, and the
        // deadline lies on the monotonic one: short slices, with a look at that clock after each.
        timespec until;
        clock_gettime(CLOCK_REALTIME, &until);
        int64_t sliceNs = std::min(left, int64_t(kLockPollMs) * 10000) * 100;
        until.tv_sec += time_t((until.tv_nsec + sliceNs) / 1000000000);
        until.tv_nsec = long((until.tv_nsec + sliceNs) % 1000000000);
        error = pthread_mutex_timedlock(mutex.native(), &until);
        if (error == ETIMEDOUT) error = EBUSY;
    }
    TQ_ASSERT(error == 0);
    return true;
}

// Holds the lock of one read-modify-write of `path`: an flock() on "<path>.lock", which stays
// beside the target for good. The target itself cannot carry the lock, as every rewrite
// replaces it with a new file; and removing the lock file would let two writers lock two files
// of that name. Threads of this process also wait for each other on a mutex, which keeps them
// apart where flock() works per process (as on some network file systems). The one bound of the
// wait covers both: a thread behind others of its process has no longer than they had.
class RewriteLock {
public:
    RewriteLock(const char* path, int permissions)
        : lockPath_(String::format("%s.lock", path)),
          deadline_(getMonotonicTime() + int64_t(kLockWaitMs) * 10000), threads_(deadline_) {
        if (!threads_.held) failTimedOut();
        fd_ = open(lockPath_.get(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                   (permissions & FilePtr::kPrivate) ? 0600 : 0644);
        openError_ = fd_ < 0 ? errno : 0;
        if (openError_ && !isMissing(openError_)) failOpen();
        if (fd_ < 0) return;
        struct stat st;
        if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            openError_ = EINVAL;
            failOpen();
        }
        for (int pauseMs = 1; flock(fd_, LOCK_EX | LOCK_NB) != 0;
             pauseMs = std::min(pauseMs * 2, kLockPollMs)) {
            int errorNumber = errno;
            if (errorNumber == EINTR) continue;
            bool timedOut = errorNumber == EWOULDBLOCK && getMonotonicTime() >= deadline_;
            if (errorNumber != EWOULDBLOCK || timedOut) {
                close(fd_);
                fd_ = -1;
                if (!timedOut) throw SystemException("flock", errorNumber);
                failTimedOut();
            }
            sleepMs(pauseMs);
        }
    }
    ~RewriteLock() {
        if (fd_ >= 0) close(fd_);
    }
    RewriteLock(const RewriteLock&) = delete;
    RewriteLock& operator=(const RewriteLock&) = delete;

    // The directory is missing, so the file is too; nothing can be written there.
    bool directoryMissing() const { return fd_ < 0; }
    // Throws why the lock file could not be opened; a write must not go on without the lock.
    [[noreturn]] void failOpen() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
        throw SystemExceptionFmt("Error opening \"%s\"", openError_, lockPath_.get());
    }

private:
    // The process's own turn, had by one thread at a time.
    struct ThreadTurn {
        explicit ThreadTurn(int64_t deadline) : held(lockBefore(mutex(), deadline)) {}
        ~ThreadTurn() {
            if (held) mutex().unlock();
        }
        static Mutex& mutex() {
            static Mutex* const threads = new Mutex;
            return *threads;
        }
        const bool held;
    };

    [[noreturn]] void failTimedOut() {
        throw TimedOut(
            String::format("Timed out waiting for the lock \"%s\"", lockPath_.get()).get());
    }

    String lockPath_;
    int64_t deadline_;    // monotonic time at which the wait gives up
    ThreadTurn threads_;  // held for the lock's whole life
    int fd_ = -1;         // the lock file, locked
    int openError_ = 0;   // why it could not be opened
};

// Opens `path` for reading; false when the file or a directory on its way is missing.
bool openExisting(rdr::FileInStream& in, const char* path) {
    try {
        in.open(path);
        return true;
    } catch (const SystemException& e) {
        if (isMissing(e.errorNumber())) return false;
        throw;
    }
}

// The records of `path`, none when it is missing.
NoCaseStringMap readForRewrite(const char* path) {
    NoCaseStringMap records;
    rdr::FileInStream in;
    if (openExisting(in, path)) plat::readRecords(in, records);
    return records;
}

// Writes the whole file under `lock`. Every line must be one that a reader takes again: one line
// too long would make the whole file unreadable, for every later load and rewrite.
void writeLocked(RewriteLock& lock, const char* path, const NoCaseStringMap& records,
                 int permissions) {
    if (lock.directoryMissing()) lock.failOpen();
    for (const auto& [key, value] : records)
        if (recordLineLength(key.get(), value.get()) > size_t(kMaxRecordLine))
            throw rdr::StringTooLongException("String exceeds maximum length");
    rdr::TransactedFileOutStream out(path, permissions);
    plat::writeRecords(out, records);
    out.commit();
}

// Keys are written as they are read back only when they hold no "=" (it would end the key),
// backslash or line break (which the store's own keys never need), and no blank at either end
// (a reader trims the line). A null or empty key would write a record without a name ("=value"
// or a blank line) that no parameter is found by; and a key is a parameter name, which is UTF-8
// like every text of the store.
void checkKey(const char* key) {
    size_t length = key ? std::strlen(key) : 0;
    if (length == 0 || !utf8IsValid(key, key + length) || std::strpbrk(key, "=\\\r\n") ||
        asciiIsSpace(key[0]) || asciiIsSpace(key[length - 1]))
        throw Exception("Invalid parameter file key");
}

void eraseRecord(NoCaseStringMap& records, const char* key) {
    auto record = records.find(key);
    if (record != records.end()) records.erase(record);
}

// A key in another case than the stored one replaces the whole record, spelling included.
void replaceRecord(NoCaseStringMap& records, const char* key, const char* value) {
    eraseRecord(records, key);
    records.emplace(String(key), String(value));
}

}  // namespace

void FileConfig::read(Configuration& configuration, const char* path, int priority) {
    fileConfigLog.verbose("Looking for %s config in %s", configuration.getName(), path);
    rdr::FileInStream in(path);
    fileConfigLog.debug("Reading %s config from %s", configuration.getName(), path);
    std::exception_ptr badText;
    DString line;
    const char* key;
    const char* value;
    while (readRecord(in, line, &key, &value)) {
        try {
            configuration.setParam(key, value, priority);
        } catch (const BadUtf8&) {
            if (!badText) badText = std::current_exception();
        }
    }
    if (badText) std::rethrow_exception(badText);
}

void FileConfig::readRecords(const char* path, StringMap& map, const RecordHandlers* handlers) {
    rdr::FileInStream in(path);
    plat::readRecords(in, map, handlers);
}

void FileConfig::writeRecords(const char* path, const NoCaseStringMap& map, int permissions) {
    RewriteLock lock(path, permissions);
    writeLocked(lock, path, map, permissions);
}

void FileConfig::update(const Configuration& configuration, const char* path,
                        const Configuration& baseline, int permissions) {
    RewriteLock lock(path, permissions);
    NoCaseStringMap records = readForRewrite(path);
    if (collectChangedParams(configuration, baseline, records))
        writeLocked(lock, path, records, permissions);
}

void FileConfig::setValue(const char* path, const char* key, const char* value, int permissions) {
    checkKey(key);
    RewriteLock lock(path, permissions);
    NoCaseStringMap records = readForRewrite(path);
    replaceRecord(records, key, value);
    writeLocked(lock, path, records, permissions);
}

void FileConfig::setValues(const char* path, const StringMap& values, int permissions) {
    for (const auto& pair : values)
        checkKey(pair.first.get());
    RewriteLock lock(path, permissions);
    NoCaseStringMap records = readForRewrite(path);
    for (const auto& [key, value] : values)
        replaceRecord(records, key.get(), value.get());
    writeLocked(lock, path, records, permissions);
}

void FileConfig::removeValue(const char* path, const char* key, int permissions) {
    checkKey(key);
    // A missing file has nothing to remove: not even the lock file is made. A file that appears
    // after this look is one the removal came before.
    struct stat st;
    if (stat(path, &st) != 0 && isMissing(errno)) return;
    RewriteLock lock(path, permissions);
    rdr::FileInStream in;
    if (lock.directoryMissing() || !openExisting(in, path)) return;
    NoCaseStringMap records;
    plat::readRecords(in, records);
    eraseRecord(records, key);
    writeLocked(lock, path, records, permissions);
}

}  // namespace plat
