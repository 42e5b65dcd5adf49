#include "plat/JsonHeap.h"

#include <cstdlib>
#include <new>

namespace plat {
namespace jsonheap {

namespace {

// A current block counts from here, so that frees before its retirement cannot empty it.
constexpr int64_t kBias = int64_t(1) << 40;
// Blocks taken from malloc at once, in one run aligned to the block size; the run goes back
// when all of its blocks have.
constexpr int kRunBlocks = 8;
// The counters' own cache line, so that frees from other threads do not share it with values.
constexpr size_t kHeader = 64;
constexpr int kKeptBlocks = int(sizeof(ThreadState::emptied) / sizeof(Block*));

// The header of every block; the first block of a run also counts the run's blocks not given
// back.
struct BlockHeader {
    Block block;
    BlockHeader* first;
    std::atomic<int> blocksOut;
};
static_assert(sizeof(BlockHeader) <= kHeader, "the header fits its line");

Block* blockOf(void* p) {
    return reinterpret_cast<Block*>(reinterpret_cast<uintptr_t>(p) & ~uintptr_t(kBlockSize - 1));
}

BlockHeader* headerOf(Block* block) {
    return reinterpret_cast<BlockHeader*>(block);
}

// Hands a block back to its run, and the run back to malloc with its last block.
void giveBack(Block* block) {
    BlockHeader* first = headerOf(block)->first;
    TQ_JSON_HEAP_UNPOISON(block, kBlockSize);
    if (first->blocksOut.fetch_sub(1, std::memory_order_acq_rel) == 1) std::free(first);
}

void emptied(ThreadState& t, Block* block) {
    if (!t.ended && t.emptiedCount < kKeptBlocks)
        t.emptied[t.emptiedCount++] = block;
    else
        giveBack(block);
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
    if (t.runNext == t.runEnd) {
        // A thread that has ended keeps nothing: it takes runs of one block.
        int blocks = t.ended ? 1 : kRunBlocks;
        char* run = static_cast<char*>(std::aligned_alloc(kBlockSize, size_t(blocks) * kBlockSize));
        if (!run) throw std::bad_alloc();
        BlockHeader* first = reinterpret_cast<BlockHeader*>(run);
        for (int i = 0; i < blocks; i++)
            new (run + size_t(i) * kBlockSize) BlockHeader{{{0}}, first, {i ? 0 : blocks}};
        t.runNext = run;
        t.runEnd = run + size_t(blocks) * kBlockSize;
    }
    Block* block = reinterpret_cast<Block*>(t.runNext);
    t.runNext += kBlockSize;
    return block;
}

// Hands back what the thread holds when it ends. Values freed later, by the destructors of
// other thread-locals or of statics, are counted at once and their blocks given back.
struct ThreadEnd {
    ~ThreadEnd() {
        ThreadState& t = tState;
        flushFrees(t);
        retire(t);
        t.ended = true;
        while (t.emptiedCount > 0)
            giveBack(t.emptied[--t.emptiedCount]);
        for (; t.runNext != t.runEnd; t.runNext += kBlockSize)
            giveBack(reinterpret_cast<Block*>(t.runNext));
        t.runNext = t.runEnd = nullptr;
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
