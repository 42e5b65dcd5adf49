#include "rdr/Exception.h"

#include "plat/StrUtil.h"

namespace rdr {

EndOfStream::EndOfStream(const char* message) : plat::Exception(message) {
    plat::strCopy(typeName_, "EndOfStream", sizeof typeName_);
}

}  // namespace rdr
