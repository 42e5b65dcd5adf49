// The storage of JSON trees: nodes, element and member arrays and key texts are cut from
// 64 KiB blocks that each thread fills front to back, with no header per allocation. A block
// empties when the last allocation cut from it is freed, on whichever thread that happens:
// that thread keeps up to 16 emptied blocks (1 MiB) for its next trees and gives the others
// back. Blocks come from malloc in aligned runs of eight, and a run goes back to malloc with
// its last block. Space freed inside a block is not reused until the whole block empties: a
// tree that keeps one value of every block keeps all of those blocks. Requests above
// kMaxSmall go to malloc.
//
// Frees are counted per block with one atomic operation per run of frees into the same block,
// so a tree may be released on another thread than the one that built it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

// Under AddressSanitizer freed space is poisoned, so that a use after free is still caught.
#if defined(__SANITIZE_ADDRESS__)
#define TQ_JSON_HEAP_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TQ_JSON_HEAP_ASAN 1
#endif
#endif
#ifdef TQ_JSON_HEAP_ASAN
#include <sanitizer/asan_interface.h>
#define TQ_JSON_HEAP_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define TQ_JSON_HEAP_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define TQ_JSON_HEAP_POISON(p, n) ((void)(p), (void)(n))
#define TQ_JSON_HEAP_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace plat {
namespace jsonheap {

// Larger requests are left to malloc.
constexpr size_t kMaxSmall = 4096;
constexpr size_t kBlockSize = size_t(64) << 10;

// Memory for `size` bytes (0 included), 8-aligned. Throws std::bad_alloc when the system has
// none.
void* allocate(size_t size);
// Frees what allocate(size) gave, with the same size; any thread may free.
void deallocate(void* p, size_t size) noexcept;

// ---- internals of the fast paths

struct Block {
    // kBias less the allocations freed, while the block is a thread's current one; then the
    // allocations not yet freed. The block goes when it reaches 0.
    std::atomic<int64_t> live;
};

// What each thread holds; zero-initialised and trivially destructible, so that it stays usable
// while the thread's other thread-locals are destroyed.
struct ThreadState {
    char* next;            // free space of the current block
    char* end;
    Block* current;        // null before the first allocation and after the thread's end
    int64_t allocations;   // cut from the current block
    Block* freeing;        // the block of the last free, and the frees not yet counted in it
    int64_t pendingFrees;
    Block* emptied[16];    // blocks kept for reuse
    int emptiedCount;
    char* runNext;         // blocks of the last run from malloc not yet handed out
    char* runEnd;
    bool registered;       // the thread's exit will hand everything back
    bool ended;            // it did: allocate and free without keeping anything
};

// Defined here, constant-initialised, so that the fast paths reach it without a call.
inline thread_local ThreadState tState{};

void* allocateSlow(size_t size);
void freeSlow(void* p, size_t size) noexcept;

inline void* allocate(size_t size) {
    ThreadState& t = tState;
    // Never empty: an allocation must lie inside the block it is counted in.
    size_t rounded = size ? (size + 7) & ~size_t(7) : 8;
    if (size <= kMaxSmall && size_t(t.end - t.next) >= rounded) {
        void* p = t.next;
        t.next += rounded;
        t.allocations++;
        TQ_JSON_HEAP_UNPOISON(p, rounded);
        return p;
    }
    return allocateSlow(size);
}

inline void deallocate(void* p, size_t size) noexcept {
    ThreadState& t = tState;
    if (size <= kMaxSmall &&
        reinterpret_cast<Block*>(reinterpret_cast<uintptr_t>(p) & ~uintptr_t(kBlockSize - 1)) ==
            t.freeing) {
        TQ_JSON_HEAP_POISON(p, size);
        t.pendingFrees++;
        return;
    }
    freeSlow(p, size);
}

}  // namespace jsonheap
}  // namespace plat
