#include "plat/LogDestIpc.h"
#include "plat/LogSrcViaIpc.h"
#include "plat/tests/LogCapture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using plat::LogDestIpc;
using plat::LogSrc;
using plat::LogSrcViaIpc;
using testing::ElementsAre;

LogSrc sender("IpcTestSrc");
LogSrcViaIpc receiver("IpcTestAdmin");

// The helper's side (channel `helper`, with the "ipc" destination) and the wizard's side
// (channel `wizard`, read by `receiver`) in one process, over a socket pair. The setting sends
// "IpcTestSrc" lines to "ipc" and captures what "IpcTestAdmin" writes.
struct LogIpcTest : ::testing::Test {
    LogIpcTest() : capture("IpcTestAdmin") {
        signal(SIGPIPE, SIG_IGN);
        LogDestIpc::instance();  // "ipc" known before a setting names it
        int fds[2];
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
        helper = std::make_unique<io::MsgIpc>("Helper", fds[0], fds[0], true);
        wizard = std::make_unique<io::MsgIpc>("Wizard", fds[1], fds[1], true);
        useSetting("IpcTestSrc:ipc:1000,IpcTestAdmin:testcapture:1000");
        LogDestIpc::instance().setIpc(helper.get());
    }
    ~LogIpcTest() override {
        LogDestIpc::instance().setIpc(nullptr);
        LogDestIpc::instance().flush();  // nothing: detached
        if (wizard) receiver.enableIpc(wizard.get(), false);
        wizard.reset();
        helper.reset();
        // Lines queued by a test stay behind for the next one otherwise.
        useSetting("IpcTestSrc:ipc:1000");
        drainQueue();
    }
    static void useSetting(const char* setting) { LogSrc::setLogSetting(setting); }
    // Empties the destination's queue through a throw-away channel.
    void drainQueue() {
        int fds[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
        io::MsgIpc a("A", fds[0], fds[0], true), b("B", fds[1], fds[1], true);
        LogDestIpc::instance().setIpc(&a);
        rdr::FramedOutStream& out = b.writeMsg("setLogLevel");
        out.writeU32(uint32_t(-1));  // drop everything
        out.endMsg(true);
        for (int i = 0; i < 10 && LogDestIpc::instance().queued() > 0; ++i)
            manager.dispatch(100);
        LogDestIpc::instance().setIpc(nullptr);
    }
    void pumpUntil(const std::function<bool()>& done) {
        for (int pass = 0; pass < 200 && !done(); ++pass)
            manager.dispatch(100);
    }

    io::FdManager manager;
    plat::test::CapturedLog capture;
    std::unique_ptr<io::MsgIpc> helper, wizard;
};

TEST_F(LogIpcTest, QueueHoldsAThousandLinesThenAMarkerUntilThePeerIsReady) {
    for (int i = 0; i < 1010; ++i)
        sender.writeAtLevel(i % 2 ? 150 : 10, "line %d", i);
    EXPECT_EQ(LogDestIpc::instance().queued(), 1001);
    receiver.enableIpc(wizard.get(), true, 100);
    pumpUntil([&] { return capture.lines().size() >= 501; });
    std::vector<plat::test::LogLine> lines = capture.lines();
    ASSERT_EQ(lines.size(), 501u);
    for (int i = 0; i < 500; ++i) {
        EXPECT_EQ(lines[i].level, 10);
        EXPECT_EQ(lines[i].text, "IpcTestSrc: line " + std::to_string(2 * i));
    }
    EXPECT_EQ(lines[500].level, 0);
    EXPECT_EQ(lines[500].text, "LogDestIpc: Too many messages, discarding further ones");
    EXPECT_EQ(LogDestIpc::instance().queued(), 0);
}

// The receiver tells the peer its own level whenever its setting changes; the peer's sources
// follow at once, and -1 stops them altogether.
TEST_F(LogIpcTest, ReceiverLevelReachesTheSendingSources) {
    receiver.enableIpc(wizard.get(), true);
    struct Case {
        const char* captureLevel;
        int wantSender;
    } cases[] = {{"30", 30}, {"1000", 1000}, {"", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.captureLevel);
        std::string setting = "IpcTestSrc:ipc:1000";
        if (*c.captureLevel) setting += std::string(",IpcTestAdmin:testcapture:") + c.captureLevel;
        useSetting(setting.c_str());
        pumpUntil([&] { return sender.level() == c.wantSender; });
        EXPECT_EQ(sender.level(), c.wantSender);
        EXPECT_EQ(LogDestIpc::instance().level(), c.wantSender);
    }
    sender.error("dropped by the destination");
    EXPECT_EQ(LogDestIpc::instance().queued(), 0);
}

TEST_F(LogIpcTest, TextsAreCutAtCharacterBoundariesAndLongerOnesRefused) {
    plat::test::CapturedLog& log = capture;
    useSetting("IpcTestSrc:ipc:1000,IpcTestAdmin:testcapture:1000,MsgIpc:testcapture:1000");
    receiver.enableIpc(wizard.get(), true, 100);
    std::string euros;
    for (int i = 0; i < 400; ++i)
        euros += "\xe2\x82\xac";  // 1200 bytes of 3-byte characters
    LogDestIpc::instance().write(5, std::string(300, 's').c_str(), euros.c_str());
    pumpUntil([&] { return !log.lines().empty(); });
    ASSERT_EQ(log.lines().size(), 1u);
    // 255 bytes of name, ": ", then 341 whole characters (1023 bytes): no '~' escapes.
    EXPECT_EQ(log.lines()[0].text, std::string(255, 's') + ": " + euros.substr(0, 1023));

    rdr::FramedOutStream& out = helper->writeMsg("logMsg");
    out.writeU32(5);
    out.writeShortString("Src");
    out.writeString(std::string(1025, 'x').c_str());
    out.endMsg(true);
    pumpUntil([&] { return log.lines().size() > 1; });
    ASSERT_EQ(log.lines().size(), 2u);
    EXPECT_EQ(log.lines()[1].text,
              "Wizard: Bad message 'logMsg': String exceeds maximum length");
}

TEST_F(LogIpcTest, FailingLevelUpdateLeavesTheOtherSourcesOn) {
    // Newest first in the list of sources: every other source is updated after it.
    static auto* refusing = new LogSrcViaIpc("IpcTestRefusing");
    struct Refuse : io::MsgIpc::MessageFilter {
        bool allowMessage(io::MsgIpc*, const char*) override { return allow; }
        bool allow = true;
    } filter;
    wizard->setMessageFilter(&filter);
    refusing->enableIpc(wizard.get(), true);
    filter.allow = false;
    useSetting("*:testcapture:77");
    EXPECT_EQ(sender.level(), 77);
    EXPECT_EQ(refusing->level(), 77);
    refusing->enableIpc(wizard.get(), false);
    wizard->setMessageFilter(nullptr);
}

// However a channel ends, the sides that used it forget it: nothing is sent on it or read
// from freed memory, and the event loop goes idle instead of spinning.
TEST_F(LogIpcTest, EndedChannelIsForgottenAndLeavesTheLoopIdle) {
    struct Case {
        const char* fault;
        std::function<void(LogIpcTest&)> end;
    } cases[] = {
        {"the helper's channel freed under the destination",
         [](LogIpcTest& t) { t.helper.reset(); }},
        {"the wizard's channel freed under the receiving source",
         [](LogIpcTest& t) { t.wizard.reset(); }},
        {"a closed channel resent in a loop", [](LogIpcTest& t) { t.wizard->close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        int fds[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
        helper = std::make_unique<io::MsgIpc>("Helper", fds[0], fds[0], true);
        wizard = std::make_unique<io::MsgIpc>("Wizard", fds[1], fds[1], true);
        LogDestIpc::instance().setIpc(helper.get());
        // The channel's own lines go to "ipc" too, as in the helper ("*:ipc:200").
        useSetting("IpcTestSrc:ipc:200,MsgIpc:ipc:200,IpcTestAdmin:testcapture:1000");
        receiver.enableIpc(wizard.get(), true);
        pumpUntil([&] { return LogDestIpc::instance().isReady(); });
        c.end(*this);
        for (int i = 0; i < 5; ++i) {
            sender.info("after the end %d", i);
            manager.dispatch(0);
        }
        useSetting("IpcTestSrc:ipc:200,MsgIpc:ipc:200,IpcTestAdmin:testcapture:999");
        EXPECT_FALSE(LogDestIpc::instance().isReady());
        EXPECT_EQ(manager.dispatch(0), 0);
        if (wizard) receiver.enableIpc(wizard.get(), false);
        LogDestIpc::instance().setIpc(nullptr);
        drainQueue();
    }
}

}  // namespace
