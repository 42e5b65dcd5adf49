// The call stack of the current thread, for the fatal assertion report.
#pragma once

#include "plat/StringList.h"

namespace os {

// Appends one symbolised text per frame of the current call stack (at most 62 frames), leaving
// out the frame of this function itself. Reports no failure: the list stays as it was when
// nothing can be captured.
void captureBacktrace(plat::StringList& frames);

}  // namespace os
