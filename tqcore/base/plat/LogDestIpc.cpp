#include "plat/LogDestIpc.h"

#include "plat/LogSrc.h"

#include <atomic>
#include <climits>
#include <cstring>

namespace plat {

namespace {

std::atomic<LogDestIpc*> singleton{nullptr};

// The length of `text` cut to at most `max` bytes without splitting a UTF-8 character (a run
// of stray continuation bytes is cut where it must be).
int boundedLength(const char* text, size_t max) {
    size_t length = strnlen(text, max + 1);
    if (length <= max) return int(length);
    size_t cut = max;
    while (cut > 0 && max - cut < 3 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    if ((static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) cut = max;
    return int(cut);
}

}  // namespace

LogDestIpc::LogDestIpc() : LogDest("ipc") {}

LogDestIpc& LogDestIpc::instance() {
    static LogDestIpc* const dest = [] {
        auto* created = new LogDestIpc;
        singleton.store(created);
        return created;
    }();
    return *dest;
}

LogDestIpc* LogDestIpc::instanceIfAny() {
    return singleton.load();
}

void LogDestIpc::write(int level, const char* source, const char* text) {
    MutexLock lock(mutex_);
    if (level > this->level()) return;
    bool wasEmpty = queue_.empty();
    if (queue_.size() < size_t(kMaxQueued))
        queue_.push_back({level, String(source), String(text)});
    else if (queue_.size() == size_t(kMaxQueued))
        queue_.push_back(
            {0, String("LogDestIpc"), String("Too many messages, discarding further ones")});
    else
        return;
    // A non-empty queue already has a kick (or the flush that took the queue) on its way.
    if (wasEmpty && channel_ && ready_ && kicker_) kicker_->kick();
}

void LogDestIpc::setIpc(io::MsgIpc* channel) {
    std::unique_ptr<Kicker> previous;
    {
        MutexLock lock(mutex_);
        if (channel_) channel_->removeReader(this);
        channel_ = channel;
        ready_ = false;
        previous = std::move(kicker_);
        if (channel) {
            channel->addReader("setLogLevel", this);
            kicker_ = std::make_unique<Kicker>(this);
        }
        // The level was the previous peer's: until the next one speaks, lines are queued.
        level_.store(INT_MAX);
    }
    LogSrc::updateAllLevels();
}

void LogDestIpc::flush() {
    std::vector<Line> lines;
    io::MsgIpc* channel;
    {
        MutexLock lock(mutex_);
        // A dead channel keeps the queue: sending would only log a discarded message per line,
        // which this destination would queue and try to send again.
        if (!ready_ || !channel_ || !channel_->isConnected()) return;
        lines.swap(queue_);
        channel = channel_;
    }
    int level = this->level();
    rdr::FramedOutStream* out = nullptr;
    for (const Line& line : lines) {
        if (line.level > level) continue;
        out = &channel->writeMsg("logMsg");
        out->writeU32(uint32_t(line.level));
        int sourceLength = boundedLength(line.source.get(), 255);
        out->writeU8(uint8_t(sourceLength));
        out->write(line.source.get(), sourceLength);
        int textLength = boundedLength(line.text.get(), kMaxText);
        out->writeU32(uint32_t(textLength));
        out->write(line.text.get(), textLength);
        out->endMsg(false);
    }
    if (out) out->flush();
}

bool LogDestIpc::handleMessage(io::MsgIpc*, rdr::InStream& in) {
    uint32_t level = in.readU32();
    {
        MutexLock lock(mutex_);
        level_.store(int(level));
        ready_ = true;
    }
    LogSrc::updateAllLevels();
    flush();
    return true;
}

void LogDestIpc::msgIpcClosed(io::MsgIpc* channel) {
    if (channel == channel_) setIpc(nullptr);
}

void LogDestIpc::msgIpcGone(io::MsgIpc* channel) {
    Reader::msgIpcGone(channel);
    if (channel == channel_) setIpc(nullptr);
}

int LogDestIpc::queued() {
    MutexLock lock(mutex_);
    return int(queue_.size());
}

bool LogDestIpc::isReady() {
    MutexLock lock(mutex_);
    return ready_;
}

}  // namespace plat
