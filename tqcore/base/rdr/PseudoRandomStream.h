// rdr::PseudoRandomStream: an endless stream of pseudo-random bytes from two PCG32 generators,
// reproducible from a seed when asked. Not for secrets: crypto::RandomStream is. Each refill
// costs two generator steps and yields 8 bytes; a read of more than 8 contiguous bytes fails.
#pragma once

#include "rdr/InStream.h"

namespace rdr {

// One PCG32 generator (64-bit state, 32-bit output, rotation by the top bits).
struct Pcg32 {
    uint64_t state = 0;
    uint64_t inc = 0;  // the stream selector; used with its low bit set

    // The usual seeding: state 0, one step, add the seed, one step.
    void seed(uint64_t initState, uint64_t increment);
    uint32_t next();
};

class PseudoRandomStream : public InStream {
public:
    // With `reproducible` the generators use the fixed increments 1 and 3, so equal seeds give
    // equal bytes; otherwise each uses its own address.
    PseudoRandomStream(uint64_t seed, bool reproducible);

    int pos() override { return int(offset + uint32_t(ptr - window())); }
    // Refills the 8-byte window; more than 8 bytes at once leaves it empty, which check()
    // reports as "InStream overrun: buffer size exceeded".
    bool overrun(int size) override;

private:
    uint8_t* window() { return reinterpret_cast<uint8_t*>(out); }

    uint32_t offset = 0;  // bytes before the window
    uint32_t out[2];      // the window: one output of each generator, low byte first
    Pcg32 first;
    Pcg32 second;
};

}  // namespace rdr
