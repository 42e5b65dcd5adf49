#include "io/MsgIpc.h"

#include "plat/Exception.h"
#include "plat/LogSrc.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace io {

namespace {

plat::LogSrc msgIpcLog("MsgIpc");

void setNonBlocking(int fd) {
    int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0)
        throw plat::SystemException("fcntl(O_NONBLOCK)", errno);
}

}  // namespace

// Lives on the stack of a member function while it calls out: tells, after each call, whether
// the callee destroyed the channel, so that the caller touches nothing of it afterwards. Guards
// nest: the destructor of the channel sets the innermost, which passes it outwards as the
// guards unwind.
class MsgIpc::DestroyGuard {
public:
    explicit DestroyGuard(MsgIpc* ipc) : ipc_(ipc), outer_(ipc->destroyed_) {
        ipc->destroyed_ = &destroyed_;
    }
    ~DestroyGuard() {
        if (!destroyed_)
            ipc_->destroyed_ = outer_;
        else if (outer_)
            *outer_ = true;
    }
    DestroyGuard(const DestroyGuard&) = delete;
    DestroyGuard& operator=(const DestroyGuard&) = delete;
    bool destroyed() const { return destroyed_; }

private:
    MsgIpc* ipc_;
    bool* outer_;  // the guard of an enclosing call, or null
    bool destroyed_ = false;
};

MsgIpc::Reader::~Reader() {
    if (ipc) ipc->removeReader(this);
}

int MsgIpc::ChannelIn::fill(uint8_t* dst, int maxLen) {
    try {
        return FdInStream::fill(dst, maxLen);
    } catch (...) {
        failed = true;
        throw;
    }
}

int MsgIpc::ChannelOut::writeData(const uint8_t* data, int len, bool wait) {
    if (!owner_->connected_) return len;  // nobody listens: drop
    try {
        return FdOutStream::writeData(data, len, wait);
    } catch (const plat::Exception& e) {
        // The writer of a message cannot mend a dead peer: the channel disconnects and the
        // bytes are dropped like every later message's.
        owner_->disconnect(e.message());
        return len;
    }
}

MsgIpc::MsgIpc(const char* name, int readFd, int writeFd, bool ownFds)
    : name_(name), manager_(FdManager::instance()), readFd_(readFd), writeFd_(writeFd),
      ownFds_(ownFds), in_(readFd), framedIn_(&in_), out_(this, writeFd), framedOut_(&out_),
      closedTimer_(this) {
    setNonBlocking(readFd);
    if (writeFd != readFd) setNonBlocking(writeFd);
    in_.setNonBlocking(true);
    out_.setLazy(true);
    out_.callback = this;
    updateWatch();
}

MsgIpc::~MsgIpc() {
    if (destroyed_) *destroyed_ = true;
    forEachReaderOnce(nullptr, [this](Reader* reader) { return reader->msgIpcGone(this), false; });
    readers_.clear();
    if (connected_) {
        try {
            out_.flushBuffer(false);
        } catch (const plat::Exception&) {
        }
    }
    connected_ = false;
    closedTimer_.cancel();
    manager_->unwatch(readFd_);
    manager_->unwatch(writeFd_);
    forgetDescriptors();
}

void MsgIpc::forgetDescriptors() {
    // The base destructor of the output stream tries a last flush of its own: with -1 it
    // fails quietly instead of writing to a descriptor that may by then be someone else's.
    in_.fd = -1;
    out_.fd = -1;
    if (ownFds_) {
        if (readFd_ >= 0) ::close(readFd_);
        if (writeFd_ >= 0 && writeFd_ != readFd_) ::close(writeFd_);
    }
    readFd_ = writeFd_ = -1;
}

void MsgIpc::addReader(const char* msgName, Reader* reader) {
    readers_.push_back({plat::String(msgName), reader});
    reader->ipc = this;
}

void MsgIpc::removeReader(Reader* reader) {
    for (size_t i = readers_.size(); i-- > 0;)
        if (readers_[i].reader == reader) readers_.erase(readers_.begin() + long(i));
    // Not told when this channel goes: it must not keep pointing here.
    if (reader->ipc == this) reader->ipc = nullptr;
}

bool MsgIpc::isRegistered(const Reader* reader, const char* msgName) const {
    for (const Registration& r : readers_)
        if (r.reader == reader && (!msgName || std::strcmp(r.msgName.get(), msgName) == 0))
            return true;
    return false;
}

template <class Tell>
bool MsgIpc::forEachReaderOnce(const char* msgName, Tell tell) {
    // Readers may add or remove registrations, their own or others', while told: the list is
    // taken first and each reader checked again just before its turn.
    std::vector<Reader*> readers;
    for (const Registration& r : readers_) {
        if ((msgName && std::strcmp(r.msgName.get(), msgName) != 0) ||
            std::find(readers.begin(), readers.end(), r.reader) != readers.end())
            continue;
        readers.push_back(r.reader);
    }
    DestroyGuard guard(this);
    for (Reader* reader : readers) {
        if (!isRegistered(reader, msgName)) continue;
        bool done = tell(reader);
        if (guard.destroyed()) return false;
        if (done) break;
    }
    return true;
}

rdr::FramedOutStream& MsgIpc::writeMsg(const char* msgName) {
    if (filter_ && !filter_->allowMessage(this, msgName)) {
        msgIpcLog.info("%s: Message '%s' not currently allowed", name(), msgName);
        throw plat::Exception("MsgIpc::writeMsg: Message not currently allowed");
    }
    if (!connected_) msgIpcLog.debug("%s: Discarding message '%s'", name(), msgName);
    framedOut_.startMsg();
    framedOut_.writeShortString(msgName);
    return framedOut_;
}

void MsgIpc::close() {
    disconnect(nullptr);
}

void MsgIpc::disconnect(const char* why) {
    if (!connected_) return;
    connected_ = false;
    if (why) msgIpcLog.error("%s: Disconnected: %s", name(), why);
    manager_->unwatch(readFd_);
    manager_->unwatch(writeFd_);
    writePending_ = false;
    forgetDescriptors();
    closedTimer_.start(0);
}

bool MsgIpc::timerExpired(plat::Timer*) {
    // False also when a reader destroyed the channel: the timer is not touched again.
    forEachReaderOnce(nullptr,
                      [this](Reader* reader) { return reader->msgIpcClosed(this), false; });
    return false;
}

void MsgIpc::updateWatch() {
    if (!connected_) return;
    if (readFd_ == writeFd_) {
        manager_->watch(readFd_, this, true, writePending_);
        return;
    }
    manager_->watch(readFd_, this, true, false);
    if (writePending_)
        manager_->watch(writeFd_, this, false, true);
    else
        manager_->unwatch(writeFd_);
}

void MsgIpc::writeBlocked(rdr::FdOutStream*, bool wouldBlock) {
    if (wouldBlock == writePending_) return;
    writePending_ = wouldBlock;
    updateWatch();
}

void MsgIpc::writeShutdown(rdr::FdOutStream*) {}

void MsgIpc::fdWritable(int) {
    out_.flushBuffer(false);
    bool pending = connected_ && out_.unflushedBytes() > 0;
    if (pending != writePending_) {
        writePending_ = pending;
        updateWatch();
    }
}

void MsgIpc::fdReadable(int) {
    readMessages();
}

void MsgIpc::readMessages() {
    DestroyGuard guard(this);
    plat::String msgName;
    while (connected_) {
        bool inHandler = false;
        try {
            if (skipping_) {
                framedIn_.skipMsg();
                framedIn_.endMsg();
                skipping_ = false;
            }
            if (!framedIn_.startMsg(false)) break;
            msgName = framedIn_.readShortString();
            inHandler = true;
            if (!deliver(msgName.get())) break;
            // What the reader left is skipped from here, also when that has to wait for more
            // bytes: the message must not be delivered twice.
            framedIn_.markPos();
            skipping_ = true;
        } catch (const rdr::BlockException&) {
            break;  // destroyed or not, nothing of the channel is touched
        } catch (const plat::Exception& e) {
            if (guard.destroyed()) break;
            if (in_.failed) {
                disconnect(dynamic_cast<const rdr::EndOfStream*>(&e) ? nullptr : e.message());
                break;
            }
            if (!inHandler) {
                disconnect(e.message());
                break;
            }
            msgIpcLog.error("%s: Bad message '%s': %s", name(), msgName.get(), e.message());
            // Skipped from where the reader failed: the message may not fit the buffer whole.
            framedIn_.markPos();
            skipping_ = true;
        }
    }
}

bool MsgIpc::deliver(const char* msgName) {
    bool first = true;
    return forEachReaderOnce(msgName, [this, &first](Reader* reader) {
        if (!first) {
            // The previous reader declined: the next one reads the body from its start, unless
            // the channel was closed meanwhile.
            if (!connected_) return true;
            framedIn_.rewindToMark();
            framedIn_.readShortString();
        }
        first = false;
        return reader->handleMessage(this, framedIn_);
    });
}

}  // namespace io
