#include "plat/ThreadCache.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// Reports what it holds as it is told; counts the Ts alive.
struct Held {
    static inline int alive = 0;
    size_t bytes = 0;
    Held() noexcept { ++alive; }
    ~Held() { --alive; }
    size_t heldBytes() const { return bytes; }
};
struct Hot {
    int value;
};
using Cache = plat::ThreadCache<Held, 100, Hot>;

// The thread's T serves one Use at a time and keeps what it holds up to the bound; a Use
// nested in another, or made after the thread's end (from a thread-local made before the
// cache), gets a T of its own; every T goes at last, and the hot part is zero without it.
TEST(ThreadCache, UsesShareTheThreadsTOneAtATime) {
    struct Late {
        bool* gotItsOwn = nullptr;
        Held* threads = nullptr;
        ~Late() {
            Cache::Use use;  // the thread's T is gone, not made again: only this one is alive
            *gotItsOwn = &*use != threads && Held::alive == 1 && Cache::hot().value == 0;
        }
    };
    bool lateGotItsOwn = false;
    std::thread([&lateGotItsOwn] {
        thread_local Late late;
        late.gotItsOwn = &lateGotItsOwn;
        Held* threads;
        {
            Cache::Use first;
            threads = late.threads = &*first;
            first->bytes = 100;
            Cache::hot().value = 5;
        }
        {
            Cache::Use outer;
            EXPECT_EQ(&*outer, threads);
            EXPECT_EQ(outer->bytes, 100u);  // at the bound: kept
            Cache::Use inner;
            EXPECT_NE(&*inner, threads);
            inner->bytes = 7;
            outer->bytes = 101;
        }
        Cache::Use replaced;
        EXPECT_EQ(&*replaced, threads);
        EXPECT_EQ(replaced->bytes, 0u);
        EXPECT_EQ(Held::alive, 1);
    }).join();
    EXPECT_TRUE(lateGotItsOwn);
    EXPECT_EQ(Held::alive, 0);
}

}  // namespace
