// The storage of JSON trees: nodes, element and member arrays and key texts are cut from
// 64 KiB blocks that each thread fills front to back, with no header per allocation. A block
// empties when the last allocation cut from it is freed, on whichever thread that happens.
// Blocks come from malloc in aligned runs of eight (512 KiB), and a run goes back to malloc
// with its last block; so a thread keeps emptied blocks for its next trees only from two runs,
// its current block's included (1 MiB), and gives the others back. Space freed inside a block
// is not reused until the whole block empties: a tree that keeps one value of every block
// keeps all of those blocks, and their runs. Requests above kMaxSmall go to malloc.
//
// Frees are counted per block with one atomic operation per run of frees into the same block,
// so a tree may be released on another thread than the one that built it. Once a thread's
// state has ended (its thread-locals are being destroyed, or exit() has begun), its
// allocations are cut under a lock from one block that all such threads share, which goes
// back when everything cut from it is freed: late values take about their own size.
#pragma once

#include "plat/ThreadCache.h"

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
// The bytes that the blocks take from malloc now, all threads together (requests above
// kMaxSmall not included): the measure of what the heap keeps.
size_t heldBytes() noexcept;

// ---- internals of the fast paths

struct Block {
    // kBias less the allocations freed, while the block is a thread's current one; then the
    // allocations not yet freed. The block goes when it reaches 0.
    std::atomic<int64_t> live;
};

// What the fast paths touch; all zero while the thread has no state, which sends them to the
// slow paths.
struct HotState {
    char* next;            // free space of the current block
    char* end;
    int64_t allocations;   // cut from the current block
    Block* freeing;        // the block of the last free, and the frees not yet counted in it
    int64_t pendingFrees;
};

// What else each thread holds. Its end hands everything back.
struct ThreadState {
    ThreadState() noexcept = default;
    ~ThreadState();
    ThreadState(const ThreadState&) = delete;
    ThreadState& operator=(const ThreadState&) = delete;

    Block* current = nullptr;  // null before the first allocation
    Block* kept[16];           // emptied blocks kept for reuse, and the blocks of a new run
    int keptCount = 0;
};

using ThreadStateCache = ThreadCache<ThreadState, 0, HotState>;

void* allocateSlow(size_t size);
void freeSlow(void* p, size_t size) noexcept;

// What an allocation of `size` takes from its block: never empty, as an allocation must lie
// inside the block it is counted in.
inline size_t roundedSize(size_t size) {
    return size ? (size + 7) & ~size_t(7) : 8;
}

inline void* allocate(size_t size) {
    HotState& h = ThreadStateCache::hot();
    size_t rounded = roundedSize(size);
    if (size <= kMaxSmall && size_t(h.end - h.next) >= rounded) {
        void* p = h.next;
        h.next += rounded;
        h.allocations++;
        TQ_JSON_HEAP_UNPOISON(p, rounded);
        return p;
    }
    return allocateSlow(size);
}

inline void deallocate(void* p, size_t size) noexcept {
    HotState& h = ThreadStateCache::hot();
    if (size <= kMaxSmall &&
        reinterpret_cast<Block*>(reinterpret_cast<uintptr_t>(p) & ~uintptr_t(kBlockSize - 1)) ==
            h.freeing) {
        TQ_JSON_HEAP_POISON(p, size);
        h.pendingFrees++;
        return;
    }
    freeSlow(p, size);
}

}  // namespace jsonheap
}  // namespace plat
