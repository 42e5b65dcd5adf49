// plat::MBuf<T>: an owned array of elements with a 32-bit count and a wipe flag.
//
// A buffer with the wipe flag set zeroes every element it releases (on destruction, shrinking,
// replacement and assignment) through plat::secureZero, so keys and secrets do not linger in
// freed memory. Bytes are MBuf<unsigned char>; MBuf<unsigned int> follows the same rules
// counted in elements. Buffers move but do not copy implicitly: assign() makes copies.
#pragma once

#include "plat/Exception.h"
#include "plat/StrUtil.h"

#include <cstring>
#include <type_traits>
#include <utility>

namespace rdr {
class InStream;
}

namespace plat {

// Reads exactly `size` bytes from `in` into `to` (the stream's blocking and end rules apply).
void readStreamBytes(rdr::InStream& in, void* to, size_t size);

template <typename T>
class MBuf {
    static_assert(std::is_trivially_copyable<T>::value, "MBuf holds plain elements");

public:
    MBuf() = default;
    // `count` zeroed elements with the wipe flag set: the form for keys and secrets.
    explicit MBuf(int count) : count_(count > 0 ? count : 0), wipe_(true) {
        if (count_ > 0) data_ = new T[count_]();
    }
    // `count` elements read from `in`, wipe flag clear; a failing read throws what the stream
    // throws and frees the elements.
    MBuf(rdr::InStream& in, int count) {
        if (count <= 0) return;
        data_ = new T[count];
        count_ = count;
        try {
            readStreamBytes(in, data_, size_t(count) * sizeof(T));
        } catch (...) {
            release();
            throw;
        }
    }
    MBuf(MBuf&& other) noexcept
        : count_(std::exchange(other.count_, 0)), data_(std::exchange(other.data_, nullptr)),
          wipe_(other.wipe_) {}
    // Replaces the contents by those of `other`, wiping the old ones when flagged. The wipe
    // flag stays set when either buffer had it.
    MBuf& operator=(MBuf&& other) noexcept {
        if (this != &other) {
            release();
            count_ = std::exchange(other.count_, 0);
            data_ = std::exchange(other.data_, nullptr);
            wipe_ = wipe_ || other.wipe_;
        }
        return *this;
    }
    MBuf(const MBuf&) = delete;
    MBuf& operator=(const MBuf&) = delete;
    ~MBuf() { release(); }

    int size() const { return count_; }
    bool empty() const { return count_ == 0; }
    T* data() { return data_; }
    const T* data() const { return data_; }
    T& operator[](int i) { return data_[i]; }
    const T& operator[](int i) const { return data_[i]; }
    bool wipe() const { return wipe_; }
    void setWipe(bool wipe) { wipe_ = wipe; }

    // Makes this a copy of `source` with at least `minimumCount` elements; elements beyond the
    // source's count are unspecified. Small or mostly used storage is reused in place.
    void assign(const MBuf& source, int minimumCount = 0) {
        assign(source.data_, source.count_, minimumCount);
    }
    void assign(const T* source, int sourceCount, int minimumCount = 0);

    // Takes over `count` elements at `storage`, allocated with new[] (freed at once when
    // `count` is 0), in place of the old contents, which are wiped when flagged.
    void adopt(T* storage, int count) {
        release();
        if (count <= 0) {
            delete[] storage;
            return;
        }
        data_ = storage;
        count_ = count;
    }

    // Cuts the buffer to `count` elements when it is longer (the rest wiped when flagged).
    void truncate(int count) {
        if (count < 0) count = 0;
        if (count >= count_) return;
        if (wipe_) secureZero(data_ + count, size_t(count_ - count) * sizeof(T));
        count_ = count;
        if (count_ == 0) release();
    }

private:
    void release() {
        if (data_ && wipe_) secureZero(data_, size_t(count_) * sizeof(T));
        delete[] data_;
        data_ = nullptr;
        count_ = 0;
    }

    int count_ = 0;
    T* data_ = nullptr;  // null when count_ is 0
    bool wipe_ = false;  // zero released elements
};

template <typename T>
void MBuf<T>::assign(const T* source, int sourceCount, int minimumCount) {
    if (sourceCount < 0) sourceCount = 0;
    int n = sourceCount > minimumCount ? sourceCount : minimumCount;
    if (n <= count_ && (count_ < 128 || n >= count_ / 2)) {
        if (source != data_ && sourceCount > 0)
            std::memmove(data_, source, size_t(sourceCount) * sizeof(T));
        if (wipe_ && n < count_) secureZero(data_ + n, size_t(count_ - n) * sizeof(T));
        count_ = n;
        if (n == 0) {
            delete[] data_;
            data_ = nullptr;
        }
        return;
    }
    T* fresh = n > 0 ? new T[n] : nullptr;
    if (sourceCount > 0) std::memcpy(fresh, source, size_t(sourceCount) * sizeof(T));
    release();
    data_ = fresh;
    count_ = n;
}

using ByteBuf = MBuf<unsigned char>;

}  // namespace plat
