// plat::ThreadCache<T, kKeptBytes, Hot>: storage that each thread keeps from one call to the
// next (a matcher's lists, a parser's stacks, an allocator's blocks), usable at any moment of
// the thread's life, its teardown included.
//
// The thread's T lives in constant-initialised thread-local storage: reaching it costs one
// compare of a state byte, as a plain thread_local object with a destructor does. The first
// use makes the T and schedules its destruction at the thread's end; from then on the cache is
// "ended" for good, and callers that come later (the destructor of another thread-local, or of
// a static once exit() has ended the main thread's thread-locals) get no T: a Use then works on
// a T of its own, made for the call. A Use also gives back what one large call grew: when the
// thread's T holds more than kKeptBytes at its end, a fresh T takes its place.
//
// A cache may also keep a Hot part beside its T: a few plain fields that inline fast paths read
// without looking at the state (an allocator's cursor). It is zero until the T is made and
// zero again once the T is destroyed, so a fast path that finds it zero goes to its slow path.
//
// A T first made on the main thread after exit() ended its thread-locals is never destroyed:
// it keeps what it holds (after a Use, at most kKeptBytes) until the process ends.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>

namespace plat {

struct NoHotPart {};

template <typename T, size_t kKeptBytes = 0, typename Hot = NoHotPart>
class ThreadCache {
    static_assert(std::is_trivially_destructible<Hot>::value &&
                      std::is_trivially_default_constructible<Hot>::value,
                  "the hot part stays readable, zero, when the T is not there");

public:
    // One call's sole use of a T: the thread's own when it is free, else (the thread's has
    // ended, or a Use further up the stack holds it) a fresh one that lives as long as the Use.
    // T::heldBytes() tells what the T holds beyond itself. Throws std::bad_alloc when a T of
    // the call's own cannot be made.
    class Use {
    public:
        Use() : object_(acquire()) {}
        ~Use() { release(object_); }
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;

        T& operator*() const noexcept { return *object_; }
        T* operator->() const noexcept { return object_; }

    private:
        T* object_;
    };

    // The thread's T, made now when it is not yet; null once the thread's end has destroyed it.
    static T* make() noexcept;
    // The hot part: zero while the thread's T is not made or has ended.
    static Hot& hot() noexcept { return slot().hot; }

private:
    enum State : unsigned char {
        kUnmade,  // before the first use: zero, so that the slot needs no initialiser
        kLive,    // made and free
        kInUse,   // held by a Use
        kEnded,   // destroyed at the thread's end
    };
    struct Slot {
        Hot hot;
        alignas(T) unsigned char bytes[sizeof(T)];
        State state;
    };
    // Destroys the thread's T when the thread ends.
    struct Ender {
        ~Ender() {
            object()->~T();
            slot().hot = Hot();
            slot().state = kEnded;
        }
    };

    static T* object() noexcept { return std::launder(reinterpret_cast<T*>(slot().bytes)); }
    static T* acquire() {
        if (slot().state == kLive) {
            slot().state = kInUse;
            return object();
        }
        return acquireSlow();
    }
    [[gnu::noinline]] static T* acquireSlow();
    static void release(T* held) noexcept {
        if (held != object()) return releaseOwn(held);
        if (held->heldBytes() > kKeptBytes) renew();
        slot().state = kLive;
    }
    [[gnu::noinline]] static void releaseOwn(T* held) noexcept { delete held; }
    [[gnu::noinline]] static void renew() noexcept {
        object()->~T();
        new (slot().bytes) T();
    }

    // Not a static data member, so that a class can hold a Use where T is still incomplete.
    // Constant-initialised and trivially destructible: reaching it needs no guard.
    static Slot& slot() noexcept {
        static thread_local Slot threadSlot{};
        return threadSlot;
    }
};

template <typename T, size_t kKeptBytes, typename Hot>
T* ThreadCache<T, kKeptBytes, Hot>::make() noexcept {
    static_assert(std::is_nothrow_default_constructible<T>::value,
                  "a fresh T replaces a grown one where nothing may fail");
    if (slot().state != kUnmade) return slot().state == kEnded ? nullptr : object();
    // Thread-locals are destroyed in the reverse order of their making: those made after this
    // point go while the T is still there, those made before find it ended.
    static thread_local Ender ender;
    (void)ender;
    new (slot().bytes) T();
    slot().state = kLive;
    return object();
}

template <typename T, size_t kKeptBytes, typename Hot>
T* ThreadCache<T, kKeptBytes, Hot>::acquireSlow() {
    T* made = make();
    if (made && slot().state == kLive) {
        slot().state = kInUse;
        return made;
    }
    return new T();
}

}  // namespace plat
