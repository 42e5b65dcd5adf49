// plat::TransactedFile: writes a new version of a file beside it and moves it over the target
// only on commit, so readers see the old contents or the complete new ones, never a mixture.
//
// Each writer has a temporary file of its own in the target's directory: "<path>.tmp", or when
// another writer (thread or process) holds that, "<path>.tmp.1" up to "<path>.tmp.15". A writer
// holds an flock() lock on its file for as long as it lives, so a file at one of these names
// that nobody holds was left by a writer that died, and the next writer that needs the name
// removes it: the leftovers of crashes stay within the sixteen names instead of piling up. Names
// are created afresh and exclusively, without following a symbolic link, so a link or file
// planted there is never written through (anything but an unheld regular file is passed over).
// Commit puts the data on disk before the rename: after a crash the target holds either version
// whole. A full disk or a file size limit fails the write or the commit and leaves the target as
// it was. A process that runs under a size limit must ignore SIGXFSZ (the program does so at
// start-up): at its default the signal ends the process at the first write past the limit.
// Costs one fsync per commit.
#pragma once

#include "plat/FilePtr.h"
#include "plat/String.h"

namespace plat {

class TransactedFile {
public:
    // Creates the temporary file for writing. `flags` are those of plat::FilePtr::open:
    // kPrivate gives it 0600 and then makes it private, kNoThrowOnOpenFail leaves file() empty
    // (and tempPath() null) when it cannot be created. When the target exists the temporary file
    // takes the target's permissions first. A failure to copy permissions or make private is logged
    // on "TransactedFile" and otherwise ignored. A failure to create the file throws
    // plat::SystemExceptionFmt "Error opening \"<path>.tmp\"" (EEXIST when all sixteen names
    // are taken), and a target that a rename must not replace, a directory (EISDIR) or a
    // device, pipe or socket (EINVAL), "Error opening \"<path>\"".
    TransactedFile(const char* path, int flags = 0);
    // Without a commit, closes and removes the temporary file; the target is untouched.
    ~TransactedFile();
    TransactedFile(const TransactedFile&) = delete;
    TransactedFile& operator=(const TransactedFile&) = delete;

    FilePtr& file() { return file_; }
    const char* path() const { return path_.get(); }
    const char* tempPath() const { return tempPath_.get(); }  // null once committed

    // Flushes the written data to disk, closes the file and renames it over the target. Throws
    // plat::StdlibException "fflush" or "fclose", plat::SystemException "fsync" or
    // plat::SystemExceptionFmt "fileRename(<temp>,<path>)" (ENOENT when something else has
    // taken the temporary name: only this writer's own file is ever moved); the temporary file
    // then stays for the destructor to remove. A commit without a file, or a second one, is a
    // plat::AssertionFail.
    void commit();

private:
    // Creates and locks the temporary file at the first free name; 0, or the error number.
    int createTemp(const char* path, int permissions);

    FilePtr file_;     // the temporary file, owned
    int lockFd_ = -1;  // holds the temporary file's lock until it is renamed or removed
    String path_;      // the target
    String tempPath_;  // the temporary file; null once committed or never created
};

}  // namespace plat
