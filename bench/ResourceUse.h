// Page faults and context switches per iteration, as benchmark counters.
//
// CPU time alone hides what an allocation pattern costs in the kernel: glibc gives freed memory
// at the top of the heap back to the kernel, and the next allocation faults it in again.
#pragma once

#include <benchmark/benchmark.h>

#include <sys/resource.h>

class ResourceUse {
public:
    explicit ResourceUse(benchmark::State& state) : state_(state) { getrusage(RUSAGE_THREAD, &start_); }
    ~ResourceUse() {
        rusage now;
        getrusage(RUSAGE_THREAD, &now);
        auto perIteration = [](long n) {
            return benchmark::Counter(double(n), benchmark::Counter::kAvgIterations);
        };
        state_.counters["faults"] = perIteration(now.ru_minflt - start_.ru_minflt);
        state_.counters["switches"] =
            perIteration(now.ru_nvcsw - start_.ru_nvcsw + now.ru_nivcsw - start_.ru_nivcsw);
    }
    ResourceUse(const ResourceUse&) = delete;
    ResourceUse& operator=(const ResourceUse&) = delete;

private:
    benchmark::State& state_;
    rusage start_;
};
