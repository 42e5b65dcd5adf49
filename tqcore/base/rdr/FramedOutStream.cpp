#include "rdr/FramedOutStream.h"

#include "rdr/Exception.h"

#include <algorithm>

namespace rdr {

void FramedOutStream::openFrame(int room) {
    TQ_ASSERT(!inFrame);
    OutStream& out = *underlying_;
    // Empty until the frame is open: an underlying stream that throws may have moved its data.
    ptr = end = nullptr;
    if (out.end - out.ptr < hdrSize + room) out.overrun(hdrSize + room, 1);
    ptr = out.ptr + hdrSize;
    end = out.end - ptr > maxFrameSize ? ptr + maxFrameSize : out.end;
    inFrame = true;
}

void FramedOutStream::startMsg() {
    // A message broken off between frames by the underlying stream is ended first: the peer
    // would otherwise read the new message as the rest of it.
    if (inMsg_ && !inFrame) endMsg(false);
    if (inMsg_) throw FrameException("FramedOutStream::startMsg: already in msg");
    TQ_ASSERT(underlying_);
    isFirst = true;
    openFrame(1);
    inMsg_ = true;
}

void FramedOutStream::endFrame(bool last) {
    if (!inFrame) throw FrameException("FramedOutStream::endFrame: not in frame");
    OutStream& out = *underlying_;
    int payload = int(ptr - out.ptr - hdrSize);
    if (!last && payload == 0) {
        inFrame = false;
        ptr = end = out.ptr;
        return;
    }
    uint8_t* payloadEnd = ptr;
    ptr = out.ptr;
    if (end - ptr < hdrSize) {
        ptr = payloadEnd;
        throw FrameException("FramedOutStream::endFrame: no space for header");
    }
    inFrame = false;
    writeHeader(payload, last, isFirst);
    TQ_ASSERT(ptr == underlying_->getPtr() + hdrSize);
    msgBytes += uint32_t(payload);
    out.setPtr(payloadEnd);
    isFirst = false;
    ptr = end = out.ptr;
}

void FramedOutStream::endMsg(bool flush) {
    if (!inMsg_) throw FrameException("FramedOutStream::endMsg: not in frame");
    if (!inFrame) openFrame(0);
    endFrame(true);
    inMsg_ = false;
    if (flush) {
        underlying_->flush();
        ptr = end = underlying_->ptr;
    }
}

void FramedOutStream::setUnderlying(OutStream* out) {
    underlying_ = out;
    inMsg_ = inFrame = false;
    ptr = end = nullptr;
}

int FramedOutStream::length() {
    if (inMsg_ && inFrame) return int(msgBytes + uint32_t(ptr - (underlying_->ptr + hdrSize)));
    return int(msgBytes);
}

void FramedOutStream::flush() {
    if (inMsg_ && inFrame) endFrame(false);
    underlying_->flush();
    if (inMsg_) openFrame(1);
}

int FramedOutStream::spaceLeft() {
    return std::max(0, underlying_->spaceLeft() - hdrSize);
}

int FramedOutStream::overrun(int itemSize, int nItems) {
    // No frame could ever hold it: opening frame after frame would never end.
    if (itemSize > maxFrameSize) throw FrameException("FramedOutStream: item exceeds frame size");
    if (!inMsg_) throw FrameException("FramedOutStream::endFrame: not in frame");
    if (inFrame) endFrame(false);
    openFrame(itemSize);
    int64_t room = end - ptr;
    return room >= int64_t(itemSize) * nItems ? nItems : int(room / itemSize);
}

void OutStreamV4::writeHeader(int length, bool last, bool) {
    writeU16(uint16_t((last ? 0x8000 : 0) | length));
}

}  // namespace rdr
