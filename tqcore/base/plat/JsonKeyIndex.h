// plat::JsonKeyIndex: the positions of a large object's members by name. The parser fills one
// while it looks for duplicate names and hands it to the object it makes, which keeps it up to
// date through find, set and remove; an object of up to kScanLimit members needs none.
//
// Open addressing with linear probing over a power-of-two table kept at most half full, in the
// JSON heap: 8 to 16 bytes a member. A slot holds a member's position plus 1, 0 when free.
// Names are hashed with SipHash-1-3 under a key drawn once per process from the system's
// random source: a list of names that falls on one slot cannot be computed without the key,
// so a document from outside costs time linear in its length whatever names it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

namespace plat {

class JsonKeyIndex {
public:
    // Objects up to this many members are searched by a scan, which beats hashing for the small
    // records that most documents hold.
    static constexpr size_t kScanLimit = 16;

    // The hash of a name under this process's key (drawn at the first call; throws
    // plat::SystemException "getrandom" when the system has no random bytes to give).
    static uint32_t hash(const char* name, size_t length);

    JsonKeyIndex() = default;
    JsonKeyIndex(const JsonKeyIndex&) = delete;
    JsonKeyIndex& operator=(const JsonKeyIndex&) = delete;
    JsonKeyIndex(JsonKeyIndex&& other) noexcept
        : slots_(std::exchange(other.slots_, nullptr)), size_(std::exchange(other.size_, 0)) {}
    JsonKeyIndex& operator=(JsonKeyIndex&& other) noexcept {
        if (this != &other) {
            clear();
            slots_ = std::exchange(other.slots_, nullptr);
            size_ = std::exchange(other.size_, 0);
        }
        return *this;
    }
    ~JsonKeyIndex() { clear(); }

    explicit operator bool() const { return slots_ != nullptr; }
    // Frees the table.
    void clear() noexcept;

    // Whether a member at position `count` needs a larger table (true when there is none).
    bool full(size_t count) const { return 2 * (count + 1) > size_; }
    // A new table for members 0 to count - 1, with room for one more; hashAt(i) gives the hash
    // of member i. Throws std::bad_alloc, leaving the old table.
    template <typename HashAt>
    void build(size_t count, HashAt hashAt);

    // The slot of the member at whose position isAt(position) is true, or the free slot where a
    // name of `hash` goes. There must be a table.
    template <typename IsAt>
    uint32_t* probe(uint32_t hash, IsAt isAt) const {
        const size_t mask = size_ - 1;
        for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            uint32_t entry = slots_[slot];
            if (entry == 0 || isAt(size_t(entry - 1))) return slots_ + slot;
        }
    }
    // Records the member at `position` in the free slot that probe() gave.
    static void insert(uint32_t* freeSlot, size_t position) { *freeSlot = uint32_t(position + 1); }
    // Forgets the member at `position`, found at `slot`, and moves every later member down by
    // one place. Called before the members move: hashAt(i) gives the hash of member i.
    template <typename HashAt>
    void erase(uint32_t* slot, size_t position, HashAt hashAt);

private:
    static uint32_t* allocate(size_t size);
    static void deallocate(uint32_t* slots, size_t size) noexcept;

    uint32_t* slots_ = nullptr;  // size_ slots
    size_t size_ = 0;            // a power of two, 0 without a table
};

template <typename HashAt>
void JsonKeyIndex::build(size_t count, HashAt hashAt) {
    size_t size = 4 * kScanLimit;
    while (2 * (count + 1) > size)
        size *= 2;
    uint32_t* slots = allocate(size);
    for (size_t i = 0; i < count; i++) {
        size_t slot = hashAt(i) & (size - 1);
        while (slots[slot])
            slot = (slot + 1) & (size - 1);
        slots[slot] = uint32_t(i + 1);
    }
    clear();
    slots_ = slots;
    size_ = size;
}

template <typename HashAt>
void JsonKeyIndex::erase(uint32_t* slot, size_t position, HashAt hashAt) {
    // Moves back each later entry of the run that would no longer be found past the gap.
    const size_t mask = size_ - 1;
    size_t gap = size_t(slot - slots_);
    for (size_t at = (gap + 1) & mask; slots_[at]; at = (at + 1) & mask) {
        size_t home = hashAt(slots_[at] - 1) & mask;
        // Free to stay when its home lies cyclically in (gap, at].
        if (((at - home) & mask) < ((at - gap) & mask)) continue;
        slots_[gap] = slots_[at];
        gap = at;
    }
    slots_[gap] = 0;
    const uint32_t removed = uint32_t(position + 1);
    for (size_t i = 0; i < size_; i++)
        if (slots_[i] > removed) slots_[i]--;
}

}  // namespace plat
