// "setLogLevel" bodies from the peer of the log channel: a body of four bytes or more sets the
// "ipc" destination's level to their big-endian value (a negative level as its 32-bit
// pattern) and every source that writes to "ipc" follows it; a shorter body is one error line
// and changes nothing. Either way the channel reads the next message, and the sources' lines
// queued before are sent or dropped by the new level without the channel failing.
#include "log_channel.h"
#include "plat/LogDestIpc.h"

#include <climits>

namespace {

plat::LogSrc sender("FuzzSender");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    static plat::test::CapturedLog* capture = [] {
        plat::LogDestIpc::instance();
        auto* c = new plat::test::CapturedLog("MsgIpc");
        plat::LogSrc::setLogSetting("FuzzSender:ipc:200,MsgIpc:testcapture:1000");
        return c;
    }();
    capture->clear();
    plat::LogDestIpc& dest = plat::LogDestIpc::instance();
    int destLevel = 0, senderLevel = 0, queued = 0;
    bool ready = false;
    fuzzlog::deliver(
        "setLogLevel", data, size,
        [&](io::MsgIpc* ipc) {
            dest.setIpc(ipc);
            sender.writeAtLevel(size ? data[0] : 0, "queued before the level is known");
        },
        [&](io::MsgIpc*) {
            destLevel = dest.level();
            senderLevel = sender.level();
            queued = dest.queued();
            ready = dest.isReady();
            dest.setIpc(nullptr);
        });

    uint32_t level;
    if (!fuzzlog::readU32(data, size, 0, &level)) {
        if (capture->texts("MsgIpc").size() != 1 || ready) std::abort();
        if (destLevel != INT_MAX || senderLevel != 200) std::abort();
        return 0;
    }
    int announced = int(level);
    int expected = announced < 200 ? announced : 200;
    if (!capture->texts("MsgIpc").empty() || !ready || queued != 0) std::abort();
    if (destLevel != announced || senderLevel != (expected < -1 ? -1 : expected)) std::abort();
    return 0;
}
