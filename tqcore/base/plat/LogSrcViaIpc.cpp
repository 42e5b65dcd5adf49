#include "plat/LogSrcViaIpc.h"

#include "plat/LogDestIpc.h"

#include <cstdarg>

namespace plat {

LogSrcViaIpc::~LogSrcViaIpc() {
    for (io::MsgIpc* channel : channels_)
        channel->removeReader(this);
    ipc = nullptr;
}

void LogSrcViaIpc::enableIpc(io::MsgIpc* channel, bool enable, uint32_t level) {
    if (!enable) {
        channels_.erase(channel);
        channelLevels_.erase(channel);
        sentLevels_.erase(channel);
        channel->removeReader(this);
        return;
    }
    if (channels_.insert(channel).second) channel->addReader("logMsg", this);
    channelLevels_[channel] = level;
    sentLevels_.erase(channel);
    sendLevel(channel);
}

void LogSrcViaIpc::updateLevel() {
    LogSrc::updateLevel();
    for (io::MsgIpc* channel : channels_)
        sendLevel(channel);
}

void LogSrcViaIpc::sendLevel(io::MsgIpc* channel) {
    uint32_t level = channelLevels_[channel];
    if (level == kOwnLevel) level = uint32_t(this->level());
    // Every source is updated whenever any level changes, also when the peer's "setLogLevel"
    // reaches a destination of this process: resending an unchanged level could bounce
    // between two processes (or two channels of one) for ever.
    auto sent = sentLevels_.find(channel);
    if (sent != sentLevels_.end() && sent->second == level) return;
    rdr::FramedOutStream& out = channel->writeMsg("setLogLevel");
    out.writeU32(level);
    out.endMsg(true);
    sentLevels_[channel] = level;
}

bool LogSrcViaIpc::handleLogMsg(io::MsgIpc*, rdr::InStream& in) {
    int level = int(in.readU32());
    String source = in.readShortString();
    String text = in.readString(LogDestIpc::kMaxText);
    writeUngated(level, "%s: %s", source.get(), text.get());
    return true;
}

void LogSrcViaIpc::writeUngated(int level, const char* format, ...) {
    va_list args;
    va_start(args, format);
    vwrite(level, format, args);
    va_end(args);
}

void LogSrcViaIpc::msgIpcClosed(io::MsgIpc* channel) {
    enableIpc(channel, false);
}

void LogSrcViaIpc::msgIpcGone(io::MsgIpc* channel) {
    Reader::msgIpcGone(channel);
    channels_.erase(channel);
    channelLevels_.erase(channel);
    sentLevels_.erase(channel);
}

}  // namespace plat
