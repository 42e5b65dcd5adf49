// plat::LogDestIpc: the destination "ipc", which sends log lines to another process over a
// named-message channel, where a plat::LogSrcViaIpc writes them again.
//
// Writers on any thread only queue the line under the destination's lock; the channel's own
// thread sends the queue, woken by a self-pipe, so a slow peer never blocks a writer. Nothing
// is sent before the peer has announced, with "setLogLevel", up to which level it wants lines;
// lines above that level are dropped. The queue holds at most 1000 lines and one marker line
// saying that more were discarded. A channel that disconnects or is destroyed detaches the
// destination: later lines stay queued (within the bound) and nothing more is sent.
//
// Wire format, message "logMsg": level (U32; a negative level as its 32-bit pattern), source
// name (U8 length, at most 255 bytes), text (U32 length, at most 1024 bytes); both texts are
// cut at a UTF-8 character boundary. Message "setLogLevel": level (U32).
#pragma once

#include "io/MsgIpc.h"
#include "plat/Kicker.h"
#include "plat/LogDest.h"
#include "plat/Mutex.h"
#include "plat/String.h"

#include <memory>
#include <vector>

namespace plat {

class LogDestIpc : public LogDest, public Kickee, public io::MsgIpc::Reader {
public:
    static constexpr int kMaxQueued = 1000;
    static constexpr int kMaxText = 1024;  // bytes of a line's text sent

    // The singleton, created on first use and never destroyed. A process that logs through it
    // creates it before its `Log` setting is applied, so that the name "ipc" is known then.
    static LogDestIpc& instance();
    // The singleton when it has been created, else null.
    static LogDestIpc* instanceIfAny();

    // Queues the line when `level` is at most the destination's level (see the header
    // comment); wakes the channel's thread when the queue was empty and the peer is ready.
    void write(int level, const char* source, const char* text) override;

    // Attaches to `ipc` (not owned; null detaches): the destination reads "setLogLevel" there
    // and sends nothing until the peer's first one. The level goes back to the largest until
    // then, so lines written meanwhile are queued. On the channel's thread, which must have an
    // event manager.
    void setIpc(io::MsgIpc* ipc);
    // Sends every queued line at or below the level, ending with one flush of the channel.
    // Nothing before the peer's level is known or on a channel no longer connected. On the
    // channel's thread; a refusal of the channel's filter propagates.
    void flush();

    // Lines now queued (the marker included).
    int queued();
    bool isReady();

private:
    struct Line {
        int level;
        String source;
        String text;
    };

    LogDestIpc();
    void kicked() override { flush(); }
    // "setLogLevel": stores the level, recomputes every source's level, sends the queue.
    bool handleMessage(io::MsgIpc* ipc, rdr::InStream& in) override;
    void msgIpcClosed(io::MsgIpc* ipc) override;
    void msgIpcGone(io::MsgIpc* ipc) override;

    Mutex mutex_;                     // guards everything below
    std::vector<Line> queue_;         // at most kMaxQueued lines and the marker
    io::MsgIpc* channel_ = nullptr;   // the channel lines are sent on; not owned
    bool ready_ = false;              // the peer has announced its level on channel_
    std::unique_ptr<Kicker> kicker_;  // wakes channel_'s thread; only while attached
};

}  // namespace plat
