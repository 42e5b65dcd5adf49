#include "io/FdKicker.h"
#include "io/MsgIpc.h"
#include "plat/tests/LogCapture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

// The binary is linked with --wrap=close: every close() of the library passes here, so that a
// descriptor closed twice shows even though the second close changes nothing visible.
std::atomic<int> badCloses{0};
extern "C" int __real_close(int fd);
extern "C" int __wrap_close(int fd) {
    int result = __real_close(fd);
    if (result != 0 && errno == EBADF) badCloses.fetch_add(1);
    return result;
}

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
    void fdReadable(int) override { note(); }
    void fdWritable(int) override { note(); }
    void kicked() override { log += tag; }
    bool timerExpired(plat::Timer*) override { return log += tag, false; }
    void note() {
        log += tag;
        if (onCall) std::exchange(onCall, nullptr)();
    }
    std::string& log;
    char tag;
    std::function<void()> onCall;  // run once, at the next descriptor callback
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

    // Kicks from a signal handler: a full pipe fails the write, and the interrupted code must
    // still find its own errno.
    for (int i = 0; i < (1 << 17); ++i) {
        errno = ENOENT;
        kicker.kick();
        ASSERT_EQ(errno, ENOENT) << "after kick " << i;
    }
}

// Each case watches descriptors, runs one pass and then another, and names what the handlers
// must have seen by the end of each.
TEST(FdManager, ReadinessReachesTheHandlerWatchingForIt) {
    struct Case {
        const char* fault;
        std::function<void(io::FdManager&, Pipe&, Pipe&, Recorder&, Recorder&)> setUp;
        const char *wantFirst, *wantBoth;
    } cases[] = {
        {"a write-only watch is not told that the reader has gone (the loop spins)",
         [](io::FdManager& m, Pipe& a, Pipe&, Recorder& first, Recorder&) {
             while (write(a.fds[1], "xxxxxxxxxxxxxxxx", 16) > 0) {
             }
             close(std::exchange(a.fds[0], -1));  // only POLLERR: no room to write
             m.watch(a.fds[1], &first, false, true);
         },
         "1", "11"},
        {"readiness found for a replaced handler reaches the new one",
         [](io::FdManager& m, Pipe& a, Pipe& b, Recorder& first, Recorder& second) {
             ASSERT_EQ(write(a.fds[1], "x", 1) + write(b.fds[1], "x", 1), 2);
             m.watch(a.fds[0], &first, true, false);
             m.watch(b.fds[0], &first, true, false);
             // The first callback hands `b` to the second recorder: it hears of `b` from
             // the next pass on.
             first.onCall = [&m, &b, &second] { m.watch(b.fds[0], &second, true, false); };
         },
         "1", "112"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        io::FdManager manager;
        std::string log;
        Pipe a, b;
        Recorder first(log, '1'), second(log, '2');
        c.setUp(manager, a, b, first, second);
        manager.dispatch(0);
        EXPECT_EQ(log, c.wantFirst);
        manager.dispatch(0);
        EXPECT_EQ(log, c.wantBoth);
    }
}

// The wait is real here: asserted only to end long before the finite limit.
TEST(FdManager, FiniteWaitEndsAtAnEarlierTimer) {
    io::FdManager manager;
    std::string log;
    Recorder t(log, 'T');
    plat::Timer timer(&t);
    timer.start(10);
    auto start = std::chrono::steady_clock::now();
    for (int pass = 0; pass < 5 && log.empty(); ++pass)
        manager.dispatch(2000);
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count(), 1000);
    EXPECT_EQ(log, "T");
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

// Keeps the first `readBytes` bytes of each body and answers `take`; throws on reading the
// byte `refused`.
struct Collector : MsgIpc::Reader {
    bool handleMessage(MsgIpc*, rdr::InStream& in) override {
        std::string body;
        for (int i = 0; i < readBytes; ++i) {
            body += char(in.readU8());
            if (body.back() == refused) throw plat::Exception("refused");
        }
        got.push_back(body);
        return take;
    }
    void msgIpcClosed(MsgIpc*) override { ++closed; }
    int readBytes = 3, closed = 0;
    char refused = 0;
    bool take = true;
    std::vector<std::string> got;
};

// A channel on one end of a socket pair; the test writes raw bytes into the other end.
// Every case also checks that no descriptor was closed twice (the socket is both directions).
struct MsgIpcTest : ::testing::Test {
    MsgIpcTest() { connect(); }
    ~MsgIpcTest() override {
        ipc.reset();
        if (raw >= 0) close(raw);
        EXPECT_EQ(badCloses - badClosesBefore, 0) << "a descriptor closed twice";
    }
    void connect() {
        signal(SIGPIPE, SIG_IGN);  // as the program does: a dead peer is an EPIPE
        if (raw >= 0) close(raw);
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

    int badClosesBefore = badCloses;
    io::FdManager manager;
    int raw = -1;
    std::unique_ptr<MsgIpc> ipc;
};

TEST_F(MsgIpcTest, MessagesReachTheirReadersOnce) {
    struct Case {
        const char* fault;
        bool bytewise;   // one byte per pass
        int firstReads;  // body bytes the first reader reads
        char firstRefuses;
        bool firstTakes;
        std::vector<std::string> wantFirst, wantSecond;
    } cases[] = {
        {"a message split across reads is lost or delivered twice", true, 3, 0, true,
         {"abc", "xyz"}, {}},
        {"a declining reader hides the body from the next one", false, 2, 0, false,
         {"ab", "xy"}, {"abc", "xyz"}},
        {"bytes a reader leaves spill into the next message", true, 1, 0, true, {"a", "x"}, {}},
        {"a reader reading past the end stops the channel", false, 4, 0, true, {}, {}},
        {"the rest of a message whose reader threw is read as a message", false, 3, 'a', true,
         {"xyz"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        plat::test::CapturedLog log("MsgIpc");
        Collector first, second;
        first.readBytes = c.firstReads, first.refused = c.firstRefuses, first.take = c.firstTakes;
        ipc->addReader("m", &first);
        ipc->addReader("m", &second);
        std::string stream = frame("m", "abc") + frame("unknown", "123") + frame("m", "xyz");
        for (size_t at = 0; at < stream.size(); at += c.bytewise ? 1 : stream.size())
            send(stream.substr(at, c.bytewise ? 1 : stream.size()));
        EXPECT_EQ(first.got, c.wantFirst);
        EXPECT_EQ(second.got, c.wantSecond);
        EXPECT_EQ(log.texts("MsgIpc").size(), 2 - c.wantFirst.size());  // one for each refusal
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
        connect();
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

// Logs each call as the reader's tag and the call ('m'essage, declined; 'c'losed; 'g'one) and
// runs `act` once, at the call named `actOn`.
struct Actor : MsgIpc::Reader {
    Actor(std::string& log, char tag) : log(log), tag(tag) {}
    bool handleMessage(MsgIpc*, rdr::InStream&) override { return note('m'), false; }
    void msgIpcClosed(MsgIpc*) override { note('c'); }
    void msgIpcGone(MsgIpc* ipc) override { Reader::msgIpcGone(ipc), note('g'); }
    void note(char call) {
        log += tag, log += call;
        if (call == actOn && act) std::exchange(act, nullptr)();
    }
    std::string& log;
    char tag, actOn = 0;
    std::function<void()> act;
};

// The first reader of two, at one of its calls, destroys the channel or the second reader
// (which removes itself from the channel as it goes, as the log's readers do). Nothing may
// reach a freed channel or a removed reader afterwards.
TEST_F(MsgIpcTest, ReadersMayDestroyTheChannelOrEachOtherInsideACallback) {
    struct Case {
        const char* fault;
        char actOn, destroys;  // destroys 'c'hannel or 'r'eader
        const char* want;
    } cases[] = {
        {"delivery goes on after a reader destroyed the channel", 'm', 'c', "1m1g2g"},
        {"readers are told of the close by a freed channel", 'c', 'c', "1c1g2g"},
        {"a reader removed by an earlier one is still offered the message", 'm', 'r', "1m1m"},
        {"a reader removed by an earlier one is still told of the close", 'c', 'r', "1c"},
        {"a reader removed by an earlier one is still told the channel went", 'g', 'r', "1g"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        connect();
        std::string log;
        auto first = std::make_unique<Actor>(log, '1');
        auto second = std::make_unique<Actor>(log, '2');
        ipc->addReader("m", first.get());
        ipc->addReader("m", second.get());
        first->actOn = c.actOn;
        first->act = [&] { c.destroys == 'c' ? ipc.reset() : second.reset(); };
        if (c.actOn == 'm') send(frame("m", "") + frame("m", ""));
        if (c.actOn == 'c') ipc->close(), manager.dispatch(0);
        if (c.actOn == 'g') ipc.reset();
        EXPECT_EQ(log, c.want);
    }
}

}  // namespace
