#include "io/FdManager.h"

#include "plat/Exception.h"
#include "plat/LogSrc.h"

#include <cerrno>

namespace io {

namespace {

plat::LogSrc fdManagerLog("FdManager");

thread_local FdManager* thrInst = nullptr;

constexpr short kReadEvents = POLLIN | POLLPRI | POLLHUP | POLLERR;

}  // namespace

FdManager::FdManager() {
    thrInst = this;  // a second one on the thread has already failed with its timer manager
    timers_.setCallback(this);
}

FdManager::~FdManager() {
    TQ_ASSERT(thrInst == this);
    thrInst = nullptr;
    timers_.setCallback(nullptr);
}

void FdManager::nextTimeoutChanged(int ms) {
    timerWaiting_ = ms >= 0;
}

FdManager* FdManager::instance() {
    TQ_ASSERT(thrInst);
    return thrInst;
}

FdManager* FdManager::instanceIfAny() {
    return thrInst;
}

FdManager::Watch* FdManager::find(int fd) {
    for (Watch& w : watches_)
        if (w.fd == fd) return &w;
    return nullptr;
}

void FdManager::watch(int fd, FdHandler* handler, bool read, bool write) {
    TQ_ASSERT(fd >= 0);
    if (Watch* w = find(fd)) {
        // A new handler must not receive what the pass in progress found for the old one.
        if (w->handler != handler) w->serial = nextSerial_++;
        w->handler = handler;
        w->read = read;
        w->write = write;
        w->kicker = false;
        return;
    }
    watches_.push_back({fd, handler, nextSerial_++, read, write, false});
}

void FdManager::setWriteInterest(int fd, bool write) {
    if (Watch* w = find(fd)) w->write = write;
}

void FdManager::watchKicker(int fd, FdHandler* handler) {
    watch(fd, handler, true, false);
    find(fd)->kicker = true;
}

void FdManager::unwatch(int fd) {
    for (size_t i = 0; i < watches_.size(); ++i) {
        if (watches_[i].fd == fd) {
            watches_.erase(watches_.begin() + long(i));
            return;
        }
    }
}

int FdManager::dispatch(int maxWaitMs) {
    int wait = maxWaitMs;
    if (timerWaiting_) {
        // Asked again rather than kept: a jump of the clock restarts the timers unannounced.
        int timerWait = timers_.getTimeout();
        if (timerWait >= 0 && (wait < 0 || timerWait < wait)) wait = timerWait;
    }

    fds_.clear();
    for (const Watch& w : watches_) {
        short events = short((w.read ? POLLIN : 0) | (w.write ? POLLOUT : 0));
        // A descriptor watched for nothing is left out: poll() would still report its hang-up.
        fds_.push_back({events ? w.fd : -1, events, 0});
    }
    int count = poll(fds_.data(), nfds_t(fds_.size()), wait);
    if (count < 0 && errno != EINTR) throw plat::SystemException("poll", errno);

    std::vector<Ready> ready;
    ready.swap(spareReady_);
    ready.clear();
    for (size_t i = 0; count > 0 && i < fds_.size(); ++i) {
        short events = fds_[i].revents;
        if (!events) continue;
        if (events & POLLNVAL) {
            // Reported on every wait until it is unwatched: a busy loop if kept.
            fdManagerLog.error("Descriptor %d is not open: no longer watched", fds_[i].fd);
            continue;
        }
        ready.push_back({fds_[i].fd, watches_[i].serial, events, watches_[i].kicker});
    }
    for (size_t i = 0; count > 0 && i < fds_.size(); ++i)
        if (fds_[i].revents & POLLNVAL) unwatch(fds_[i].fd);

    int calls = timers_.processTimers() == 0 ? 1 : 0;
    calls += deliver(ready, true, false);
    calls += deliver(ready, false, false);
    calls += deliver(ready, false, true);
    ready.swap(spareReady_);
    return calls;
}

int FdManager::deliver(const std::vector<Ready>& ready, bool kickers, bool writable) {
    int calls = 0;
    for (const Ready& r : ready) {
        if (r.kicker != kickers) continue;
        // Looked up again for each call: an earlier callback may have changed the watches.
        Watch* w = find(r.fd);
        if (!w || w->serial != r.serial) continue;
        if (!writable) {
            if (w->read && (r.events & kReadEvents)) {
                ++calls;
                w->handler->fdReadable(r.fd);
            }
        } else if (w->write && ((r.events & POLLOUT) ||
                                (!w->read && (r.events & (POLLERR | POLLHUP))))) {
            ++calls;
            w->handler->fdWritable(r.fd);
        }
    }
    return calls;
}

}  // namespace io
