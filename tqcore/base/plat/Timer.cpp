#include "plat/Timer.h"

#include "plat/Exception.h"
#include "plat/LogSrc.h"
#include "plat/Time.h"

#include <algorithm>
#include <climits>

namespace plat {

namespace {

LogSrc timerLog("TimerManager");

// The calling thread's manager.
thread_local TimerManager* thrInst = nullptr;

// How far past the first due time the clock may be read before a jump is suspected.
constexpr int64_t kJumpMargin = 240 * Time::kSecond;

// Test clocks may sit near the ends of the 64-bit range: due times saturate.
int64_t addSaturating(int64_t a, int64_t b) {
    int64_t sum;
    if (__builtin_add_overflow(a, b, &sum)) return b > 0 ? INT64_MAX : INT64_MIN;
    return sum;
}

int64_t intervalUnits(int ms) {
    return int64_t(ms) * Time::kMillisecond;
}

// Whole milliseconds from `now` until `due`, a started millisecond counting as one; 0 when
// due, at most INT_MAX.
int msUntil(int64_t due, int64_t now) {
    if (due <= now) return 0;
    uint64_t units = uint64_t(due) - uint64_t(now);  // exact even when due - now overflows
    if (units > uint64_t(INT_MAX) * Time::kMillisecond) return INT_MAX;
    return int((units + Time::kMillisecond - 1) / Time::kMillisecond);
}

}  // namespace

void Timer::start(int ms) {
    TimerManager* manager = TimerManager::instance();
    cancel();
    manager->schedule(this, ms);
}

void Timer::cancel() {
    if (manager_) manager_->remove(this);
}

int64_t Timer::getRemaining() const {
    int64_t remaining;
    if (__builtin_sub_overflow(due_, getMonotonicTime(), &remaining))
        return due_ < 0 ? INT64_MIN : INT64_MAX;
    return remaining;
}

TimerManager::TimerManager(bool nested) : previous_(thrInst) {
    TQ_ASSERT(nested || !thrInst);
    thrInst = this;
}

TimerManager::~TimerManager() {
    for (Timer* timer : waiting_)
        timer->manager_ = nullptr;
    for (size_t i = nextDue_; i < due_.size(); ++i) {
        if (!due_[i]) continue;
        due_[i]->manager_ = nullptr;
        due_[i]->queued_ = false;
    }
    TQ_ASSERT(thrInst == this);
    thrInst = previous_;
}

TimerManager* TimerManager::instance() {
    TQ_ASSERT(thrInst);
    return thrInst;
}

TimerManager* TimerManager::instanceIfAny() {
    return thrInst;
}

int TimerManager::getTimeout(int64_t* now) {
    int64_t time = readNow();
    if (now) *now = time;
    return timeoutAt(time);
}

int TimerManager::processTimers() {
    if (waiting_.empty() && !hasLeftovers()) return -1;
    int64_t now = readNow();
    if (!hasLeftovers()) {
        int ms = msUntil(waiting_.front()->due_, now);
        if (ms > 0) return ms;
    }

    queueDueTimers(now);
    inPass_ = true;
    try {
        while (nextDue_ < due_.size()) {
            Timer* timer = due_[nextDue_];
            due_[nextDue_++] = nullptr;
            if (!timer) continue;
            timer->manager_ = nullptr;
            timer->queued_ = false;
            // The callback may have deleted the timer when it returns false.
            if (timer->callback_->timerExpired(timer) && !timer->manager_) rearm(timer);
        }
    } catch (...) {
        inPass_ = false;
        skipCancelled();
        notifyTimeout();
        throw;
    }
    inPass_ = false;
    due_.clear();
    nextDue_ = 0;
    notifyTimeout();
    return 0;
}

void TimerManager::queueDueTimers(int64_t now) {
    // Timers left from a pass that ended in an exception stay in front: they were due first.
    size_t kept = 0;
    for (size_t i = nextDue_; i < due_.size(); ++i) {
        if (!due_[i]) continue;
        due_[i]->slot_ = kept;
        due_[kept++] = due_[i];
    }
    due_.resize(kept);
    nextDue_ = 0;
    while (!waiting_.empty() && waiting_.front()->due_ <= now) {
        Timer* timer = heapPopFirst();
        timer->queued_ = true;
        timer->slot_ = due_.size();
        due_.push_back(timer);
    }
}

void TimerManager::rearm(Timer* timer) {
    bool jumped = false;
    int64_t now = readNow(&jumped);
    int64_t interval = intervalUnits(timer->interval_);
    // Counted from the last due time, so that a repeating timer does not drift by the delay of
    // each pass; but a late timer fires once, not once for every interval it missed.
    int64_t due = addSaturating(jumped ? now : timer->due_, interval);
    if (due <= now) due = addSaturating(now, interval);
    timer->due_ = due;
    timer->manager_ = this;
    heapPush(timer);
}

void TimerManager::schedule(Timer* timer, int ms) {
    int64_t now = readNow();
    timer->interval_ = ms;
    timer->due_ = addSaturating(now, intervalUnits(ms));
    timer->manager_ = this;
    heapPush(timer);
    if (timer->slot_ == 0 && callback_) callback_->nextTimeoutChanged(msUntil(timer->due_, now));
}

void TimerManager::remove(Timer* timer) {
    timer->manager_ = nullptr;
    if (timer->queued_) {
        // Nulled, not erased: the rest of the queue keeps its order and its slots.
        due_[timer->slot_] = nullptr;
        timer->queued_ = false;
        skipCancelled();
        return;
    }
    bool wasFirst = timer->slot_ == 0;
    heapErase(timer->slot_);
    if (wasFirst) notifyTimeout();
}

int64_t TimerManager::readNow(bool* jumped) {
    int64_t limit =
        waiting_.empty() ? INT64_MAX : addSaturating(waiting_.front()->due_, kJumpMargin);
    bool jump = false;
    int64_t now = getMonotonicTime(limit, &jump);
    if (jump) restartAfterJump(now, now < limit);
    if (jumped) *jumped = jump;
    return now;
}

void TimerManager::restartAfterJump(int64_t now, bool forwards) {
    timerLog.info(forwards ? "Time has jumped forwards - restarting timers"
                           : "Time has moved backwards - restarting timers");
    // Restarted in their old order, so that equal intervals keep firing in start order.
    std::vector<Timer*> timers;
    timers.swap(waiting_);
    std::sort(timers.begin(), timers.end(), dueBefore);
    waiting_.reserve(timers.size());
    for (Timer* timer : timers) {
        timer->due_ = addSaturating(now, intervalUnits(timer->interval_));
        heapPush(timer);
    }
    // Due timers keep their turn in this pass; re-armed, they count from now.
    for (size_t i = nextDue_; i < due_.size(); ++i)
        if (due_[i]) due_[i]->due_ = now;
}

int TimerManager::timeoutAt(int64_t now) const {
    if (hasLeftovers()) return 0;
    if (waiting_.empty()) return -1;
    return msUntil(waiting_.front()->due_, now);
}

void TimerManager::notifyTimeout() {
    if (callback_) callback_->nextTimeoutChanged(timeoutAt(readNow()));
}

void TimerManager::skipCancelled() {
    while (nextDue_ < due_.size() && !due_[nextDue_])
        ++nextDue_;
}

// The heap of waiting timers. Each timer knows its slot, so that cancelling needs no search;
// the start sequence makes the order total, so equal due times come out in start order.

void TimerManager::heapPush(Timer* timer) {
    timer->order_ = nextOrder_++;
    timer->queued_ = false;
    waiting_.push_back(timer);
    place(timer, waiting_.size() - 1);
    siftUp(timer->slot_);
}

Timer* TimerManager::heapPopFirst() {
    Timer* first = waiting_.front();
    heapErase(0);
    return first;
}

void TimerManager::heapErase(size_t slot) {
    Timer* last = waiting_.back();
    waiting_.pop_back();
    if (slot == waiting_.size()) return;
    place(last, slot);
    siftUp(slot);
    siftDown(last->slot_);
}

void TimerManager::siftUp(size_t slot) {
    Timer* timer = waiting_[slot];
    while (slot > 0) {
        size_t parent = (slot - 1) / 2;
        if (!dueBefore(timer, waiting_[parent])) break;
        place(waiting_[parent], slot);
        slot = parent;
    }
    place(timer, slot);
}

void TimerManager::siftDown(size_t slot) {
    Timer* timer = waiting_[slot];
    size_t count = waiting_.size();
    for (;;) {
        size_t child = 2 * slot + 1;
        if (child >= count) break;
        if (child + 1 < count && dueBefore(waiting_[child + 1], waiting_[child])) ++child;
        if (!dueBefore(waiting_[child], timer)) break;
        place(waiting_[child], slot);
        slot = child;
    }
    place(timer, slot);
}

void TimerManager::place(Timer* timer, size_t slot) {
    waiting_[slot] = timer;
    timer->slot_ = slot;
}

bool TimerManager::dueBefore(const Timer* a, const Timer* b) {
    return a->due_ < b->due_ || (a->due_ == b->due_ && a->order_ < b->order_);
}

}  // namespace plat
