// plat::LogSrcViaIpc: a log source that writes again the lines another process sends over a
// named-message channel with its "ipc" destination (plat::LogDestIpc).
//
// Each received line is written at its own level as "<remote source>: <text>", so the peer's
// lines show in this process's log under this source's name (the wizard's "Admin"). Whenever
// this source's level changes, every channel it serves is told the level it now wants with
// "setLogLevel", so the peer sends nothing that would be dropped here. Lives, like every
// source, for the whole process; serves its channels on their thread.
#pragma once

#include "io/MsgIpc.h"
#include "plat/LogSrc.h"

#include <cstdint>
#include <map>
#include <set>

namespace plat {

class LogSrcViaIpc : public LogSrc, public io::MsgIpc::Reader {
public:
    static constexpr uint32_t kOwnLevel = 0xFFFFFFFF;  // send the source's own level

    // `name` must outlive the source (a literal).
    explicit LogSrcViaIpc(const char* name) : LogSrc(name) {}
    ~LogSrcViaIpc() override;

    // With `enable`, reads "logMsg" on `ipc` and sends it the level `level` (kOwnLevel: this
    // source's level, now and at every change); without, stops serving `ipc`. A failure to
    // send propagates.
    void enableIpc(io::MsgIpc* ipc, bool enable, uint32_t level = kOwnLevel);

    // Recomputes the level, then sends each channel its level when that differs from the
    // last one sent there. A failure to send propagates after the level is set.
    void updateLevel() override;

    // The reader of "logMsg", with `in` at the body: reads the level, the source name and the
    // text (a text longer than 1024 bytes throws rdr::StringTooLongException, and nothing is
    // written) and writes the line without a level gate: the destinations' entry levels
    // decide. Returns true (the message is taken).
    bool handleLogMsg(io::MsgIpc* ipc, rdr::InStream& in);

private:
    // The source reads only "logMsg".
    bool handleMessage(io::MsgIpc* ipc, rdr::InStream& in) override {
        return handleLogMsg(ipc, in);
    }
    // A closed or destroyed channel is no longer served.
    void msgIpcClosed(io::MsgIpc* ipc) override;
    void msgIpcGone(io::MsgIpc* ipc) override;

    void sendLevel(io::MsgIpc* ipc);
    void writeUngated(int level, const char* format, ...) TQ_PRINTF_FORMAT(3, 4);

    std::set<io::MsgIpc*> channels_;                 // served channels
    std::map<io::MsgIpc*, uint32_t> channelLevels_;  // level to send each, or kOwnLevel
    std::map<io::MsgIpc*, uint32_t> sentLevels_;     // level last sent to each
};

}  // namespace plat
