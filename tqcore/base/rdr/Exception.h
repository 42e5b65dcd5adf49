// The exceptions of the byte-stream library. Each carries its class name as its type name, so a
// logged failure tells which kind of end or error stopped a reader.
#pragma once

#include "plat/Exception.h"

namespace rdr {

// The data ran out: the end of a file, a descriptor or a memory block.
class EndOfStream : public plat::Exception {
public:
    explicit EndOfStream(const char* message);
};

}  // namespace rdr
