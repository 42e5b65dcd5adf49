#include "rdr/FileStream.h"

#include "plat/File.h"
#include "plat/LogSrc.h"

#include <cerrno>

namespace rdr {

static plat::LogSrc fileOutStreamLog("FileOutStream");

FileInStream::FileInStream(const char* path, int flags) : BufferedInStream(16800) {
    rewindable = false;
    if (path) open(path, flags);
}

FileInStream::FileInStream(FILE* f, bool owns) : BufferedInStream(16800), file(f, owns) {
    rewindable = false;
}

int FileInStream::fill(uint8_t* dst, int maxLen) {
    if (!file) throw plat::Exception("FileInStream: no file");
    return int(plat::fileRead(dst, size_t(maxLen), file.get()));
}

FileOutStream::FileOutStream(const char* path, int flags) : BufferedNBOutStream(16384) {
    if (path) open(path, flags);
}

FileOutStream::FileOutStream(FILE* f, bool owns) : BufferedNBOutStream(16384), file(f, owns) {}

FileOutStream::~FileOutStream() {
    if (!file) return;
    try {
        flush();
    } catch (const plat::Exception& e) {
        // The standard I/O library drops what a failed flush could not write, so the close that
        // follows may succeed: this is the only trace of the loss.
        fileOutStreamLog.error("%s", e.message());
    }
}

void FileOutStream::flush() {
    BufferedNBOutStream::flush();
    if (file && fflush(file.get()) != 0) throw plat::StdlibException("writing to file failed");
}

int FileOutStream::writeData(const uint8_t* data, int len, bool) {
    if (!file) throw plat::Exception("FileOutStream: no file");
    errno = 0;
    if (fwrite(data, 1, size_t(len), file.get()) != size_t(len))
        throw plat::StdlibException("writing to file failed");
    return len;
}

void FileOutStream::detach() {
    ptr = flushPtr;
    file.reset(nullptr, false);
}

TransactedFileOutStream::TransactedFileOutStream(const char* path, int flags)
    : transaction(path, flags) {
    attach(transaction.file().get(), false);
}

TransactedFileOutStream::~TransactedFileOutStream() {
    detach();
}

void TransactedFileOutStream::commit() {
    if (!file) throw plat::Exception("FileOutStream: no file");
    flush();
    file.reset(nullptr, false);
    transaction.commit();
}

}  // namespace rdr
