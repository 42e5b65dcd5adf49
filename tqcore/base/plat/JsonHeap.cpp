#include "plat/JsonHeap.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

#ifdef TQ_JSON_HEAP_ASAN
#include <sanitizer/lsan_interface.h>
#endif

namespace plat {
namespace jsonheap {

thread_local ThreadState tState;

namespace {

// A current block counts from here, so that frees before its retirement cannot empty it.
constexpr int64_t kBias = int64_t(1) << 40;
// Blocks mapped at once; they are unmapped one by one.
constexpr size_t kRegionBlocks = 32;
// The counter's own cache line, so that frees from other threads do not share it with values.
constexpr size_t kHeader = 64;
constexpr int kKeptBlocks = int(sizeof(ThreadState::emptied) / sizeof(Block*));

Block* blockOf(void* p) {
    return reinterpret_cast<Block*>(reinterpret_cast<uintptr_t>(p) & ~uintptr_t(kBlockSize - 1));
}

// `blocks` blocks aligned to their size, or null.
char* mapBlocks(size_t blocks) {
    size_t size = blocks * kBlockSize;
    void* mapped = mmap(nullptr, size + kBlockSize, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return nullptr;
    uintptr_t start = reinterpret_cast<uintptr_t>(mapped);
    uintptr_t aligned = (start + kBlockSize - 1) & ~uintptr_t(kBlockSize - 1);
    uintptr_t end = start + size + kBlockSize;
    if (aligned > start) munmap(mapped, aligned - start);
    if (end > aligned + size) munmap(reinterpret_cast<void*>(aligned + size), end - aligned - size);
    return reinterpret_cast<char*>(aligned);
}

// Values in blocks hold the only pointers to texts and large arrays from malloc: the leak
// checker must look inside the blocks.
void watchBlock(Block* block) {
#ifdef TQ_JSON_HEAP_ASAN
    __lsan_register_root_region(block, kBlockSize);
#else
    (void)block;
#endif
}

void unmapBlock(Block* block) {
#ifdef TQ_JSON_HEAP_ASAN
    __lsan_unregister_root_region(block, kBlockSize);
#endif
    TQ_JSON_HEAP_UNPOISON(block, kBlockSize);
    munmap(block, kBlockSize);
}

void emptied(ThreadState& t, Block* block) {
    if (!t.ended && t.emptiedCount < kKeptBlocks)
        t.emptied[t.emptiedCount++] = block;
    else
        unmapBlock(block);
}

void countFrees(ThreadState& t, Block* block, int64_t frees) {
    if (block->live.fetch_sub(frees, std::memory_order_acq_rel) == frees) emptied(t, block);
}

void flushFrees(ThreadState& t) {
    if (t.freeing) countFrees(t, t.freeing, t.pendingFrees);
    t.freeing = nullptr;
    t.pendingFrees = 0;
}

// The current block stops taking allocations; it goes once they are all freed.
void retire(ThreadState& t) {
    Block* block = t.current;
    if (!block) return;
    t.current = nullptr;
    t.next = t.end = nullptr;
    countFrees(t, block, kBias - t.allocations);
}

Block* takeBlock(ThreadState& t) {
    if (t.emptiedCount > 0) return t.emptied[--t.emptiedCount];
    char* block;
    if (t.ended) {
        block = mapBlocks(1);
        if (!block) throw std::bad_alloc();
    } else {
        if (t.regionNext == t.regionEnd) {
            char* region = mapBlocks(kRegionBlocks);
            if (!region) throw std::bad_alloc();
            t.regionNext = region;
            t.regionEnd = region + kRegionBlocks * kBlockSize;
        }
        block = t.regionNext;
        t.regionNext += kBlockSize;
    }
    watchBlock(reinterpret_cast<Block*>(block));
    return reinterpret_cast<Block*>(block);
}

// Hands back what the thread holds when it ends. Values freed later, by the destructors of
// other thread-locals or of statics, are counted at once and their blocks unmapped.
struct ThreadEnd {
    ~ThreadEnd() {
        ThreadState& t = tState;
        flushFrees(t);
        retire(t);
        t.ended = true;
        while (t.emptiedCount > 0)
            unmapBlock(t.emptied[--t.emptiedCount]);
        if (t.regionNext != t.regionEnd)
            munmap(t.regionNext, size_t(t.regionEnd - t.regionNext));
        t.regionNext = t.regionEnd = nullptr;
    }
};
thread_local ThreadEnd tEnd;

void registerThread(ThreadState& t) {
    if (t.registered) return;
    t.registered = true;
    // The first use of a thread-local with a destructor schedules that destructor.
    ThreadEnd* end = &tEnd;
    (void)end;
}

}  // namespace

void* allocateSlow(size_t size) {
    if (size > kMaxSmall) {
        void* p = std::malloc(size ? size : 1);
        if (!p) throw std::bad_alloc();
        return p;
    }
    ThreadState& t = tState;
    registerThread(t);
    retire(t);
    Block* block = takeBlock(t);
    block->live.store(kBias, std::memory_order_relaxed);
    t.current = block;
    t.allocations = 0;
    t.next = reinterpret_cast<char*>(block) + kHeader;
    t.end = reinterpret_cast<char*>(block) + kBlockSize;
    TQ_JSON_HEAP_POISON(t.next, size_t(t.end - t.next));
    void* p = allocate(size);
    // A thread that has ended keeps no block.
    if (t.ended) retire(t);
    return p;
}

void freeSlow(void* p, size_t size) noexcept {
    if (size > kMaxSmall) {
        std::free(p);
        return;
    }
    TQ_JSON_HEAP_POISON(p, size);
    ThreadState& t = tState;
    if (t.ended) {
        countFrees(t, blockOf(p), 1);
        return;
    }
    registerThread(t);
    flushFrees(t);
    t.freeing = blockOf(p);
    t.pendingFrees = 1;
}

}  // namespace jsonheap
}  // namespace plat
