#include "io/MsgIpc.h"
#include "plat/tests/LogCapture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using io::MsgIpc;
using testing::ElementsAre;

// Keeps what it was given as "<name>:<body bytes as text>" and answers with `take`.
struct Collector : MsgIpc::Reader {
    bool handleMessage(MsgIpc*, rdr::InStream& in) override {
        std::string body;
        for (int i = 0; i < readBytes; ++i)
            body += char(in.readU8());
        got.push_back(body);
        if (onMessage) onMessage();
        return take;
    }
    void msgIpcClosed(MsgIpc*) override { ++closed; }
    int readBytes = 3;  // how much of each body to read
    bool take = true;
    std::vector<std::string> got;
    std::function<void()> onMessage;
    int closed = 0;
};

struct MsgIpcTest : ::testing::Test {
    MsgIpcTest() {
        signal(SIGPIPE, SIG_IGN);  // the program ignores it too: a dead peer is an EPIPE
        int fds[2];
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
        raw = fds[0];
        ipc = std::make_unique<MsgIpc>("Test", fds[1], fds[1], true);
    }
    ~MsgIpcTest() override {
        ipc.reset();
        if (raw >= 0) close(raw);
    }
    // Frames `body` as one message named `name`.
    static std::string frame(const std::string& name, const std::string& body) {
        std::string payload = char(name.size()) + name + body;
        return std::string{char(0x80 | payload.size() >> 8), char(payload.size() & 0xff)} +
               payload;
    }
    void send(const std::string& bytes) {
        ASSERT_EQ(write(raw, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    void pump() { manager.dispatch(0); }

    io::FdManager manager;
    int raw = -1;
    std::unique_ptr<MsgIpc> ipc;
};

TEST_F(MsgIpcTest, MessagesReachTheirReaders) {
    struct Case {
        const char* fault;
        bool bytewise;      // the stream arrives one byte per pass
        int firstReads;     // body bytes the first reader reads
        bool firstTakes;
        std::vector<std::string> wantFirst, wantSecond;
    } cases[] = {
        {"a message split across reads is lost or delivered twice", true, 3, true,
         {"abc", "xyz"}, {}},
        {"a declining reader hides the body from the next one", false, 2, false,
         {"ab", "xy"}, {"abc", "xyz"}},
        {"bytes a reader leaves unread spill into the next message", false, 1, true,
         {"a", "x"}, {}},
        {"a reader reading past the end stops the channel", false, 4, true, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        plat::test::CapturedLog log("MsgIpc");
        Collector first, second, other;
        first.readBytes = c.firstReads;
        first.take = c.firstTakes;
        ipc->addReader("m", &first);
        ipc->addReader("m", &second);
        ipc->addReader("other", &other);
        std::string stream = frame("m", "abc") + frame("unknown", "123") + frame("m", "xyz") +
                             frame("other", "end");
        if (c.bytewise) {
            for (char byte : stream) {
                send(std::string(1, byte));
                pump();
            }
        } else {
            send(stream);
            pump();
        }
        EXPECT_EQ(first.got, c.wantFirst);
        EXPECT_EQ(second.got, c.wantSecond);
        EXPECT_THAT(other.got, ElementsAre("end"));
        EXPECT_EQ(log.texts("MsgIpc").size(), c.wantFirst.empty() ? 2u : 0u);
        EXPECT_TRUE(ipc->isConnected());
        ipc->removeReader(&first);
        ipc->removeReader(&second);
        ipc->removeReader(&other);
    }
}

TEST_F(MsgIpcTest, ReaderLeavingBeforeTheRestArrivesGetsItOnce) {
    Collector reader;
    reader.readBytes = 1;
    ipc->addReader("m", &reader);
    std::string first = frame("m", "abcdef");
    send(first.substr(0, 5));
    pump();
    send(first.substr(5) + frame("m", "xyz"));
    pump();
    EXPECT_THAT(reader.got, ElementsAre("a", "x"));
}

// The middle message is larger than the socket takes at once, so the writer's channel has to
// wait for the descriptor; the last is larger than the reader's buffer, which cannot hold it
// whole: it is dropped with an error line and the channel goes on.
TEST_F(MsgIpcTest, WrittenMessagesArriveInOrderAndTooBigOnesAreDropped) {
    plat::test::CapturedLog log("MsgIpc");
    int fds[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
    int small = 4096;
    setsockopt(fds[0], SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
    MsgIpc a("A", fds[0], fds[0], true), b("B", fds[1], fds[1], true);
    std::vector<std::string> got;
    struct Body : MsgIpc::Reader {
        bool handleMessage(MsgIpc*, rdr::InStream& in) override {
            got->push_back(in.readString(100000).get());
            return true;
        }
        std::vector<std::string>* got;
    } body;
    body.got = &got;
    b.addReader("text", &body);
    std::string big(15000, 'q');
    for (const std::string& text : {std::string("one"), big, std::string(17000, 'z'),
                                    std::string("four")}) {
        rdr::FramedOutStream& out = a.writeMsg("text");
        out.writeString(text.c_str());
        out.endMsg(true);
    }
    for (int pass = 0; pass < 100 && got.size() < 3; ++pass)
        manager.dispatch(1000);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], "one");
    EXPECT_EQ(got[1], big);
    EXPECT_EQ(got[2], "four");
    EXPECT_THAT(log.texts("MsgIpc"),
                ElementsAre("B: Bad message 'text': InStream overrun: buffer size exceeded"));
}

TEST_F(MsgIpcTest, FilterRefusesNamesWithAnError) {
    plat::test::CapturedLog log("MsgIpc");
    struct OnlyHello : MsgIpc::MessageFilter {
        bool allowMessage(MsgIpc*, const char* name) override { return std::string(name) == "hello"; }
    } filter;
    ipc->setMessageFilter(&filter);
    ipc->writeMsg("hello").endMsg(true);
    try {
        ipc->writeMsg("secret");
        FAIL() << "no exception";
    } catch (const plat::Exception& e) {
        EXPECT_STREQ(e.message(), "MsgIpc::writeMsg: Message not currently allowed");
    }
    char buf[64];
    EXPECT_EQ(read(raw, buf, sizeof buf), 8);  // only "hello": 0x80 0x06 0x05 h e l l o
    EXPECT_EQ(std::string(buf + 3, 5), "hello");
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].level, 30);
    EXPECT_EQ(log.lines()[0].text, "Test: Message 'secret' not currently allowed");
}

// However the peer goes away, the channel disconnects, its readers hear of it once on a
// later pass, and later messages are dropped without failing their writers.
TEST_F(MsgIpcTest, LosingThePeerDisconnectsQuietly) {
    struct Case {
        const char* fault;
        std::function<void(MsgIpcTest&)> loss;
    } cases[] = {
        {"the end of the stream goes unnoticed",
         [](MsgIpcTest& t) { close(std::exchange(t.raw, -1)), t.pump(); }},
        {"a write to a dead peer throws at the writer",
         [](MsgIpcTest& t) {
             close(std::exchange(t.raw, -1));
             t.ipc->writeMsg("x").endMsg(true);
         }},
        {"close() leaves the channel connected", [](MsgIpcTest& t) { t.ipc->close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        if (raw < 0) {
            int fds[2];
            ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
            raw = fds[0];
            ipc = std::make_unique<MsgIpc>("Test", fds[1], fds[1], true);
        }
        Collector reader;
        ipc->addReader("m", &reader);
        ipc->addReader("n", &reader);
        c.loss(*this);
        EXPECT_FALSE(ipc->isConnected());
        EXPECT_EQ(reader.closed, 0) << "told inside the call that found it";
        pump();
        EXPECT_EQ(reader.closed, 1);
        plat::test::CapturedLog log("MsgIpc");
        ipc->writeMsg("m").endMsg(true);
        EXPECT_THAT(log.texts("MsgIpc"), ElementsAre("Test: Discarding message 'm'"));
        ipc->removeReader(&reader);
        if (raw >= 0) close(std::exchange(raw, -1));
    }
}

TEST_F(MsgIpcTest, DestroyedChannelIsForgottenByItsReaders) {
    Collector reader, second;
    ipc->addReader("m", &reader);
    ipc->addReader("m", &second);
    EXPECT_EQ(reader.ipc, ipc.get());
    ipc.reset();
    EXPECT_EQ(reader.ipc, nullptr);
    EXPECT_EQ(second.ipc, nullptr);
}

TEST_F(MsgIpcTest, ReaderMayDestroyTheChannel) {
    Collector reader;
    reader.onMessage = [&] { ipc.reset(); };
    ipc->addReader("m", &reader);
    send(frame("m", "abc") + frame("m", "xyz"));
    pump();
    EXPECT_THAT(reader.got, ElementsAre("abc"));
    EXPECT_EQ(reader.ipc, nullptr);
}

}  // namespace
