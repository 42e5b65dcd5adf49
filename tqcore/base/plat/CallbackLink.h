// plat::CallbackLink<T>: shared ownership without a counter.
//
// All holders of one object form a ring through their next and previous links; the holder that
// is reset while alone in its ring deletes the object. Linking and unlinking are constant time
// and allocate nothing. Holders are not thread-safe: a ring belongs to one thread.
#pragma once

namespace plat {

template <typename T>
class CallbackLink {
public:
    CallbackLink() = default;
    // Starts a ring that owns `object` (which may be null).
    explicit CallbackLink(T* object) : object_(object) {}
    CallbackLink(const CallbackLink& other) { join(other); }
    CallbackLink& operator=(const CallbackLink& other) {
        if (this != &other && other.object_ != object_) {
            reset();
            join(other);
        }
        return *this;
    }
    ~CallbackLink() { reset(); }

    // Leaves the ring, deleting the object when this was its last holder.
    void reset() {
        if (next_ == this) {
            delete object_;
        } else {
            prev_->next_ = next_;
            next_->prev_ = prev_;
            next_ = prev_ = this;
        }
        object_ = nullptr;
    }
    // Leaves the ring and starts a new one owning `object`.
    void reset(T* object) {
        reset();
        object_ = object;
    }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }
    bool alone() const { return next_ == this; }

private:
    void join(const CallbackLink& other) {
        object_ = other.object_;
        auto& o = const_cast<CallbackLink&>(other);
        next_ = o.next_;
        prev_ = &o;
        o.next_->prev_ = this;
        o.next_ = this;
    }

    T* object_ = nullptr;  // shared by every holder of the ring
    CallbackLink* next_ = this;
    CallbackLink* prev_ = this;
};

}  // namespace plat
