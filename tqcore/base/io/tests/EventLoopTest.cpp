#include "io/FdKicker.h"
#include "io/MsgIpc.h"
#include "plat/tests/LogCapture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using io::MsgIpc;
using testing::ElementsAre;

struct Pipe {
    Pipe() { EXPECT_EQ(pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0); }
    ~Pipe() { close(fds[0]), close(fds[1]); }
    int fds[2];
};

// Appends its tag to `log` for every callback.
struct Recorder : io::FdHandler, io::FdKickerCallback, plat::Timer::Callback {
    Recorder(std::string& log, char tag) : log(log), tag(tag) {}
    void fdReadable(int) override { log += tag; }
    void fdWritable(int) override { log += tag; }
    void kicked() override { log += tag; }
    bool timerExpired(plat::Timer*) override { return log += tag, false; }
    std::string& log;
    char tag;
};

// Watched in the reverse of the pass's order, so an order that follows watching fails.
TEST(FdManager, PassRunsTimersThenKickersThenReadableThenWritable) {
    io::FdManager manager;
    std::string log;
    Pipe readable, writable;
    Recorder w(log, 'W'), r(log, 'R'), k(log, 'K'), t(log, 'T');
    manager.watch(writable.fds[1], &w, false, true);
    ASSERT_EQ(write(readable.fds[1], "x", 1), 1);
    manager.watch(readable.fds[0], &r, true, false);
    io::FdKicker kicker(&k);
    std::thread([&] { kicker.kick(); }).join();  // a wake-up from another thread
    plat::Timer timer(&t);
    timer.start(0);
    EXPECT_EQ(manager.dispatch(-1), 4);
    EXPECT_EQ(log, "TKRW");
}

// poll() reports a closed descriptor on every wait: kept, it would make the loop spin.
TEST(FdManager, ClosedDescriptorIsDroppedWithOneErrorLine) {
    plat::test::CapturedLog log("FdManager");
    io::FdManager manager;
    std::string calls;
    Recorder handler(calls, 'X');
    int fd = Pipe().fds[0];  // closed again at once
    manager.watch(fd, &handler, true, false);
    EXPECT_EQ(manager.dispatch(0) + manager.dispatch(0), 0);
    EXPECT_THAT(log.texts("FdManager"),
                testing::ElementsAre("Descriptor " + std::to_string(fd) +
                                     " is not open: no longer watched"));
}

// Keeps the first `readBytes` bytes of each body and answers `take`.
struct Collector : MsgIpc::Reader {
    bool handleMessage(MsgIpc*, rdr::InStream& in) override {
        std::string body;
        for (int i = 0; i < readBytes; ++i)
            body += char(in.readU8());
        got.push_back(body);
        return take;
    }
    void msgIpcClosed(MsgIpc*) override { ++closed; }
    int readBytes = 3, closed = 0;
    bool take = true;
    std::vector<std::string> got;
};

// A channel on one end of a socket pair; the test writes raw bytes into the other end.
struct MsgIpcTest : ::testing::Test {
    MsgIpcTest() { connect(); }
    ~MsgIpcTest() override { ipc.reset(), close(raw); }
    void connect() {
        signal(SIGPIPE, SIG_IGN);  // as the program does: a dead peer is an EPIPE
        int fds[2];
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
        raw = fds[0];
        ipc = std::make_unique<MsgIpc>("Test", fds[1], fds[1], true);
    }
    // One message in one last frame: the name as a short string, then the body.
    static std::string frame(const std::string& name, const std::string& body) {
        std::string payload = char(name.size()) + name + body;
        return std::string{char(0x80 | payload.size() >> 8), char(payload.size())} + payload;
    }
    void send(const std::string& bytes) {
        ASSERT_EQ(write(raw, bytes.data(), bytes.size()), ssize_t(bytes.size()));
        manager.dispatch(0);
    }

    io::FdManager manager;
    int raw = -1;
    std::unique_ptr<MsgIpc> ipc;
};

TEST_F(MsgIpcTest, MessagesReachTheirReadersOnce) {
    struct Case {
        const char* fault;
        bool bytewise;   // one byte per pass
        int firstReads;  // body bytes the first reader reads
        bool firstTakes;
        std::vector<std::string> wantFirst, wantSecond;
    } cases[] = {
        {"a message split across reads is lost or delivered twice", true, 3, true,
         {"abc", "xyz"}, {}},
        {"a declining reader hides the body from the next one", false, 2, false,
         {"ab", "xy"}, {"abc", "xyz"}},
        {"bytes a reader leaves spill into the next message", true, 1, true, {"a", "x"}, {}},
        {"a reader reading past the end stops the channel", false, 4, true, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        plat::test::CapturedLog log("MsgIpc");
        Collector first, second;
        first.readBytes = c.firstReads, first.take = c.firstTakes;
        ipc->addReader("m", &first);
        ipc->addReader("m", &second);
        std::string stream = frame("m", "abc") + frame("unknown", "123") + frame("m", "xyz");
        for (size_t at = 0; at < stream.size(); at += c.bytewise ? 1 : stream.size())
            send(stream.substr(at, c.bytewise ? 1 : stream.size()));
        EXPECT_EQ(first.got, c.wantFirst);
        EXPECT_EQ(second.got, c.wantSecond);
        EXPECT_EQ(log.texts("MsgIpc").size(), c.wantFirst.empty() ? 2u : 0u);
        ipc->removeReader(&first);
        ipc->removeReader(&second);
    }
}

// The second message is more than the socket takes at once, so the writer waits for the
// descriptor; the third is more than the reader's buffer holds: dropped, and the channel goes on.
TEST_F(MsgIpcTest, WrittenMessagesArriveInOrderAndTooBigOnesAreDropped) {
    plat::test::CapturedLog log("MsgIpc");
    struct Texts : MsgIpc::Reader {
        bool handleMessage(MsgIpc*, rdr::InStream& in) override {
            return got.push_back(in.readString(20000).get()), true;
        }
        std::vector<std::string> got;
    } texts;
    ipc->addReader("m", &texts);
    int small = 4096;
    setsockopt(raw, SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
    MsgIpc writer("W", raw, raw, false);
    for (char c : {'a', 'b', 'c', 'd'}) {
        rdr::FramedOutStream& out = writer.writeMsg("m");
        out.writeString(std::string(c == 'c' ? 17000 : 15000, c).c_str());
        out.endMsg(true);
    }
    for (int pass = 0; pass < 100 && texts.got.size() < 3; ++pass)
        manager.dispatch(1000);
    EXPECT_THAT(texts.got, ElementsAre(std::string(15000, 'a'), std::string(15000, 'b'),
                                       std::string(15000, 'd')));
    EXPECT_THAT(log.texts("MsgIpc"),
                ElementsAre("Test: Bad message 'm': InStream overrun: buffer size exceeded"));
}

// However the peer goes, the channel disconnects, its readers hear of it once on a later
// pass, and later messages are dropped without failing their writers.
TEST_F(MsgIpcTest, LosingThePeerDisconnectsQuietly) {
    for (bool byWriting : {false, true}) {
        SCOPED_TRACE(byWriting ? "a write to a dead peer throws at the writer"
                               : "the end of the stream goes unnoticed");
        Collector reader;
        close(raw), connect();
        ipc->addReader("m", &reader);
        close(std::exchange(raw, -1));
        byWriting ? ipc->writeMsg("x").endMsg(true) : void(manager.dispatch(0));
        EXPECT_FALSE(ipc->isConnected());
        EXPECT_EQ(reader.closed, 0) << "told inside the call that found it";
        manager.dispatch(0);
        EXPECT_EQ(reader.closed, 1);
        plat::test::CapturedLog log("MsgIpc");
        ipc->writeMsg("m").endMsg(true);
        EXPECT_THAT(log.texts("MsgIpc"), ElementsAre("Test: Discarding message 'm'"));
    }
}

}  // namespace
