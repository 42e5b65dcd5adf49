// What the C library has handed out and not taken back, in bytes: the outside measure for
// tests that storage kept per thread stays within its bound.
#pragma once

#include <malloc.h>

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TQ_TEST_SANITIZER_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define TQ_TEST_SANITIZER_HEAP 1
#endif
#endif
#ifdef TQ_TEST_SANITIZER_HEAP
// The sanitizers' allocator replaces malloc's; its count is in their runtime.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

inline size_t heapInUse() {
#ifdef TQ_TEST_SANITIZER_HEAP
    return __sanitizer_get_current_allocated_bytes();
#else
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}
