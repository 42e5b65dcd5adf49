// File streams: rdr::FileInStream and rdr::FileOutStream read and write a standard I/O stream
// through the buffered streams; rdr::TransactedFileOutStream writes a new version beside the
// target and replaces it only on commit, so a crash or an error never leaves a half-written
// file. A stream without a file (a failed open with kNoThrowOnOpenFail, or after commit) throws
// on use instead of touching a null stream.
//
// A full disk or a file size limit throws at the latest at flush or commit. A process that runs
// under a size limit must ignore SIGXFSZ (the program does so at start-up): at its default the
// signal ends the process at the first write past the limit. A FileOutStream is not transacted:
// what it wrote before the failure, up to the limit, stays in the file after what was there;
// a writer that must keep the old contents whole uses TransactedFileOutStream.
#pragma once

#include "plat/FilePtr.h"
#include "plat/TransactedFile.h"
#include "rdr/BufferedInStream.h"
#include "rdr/BufferedOutStream.h"

namespace rdr {

class FileInStream : public BufferedInStream {
public:
    // Opens `path` (when not null) with plat::FilePtr::open(path, kRead, flags).
    explicit FileInStream(const char* path = nullptr, int flags = 0);
    FileInStream(FILE* f, bool owns);

    bool open(const char* path, int flags = 0) {
        return file.open(path, plat::FilePtr::kRead, flags);
    }
    void attach(FILE* f, bool owns) { file.reset(f, owns); }
    bool isOpen() const { return bool(file); }

    // Throws rdr::EndOfStream "End of file" at the end, plat::StdlibException "reading from
    // file failed" on an error and plat::Exception "FileInStream: no file" without a file.
    int fill(uint8_t* dst, int maxLen) override;

private:
    plat::FilePtr file;
};

class FileOutStream : public BufferedNBOutStream {
public:
    // Opens `path` (when not null) with plat::FilePtr::open(path, kWrite, flags).
    explicit FileOutStream(const char* path = nullptr, int flags = 0);
    FileOutStream(FILE* f, bool owns);
    // Flushes and closes an owned file. Nothing is thrown: a failure to flush is logged on
    // "FileOutStream", one to close on "FilePtr".
    ~FileOutStream() override;

    bool open(const char* path, int flags = 0) {
        return file.open(path, plat::FilePtr::kWrite, flags);
    }
    void attach(FILE* f, bool owns) { file.reset(f, owns); }
    bool isOpen() const { return bool(file); }

    // Passes the buffer and then the standard I/O buffer to the system, so that a full disk is
    // reported here rather than lost at close: plat::StdlibException "writing to file failed".
    void flush() override;
    // One fwrite of the whole block; anything short throws plat::StdlibException "writing to
    // file failed"; without a file plat::Exception "FileOutStream: no file".
    int writeData(const uint8_t* data, int len, bool wait) override;

protected:
    // Forgets the buffered bytes, then the file, without writing anything.
    void detach();

    plat::FilePtr file;
};

class TransactedFileOutStream : public FileOutStream {
public:
    // Creates a temporary file beside `path` through plat::TransactedFile (its flags, names and
    // failures).
    explicit TransactedFileOutStream(const char* path, int flags = 0);
    // Without commit: nothing buffered is written, the temporary file goes, the target stays.
    ~TransactedFileOutStream() override;

    // Writes the buffer, puts the data on disk and renames it over the target. The stream has
    // no file afterwards. Failures propagate, the temporary file then goes at destruction.
    void commit();

private:
    plat::TransactedFile transaction;
};

}  // namespace rdr
