// plat::TransactedFile: writes a new version of a file beside it and moves it over the target
// only on commit, so readers see the old contents or the complete new ones, never a mixture.
//
// The new version is written to the target's path followed by ".tmp". That name is created
// afresh and exclusively, without following a symbolic link, so a link or file planted there
// is replaced rather than written through. Commit puts the data on disk before the rename: after
// a crash the target holds either version whole. Costs one fsync per commit.
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
    // on "TransactedFile" and otherwise ignored; a failure to create the file throws
    // plat::SystemExceptionFmt "Error opening \"<path>.tmp\"".
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
    // plat::SystemExceptionFmt "fileRename(<temp>,<path>)"; the temporary file then stays for
    // the destructor to remove. A commit without a file, or a second one, is a
    // plat::AssertionFail.
    void commit();

private:
    FilePtr file_;     // the temporary file, owned
    String path_;      // the target
    String tempPath_;  // the target and ".tmp"; null once committed or never created
};

}  // namespace plat
