#include "rdr/PseudoRandomStream.h"

namespace rdr {

void Pcg32::seed(uint64_t initState, uint64_t increment) {
    state = 0;
    inc = increment;
    next();
    state += initState;
    next();
}

uint32_t Pcg32::next() {
    uint64_t old = state;
    state = old * 6364136223846793005ULL + (inc | 1);
    uint32_t xorShifted = uint32_t(((old >> 18) ^ old) >> 27);
    uint32_t rot = uint32_t(old >> 59);
    return (xorShifted >> rot) | (xorShifted << ((32 - rot) & 31));
}

PseudoRandomStream::PseudoRandomStream(uint64_t seed, bool reproducible) {
    rewindable = false;
    first.seed(seed, reproducible ? 1 : reinterpret_cast<uintptr_t>(&first) | 1);
    second.seed(seed, reproducible ? 3 : reinterpret_cast<uintptr_t>(&second) | 1);
    ptr = end = checkpointPtr = window();
}

bool PseudoRandomStream::overrun(int size) {
    offset += uint32_t(ptr - window());
    ptr = end = window();
    if (size > 8) return true;
    uint32_t words[2] = {first.next(), second.next()};
    uint8_t* bytes = window();
    for (int w = 0; w < 2; w++)
        for (int i = 0; i < 4; i++)
            bytes[w * 4 + i] = uint8_t(words[w] >> (8 * i));
    end = window() + 8;
    return true;
}

}  // namespace rdr
