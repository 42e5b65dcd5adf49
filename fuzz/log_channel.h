// Shared by the fuzz targets of the log channel's messages: a body given by the fuzzer is sent
// as one message over a socket pair to a channel read by the real readers, followed by a
// sentinel message, and the event loop is pumped until the sentinel has arrived. Whatever the
// body, the channel must stay connected and read the sentinel: a bad message costs only
// itself.
#pragma once

#include "io/MsgIpc.h"
#include "plat/LogSrc.h"
#include "plat/tests/LogCapture.h"

#include <cstdlib>
#include <string>
#include <sys/socket.h>

namespace fuzzlog {

struct Sentinel : io::MsgIpc::Reader {
    bool handleMessage(io::MsgIpc*, rdr::InStream&) override { return seen = true; }
    bool seen = false;
};

// Sends `msgName` with `body`, then "sentinel", from a peer channel to `receiver`'s channel,
// which `attach` sets up before anything is sent and `detach` tears down afterwards.
template <typename Attach, typename Detach>
void deliver(const char* msgName, const unsigned char* body, size_t size, Attach attach,
             Detach detach) {
    static io::FdManager* manager = new io::FdManager;
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) std::abort();
    io::MsgIpc peer("Peer", fds[0], fds[0], true), channel("Fuzz", fds[1], fds[1], true);
    Sentinel sentinel;
    channel.addReader("sentinel", &sentinel);
    attach(&channel);
    rdr::FramedOutStream& out = peer.writeMsg(msgName);
    out.writeBytes(body, int(size));
    out.endMsg(false);
    peer.writeMsg("sentinel").endMsg(true);
    for (int pass = 0; pass < 1000 && !sentinel.seen; ++pass)
        manager->dispatch(1000);
    if (!sentinel.seen || !channel.isConnected()) std::abort();
    detach(&channel);
    channel.removeReader(&sentinel);
}

// Bytes of `data` from `at` as a big-endian U32, or false when fewer than four remain.
inline bool readU32(const unsigned char* data, size_t size, size_t at, uint32_t* value) {
    if (size < at + 4) return false;
    *value = uint32_t(data[at]) << 24 | uint32_t(data[at + 1]) << 16 |
             uint32_t(data[at + 2]) << 8 | data[at + 3];
    return true;
}

}  // namespace fuzzlog
