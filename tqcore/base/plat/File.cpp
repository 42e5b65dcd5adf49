#include "plat/File.h"

#include "os/DirEnum.h"
#include "plat/DString.h"
#include "plat/Path.h"
#include "plat/Time.h"
#include "rdr/Exception.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace plat {

namespace {

constexpr int kMaxSymlinks = 32;

bool isMissing(int errorNumber) {
    return errorNumber == ENOENT || errorNumber == ENOTDIR;
}

// Empties the directory open on `dirFd` (which it closes) without following any symbolic link:
// entries are examined with fstatat and removed relative to the descriptor, so an entry swapped
// for a link between the check and the removal is unlinked, not entered. Some file systems skip
// entries when the directory changes under readdir, so the listing is read again as long as a
// pass removed something.
void removeContents(int dirFd) {
    DIR* dir = fdopendir(dirFd);
    if (!dir) {
        close(dirFd);
        return;
    }
    for (bool removed = true; removed;) {
        removed = false;
        rewinddir(dir);
        while (struct dirent* entry = readdir(dir)) {
            const char* name = entry->d_name;
            if (!std::strcmp(name, ".") || !std::strcmp(name, "..")) continue;
            struct stat st;
            int flags = 0;
            if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)) {
                int childFd = openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (childFd >= 0) removeContents(childFd);
                flags = AT_REMOVEDIR;
            }
            if (unlinkat(dirFd, name, flags) == 0) removed = true;
        }
    }
    closedir(dir);
}

// A directory itself, not a link to one.
bool isRealDirectory(const char* path) {
    struct stat st;
    return lstat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

String findBelow(const char* directory, const char* name) {
    try {
        os::DirEnum entries(directory);
        while (*entries.next()) {
            if (!std::strcmp(entries.name(), name)) return String(entries.path());
            // A copy: the path lives in the listing, which the next call reuses.
            String path(entries.path());
            if (!isRealDirectory(path.get())) continue;
            String found = findBelow(path.get(), name);
            if (!found.isNull()) return found;
        }
    } catch (const SystemException&) {
    }
    return String();
}

}  // namespace

String getCwd() {
    for (size_t size = 1024;; size *= 2) {
        char* buffer = new char[size];
        if (getcwd(buffer, size)) return String::adopt(buffer);
        int errorNumber = errno;
        delete[] buffer;
        if (errorNumber != ERANGE) throw SystemException("getcwd", errorNumber);
    }
}

String getCurrentDir(const char* path) {
    if (pathIsAbsolute(path)) return realPath(normalisePath(path).get());
    String cwd = getCwd();
    const char* separator = strEndsWith(cwd.get(), "/") ? "" : "/";
    String joined = String::format("%s%s%s", cwd.get(), separator, path ? path : "");
    return realPath(normalisePath(joined.get()).get());
}

String realPath(const char* path) {
    TQ_CHECK(path[0] == '/');
    DString resolved;  // without a trailing '/'; empty for the root
    DString rest;
    rest.append(path);
    int links = 0;
    char target[4096];
    // `rest` holds what is left to resolve, starting at a '/' or empty.
    while (!rest.empty()) {
        const char* text = rest.get();
        const char* start = text;
        while (*start == '/')
            ++start;
        const char* end = start;
        while (*end && *end != '/')
            ++end;
        String component(start, int(end - start));
        size_t consumed = size_t(end - text);
        if (component.length() == 0 || component == ".") {
            rest.replaceRange(0, int(consumed), "");
            continue;
        }
        if (component == "..") {
            const char* slash = std::strrchr(resolved.c_str(), '/');
            if (slash) resolved.truncate(size_t(slash - resolved.get()));
            rest.replaceRange(0, int(consumed), "");
            continue;
        }
        size_t resolvedLength = resolved.length();
        resolved.append("/").append(component.get());
        rest.replaceRange(0, int(consumed), "");
        struct stat st;
        if (lstat(resolved.get(), &st) != 0) throw SystemExceptionFmt("realpath(%s)", errno, path);
        if (S_ISLNK(st.st_mode)) {
            if (++links > kMaxSymlinks) throw SystemExceptionFmt("realpath(%s)", ELOOP, path);
            ssize_t n = readlink(resolved.get(), target, sizeof target);
            if (n < 0) throw SystemExceptionFmt("realpath(%s)", errno, path);
            if (size_t(n) >= sizeof target)
                throw SystemExceptionFmt("realpath(%s)", ENAMETOOLONG, path);
            target[n] = '\0';
            // The target is read in the link's directory, or from the root when absolute.
            resolved.truncate(target[0] == '/' ? 0 : resolvedLength);
            rest.replaceRange(0, 0, target);
        } else if (!S_ISDIR(st.st_mode) && !rest.empty()) {
            throw SystemExceptionFmt("realpath(%s)", ENOTDIR, path);
        }
    }
    return String(resolved.empty() ? "/" : resolved.get());
}

bool mkDir(const char* path, bool isPrivate, bool makePrivateIfExists) {
    if (mkdir(path, isPrivate ? 0700 : 0777) == 0) return true;
    int errorNumber = errno;
    if (errorNumber != EEXIST || !isDirectory(path))
        throw SystemExceptionFmt("mkDir(%s)", errorNumber, path);
    if (isPrivate && makePrivateIfExists) fileMakePrivate(-1, path);
    return false;
}

bool mkDirs(const char* path, bool isPrivate, bool makePrivateIfExists) {
    try {
        return mkDir(path, isPrivate, makePrivateIfExists);
    } catch (const SystemException& e) {
        if (e.errorNumber() != ENOENT) throw;
        String parent = pathDirName(path);
        // A parent that is no shorter (".." gives "../..") has no directory part to create.
        if (parent == "." || parent == "/" || parent.length() >= strLen(path)) throw;
        mkDirs(parent.get(), isPrivate, false);
    }
    return mkDir(path, isPrivate, makePrivateIfExists);
}

bool mkDirMatchParent(const char* path, bool isPrivate) {
    if (!mkDir(path, isPrivate)) return false;
    struct stat parent;
    if (stat(pathDirName(path).get(), &parent) != 0)
        throw SystemException("mkDirMatchParent/stat", errno);
    if (chown(path, parent.st_uid, parent.st_gid) != 0)
        throw SystemException("mkDirMatchParent/chown", errno);
    if (chmod(path, parent.st_mode & (isPrivate ? 07700 : 07755)) != 0)
        throw SystemException("mkDirMatchParent/chmod", errno);
    return true;
}

void rmDir(const char* path, bool recursive) {
    if (recursive) {
        // A link in place of the directory itself is not entered either; rmdir then reports it.
        // A trailing slash would make open() follow it.
        String trimmed(path);
        for (size_t n = trimmed.length(); n > 1 && trimmed.get()[n - 1] == '/'; --n)
            trimmed.buf()[n - 1] = '\0';
        int fd = open(trimmed.get(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) removeContents(fd);
    }
    if (rmdir(path) != 0) throw SystemExceptionFmt("rmDir(%s)", errno, path);
}

void chDir(const char* path) {
    if (chdir(path) != 0) throw SystemExceptionFmt("chDir(%s)", errno, path);
}

bool fileExists(const char* path) {
    struct stat st;
    if (stat(path, &st) == 0) return true;
    if (isMissing(errno)) return false;
    throw SystemExceptionFmt("fileExists(%s)", errno, path);
}

bool fileExistsNoThrow(const char* path) {
    struct stat st;
    return stat(path, &st) == 0;
}

bool isDirectory(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

int64_t fileGetSize(const char* path) {
    struct stat st;
    if (stat(path, &st) != 0) throw SystemExceptionFmt("fileGetSize(%s)", errno, path);
    return st.st_size;
}

int64_t fileGetTime(const char* path) {
    struct stat st;
    if (stat(path, &st) != 0) throw SystemExceptionFmt("fileGetTime(%s)", errno, path);
    return Time::fromUnixSeconds(st.st_mtime);
}

void fileSetTime(const char* path, int64_t modificationTime, int64_t accessTime) {
    struct timeval times[2] = {Time::toTimeval(accessTime ? accessTime : modificationTime),
                               Time::toTimeval(modificationTime)};
    if (utimes(path, times) != 0) throw SystemExceptionFmt("fileSetTime(%s)", errno, path);
}

int fileOpenFd(const char* path, int flags, int mode) {
    int fd = fileOpenFdNoThrow(path, flags, mode);
    if (fd < 0) throw SystemExceptionFmt("fileOpenFd(%s)", errno, path);
    return fd;
}

int fileOpenFdNoThrow(const char* path, int flags, int mode) {
    return open(path, flags | O_CLOEXEC, mode);
}

FILE* fileOpenStream(const char* path, int flags, const char* fopenMode, int permissions) {
    int fd = open(path, flags | O_CLOEXEC, permissions);
    if (fd < 0) return nullptr;
    FILE* stream = fdopen(fd, fopenMode);
    if (!stream) {
        int errorNumber = errno;
        close(fd);
        errno = errorNumber;
    }
    return stream;
}

void fileRemove(const char* path) {
    if (remove(path) != 0) throw SystemExceptionFmt("fileRemove(%s)", errno, path);
}

bool fileRemoveNoThrow(const char* path) {
    return remove(path) == 0;
}

void fileRename(const char* oldPath, const char* newPath) {
    if (rename(oldPath, newPath) != 0)
        throw SystemExceptionFmt("fileRename(%s,%s)", errno, oldPath, newPath);
}

bool fileRenameNoThrow(const char* oldPath, const char* newPath) {
    return rename(oldPath, newPath) == 0;
}

bool fileRenameNoReplace(int dirFd, const char* oldName, const char* newName) {
#ifdef RENAME_NOREPLACE
    if (renameat2(dirFd, oldName, dirFd, newName, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
#endif
    if (linkat(dirFd, oldName, dirFd, newName, 0) != 0) return false;
    struct stat oldFile, newFile;
    bool same = fstatat(dirFd, oldName, &oldFile, AT_SYMLINK_NOFOLLOW) == 0 &&
                fstatat(dirFd, newName, &newFile, AT_SYMLINK_NOFOLLOW) == 0 &&
                oldFile.st_dev == newFile.st_dev && oldFile.st_ino == newFile.st_ino;
    if (same && unlinkat(dirFd, oldName, 0) == 0) return true;
    int errorNumber = same ? errno : ENOENT;
    unlinkat(dirFd, newName, 0);
    errno = errorNumber;
    return false;
}

void fileMakePrivate(int fd, const char* path) {
    struct stat st;
    uid_t self = geteuid();
    if (fd >= 0) {
        if (fstat(fd, &st) != 0) throw SystemException("fileMakePrivate/fstat", errno);
        if (st.st_uid != self && fchown(fd, self, gid_t(-1)) != 0)
            throw SystemException("fileMakePrivate/fchown", errno);
        if ((st.st_mode & 077) && fchmod(fd, st.st_mode & 07700) != 0)
            throw SystemException("fileMakePrivate/fchmod", errno);
        return;
    }
    if (stat(path, &st) != 0) throw SystemExceptionFmt("fileMakePrivate/stat(%s)", errno, path);
    if (st.st_uid != self && chown(path, self, gid_t(-1)) != 0)
        throw SystemExceptionFmt("fileMakePrivate/chown(%s)", errno, path);
    if ((st.st_mode & 077) && chmod(path, st.st_mode & 07700) != 0)
        throw SystemExceptionFmt("fileMakePrivate/chmod(%s)", errno, path);
}

size_t fileRead(void* buffer, size_t size, FILE* stream) {
    if (size == 0) return 0;
    size_t n = fread(buffer, 1, size, stream);
    if (n > 0) return n;
    if (feof(stream)) throw rdr::EndOfStream("End of file");
    throw StdlibException("reading from file failed");
}

void fileTruncate(FILE* stream, int64_t length) {
    int result;
    do {
        result = ftruncate(fileno(stream), off_t(length));
    } while (result != 0 && errno == EINTR);
    if (result != 0) throw SystemException("fileTruncate()", errno);
}

int64_t fileGetSizeFp(FILE* stream) {
    int64_t position = fileTell(stream);
    fileSeek(stream, 0, SEEK_END);
    int64_t size = fileTell(stream);
    fileSeek(stream, position, SEEK_SET);
    return size;
}

int64_t fileTell(FILE* stream) {
    int64_t position = fileTellNoThrow(stream);
    if (position < 0) throw SystemException("fileTell", errno);
    return position;
}

int64_t fileTellNoThrow(FILE* stream) {
    return ftello(stream);
}

void fileSeek(FILE* stream, int64_t offset, int whence) {
    if (fileSeekNoThrow(stream, offset, whence) != 0) throw SystemException("fileSeek", errno);
}

int fileSeekNoThrow(FILE* stream, int64_t offset, int whence) {
    return fseeko(stream, off_t(offset), whence);
}

String findFileInDirs(const StringList& directories, const char* name) {
    for (const String& directory : directories) {
        const char* dir = directory.c_str();
        String candidate = strEndsWith(dir, "/") ? String::format("%s%s", dir, name)
                                                 : String::format("%s%c%s", dir, '/', name);
        if (fileExistsNoThrow(candidate.get())) return candidate;
    }
    return String();
}

String findFileRecursive(const char* directory, const char* name) {
    return findBelow(directory, name);
}

String makeUniqueFileName(const char* directory, const char* name, const char* before,
                          const char* after, int limit) {
    String clean(name ? name : "");
    for (char* p = clean.buf(); p && *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c < 0x20 || c == 0x7F || c == '/') *p = '-';
    }
    const char* base = clean.c_str();
    const char* dot = std::strrchr(base, '.');
    int baseLength = dot ? int(dot - base) : int(std::strlen(base));
    const char* extension = dot ? dot : "";
    for (int n = 0; n <= limit; ++n) {
        DString candidate("%s/%.*s", directory, baseLength, base);
        if (n > 0) candidate.appendFormat("%s%d%s", before ? before : "", n, after ? after : "");
        candidate.append(extension);
        if (!fileExists(candidate.get())) return String::adopt(candidate.release());
    }
    throw Exception("Too many files with same name");
}

bool fileCopyPerms(const char* path, int fd) {
    struct stat st;
    if (stat(path, &st) != 0) {
        if (isMissing(errno)) return false;
        throw SystemExceptionFmt("fileCopyPerms/stat(%s)", errno, path);
    }
    if (fchmod(fd, st.st_mode & 07777) != 0) throw SystemException("fileCopyPerms/fchmod", errno);
    return true;
}

bool fileLock(FILE* stream, bool wait) {
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    int result;
    do {
        result = fcntl(fileno(stream), wait ? F_SETLKW : F_SETLK, &lock);
    } while (result != 0 && wait && errno == EINTR);
    if (result == 0) return true;
    if (errno == EAGAIN || errno == EACCES) return false;
    throw SystemException("fileLock", errno);
}

void fileUnlock(FILE* stream) {
    struct flock lock = {};
    lock.l_type = F_UNLCK;
    lock.l_whence = SEEK_SET;
    if (fcntl(fileno(stream), F_SETLK, &lock) != 0) throw SystemException("fileUnlock", errno);
}

bool fileIsSameAsFd(int fd, const char* path) {
    struct stat open, named;
    if (fstat(fd, &open) != 0) throw SystemException("fileIsSameAsFd/fstat", errno);
    if (stat(path, &named) != 0) {
        if (isMissing(errno)) return false;
        throw SystemExceptionFmt("fileIsSameAsFd/stat(%s)", errno, path);
    }
    return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

void fileMakeSticky(const char* path) {
    struct stat st;
    if (stat(path, &st) != 0) throw SystemExceptionFmt("fileMakeSticky/stat(%s)", errno, path);
    if (st.st_mode & 01000) return;
    if (chmod(path, (st.st_mode & 07777) | 01000) != 0)
        throw SystemExceptionFmt("fileMakeSticky/chmod(%s)", errno, path);
}

void checkPathSecure(const char* absolutePath, const std::vector<uid_t>& trustedOwners) {
    auto trusted = [&](uid_t owner) {
        return std::find(trustedOwners.begin(), trustedOwners.end(), owner) != trustedOwners.end();
    };
    auto check = [&](const String& prefix) {
        struct stat named, link;
        if (stat(prefix.get(), &named) != 0)
            throw SystemExceptionFmt("stat(%s)", errno, prefix.get());
        if (lstat(prefix.get(), &link) != 0)
            throw SystemExceptionFmt("lstat(%s)", errno, prefix.get());
        if (!trusted(named.st_uid) || !trusted(link.st_uid) || (named.st_mode & 022))
            throw ExceptionFmt("%s: permissions are not restrictive enough", prefix.get());
    };
    check(String("/"));
    size_t length = strLen(absolutePath);
    for (size_t end = 1; end < length; ++end)
        if (absolutePath[end] == '/') check(String(absolutePath, int(end)));
    if (length > 1) check(String(absolutePath));
}

void securePath(const char* path, const char* expectedLinkTarget) {
    if (expectedLinkTarget && *expectedLinkTarget && !fileExists(path))
        throw ExceptionFmt("%s must be created and point to %s", path, expectedLinkTarget);
    String resolved = getCurrentDir(path);
    checkPathSecure(resolved.get(), {0});
}

}  // namespace plat
