#include "os/HostName.h"

#include <climits>
#include <unistd.h>

namespace os {

plat::String getLocalHostName() {
    char name[HOST_NAME_MAX + 1];
    // POSIX leaves the text unterminated when it was cut, so the last byte is set by hand.
    if (gethostname(name, sizeof name) != 0) return plat::String("");
    name[sizeof name - 1] = '\0';
    return plat::String(name);
}

}  // namespace os
