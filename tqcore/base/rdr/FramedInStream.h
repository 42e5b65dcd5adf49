// rdr::FramedInStream: reads messages cut into frames from an underlying stream, without
// copying: the window is the underlying stream's own window cut to the current frame.
//
// A message is started as soon as a frame header is there. On a non-blocking underlying stream
// an incomplete message makes the readers return to the last checkpoint (the message's start
// unless the reader set a later one) and throw rdr::BlockException, so the message is parsed
// again when more bytes have come. Reading past the message's end throws rdr::EndOfMsg.
// rdr::InStreamV4 reads the 2-byte headers of the wire format: bit 15 marks the last frame,
// bits 14..0 give the payload length.
#pragma once

#include "rdr/InStream.h"

namespace rdr {

class FramedInStream : public InStream {
public:
    explicit FramedInStream(InStream* in) : underlying_(in) {}

    // Begins the next message; true inside one already. Without `wait`, false when no whole
    // header is there (nothing consumed); with it, rdr::BlockException.
    bool startMsg(bool wait);
    // Ends the message; bytes left in it throw rdr::FrameException
    // "FramedInStream::endMsg: data left in msg" and leave the stream as it was.
    void endMsg();
    // Discards the rest of the message; endMsg() then succeeds.
    void skipMsg();
    // Another underlying stream (or none); any message in progress is forgotten.
    void setUnderlying(InStream* in);

    int pos() override;
    void markPos() override;
    void rewindToMark() override;
    // Inside a message only: whether its last frame is used up (skipping empty frames, waiting
    // for headers; rdr::BlockException after rewinding when a header cannot be had).
    bool atEnd() override;
    bool overrun(int size) override;
    // Reads one header from the underlying stream.
    virtual void readHeader(int* length, bool* last, bool atMsgStart) = 0;

    bool inMsg() const { return inMsg_; }

protected:
    InStream* underlying_;  // not owned

private:
    void sync();
    void refreshWindow();
    bool nextFrame(bool wait);

    bool inMsg_ = false;
    bool lastFrame = false;       // the current frame ends the message
    bool savedLastFrame = false;  // the values at the checkpoint
    int frameSize = 0;            // payload bytes of the current frame not yet consumed
    int savedFrameSize = 0;
    uint32_t msgPos = 0;  // payload bytes consumed before the window, modulo 2^32
    uint32_t savedMsgPos = 0;
};

class InStreamV4 : public FramedInStream {
public:
    explicit InStreamV4(InStream* in) : FramedInStream(in) {}
    void readHeader(int* length, bool* last, bool atMsgStart) override;
};

}  // namespace rdr
