#include "rdr/FramedInStream.h"

namespace rdr {

void FramedInStream::refreshWindow() {
    if (!underlying_ || !inMsg_) {
        ptr = end = nullptr;
        return;
    }
    ptr = underlying_->ptr;
    end = underlying_->end - underlying_->ptr > frameSize ? ptr + frameSize : underlying_->end;
    TQ_ASSERT(end >= ptr);
}

// Hands what the window consumed back to the underlying stream before it changes.
void FramedInStream::sync() {
    if (!inMsg_ || !underlying_ || !ptr) return;
    int consumed = int(ptr - underlying_->ptr);
    frameSize -= consumed;
    TQ_ASSERT(frameSize >= 0);
    msgPos += uint32_t(consumed);
    underlying_->ptr = ptr;
}

bool FramedInStream::startMsg(bool wait) {
    if (inMsg_) return true;
    TQ_ASSERT(underlying_);
    if (!wait && underlying_->nUnread() == 0 && !underlying_->check(false, 1)) return false;
    int length = 0;
    bool last = false;
    try {
        readHeader(&length, &last, true);
    } catch (const BlockException&) {
        if (!wait) return false;
        throw;
    }
    frameSize = length;
    lastFrame = last;
    inMsg_ = true;
    refreshWindow();
    markPos();
    return true;
}

void FramedInStream::endMsg() {
    if (!atEnd()) throw FrameException("FramedInStream::endMsg: data left in msg");
    markPos();
    inMsg_ = false;
    refreshWindow();
}

void FramedInStream::skipMsg() {
    while (!atEnd()) {
        if (ptr >= end) check(true, 1);
        ptr = end;
        markPos();
    }
}

void FramedInStream::setUnderlying(InStream* in) {
    underlying_ = in;
    inMsg_ = false;
    frameSize = 0;
    lastFrame = false;
    ptr = end = nullptr;
}

int FramedInStream::pos() {
    if (!inMsg_ || !ptr) return int(msgPos);
    return int(msgPos + uint32_t(ptr - underlying_->ptr));
}

void FramedInStream::markPos() {
    if (!inMsg_) return;
    sync();
    underlying_->markPos();
    refreshWindow();
    checkpointPos = pos();
    checkpointPtr = ptr;
    savedLastFrame = lastFrame;
    savedFrameSize = frameSize;
    savedMsgPos = msgPos;
}

void FramedInStream::rewindToMark() {
    if (!inMsg_) return;
    underlying_->rewindToMark();
    lastFrame = savedLastFrame;
    frameSize = savedFrameSize;
    msgPos = savedMsgPos;
    refreshWindow();
}

bool FramedInStream::nextFrame(bool wait) {
    sync();
    try {
        while (frameSize == 0 && !lastFrame) {
            if (underlying_->nUnread() == 0 && !underlying_->check(wait, 1)) {
                refreshWindow();
                return false;
            }
            readHeader(&frameSize, &lastFrame, false);
        }
    } catch (...) {
        refreshWindow();
        throw;
    }
    refreshWindow();
    return true;
}

bool FramedInStream::atEnd() {
    TQ_ASSERT(inMsg_);
    if (ptr < end) return false;
    try {
        nextFrame(true);
    } catch (const BlockException&) {
        rewindToMark();
        throw;
    }
    return frameSize == 0;
}

bool FramedInStream::overrun(int size) {
    TQ_ASSERT(inMsg_);
    sync();
    bool more;
    try {
        if (frameSize >= size) {
            more = underlying_->nUnread() >= size || underlying_->check(false, size);
        } else if (frameSize > 0 && underlying_->nUnread() > 0) {
            more = true;
        } else if (!nextFrame(false)) {
            more = false;
        } else if (frameSize == 0) {
            throw EndOfMsg("End of message");
        } else {
            more = underlying_->nUnread() > 0 || underlying_->check(false, 1);
        }
    } catch (...) {
        refreshWindow();
        throw;
    }
    refreshWindow();
    return more;
}

void InStreamV4::readHeader(int* length, bool* last, bool) {
    uint16_t header = underlying_->readU16();
    *length = header & 0x7FFF;
    *last = header >> 15;
}

}  // namespace rdr
