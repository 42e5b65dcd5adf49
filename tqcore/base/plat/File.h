// Thin wrappers over the POSIX file and directory calls.
//
// Each throwing operation names itself and its arguments in its error text ("mkDir(<path>)")
// and throws plat::SystemException or plat::SystemExceptionFmt carrying errno; where callers need
// it there is a no-throw twin beside it. Every descriptor is opened close-on-exec, so programs
// that the process starts inherit none. No call retries, except getcwd on ERANGE and ftruncate
// and fcntl on EINTR. The functions keep no state and may be used from any thread.
//
// Recursive operations (rmDir, findFileRecursive) never descend through a symbolic link: a link
// is an entry like a file, so a link to an outside directory or a link loop cannot lead them out
// of the tree.
#pragma once

#include "plat/String.h"
#include "plat/StringList.h"

#include <cstdint>
#include <cstdio>
#include <sys/types.h>
#include <vector>

namespace plat {

// The current directory. Throws plat::SystemException "getcwd".
String getCwd();
// An absolute path for `path`: a relative one is joined to the current directory; the result is
// normalised (".." taken textually) and then resolved by realPath. Throws as realPath.
String getCurrentDir(const char* path);
// Resolves every symbolic link of the absolute `path` component by component, as the kernel
// would: at most 32 links in all (ELOOP beyond), a non-directory followed by more components
// gives ENOTDIR, a missing component ENOENT. Throws plat::SystemExceptionFmt "realpath(<path>)";
// a relative path is a plat::AssertionFail "path[0] == '/'".
String realPath(const char* path);

// Creates the directory with mode 0700 when `isPrivate`, else 0777 (less the umask). Returns true
// when created; false when a directory is already there, which, when `isPrivate` and
// `makePrivateIfExists`, is first made private (fileMakePrivate). Any other failure, a file in
// the way included, throws plat::SystemExceptionFmt "mkDir(<path>)".
bool mkDir(const char* path, bool isPrivate = false, bool makePrivateIfExists = false);
// mkDir, creating missing parent directories first (same `isPrivate`; existing parents are left
// as they are).
bool mkDirs(const char* path, bool isPrivate = false, bool makePrivateIfExists = false);
// mkDir; a directory it creates takes the owner and group of its parent and the parent's mode
// masked with 07700 (isPrivate) or 07755. Throws plat::SystemException "mkDirMatchParent/stat",
// "mkDirMatchParent/chown" or "mkDirMatchParent/chmod" when that fails.
bool mkDirMatchParent(const char* path, bool isPrivate = false);
// Removes the directory. With `recursive`, its entries go first: directories recursively, every
// other entry (symbolic links included, never followed) with one unlink; failures on entries are
// ignored, as the final rmdir reports what stayed. Throws plat::SystemExceptionFmt
// "rmDir(<path>)".
void rmDir(const char* path, bool recursive = false);
// Throws plat::SystemExceptionFmt "chDir(<path>)".
void chDir(const char* path);

// Whether stat succeeds: false for ENOENT and ENOTDIR; other errors throw
// plat::SystemExceptionFmt "fileExists(<path>)".
bool fileExists(const char* path);
bool fileExistsNoThrow(const char* path);
// Whether stat succeeds and names a directory; never throws.
bool isDirectory(const char* path);
// Throws plat::SystemExceptionFmt "fileGetSize(<path>)".
int64_t fileGetSize(const char* path);

// The modification time in whole seconds, as a plat::Time value. Throws
// plat::SystemExceptionFmt "fileGetTime(<path>)".
int64_t fileGetTime(const char* path);
// Sets the modification and access times (plat::Time values, kept to the microsecond); an
// access time of 0 means the modification time. Throws plat::SystemExceptionFmt
// "fileSetTime(<path>)".
void fileSetTime(const char* path, int64_t modificationTime, int64_t accessTime = 0);

// open() with O_CLOEXEC added. Throws plat::SystemExceptionFmt "fileOpenFd(<path>)".
int fileOpenFd(const char* path, int flags, int mode = 0);
// The same, returning -1 with errno set.
int fileOpenFdNoThrow(const char* path, int flags, int mode = 0);
// open() with O_CLOEXEC, then fdopen() with `fopenMode`. Null on failure, with errno telling why;
// the descriptor never outlives a failed fdopen.
FILE* fileOpenStream(const char* path, int flags, const char* fopenMode, int permissions);

// Throws plat::SystemExceptionFmt "fileRemove(<path>)".
void fileRemove(const char* path);
bool fileRemoveNoThrow(const char* path);
// Throws plat::SystemExceptionFmt "fileRename(<old>,<new>)".
void fileRename(const char* oldPath, const char* newPath);
bool fileRenameNoThrow(const char* oldPath, const char* newPath);
// Moves `oldName` to `newName`, both relative to the directory open on `dirFd` (AT_FDCWD: the
// current one), unless `newName` is taken: renameat2 with RENAME_NOREPLACE, or where the file
// system cannot, a link under the new name and then the removal of the old one (which stays when
// another file took the old name meanwhile). False with errno set: EEXIST when the name is taken.
bool fileRenameNoReplace(int dirFd, const char* oldName, const char* newName);

// Gives the file (the descriptor, or `path` when the descriptor is -1) to the effective user and
// clears its group and other bits, keeping the owner, set-id and sticky bits; does nothing where
// that is already so. Throws plat::SystemExceptionFmt "fileMakePrivate/stat(<path>)",
// ".../chown(<path>)", ".../chmod(<path>)" or, for a descriptor, "fileMakePrivate/fstat",
// "fileMakePrivate/fchown", "fileMakePrivate/fchmod".
void fileMakePrivate(int fd, const char* path = nullptr);

// fread() of up to `size` bytes; returns the count read (0 only when `size` is 0). Nothing read
// at the end of the file throws rdr::EndOfStream "End of file", on an error
// plat::StdlibException "reading from file failed".
size_t fileRead(void* buffer, size_t size, FILE* stream);
// ftruncate() of the stream's descriptor, repeated while interrupted. Throws
// plat::SystemException "fileTruncate()".
void fileTruncate(FILE* stream, int64_t length);
// The size of an open seekable stream; its position is kept. Throws as fileTell and fileSeek.
int64_t fileGetSizeFp(FILE* stream);
// ftello() and fseeko(); the throwing forms throw plat::SystemException "fileTell" / "fileSeek",
// the no-throw forms return what the system call returns.
int64_t fileTell(FILE* stream);
int64_t fileTellNoThrow(FILE* stream);
void fileSeek(FILE* stream, int64_t offset, int whence);
int fileSeekNoThrow(FILE* stream, int64_t offset, int whence);

// The first `directory` joined with `name` (no second '/' when the directory ends in one) that
// exists; empty when none does.
String findFileInDirs(const StringList& directories, const char* name);
// Depth-first search below `directory` for an entry called `name`; its path, or empty. A
// directory that cannot be listed holds nothing; symbolic links are never followed.
String findFileRecursive(const char* directory, const char* name);
// A path in `directory` for `name` that does not exist yet. Control characters, DEL and '/' in
// the name become '-'. The first candidate is "<directory>/<name>"; then `before`, a number from 1
// up to `limit` and `after` are inserted before the name's last '.' (at its end when it has none):
// "x(1).log". Throws plat::Exception "Too many files with same name" when all are taken, and as
// fileExists.
String makeUniqueFileName(const char* directory, const char* name, const char* before,
                          const char* after, int limit);

// Gives the descriptor the permission bits of `path`. False when the path does not exist
// (ENOENT, ENOTDIR). Throws plat::SystemExceptionFmt "fileCopyPerms/stat(<path>)" or
// "fileCopyPerms/fchmod".
bool fileCopyPerms(const char* path, int fd);
// An advisory exclusive write lock (fcntl) on the whole file, shared by nothing else: other
// processes that ask get false (or wait, with `wait`; an interrupted wait is resumed). Locks
// belong to the process, so a second descriptor in the same process does not conflict. Throws
// plat::SystemException "fileLock" / "fileUnlock".
bool fileLock(FILE* stream, bool wait);
void fileUnlock(FILE* stream);
// Whether `path` names the file open on `fd` (same device and inode); false when the path does
// not exist. Throws plat::SystemException "fileIsSameAsFd/fstat" or plat::SystemExceptionFmt
// "fileIsSameAsFd/stat(<path>)".
bool fileIsSameAsFd(int fd, const char* path);
// Sets the sticky bit when it is missing. Throws plat::SystemExceptionFmt
// "fileMakeSticky/stat(<path>)" or "fileMakeSticky/chmod(<path>)".
void fileMakeSticky(const char* path);

// Checks "/", every directory on the way and `absolutePath` itself: each must be owned by a
// trusted user both as named (stat) and as a link (lstat), and writable by neither group nor
// others. Throws plat::Exception "<prefix>: permissions are not restrictive enough" naming the
// first failing prefix, or plat::SystemExceptionFmt "stat(<prefix>)" / "lstat(<prefix>)".
void checkPathSecure(const char* absolutePath, const std::vector<uid_t>& trustedOwners);
// Resolves `path` (getCurrentDir) and checks the result with root as the only trusted owner.
// With an `expectedLinkTarget`, a missing path throws plat::Exception
// "<path> must be created and point to <expectedLinkTarget>".
void securePath(const char* path, const char* expectedLinkTarget = nullptr);

}  // namespace plat
