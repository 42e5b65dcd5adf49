// rdr::Serializable: an object that writes its state to a stream and reads it back.
#pragma once

namespace rdr {

class InStream;
class OutStream;

class Serializable {
public:
    virtual ~Serializable() = default;
    // Replaces the state by one read from `in`; a state that does not hold together throws
    // and leaves the object as it was.
    virtual void restore(InStream& in) = 0;
    virtual void save(OutStream& out) = 0;
};

}  // namespace rdr
