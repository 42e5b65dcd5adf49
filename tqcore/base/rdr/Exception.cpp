#include "rdr/Exception.h"

#include "plat/StrUtil.h"

namespace rdr {

#define TQ_RDR_EXCEPTION(Name)                                                                     \
    Name::Name(const char* message) : plat::Exception(message) {                                   \
        plat::strCopy(typeName_, #Name, sizeof typeName_);                                         \
    }

TQ_RDR_EXCEPTION(EndOfStream)
TQ_RDR_EXCEPTION(EndOfMsg)
TQ_RDR_EXCEPTION(FrameException)
TQ_RDR_EXCEPTION(OutStreamFull)
TQ_RDR_EXCEPTION(PipeException)
TQ_RDR_EXCEPTION(StringTooLongException)

}  // namespace rdr
