// plat::FilePtr: an owning holder of a standard I/O stream.
//
// The holder closes the stream it owns when it is reset, reopened or destroyed; a stream it was
// lent (standard input or output for the path "-", or one given with owns false) is left open.
// Streams it opens are close-on-exec. The holder belongs to one thread at a time.
#pragma once

#include "plat/DString.h"
#include "plat/MBuf.h"

#include <cstdio>

namespace plat {

class FilePtr {
public:
    // Open modes.
    static constexpr int kRead = 0;
    static constexpr int kWrite = 1;
    static constexpr int kReadWrite = 2;
    // Open flags.
    static constexpr int kAppend = 1;              // write mode: append instead of truncating
    static constexpr int kCreate = 2;              // read-write mode: create when missing
    static constexpr int kCreateTruncate = 4;      // read-write mode: create or truncate
    static constexpr int kPrivate = 16;            // permissions 0600 instead of 0664
    static constexpr int kNoThrowOnOpenFail = 32;  // a failed open leaves the holder empty

    FilePtr() = default;
    // Opens as open() does.
    FilePtr(const char* path, int mode, int flags = 0);
    // Takes `file`; it is closed by the holder only when `owns`.
    explicit FilePtr(FILE* file, bool owns = true) : owns_(owns), file_(file) {}
    // Closes an owned stream; a failing close is logged on "FilePtr" when logErrors is set.
    ~FilePtr();
    FilePtr(const FilePtr&) = delete;
    FilePtr& operator=(const FilePtr&) = delete;

    // Closes the current stream when owned, then opens `path`. "-" is standard input (kRead) or
    // standard output (kWrite), not owned; kReadWrite with "-" throws plat::Exception
    // "Invalid mode for stdin/stdout". Modes: kRead reads an existing file; kWrite creates and
    // truncates (or appends with kAppend); kReadWrite opens an existing file, creating it with
    // kCreate and creating or truncating with kCreateTruncate. New files get 0664 (0600 with
    // kPrivate) less the umask. A failure throws plat::SystemExceptionFmt
    // "Error opening \"<path>\"", or with kNoThrowOnOpenFail returns false, leaving the holder
    // empty and errno telling why.
    bool open(const char* path, int mode, int flags = 0);
    // Closes the current stream when owned (a failing fclose throws plat::StdlibException
    // "fclose"; the holder is empty then) and takes `file`.
    void reset(FILE* file = nullptr, bool owns = true);
    // Throws plat::StdlibException "fflush".
    void flush();

    // Reads the next line into `line` without its final '\n'; the buffer grows as needed. False
    // at the end of the file when nothing was read. Throws plat::SystemException
    // "Error reading from file". A NUL byte in the data ends the text at that point.
    bool readLine(DString& line);
    // Reads the rest of the file, at most `limit` bytes; an empty file gives an empty buffer.
    // Throws plat::ExceptionFmt "Error: file is too large (<size> > <limit>)" for a larger file,
    // plat::StdlibException "Reading from file failed" when a non-empty file gives nothing, and
    // as plat::fileGetSizeFp for a stream that cannot seek.
    ByteBuf readAll(int limit);

    FILE* get() const { return file_; }
    explicit operator bool() const { return file_ != nullptr; }
    bool owns() const { return owns_; }
    void setLogErrors(bool logErrors) { logErrors_ = logErrors; }

private:
    bool owns_ = false;      // the stream is closed by the holder
    bool logErrors_ = true;  // the destructor logs a failing close
    FILE* file_ = nullptr;
};

}  // namespace plat
