#include "rdr/FdOutStream.h"

#include "io/Select.h"
#include "plat/LogSrc.h"

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace rdr {

namespace {

plat::LogSrc fdOutStreamLog("FdOutStream");

}  // namespace

FdOutStream::~FdOutStream() {
    callback = nullptr;
    try {
        flushBuffer(false);
    } catch (const plat::Exception&) {
    }
    if (ownsFd && fd >= 0) close(fd);
}

int FdOutStream::writeData(const uint8_t* data, int len, bool wait) {
    int result;
    for (;;) {
        ssize_t n = ::write(fd, data, size_t(len));
        if (n >= 0) {
            result = int(n);
            break;
        }
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!wait) {
                result = 0;
                break;
            }
            if (!io::waitFd(fd, timeoutMs, false, true)) throw plat::TimedOut("Timed out");
            continue;
        }
        plat::SystemException error("write", errno);
        if (throwErrors || blocking || wait) throw error;
        fdOutStreamLog.writeAtLevel(100, "%s", error.message());
        result = 0;
        break;
    }
    if (callback) callback->writeBlocked(this, result == 0);
    return result;
}

bool FdOutStream::shutdownWrite() {
    if (unflushedBytes() == 0 && shutdown(fd, SHUT_WR) < 0)
        throw plat::SystemException("shutdown(SHUT_WR)", errno);
    if (callback) callback->writeShutdown(this);
    return true;
}

}  // namespace rdr
