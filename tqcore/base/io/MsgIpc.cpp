#include "io/MsgIpc.h"

#include "plat/Exception.h"
#include "plat/LogSrc.h"

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
    // Readers may remove themselves while told.
    std::vector<Registration> readers;
    readers.swap(readers_);
    for (size_t i = 0; i < readers.size(); ++i) {
        bool seen = false;
        for (size_t j = 0; j < i; ++j)
            seen = seen || readers[j].reader == readers[i].reader;
        if (!seen) readers[i].reader->msgIpcGone(this);
    }
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
        if (r.reader == reader && std::strcmp(r.msgName.get(), msgName) == 0) return true;
    return false;
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
    bool destroyed = false;
    bool* outer = destroyed_;
    destroyed_ = &destroyed;
    std::vector<Reader*> told;
    for (size_t i = 0; i < readers_.size() && !destroyed; ++i) {
        Reader* reader = readers_[i].reader;
        bool seen = false;
        for (Reader* t : told)
            seen = seen || t == reader;
        if (seen) continue;
        told.push_back(reader);
        reader->msgIpcClosed(this);
        // A reader that removed itself (or another) shifts the registrations: start over and
        // skip those already told.
        if (!destroyed) i = size_t(-1);
    }
    if (destroyed) {
        if (outer) *outer = true;
    } else {
        destroyed_ = outer;
    }
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
    bool destroyed = false;
    bool* outer = destroyed_;
    destroyed_ = &destroyed;
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
            if (!deliver(msgName.get(), &destroyed)) break;
            // What the reader left is skipped from here, also when that has to wait for more
            // bytes: the message must not be delivered twice.
            framedIn_.markPos();
            skipping_ = true;
        } catch (const rdr::BlockException&) {
            break;
        } catch (const plat::Exception& e) {
            if (destroyed) break;
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
    if (destroyed) {
        if (outer) *outer = true;
    } else {
        destroyed_ = outer;
    }
}

bool MsgIpc::deliver(const char* msgName, bool* destroyed) {
    std::vector<Reader*> candidates;
    for (const Registration& r : readers_)
        if (std::strcmp(r.msgName.get(), msgName) == 0) candidates.push_back(r.reader);
    bool first = true;
    for (Reader* reader : candidates) {
        if (!isRegistered(reader, msgName)) continue;
        if (!first) {
            // The previous reader declined: the next one reads the body from its start.
            framedIn_.rewindToMark();
            framedIn_.readShortString();
        }
        first = false;
        bool taken = reader->handleMessage(this, framedIn_);
        if (*destroyed) return false;
        if (taken || !connected_) break;
    }
    return true;
}

}  // namespace io
