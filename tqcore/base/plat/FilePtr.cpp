#include "plat/FilePtr.h"

#include "plat/File.h"
#include "plat/LogSrc.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <utility>

namespace plat {

static LogSrc filePtrLog("FilePtr");

FilePtr::FilePtr(const char* path, int mode, int flags) {
    open(path, mode, flags);
}

FilePtr::~FilePtr() {
    if (!file_ || !owns_) return;
    if (fclose(file_) != 0 && logErrors_)
        filePtrLog.error("%s", StdlibException("fclose").message());
}

bool FilePtr::open(const char* path, int mode, int flags) {
    reset();
    if (!std::strcmp(path, "-")) {
        if (mode == kRead) {
            reset(stdin, false);
            return true;
        }
        if (mode == kWrite) {
            reset(stdout, false);
            return true;
        }
        throw Exception("Invalid mode for stdin/stdout");
    }
    int openFlags;
    const char* fopenMode;
    if (mode == kRead) {
        openFlags = O_RDONLY;
        fopenMode = "r";
    } else if (mode == kWrite) {
        bool append = flags & kAppend;
        openFlags = O_WRONLY | O_CREAT | (append ? O_APPEND : O_TRUNC);
        fopenMode = append ? "a" : "w";
    } else if (flags & kCreateTruncate) {
        openFlags = O_RDWR | O_CREAT | O_TRUNC;
        fopenMode = "w+";
    } else {
        openFlags = O_RDWR | ((flags & kCreate) ? O_CREAT : 0);
        fopenMode = "r+";
    }
    FILE* file = fileOpenStream(path, openFlags, fopenMode, (flags & kPrivate) ? 0600 : 0664);
    if (!file) {
        if (flags & kNoThrowOnOpenFail) return false;
        throw SystemExceptionFmt("Error opening \"%s\"", errno, path);
    }
    reset(file, true);
    return true;
}

void FilePtr::reset(FILE* file, bool owns) {
    FILE* old = std::exchange(file_, file);
    bool ownedOld = std::exchange(owns_, owns);
    if (old && ownedOld && fclose(old) != 0) throw StdlibException("fclose");
}

void FilePtr::flush() {
    if (fflush(file_) != 0) throw StdlibException("fflush");
}

bool FilePtr::readLine(DString& line) {
    line.clear();
    line.reserve(64);
    size_t length = 0;
    for (;;) {
        size_t capacity = size_t(line.capacity());
        if (capacity - length < 2) {
            line.reserve(int(capacity * 2));
            continue;
        }
        if (!fgets(line.buf() + length, int(capacity - length), file_)) {
            if (ferror(file_)) throw SystemException("Error reading from file", errno);
            line.buf()[length] = '\0';
            return length > 0;
        }
        length += std::strlen(line.buf() + length);
        if (length > 0 && line.buf()[length - 1] == '\n') {
            line.truncate(length - 1);
            return true;
        }
    }
}

ByteBuf FilePtr::readAll(int limit) {
    int64_t size = fileGetSizeFp(file_) - fileTell(file_);
    if (size > limit)
        throw ExceptionFmt("Error: file is too large (%lld > %d)", (long long)size, limit);
    if (size <= 0) return ByteBuf();
    ByteBuf data(static_cast<int>(size));
    data.setWipe(false);
    size_t n = fread(data.data(), 1, size_t(size), file_);
    if (n == 0) throw StdlibException("Reading from file failed");
    // The file may have shrunk since its size was taken.
    data.truncate(int(n));
    return data;
}

}  // namespace plat
