#include "plat/JsonHeap.h"

#include <cstdlib>
#include <mutex>
#include <new>

namespace plat {
namespace jsonheap {

namespace {

// A current block counts from here, so that frees before its retirement cannot empty it.
constexpr int64_t kBias = int64_t(1) << 40;
// Blocks taken from malloc at once, in one run aligned to the block size; the run goes back
// when all of its blocks have.
constexpr int kRunBlocks = 8;
// The runs that a thread's kept blocks and its current block may come from: each kept block
// holds its whole run from malloc.
constexpr int kKeptRuns = 2;
// The counters' own cache line, so that frees from other threads do not share it with values.
constexpr size_t kHeader = 64;
constexpr int kKeptBlocks = int(sizeof(ThreadState::kept) / sizeof(Block*));
static_assert(kKeptBlocks >= kKeptRuns * kRunBlocks, "every block of the kept runs fits");

// The header of every block; the first block of a run also counts the run's blocks not given
// back.
struct BlockHeader {
    Block block;
    BlockHeader* first;
    std::atomic<int> blocksOut;
    int runBlocks;  // in the run, as taken
};
static_assert(sizeof(BlockHeader) <= kHeader, "the header fits its line");

Block* blockOf(void* p) {
    return reinterpret_cast<Block*>(reinterpret_cast<uintptr_t>(p) & ~uintptr_t(kBlockSize - 1));
}

BlockHeader* runOf(const Block* block) {
    return reinterpret_cast<const BlockHeader*>(block)->first;
}

std::atomic<size_t> bytesInRuns{0};

// Takes `blocks` blocks from malloc in one run; the first is at the start.
char* takeRun(int blocks) {
    char* run = static_cast<char*>(std::aligned_alloc(kBlockSize, size_t(blocks) * kBlockSize));
    if (!run) throw std::bad_alloc();
    bytesInRuns.fetch_add(size_t(blocks) * kBlockSize, std::memory_order_relaxed);
    BlockHeader* first = reinterpret_cast<BlockHeader*>(run);
    for (int i = 0; i < blocks; i++)
        new (run + size_t(i) * kBlockSize) BlockHeader{{{0}}, first, {i ? 0 : blocks}, blocks};
    return run;
}

// Hands a block back to its run, and the run back to malloc with its last block.
void giveBack(Block* block) {
    BlockHeader* first = runOf(block);
    TQ_JSON_HEAP_UNPOISON(block, kBlockSize);
    if (first->blocksOut.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        bytesInRuns.fetch_sub(size_t(first->runBlocks) * kBlockSize, std::memory_order_relaxed);
        std::free(first);
    }
}

// Allocations made once their thread's state has ended (in the destructor of another
// thread-local, or of a static after exit()) share one block under a lock. It is counted as a
// thread's current block is, and goes back as soon as everything cut from it is freed, so that
// late values keep about their own size and nothing once they are gone.
struct LateBlock {
    std::mutex lock;
    char* next = nullptr;     // free space of the current late block
    int64_t allocations = 0;  // cut from it
};
// The current late block, which frees compare with before they take the lock; changed only
// under it.
std::atomic<Block*> lateCurrent{nullptr};

LateBlock& lateBlock() {
    // Never destroyed: static destructors may allocate until the process ends.
    static LateBlock* const late = new LateBlock;
    return *late;
}

void countFrees(ThreadState* t, Block* block, int64_t frees);

void* allocateLate(size_t size) {
    LateBlock& late = lateBlock();
    std::lock_guard<std::mutex> hold(late.lock);
    const size_t rounded = roundedSize(size);
    Block* block = lateCurrent.load(std::memory_order_relaxed);
    if (!block || size_t(reinterpret_cast<char*>(block) + kBlockSize - late.next) < rounded) {
        Block* fresh = reinterpret_cast<Block*>(takeRun(1));
        fresh->live.store(kBias, std::memory_order_relaxed);
        char* start = reinterpret_cast<char*>(fresh) + kHeader;
        TQ_JSON_HEAP_POISON(start, kBlockSize - kHeader);
        lateCurrent.store(fresh, std::memory_order_relaxed);
        if (block) countFrees(nullptr, block, kBias - late.allocations);
        block = fresh;
        late.next = start;
        late.allocations = 0;
    }
    void* p = late.next;
    late.next += rounded;
    late.allocations++;
    TQ_JSON_HEAP_UNPOISON(p, rounded);
    return p;
}

// After frees into the current late block: gives it back when they were its last allocations.
void lateFreed(Block* block) {
    LateBlock& late = lateBlock();
    std::lock_guard<std::mutex> hold(late.lock);
    if (lateCurrent.load(std::memory_order_relaxed) != block ||
        block->live.load(std::memory_order_acquire) != kBias - late.allocations)
        return;
    lateCurrent.store(nullptr, std::memory_order_relaxed);
    late.next = nullptr;
    late.allocations = 0;
    giveBack(block);
}

// Whether the thread may keep an emptied block of `run`: its kept blocks and its current one
// must still come from at most kKeptRuns runs.
bool mayKeep(const ThreadState& t, const BlockHeader* run) {
    if (t.keptCount == kKeptBlocks) return false;
    const BlockHeader* runs[kKeptRuns] = {};
    int count = 0;
    auto fits = [&runs, &count](const BlockHeader* r) {
        for (int i = 0; i < count; i++)
            if (runs[i] == r) return true;
        if (count == kKeptRuns) return false;
        runs[count++] = r;
        return true;
    };
    if (t.current) fits(runOf(t.current));
    for (int i = 0; i < t.keptCount; i++)
        fits(runOf(t.kept[i]));
    return fits(run);
}

// `t` is null once the thread's state has ended.
void emptied(ThreadState* t, Block* block) {
    if (t && mayKeep(*t, runOf(block)))
        t->kept[t->keptCount++] = block;
    else
        giveBack(block);
}

void countFrees(ThreadState* t, Block* block, int64_t frees) {
    const int64_t left = block->live.fetch_sub(frees, std::memory_order_acq_rel) - frees;
    if (left == 0)
        emptied(t, block);
    else if (block == lateCurrent.load(std::memory_order_relaxed))
        lateFreed(block);
}

void flushFrees(ThreadState& t) {
    HotState& h = ThreadStateCache::hot();
    if (h.freeing) countFrees(&t, h.freeing, h.pendingFrees);
    h.freeing = nullptr;
    h.pendingFrees = 0;
}

// The current block stops taking allocations; it goes once they are all freed.
void retire(ThreadState& t) {
    Block* block = t.current;
    if (!block) return;
    HotState& h = ThreadStateCache::hot();
    t.current = nullptr;
    h.next = h.end = nullptr;
    countFrees(&t, block, kBias - h.allocations);
}

Block* takeBlock(ThreadState& t) {
    if (t.keptCount > 0) return t.kept[--t.keptCount];
    // Nothing is kept, so the new run is the only one: its other blocks wait among the kept
    // ones, to be handed out in address order.
    char* run = takeRun(kRunBlocks);
    for (int i = kRunBlocks - 1; i > 0; i--)
        t.kept[t.keptCount++] = reinterpret_cast<Block*>(run + size_t(i) * kBlockSize);
    return reinterpret_cast<Block*>(run);
}

}  // namespace

size_t heldBytes() noexcept {
    return bytesInRuns.load(std::memory_order_relaxed);
}

ThreadState::~ThreadState() {
    flushFrees(*this);
    retire(*this);
    while (keptCount > 0)
        giveBack(kept[--keptCount]);
}

void* allocateSlow(size_t size) {
    if (size > kMaxSmall) {
        void* p = std::malloc(size ? size : 1);
        if (!p) throw std::bad_alloc();
        return p;
    }
    ThreadState* t = ThreadStateCache::make();
    if (!t) return allocateLate(size);
    retire(*t);
    Block* block = takeBlock(*t);
    block->live.store(kBias, std::memory_order_relaxed);
    t->current = block;
    HotState& h = ThreadStateCache::hot();
    h.allocations = 0;
    h.next = reinterpret_cast<char*>(block) + kHeader;
    h.end = reinterpret_cast<char*>(block) + kBlockSize;
    TQ_JSON_HEAP_POISON(h.next, size_t(h.end - h.next));
    return allocate(size);
}

void freeSlow(void* p, size_t size) noexcept {
    if (size > kMaxSmall) {
        std::free(p);
        return;
    }
    TQ_JSON_HEAP_POISON(p, size);
    ThreadState* t = ThreadStateCache::make();
    if (!t) {
        countFrees(nullptr, blockOf(p), 1);
        return;
    }
    flushFrees(*t);
    HotState& h = ThreadStateCache::hot();
    h.freeing = blockOf(p);
    h.pendingFrees = 1;
}

}  // namespace jsonheap
}  // namespace plat
