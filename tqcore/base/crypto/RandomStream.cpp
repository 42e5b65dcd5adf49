#include "crypto/RandomStream.h"

#include "plat/Mutex.h"
#include "plat/StrUtil.h"

namespace crypto {

namespace {

plat::Mutex& generatorMutex() {
    static plat::Mutex* const mutex = new plat::Mutex;  // used until the process ends
    return *mutex;
}

}  // namespace

RandomStream::RandomStream() {
    generatorMutex().lock();
    rewindable = false;
    ptr = end = checkpointPtr = buf;
}

RandomStream::~RandomStream() {
    plat::secureZero(buf, sizeof buf);
    generatorMutex().unlock();
}

bool RandomStream::overrun(int) {
    offset += uint32_t(ptr - buf);
    ptr = end = buf;
    fillSystemRandom(buf, sizeof buf);
    end = buf + sizeof buf;
    return true;
}

}  // namespace crypto
