// plat::SmallVector: a vector of plain elements that keeps its first N elements inline.
//
// Up to N elements live inside the object, so a short-lived vector of a usual size never
// touches the heap; beyond that it grows to the larger of twice its capacity and the size
// needed (at least 16). Elements must be trivially copyable: growth and swapping copy bytes.
// A vector holds at most 0x3fffffff elements; growing past that is a fatal assertion failure.
#pragma once

#include "plat/Exception.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace plat {

template <typename T, size_t N>
class SmallVector {
    static_assert(std::is_trivially_copyable<T>::value, "elements are copied as bytes");
    static_assert(N > 0, "the inline storage holds at least one element");

public:
    static constexpr uint64_t kMaxElements = 0x3fffffff;

    SmallVector() = default;
    SmallVector(const SmallVector&) = delete;
    SmallVector& operator=(const SmallVector&) = delete;
    ~SmallVector() {
        if (!isSmall_) delete[] data_;
    }

    size_t size() const { return size_t(size_); }
    size_t capacity() const { return size_t(capacity_); }
    bool empty() const { return size_ == 0; }
    bool isSmall() const { return isSmall_; }
    T* data() { return data_; }
    const T* data() const { return data_; }
    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }
    T& back() { return data_[size_ - 1]; }
    const T& back() const { return data_[size_ - 1]; }

    void clear() { size_ = 0; }
    void push_back(T value) {
        if (size_ == capacity_) grow(size_ + 1);
        data_[size_++] = value;
    }
    // Appends `count` elements copied from `values`, which must not point into this vector.
    void append(const T* values, size_t count) {
        if (capacity_ - size_ < count) grow(size_ + count);
        if (count) std::memcpy(data_ + size_, values, count * sizeof(T));
        size_ += count;
    }
    // New elements (when growing) are left uninitialised.
    void resize(size_t newSize) {
        if (newSize > capacity_) grow(newSize);
        size_ = newSize;
    }
    // Drops the last `count` elements (at most size()).
    void shrinkBy(size_t count) { size_ -= count; }
    void fill(T value) { std::fill(data_, data_ + size_, value); }

    // Exchanges the contents. When one side is on the heap, or holds more than the other's
    // inline capacity, both are brought onto the heap and the pointers exchanged; otherwise
    // the elements are.
    void swap(SmallVector& other) {
        if (this == &other) return;
        if (isSmall_ && other.isSmall_) {
            T saved[N];
            std::memcpy(saved, inline_, size_t(size_) * sizeof(T));
            std::memcpy(inline_, other.inline_, size_t(other.size_) * sizeof(T));
            std::memcpy(other.inline_, saved, size_t(size_) * sizeof(T));
            std::swap(size_, other.size_);
            return;
        }
        if (isSmall_) moveToHeap(size_);
        if (other.isSmall_) other.moveToHeap(other.size_);
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
    }

private:
    // Moves the elements to heap storage of at least `needed` elements.
    void grow(uint64_t needed) {
        uint64_t newCapacity = std::max<uint64_t>({2 * capacity_, needed, 16});
        if (newCapacity > kMaxElements && needed <= kMaxElements) newCapacity = kMaxElements;
        TQ_ASSERT(needed <= kMaxElements);
        T* fresh = new T[size_t(newCapacity)];
        if (size_) std::memcpy(fresh, data_, size_t(size_) * sizeof(T));
        if (!isSmall_) delete[] data_;
        data_ = fresh;
        capacity_ = newCapacity;
        isSmall_ = false;
    }
    void moveToHeap(uint64_t needed) { grow(std::max<uint64_t>(needed, N + 1)); }

    uint64_t capacity_ = N;
    uint64_t size_ = 0;
    T* data_ = inline_;
    bool isSmall_ = true;  // data_ points at inline_
    T inline_[N];
};

}  // namespace plat
