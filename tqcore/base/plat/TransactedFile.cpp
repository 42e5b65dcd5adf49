#include "plat/TransactedFile.h"

#include "plat/File.h"
#include "plat/LogSrc.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace plat {

static LogSrc transactedFileLog("TransactedFile");

TransactedFile::TransactedFile(const char* path, int flags)
    : path_(path), tempPath_(String::format("%s.tmp", path)) {
    // A leftover of an earlier writer (or anything planted there) is removed, never reused:
    // O_EXCL with O_NOFOLLOW then refuses whatever appears in between.
    unlink(tempPath_.get());
    FILE* stream = fileOpenStream(tempPath_.get(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, "w",
                                  (flags & FilePtr::kPrivate) ? 0600 : 0664);
    if (!stream) {
        int errorNumber = errno;
        if (flags & FilePtr::kNoThrowOnOpenFail) {
            tempPath_ = nullptr;  // not ours to remove
            errno = errorNumber;
            return;
        }
        throw SystemExceptionFmt("Error opening \"%s\"", errorNumber, tempPath_.get());
    }
    file_.reset(stream, true);
    try {
        int fd = fileno(stream);
        fileCopyPerms(path, fd);
        if (flags & FilePtr::kPrivate) fileMakePrivate(fd);
    } catch (const Exception& e) {
        transactedFileLog.error("%s", e.message());
    }
}

TransactedFile::~TransactedFile() {
    try {
        file_.reset();
    } catch (const Exception&) {
    }
    if (!tempPath_.isNull()) unlink(tempPath_.get());
}

void TransactedFile::commit() {
    TQ_CHECK(file_ && !tempPath_.isNull());
    file_.flush();
    if (fsync(fileno(file_.get())) != 0) throw SystemException("fsync", errno);
    file_.reset();
    fileRename(tempPath_.get(), path_.get());
    tempPath_ = nullptr;
}

}  // namespace plat
