#include "plat/TransactedFile.h"

#include "plat/File.h"
#include "plat/LogSrc.h"
#include "plat/Mutex.h"

#include <cerrno>
#include <fcntl.h>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

static LogSrc transactedFileLog("TransactedFile");

namespace {

constexpr int kTempNames = 16;

String tempName(const char* path, int index) {
    return index == 0 ? String::format("%s.tmp", path) : String::format("%s.tmp.%d", path, index);
}

// The temporary files of this process's live writers. Their locks keep other processes away;
// this keeps the other threads away as well, also where flock() works per process (as on some
// network file systems), and so lets a thread tell another thread's file from a dead writer's.
Mutex& tempsMutex() {
    static Mutex* const mutex = new Mutex;
    return *mutex;
}
std::set<std::string>& tempsInUse() {
    static auto* const temps = new std::set<std::string>;
    return *temps;
}

void forgetTemp(const String& name) {
    MutexLock lock(tempsMutex());
    tempsInUse().erase(name.get());
}

bool namesFile(const char* path, int fd) {
    struct stat open, named;
    return fstat(fd, &open) == 0 && lstat(path, &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

// Removes the file at `path` when it is a regular file whose writer died: its lock went with
// it. A live writer locks its file right after creating it (and then checks that the name is
// still its file) and gives up the name only while it holds the lock, so a file that is locked
// here and still at its name belongs to nobody.
bool removeIfAbandoned(const char* path) {
    struct stat st;
    if (lstat(path, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    int fd = open(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    bool removed = flock(fd, LOCK_EX | LOCK_NB) == 0 && namesFile(path, fd) && unlink(path) == 0;
    close(fd);
    return removed;
}

// The error that keeps a rename from replacing `path`, or 0: it would put a plain file in place
// of a directory or a device.
int replacementRefusal(const char* path) {
    struct stat target;
    if (lstat(path, &target) != 0 || S_ISREG(target.st_mode) || S_ISLNK(target.st_mode)) return 0;
    return S_ISDIR(target.st_mode) ? EISDIR : EINVAL;
}

}  // namespace

TransactedFile::TransactedFile(const char* path, int flags) : path_(path) {
    int refused = replacementRefusal(path);
    int errorNumber =
        refused ? refused : createTemp(path, (flags & FilePtr::kPrivate) ? 0600 : 0664);
    if (errorNumber) {
        if (flags & FilePtr::kNoThrowOnOpenFail) {
            errno = errorNumber;
            return;
        }
        throw SystemExceptionFmt("Error opening \"%s\"", errorNumber,
                                 refused ? path : tempName(path, 0).get());
    }
    try {
        int fd = fileno(file_.get());
        fileCopyPerms(path, fd);
        if (flags & FilePtr::kPrivate) fileMakePrivate(fd);
    } catch (const Exception& e) {
        transactedFileLog.error("%s", e.message());
    }
}

int TransactedFile::createTemp(const char* path, int permissions) {
    MutexLock lock(tempsMutex());
    for (int index = 0; index < kTempNames; index++) {
        String name = tempName(path, index);
        if (tempsInUse().count(name.get())) continue;
        // A few tries per name: a writer cleaning up may take a file just created for a dead
        // one's before it is locked.
        for (int attempt = 0; attempt < 3; attempt++) {
            int fd =
                open(name.get(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, permissions);
            if (fd < 0) {
                if (errno != EEXIST) return errno;
                if (removeIfAbandoned(name.get())) continue;
                break;
            }
            if (flock(fd, LOCK_EX | LOCK_NB) != 0 || !namesFile(name.get(), fd)) {
                close(fd);
                continue;
            }
            // The lock lives on a second descriptor, so that it outlasts the stream's close.
            FILE* stream = nullptr;
            lockFd_ = fcntl(fd, F_DUPFD_CLOEXEC, 0);
            if (lockFd_ >= 0) stream = fdopen(fd, "w");
            if (!stream) {
                int errorNumber = errno;
                unlink(name.get());
                close(fd);
                if (lockFd_ >= 0) close(lockFd_);
                lockFd_ = -1;
                return errorNumber;
            }
            file_.reset(stream, true);
            tempsInUse().insert(name.get());
            tempPath_ = std::move(name);
            return 0;
        }
    }
    return EEXIST;
}

TransactedFile::~TransactedFile() {
    try {
        file_.reset();
    } catch (const Exception&) {
    }
    if (!tempPath_.isNull()) {
        if (namesFile(tempPath_.get(), lockFd_)) unlink(tempPath_.get());
        forgetTemp(tempPath_);
    }
    if (lockFd_ >= 0) close(lockFd_);
}

void TransactedFile::commit() {
    TQ_CHECK(file_ && !tempPath_.isNull());
    file_.flush();
    if (fsync(fileno(file_.get())) != 0) throw SystemException("fsync", errno);
    file_.reset();
    if (!namesFile(tempPath_.get(), lockFd_))
        throw SystemExceptionFmt("fileRename(%s,%s)", ENOENT, tempPath_.get(), path_.get());
    fileRename(tempPath_.get(), path_.get());
    forgetTemp(tempPath_);
    tempPath_ = nullptr;
    close(lockFd_);
    lockFd_ = -1;
}

}  // namespace plat
