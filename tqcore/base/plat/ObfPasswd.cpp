#include "plat/ObfPasswd.h"

#include "des/Des.h"
#include "rdr/InStream.h"
#include "rdr/OutStream.h"

#include <climits>
#include <cstring>

namespace plat {

namespace {

// The product's one scrambling key. Every password stored by any copy depends on it: it must
// never change.
constexpr unsigned char kScramblingKey[8] = {0x3A, 0xC5, 0x71, 0x0E, 0x9B, 0x64, 0xD2, 0x28};
constexpr char kHighBytesMark[4] = {'U', 'T', 'F', '8'};
constexpr int kMaxStreamLength = 512;

// Runs every 8-byte block of `bytes` through DES in place, then wipes the schedule.
void transformBlocks(unsigned char* bytes, int length, bool encrypt) {
    uint32_t schedule[des::kScheduleWords];
    if (encrypt)
        des::setEncryptKey(schedule, kScramblingKey);
    else
        des::setDecryptKey(schedule, kScramblingKey);
    for (int i = 0; i < length; i += 8)
        des::desBlock(schedule, bytes + i, bytes + i);
    des::clearKey(schedule);
}

}  // namespace

void obfPasswd(ByteBuf& out, const char* password) {
    out.truncate(0);
    if (!password) return;
    size_t length = std::strlen(password);
    TQ_CHECK(length <= size_t(INT_MAX) - 16);
    bool highBytes = false;
    for (size_t i = 0; i < length && !highBytes; i++)
        highBytes = static_cast<unsigned char>(password[i]) >= 0x80;
    int blocks = length < 9 ? 8 : int((length + 7) / 8 * 8);
    ByteBuf scrambled(blocks + (highBytes ? 4 : 0));  // zeroed, wiped
    std::memcpy(scrambled.data(), password, length);
    transformBlocks(scrambled.data(), blocks, true);
    if (highBytes) std::memcpy(scrambled.data() + blocks, kHighBytesMark, 4);
    out = std::move(scrambled);
}

SecureString deobfPasswd(const ByteBuf& scrambled) {
    if (scrambled.empty()) return SecureString();
    int length = scrambled.size();
    if (length % 8 == 4 && std::memcmp(scrambled.data() + length - 4, kHighBytesMark, 4) == 0)
        length -= 4;
    if (length % 8 != 0) throw Exception("bad obfuscated password length");
    ByteBuf clear(length + 1);  // zeroed, wiped: the NUL stays when every block is full
    if (length) std::memcpy(clear.data(), scrambled.data(), size_t(length));
    transformBlocks(clear.data(), length, false);
    return SecureString(reinterpret_cast<const char*>(clear.data()));
}

void writeObfPasswd(rdr::OutStream& out, const char* password) {
    ByteBuf scrambled;
    obfPasswd(scrambled, password);
    if (scrambled.size() > kMaxStreamLength) throw Exception("writeObfPasswd: password too long");
    out.writeU16(uint16_t(scrambled.size()));
    out.write(scrambled.data(), scrambled.size());
}

SecureString readObfPasswd(rdr::InStream& in) {
    int length = in.readU16();
    if (length > kMaxStreamLength) throw Exception("readObfPasswd: password too long");
    ByteBuf scrambled(length);
    readStreamBytes(in, scrambled.data(), size_t(length));
    return deobfPasswd(scrambled);
}

}  // namespace plat
