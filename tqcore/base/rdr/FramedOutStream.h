// rdr::FramedOutStream: writes messages cut into frames straight into an underlying stream's
// buffer. Header space is reserved before each frame and filled in when the frame ends, so the
// payload is never copied.
//
// A frame ends when the underlying window or maxFrameSize is reached, at flush() (which sends
// what was written as a complete frame) and at endMsg(). Only the last frame of a message may
// be empty. rdr::OutStreamV4 writes the 2-byte headers of the wire format, at most 32766 payload
// bytes a frame.
#pragma once

#include "rdr/OutStream.h"

namespace rdr {

class FramedOutStream : public OutStream {
public:
    FramedOutStream(OutStream* out, int maxFrameSize, int hdrSize)
        : maxFrameSize(maxFrameSize), hdrSize(hdrSize), underlying_(out) {}

    // When the underlying stream throws while a message is written, the bytes written before
    // stay in whole frames and the message stays open between two frames: more writes continue
    // it, and endMsg or the next startMsg end it with an empty last frame, so that the peer can
    // tell it from the next message.

    // Opens a message; one already open (and not broken off as above) throws
    // rdr::FrameException "FramedOutStream::startMsg: already in msg".
    void startMsg();
    // Ends the message with its last frame and, with `flush`, flushes the underlying stream.
    // Outside a message throws rdr::FrameException "FramedOutStream::endMsg: not in frame".
    void endMsg(bool flush = true);
    // Ends the open frame (an empty non-last frame is dropped). Without one throws
    // rdr::FrameException "FramedOutStream::endFrame: not in frame".
    void endFrame(bool last);
    // Another underlying stream (or none); a message in progress is abandoned.
    void setUnderlying(OutStream* out);

    int length() override;
    // Inside a message sends what was written as a frame, then flushes the underlying stream.
    void flush() override;
    OutStream* underlying() override { return underlying_->underlying(); }
    int spaceLeft() override;
    bool shutdownWrite() override { return underlying_->shutdownWrite(); }
    // Ends the frame and opens the next one with room for the item. An item larger than a frame
    // throws rdr::FrameException "FramedOutStream: item exceeds frame size".
    int overrun(int itemSize, int nItems) override;
    // Writes one header at the window's position (the reserved space).
    virtual void writeHeader(int length, bool last, bool first) = 0;

    bool inMsg() const { return inMsg_; }

protected:
    int maxFrameSize;  // the largest payload of a frame
    int hdrSize;       // header bytes before each payload

private:
    void openFrame(int room);

    bool inMsg_ = false;
    bool inFrame = false;    // header space is reserved, payload being written
    bool isFirst = false;    // the open frame is the message's first
    uint32_t msgBytes = 0;   // payload bytes of completed frames, modulo 2^32
    OutStream* underlying_;  // not owned
};

class OutStreamV4 : public FramedOutStream {
public:
    explicit OutStreamV4(OutStream* out) : FramedOutStream(out, 32766, 2) {}
    void writeHeader(int length, bool last, bool first) override;
};

}  // namespace rdr
