// Starting and cancelling n timers on one plat::TimerManager, with time-outs and a cancelling
// order spread at random, for n = 1,000, 10,000 and 100,000. The cost per timer should grow no
// faster than log n; "per_timer" is the time of one start and one cancel. The peer is the
// standard library's ordered tree doing the same work (a clock read, an insertion keyed by due
// time and start order, an erase through a kept iterator): a plain O(log n) structure on the
// same machine, which shows how much of the growth is the memory hierarchy's.
#include "plat/Time.h"
#include "plat/Timer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <vector>

namespace {

struct NeverFired : plat::Timer::Callback {
    bool timerExpired(plat::Timer*) override { return false; }
};

struct Workload {
    explicit Workload(size_t count) {
        std::mt19937 random(12345);
        std::uniform_int_distribution<int> timeout(1, 3600 * 1000);
        for (size_t i = 0; i < count; ++i) {
            timeouts.push_back(timeout(random));
            cancelOrder.push_back(i);
        }
        std::shuffle(cancelOrder.begin(), cancelOrder.end(), random);
    }
    std::vector<int> timeouts;        // milliseconds, of timer i
    std::vector<size_t> cancelOrder;  // a permutation of the timers
};

void reportPerTimer(benchmark::State& state) {
    double timers = double(state.iterations()) * double(state.range(0));
    state.counters["per_timer"] =
        benchmark::Counter(timers, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_StartAndCancelTimers(benchmark::State& state) {
    Workload work(size_t(state.range(0)));
    plat::TimerManager manager;
    NeverFired callback;
    std::vector<std::unique_ptr<plat::Timer>> timers;
    for (size_t i = 0; i < work.timeouts.size(); ++i)
        timers.push_back(std::make_unique<plat::Timer>(&callback));
    for (auto _ : state) {
        for (size_t i = 0; i < timers.size(); ++i)
            timers[i]->start(work.timeouts[i]);
        for (size_t i : work.cancelOrder)
            timers[i]->cancel();
    }
    reportPerTimer(state);
}
BENCHMARK(BM_StartAndCancelTimers)->Arg(1000)->Arg(10000)->Arg(100000);

void BM_StdMapPeer(benchmark::State& state) {
    using Key = std::pair<int64_t, uint64_t>;  // due time, start order
    Workload work(size_t(state.range(0)));
    std::map<Key, size_t> waiting;
    std::vector<std::map<Key, size_t>::iterator> handles(work.timeouts.size());
    uint64_t order = 0;
    for (auto _ : state) {
        for (size_t i = 0; i < handles.size(); ++i) {
            int64_t due = plat::getMonotonicTime() + work.timeouts[i] * plat::Time::kMillisecond;
            handles[i] = waiting.emplace(Key(due, order++), i).first;
        }
        for (size_t i : work.cancelOrder)
            waiting.erase(handles[i]);
    }
    reportPerTimer(state);
}
BENCHMARK(BM_StdMapPeer)->Arg(1000)->Arg(10000)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
