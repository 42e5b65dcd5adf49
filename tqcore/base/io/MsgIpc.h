// io::MsgIpc: named messages between two processes (or threads) over a pipe pair or a socket.
//
// Each message is a framed message (rdr::FramedOutStream, 2-byte frame headers) whose body
// begins with the message's name as a short string (one length byte). Incoming messages go to
// the readers registered for their names, on the thread that created the channel, as its
// io::FdManager finds the descriptor readable; reading never blocks the thread: a message
// still incomplete is parsed again from its start when more bytes have come. Sending never
// blocks either until MaxOutBufferSize bytes are pending: the rest is written as the
// descriptor becomes writable. A channel is connected until the peer closes it, a read or
// write fails, or close() is called; after that, messages written to it are discarded and its
// readers are told (msgIpcClosed) on the next pass of the event manager.
#pragma once

#include "io/FdManager.h"
#include "plat/String.h"
#include "plat/Timer.h"
#include "rdr/FdInStream.h"
#include "rdr/FdOutStream.h"
#include "rdr/FramedInStream.h"
#include "rdr/FramedOutStream.h"

#include <vector>

namespace io {

class MsgIpc : FdHandler, rdr::FdOutStream::Callback, plat::Timer::Callback, plat::NonCopyable {
public:
    class Reader {
    public:
        // Removes the reader's registrations on the channel it was last added to.
        virtual ~Reader();
        // A message of a name the reader was added for, with `in` just past the name. Returns
        // true when it took the message; otherwise the next reader for the name is asked,
        // from the start of the body. Bytes it leaves unread are skipped. A blocking read that
        // finds the message incomplete throws rdr::BlockException, and the message is
        // delivered again from its start once more has come: read every field before acting.
        // Any other plat::Exception drops the message with an error line; the channel goes on.
        virtual bool handleMessage(MsgIpc* ipc, rdr::InStream& in) = 0;
        // The channel is no longer connected (on a pass of the event manager after it was
        // found out). Nothing by default.
        virtual void msgIpcClosed(MsgIpc* ipc) { (void)ipc; }
        // The channel is being destroyed: forget it. By default clears `ipc` when it names it.
        virtual void msgIpcGone(MsgIpc* ipc) {
            if (this->ipc == ipc) this->ipc = nullptr;
        }

        MsgIpc* ipc = nullptr;  // the channel addReader last registered the reader on
    };

    // Decides which messages may be sent now.
    class MessageFilter {
    public:
        virtual ~MessageFilter() = default;
        virtual bool allowMessage(MsgIpc* ipc, const char* msgName) = 0;
    };

    // A connected channel named `name` (for log lines) that reads `readFd` and writes
    // `writeFd` (the same descriptor for a socket). Both are made non-blocking (failure throws
    // plat::SystemException "fcntl(O_NONBLOCK)"); with `ownFds` they are closed when the
    // channel disconnects. Needs the calling thread's event manager
    // (a fatal assertion failure, "thrInst", without one).
    MsgIpc(const char* name, int readFd, int writeFd, bool ownFds);
    // Tells every reader msgIpcGone, then closes owned descriptors; pending output that the
    // descriptor does not take at once is lost. On the creating thread.
    ~MsgIpc() override;

    const char* name() const { return name_.get(); }
    bool isConnected() const { return connected_; }

    // Registers `reader` (not owned) for messages named `msgName` (copied) and sets its `ipc`.
    // A reader may be added for several names; readers of one name are asked in the order
    // they were added.
    void addReader(const char* msgName, Reader* reader);
    // Removes every registration of `reader` and clears its `ipc` when that names this
    // channel; nothing else when it has none.
    void removeReader(Reader* reader);
    // The filter consulted by writeMsg (not owned; null allows everything).
    void setMessageFilter(MessageFilter* filter) { filter_ = filter; }

    // Starts the message `msgName` and returns the stream to write its body to; the caller
    // ends it with endMsg() (flushing, or not when more messages follow at once). A name the
    // filter refuses is logged at level 30 ("%s: Message '%s' not currently allowed") and
    // throws plat::Exception "MsgIpc::writeMsg: Message not currently allowed". On a channel
    // no longer connected the message is logged at level 100 ("%s: Discarding message '%s'")
    // and its bytes are dropped. A message left open throws rdr::FrameException.
    rdr::FramedOutStream& writeMsg(const char* msgName);

    // Disconnects now; the readers are told on the next pass. Nothing when disconnected.
    void close();

private:
    // Descriptor streams that tell the channel when the descriptor fails, so that a dead peer
    // disconnects the channel instead of failing every later writer.
    class ChannelIn : public rdr::FdInStream {
    public:
        using FdInStream::FdInStream;
        int fill(uint8_t* dst, int maxLen) override;
        bool failed = false;  // the descriptor reached its end or an error
    };
    class ChannelOut : public rdr::FdOutStream {
    public:
        ChannelOut(MsgIpc* owner, int fd) : FdOutStream(fd), owner_(owner) {}
        int writeData(const uint8_t* data, int len, bool wait) override;

    private:
        MsgIpc* owner_;
    };
    struct Registration {
        plat::String msgName;
        Reader* reader;
    };

    void fdReadable(int fd) override;
    void fdWritable(int fd) override;
    void writeBlocked(rdr::FdOutStream* s, bool wouldBlock) override;
    void writeShutdown(rdr::FdOutStream* s) override;
    bool timerExpired(plat::Timer* timer) override;

    // Tells a member function that calls out whether the callee destroyed the channel.
    class DestroyGuard;

    // Calls `tell(reader)` once for each distinct reader registered for `msgName` (any name
    // when null), in order of registration. A reader that an earlier call removed (and perhaps
    // freed) is skipped, and nothing more happens once a call destroyed the channel or
    // `tell` returned true. Returns false when the channel was destroyed: the caller must
    // then return without touching it.
    template <class Tell>
    bool forEachReaderOnce(const char* msgName, Tell tell);
    void readMessages();
    // Offers the current message to its readers; false when the channel was destroyed.
    bool deliver(const char* msgName);
    bool isRegistered(const Reader* reader, const char* msgName) const;
    void disconnect(const char* why);
    void forgetDescriptors();
    void updateWatch();

    plat::String name_;
    FdManager* manager_;  // of the creating thread
    int readFd_, writeFd_;
    bool ownFds_;
    bool connected_ = true;
    bool writePending_ = false;  // output waits for the descriptor to become writable
    bool skipping_ = false;      // the rest of a delivered message is still to be skipped
    bool* destroyed_ = nullptr;  // the innermost DestroyGuard's flag, set by the destructor
    ChannelIn in_;
    rdr::InStreamV4 framedIn_;
    ChannelOut out_;
    rdr::OutStreamV4 framedOut_;
    std::vector<Registration> readers_;
    MessageFilter* filter_ = nullptr;  // not owned
    plat::Timer closedTimer_;          // tells the readers on a fresh pass
};

}  // namespace io
