#include "rdr/FdInStream.h"

#include "io/Select.h"

#include <cerrno>
#include <unistd.h>

namespace rdr {

FdInStream::FdInStream(FdInStream&& other) noexcept
    : BufferedNonBlockableInStream(std::move(other)), fd(other.fd), ownsFd(other.ownsFd),
      timedOut(other.timedOut) {
    other.fd = -1;
}

FdInStream::~FdInStream() {
    if (ownsFd && fd >= 0) close(fd);
}

int FdInStream::fill(uint8_t* dst, int maxLen) {
    if (timedOut) throw plat::TimedOut("Timed out");
    for (;;) {
        ssize_t n = read(fd, dst, size_t(maxLen));
        if (n > 0) return int(n);
        if (n == 0) throw EndOfStream("End of IO stream");
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) throw plat::SystemException("read", errno);
        if (nonBlocking) return 0;
        if (!io::waitFd(fd, timeoutMs, true, false)) throw plat::TimedOut("Timed out");
    }
}

}  // namespace rdr
