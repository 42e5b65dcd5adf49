// plat::NonCopyable: a private base for classes whose objects have an identity (registered
// parameters, streams, JSON values), so that an accidental copy fails to compile.
//
// It has no virtual operations and no state, and costs nothing.
#pragma once

namespace plat {

class NonCopyable {
public:
    NonCopyable(const NonCopyable&) = delete;
    NonCopyable& operator=(const NonCopyable&) = delete;

protected:
    NonCopyable() = default;
    ~NonCopyable() = default;
};

}  // namespace plat
