#include "rdr/ByteReader.h"

#include "plat/Utf8.h"

#include <algorithm>
#include <climits>

namespace rdr {

void ByteReader::init(InStream* stream, int length, uint8_t* buffer, bool copyBytes) {
    if (len != 0) {
        if (length == len) return;
        throw plat::Exception("ByteReader::init: bad len");
    }
    reset();
    in = stream;
    in->markPos();
    len = length;
    copy = copyBytes;
    buf = buffer;
    ownsBuf = buffer == nullptr;
}

void ByteReader::reset() {
    if (ownsBuf) delete[] buf;
    buf = nullptr;
    ownsBuf = false;
    have = 0;
    len = 0;
}

const uint8_t* ByteReader::read(bool wait, int* length) {
    if (length) *length = len;
    if (have == 0) {
        // An empty item is complete at once: null would tell the caller to come back later.
        static const uint8_t nothing = 0;
        if (len == 0) return buf ? buf : &nothing;
        if (in->nUnread() == 0 && !in->check(wait, 1)) return nullptr;
        if (!copy && in->nUnread() >= len) return in->getBytes(len);
    }
    if (!buf) {
        buf = new uint8_t[size_t(len)];
        ownsBuf = true;
    }
    while (have < len) {
        if (in->nUnread() == 0 && !in->check(wait, 1)) return nullptr;
        int take = std::min(in->nUnread(), len - have);
        std::memcpy(buf + have, in->getBytes(take), size_t(take));
        have += take;
        in->markPos();  // the gathered bytes are consumed for good
    }
    return buf;
}

bool ByteReader::skip(bool wait) {
    while (have < len) {
        if (in->nUnread() == 0 && !in->check(wait, 1)) return false;
        int take = std::min(in->nUnread(), len - have);
        in->getBytes(take);
        have += take;
        in->markPos();
    }
    return true;
}

const uint8_t* ByteReader::readItems(bool wait, int* nItems) {
    if (!copy && have == 0 && len > 0) return in->getItemsNoWait(len, nItems, wait);
    *nItems = 1;
    return read(wait);
}

plat::String ByteReader::readString(InStream* stream, int maxLen, bool wait) {
    if (len == 0) {
        uint32_t length = stream->readU32();
        // Wide comparison: a huge length must not pass as a negative int.
        if (int64_t(length) > int64_t(maxLen) || length >= uint32_t(INT_MAX))
            throw StringTooLongException("String exceeds maximum length");
        uint8_t* text = new uint8_t[size_t(length) + 1];
        text[length] = 0;
        reset();
        in = stream;
        len = int(length);
        buf = text;
        ownsBuf = true;
        in->markPos();
        if (len == 0) {
            reset();
            return plat::String("");
        }
    }
    int length = 0;
    const uint8_t* data = read(wait, &length);
    if (!data) return plat::String();
    // A whole text found in the stream's window is handed out in place: copy it into the
    // buffer that becomes the result.
    if (data != buf) std::memcpy(buf, data, size_t(length));
    const char* text = reinterpret_cast<const char*>(buf);
    plat::String result = plat::utf8IsValid(text, text + length)
                              ? plat::String(text, length)
                              : plat::toUtf8(text, text + length);
    in->markPos();
    reset();
    return result;
}

}  // namespace rdr
