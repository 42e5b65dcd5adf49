#include "crypto/RandomStream.h"

#include "plat/Exception.h"

#include <cerrno>
#include <sys/random.h>

namespace crypto {

void fillSystemRandom(void* buffer, size_t size) {
    auto* out = static_cast<unsigned char*>(buffer);
    while (size > 0) {
        ssize_t n = getrandom(out, size, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw plat::SystemException("getrandom", errno);
        }
        out += n;
        size -= size_t(n);
    }
}

}  // namespace crypto
