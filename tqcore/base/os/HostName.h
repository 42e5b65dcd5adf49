// The name under which the local host knows itself, for the header of each log line.
//
// One system call per use, no caching: callers fetch it once and keep their copy.
#pragma once

#include "plat/String.h"

namespace os {

// An owned copy of the local host name; an empty text (not null) when the system gives none.
// Never throws except for running out of memory.
plat::String getLocalHostName();

}  // namespace os
