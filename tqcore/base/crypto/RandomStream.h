// crypto::RandomStream: cryptographically strong random bytes from the operating system's
// generator, read with the ordinary stream readers, which never reach an end.
//
// A stream holds the process-wide generator lock from construction to destruction, so hold one
// only for the few reads it needs. Its 16-byte buffer is zeroed at destruction. Each refill is
// one call into the system for 16 bytes.
#pragma once

#include "rdr/InStream.h"

#include <cstddef>

namespace crypto {

// Fills `buffer` with `size` bytes from the system's generator, waiting until it is seeded.
// Throws plat::SystemException "getrandom" on failure.
void fillSystemRandom(void* buffer, size_t size);

class RandomStream : public rdr::InStream {
public:
    // Locks the process-wide generator mutex.
    RandomStream();
    // Zeroes the buffer and unlocks.
    ~RandomStream() override;

    int pos() override { return int(offset + uint32_t(ptr - buf)); }
    bool overrun(int size) override;

private:
    uint32_t offset = 0;  // bytes before the window
    uint8_t buf[16];
};

}  // namespace crypto
