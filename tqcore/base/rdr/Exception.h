// The exceptions of the byte-stream library. Each carries its class name as its type name, so a
// logged failure tells which kind of end or error stopped a reader. All are plat::Exceptions,
// thrown by value and caught by type; none allocates.
#pragma once

#include "plat/Exception.h"

namespace rdr {

// The data ran out: the end of a file, a descriptor or a memory block.
class EndOfStream : public plat::Exception {
public:
    explicit EndOfStream(const char* message);
};

// A reader went past the end of a framed message.
class EndOfMsg : public plat::Exception {
public:
    explicit EndOfMsg(const char* message);
};

// A framed stream was used against its protocol.
class FrameException : public plat::Exception {
public:
    explicit FrameException(const char* message);
};

// An output stream has no room left and will not make any.
class OutStreamFull : public plat::Exception {
public:
    explicit OutStreamFull(const char* message);
};

// The in-memory pipe was written after its end.
class PipeException : public plat::Exception {
public:
    explicit PipeException(const char* message);
};

// A length-prefixed string or a line is longer than its reader allows.
class StringTooLongException : public plat::Exception {
public:
    explicit StringTooLongException(const char* message);
};

// A non-blocking stream has no data now; the reader was put back at its checkpoint. It has no
// type name: it is an expected event, not a failure.
class BlockException : public plat::Exception {
public:
    explicit BlockException(const char* message) : plat::Exception(message) {}
};

}  // namespace rdr
