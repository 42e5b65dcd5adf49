#include "plat/LogDestFile.h"
#include "plat/LogDestIpc.h"
#include "plat/LogSrcViaIpc.h"
#include "plat/tests/FileTestUtil.h"
#include "plat/tests/LogCapture.h"
#include "rdr/MemInStream.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using plat::LogDestIpc;
using plat::LogSrc;
using testing::HasSubstr;
using testing::Not;

LogSrc sender("IpcTestSrc");
plat::LogSrcViaIpc receiver("IpcTestAdmin");
plat::LogSrcViaIpc admin("Admin");

// The helper's side (channel `helper`, with the "ipc" destination) and the wizard's side
// (channel `wizard`, read by `receiver`) in one process, over a socket pair. "IpcTestSrc"
// writes to "ipc"; what "IpcTestAdmin" writes is captured.
struct LogIpcTest : ::testing::Test {
    LogIpcTest() : capture("IpcTestAdmin") {
        signal(SIGPIPE, SIG_IGN);
        LogDestIpc::instance();  // "ipc" known before a setting names it
        connect("IpcTestSrc:ipc:1000,IpcTestAdmin:testcapture:1000");
    }
    ~LogIpcTest() override {
        // Lines left queued would reach the next test: a fresh peer at -1 has them dropped.
        connect("IpcTestSrc:ipc:1000");
        rdr::FramedOutStream& out = wizard->writeMsg("setLogLevel");
        out.writeU32(uint32_t(-1));
        out.endMsg(true);
        pumpUntil([] { return LogDestIpc::instance().isReady(); });
        LogDestIpc::instance().setIpc(nullptr);
    }
    void connect(const char* setting) {
        int fds[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
        helper = std::make_unique<io::MsgIpc>("Helper", fds[0], fds[0], true);
        wizard = std::make_unique<io::MsgIpc>("Wizard", fds[1], fds[1], true);
        LogSrc::setLogSetting(setting);
        LogDestIpc::instance().setIpc(helper.get());
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
    LogDestIpc& dest = LogDestIpc::instance();
    for (int i = 0; i < 1010; ++i)
        sender.writeAtLevel(i % 2 ? 150 : 10, "line %d", i);
    EXPECT_EQ(dest.queued(), 1001);
    dest.flush();
    EXPECT_EQ(dest.queued(), 1001) << "lines sent before the peer has said its level";
    receiver.enableIpc(wizard.get(), true, 100);
    pumpUntil([&] { return capture.lines().size() >= 501; });
    std::vector<plat::test::LogLine> lines = capture.lines();
    ASSERT_EQ(lines.size(), 501u);
    for (int i = 0; i < 500; ++i)
        EXPECT_EQ(std::to_string(lines[i].level) + " " + lines[i].text,
                  "10 IpcTestSrc: line " + std::to_string(2 * i));
    EXPECT_EQ(std::to_string(lines[500].level) + " " + lines[500].text,
              "0 LogDestIpc: Too many messages, discarding further ones");
    dest.write(101, "IpcTestSrc", "above the peer's level");
    EXPECT_EQ(dest.queued(), 0) << "a line above the peer's level queued";
}

// The receiver's limit on a line's text, on a body built by hand: the sender never goes over.
TEST_F(LogIpcTest, ReceiverTakesTextsUpToTheLimitAndRefusesLonger) {
    for (int length : {LogDestIpc::kMaxText, LogDestIpc::kMaxText + 1}) {
        SCOPED_TRACE(length);
        std::string text(size_t(length), 'x');
        std::string body = std::string{0, 0, 0, 10, 3} + "Src";
        body += {char(length >> 24), char(length >> 16), char(length >> 8), char(length)};
        body += text;
        rdr::MemInStream in(body.data(), int(body.size()));
        capture.clear();
        if (length <= LogDestIpc::kMaxText) {
            EXPECT_TRUE(receiver.handleLogMsg(wizard.get(), in));
            ASSERT_EQ(capture.lines().size(), 1u);
            EXPECT_EQ(capture.lines()[0].text, "Src: " + text);
        } else {
            EXPECT_THROW(receiver.handleLogMsg(wizard.get(), in), rdr::StringTooLongException);
            EXPECT_TRUE(capture.lines().empty());
        }
    }
}

TEST_F(LogIpcTest, FailingLevelUpdateLeavesTheOtherSourcesOn) {
    // The newest source comes first in the list: every other one is updated after it.
    static auto* refusing = new plat::LogSrcViaIpc("IpcTestRefusing");
    static struct Refuse : io::MsgIpc::MessageFilter {
        bool allowMessage(io::MsgIpc*, const char*) override { return false; }
    } filter;
    wizard->setMessageFilter(&filter);
    EXPECT_THROW(refusing->enableIpc(wizard.get(), true), plat::Exception);
    LogSrc::setLogSetting("*:testcapture:77");
    EXPECT_EQ(sender.level(), 77);
}

// However a channel ends, both sides forget it: nothing is sent on it or through freed
// memory, and the loop goes idle instead of sending, logging and queueing in a circle.
TEST_F(LogIpcTest, EndedChannelIsForgottenAndLeavesTheLoopIdle) {
    for (auto [fault, end] : {std::pair{"the helper's channel freed under the destination", 'h'},
                              {"the wizard's channel freed under the receiving source", 'w'},
                              {"a closed channel resent in a loop", 'c'}}) {
        SCOPED_TRACE(fault);
        // The channel's own lines go to "ipc" too, as in the helper ("*:ipc:200").
        connect("IpcTestSrc:ipc:200,MsgIpc:ipc:200,IpcTestAdmin:testcapture:1000");
        receiver.enableIpc(wizard.get(), true);
        pumpUntil([&] { return LogDestIpc::instance().isReady(); });
        end == 'h' ? helper.reset() : end == 'w' ? wizard.reset() : wizard->close();
        for (int i = 0; i < 5; ++i)
            sender.info("after the end %d", i), manager.dispatch(0);
        LogSrc::setLogSetting("IpcTestSrc:ipc:200,MsgIpc:ipc:200,IpcTestAdmin:testcapture:9");
        EXPECT_FALSE(LogDestIpc::instance().isReady());
        EXPECT_EQ(manager.dispatch(0), 0);
        if (wizard) receiver.enableIpc(wizard.get(), false);
    }
}

// The helper's log channel end to end, with the test helper as a real child process.
TEST(LogChannel, ChildLinesReachTheLogFileAndTheChildObeysANewLevel) {
    signal(SIGPIPE, SIG_IGN);
    TempDir dir;
    std::string path = dir / "setup.log";
    plat::LogDestFile* file = plat::LogDestFile::fileDest("tsryconnectsetup", false);
    file->setFileName(path.c_str());
    plat::LogSrc::setLogSetting("Admin:file:100");

    int toChild[2], toParent[2];
    ASSERT_EQ(pipe2(toChild, O_CLOEXEC) + pipe2(toParent, O_CLOEXEC), 0);
    std::string in = std::to_string(toChild[0]), out = std::to_string(toParent[1]);
    pid_t pid = fork();
    if (pid == 0) {
        fcntl(toChild[0], F_SETFD, 0);
        fcntl(toParent[1], F_SETFD, 0);
        execl(TQ_LOG_CHANNEL_HELPER, "helper", in.c_str(), out.c_str(), nullptr);
        _exit(127);
    }
    close(toChild[0]), close(toParent[1]);
    io::FdManager manager;
    auto ipc = std::make_unique<io::MsgIpc>("Helper", toParent[0], toChild[1], true);
    admin.enableIpc(ipc.get(), true);
    auto pumpUntilFileHas = [&](const char* wanted) {
        for (int pass = 0; pass < 100 && readFile(path).find(wanted) == std::string::npos;)
            manager.dispatch(1000), ++pass;
    };
    pumpUntilFileHas("level 100: 2 of 3 lines pass");
    // The parent's own setting changes: its new level reaches the child, which filters.
    plat::LogSrc::setLogSetting("Admin:file:30");
    pumpUntilFileHas("level 30: 1 of 3 lines pass");
    ipc.reset();
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    std::string text = readFile(path);
    for (const char* line : {"level 100: line at 10", "level 100: line at 50",
                             "level 100: 2 of 3 lines pass", "level 30: line at 10",
                             "level 30: 1 of 3 lines pass"})
        EXPECT_THAT(text, HasSubstr(std::string(" Admin: Child: ") + line + "\n"));
    EXPECT_THAT(text, Not(HasSubstr("line at 150")));
    EXPECT_THAT(text, Not(HasSubstr("level 30: line at 50")));
    plat::LogSrc::setLogSetting(nullptr);
    file->setFileName(nullptr);
}

}  // namespace
