#include "plat/Configuration.h"
#include "rdr/FdInStream.h"
#include "rdr/FdOutStream.h"
#include "rdr/MemInStream.h"
#include "rdr/MemIoStream.h"
#include "rdr/tests/StreamTestUtil.h"

#include <gtest/gtest.h>

#include <climits>
#include <fcntl.h>
#include <functional>
#include <set>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace rdr;

namespace {

struct Pipe {
    Pipe() { EXPECT_EQ(pipe2(fds, O_CLOEXEC), 0); }
    ~Pipe() {
        for (int fd : fds)
            if (fd >= 0) close(fd);
    }
    void closeWrite() {
        close(fds[1]);
        fds[1] = -1;
    }
    int fds[2];
};

// The NUL after a text must get room of its own: a multi-byte character that fills the window
// exactly left it written one past the storage.
TEST(OutStreamTest, TextsEndWithAnUncountedNulInsideTheStorage) {
    struct Case {
        std::function<void(OutStream&)> write;
        std::string bytes;
    } cases[] = {
        {[](OutStream& o) { o.writeRepeated(0xE9, 1); }, "\xC3\xA9"},
        {[](OutStream& o) { o.writeRepeated(0x20AC, 2); }, "\xE2\x82\xAC\xE2\x82\xAC"},
        {[](OutStream& o) { o.writeRepeated('-', 3); }, "---"},
        {[](OutStream& o) { o.writeCString("hi"); }, "hi"},
        {[](OutStream& o) { o.printf("%d%s", 12, "ab"); }, "12ab"},
    };
    for (const Case& c : cases) {
        MemOutStream out(int(c.bytes.size()));
        c.write(out);
        EXPECT_EQ(bytesOf(out), c.bytes);
        EXPECT_EQ(out.data()[out.length()], 0) << c.bytes;
    }
}

// At the limit the NUL is still appended, and the stream then refuses every further byte.
TEST(OutStreamTest, MemOutStreamLimitAndNulTerminate) {
    MemOutStream out(4, 10);
    out.writeBytes("0123456789", 10);
    EXPECT_EQ(thrown([&] { out.writeU8(1); }), "OutStreamFull: OutStream full");
    out.nulTerminate();
    out.nulTerminate();
    EXPECT_EQ(out.length(), 11);
    EXPECT_EQ(out.spaceLeft(), 0);
    EXPECT_EQ(thrown([&] { out.writeU8(1); }), "OutStreamFull: OutStream full");
    EXPECT_EQ(thrown([&] { out.advance(1); }), "OutStreamFull: OutStream full");

    // The bytes change hands without a copy: a copy would stay behind unwiped in freed memory
    // when the receiving buffer wipes what it holds.
    MemOutStream secret(16);
    secret.writeBytes("key", 3);
    const uint8_t* storage = secret.data();
    plat::ByteBuf taken(4);
    secret.takeData(taken);
    EXPECT_EQ(taken.data(), storage);
    EXPECT_EQ(taken.size(), 3);
    MemOutStream words(16);
    words.writeBytes("text", 4);
    plat::DString text("old");
    storage = words.data();
    words.takeString(text);
    EXPECT_EQ(text.get(), reinterpret_cast<const char*>(storage));
    EXPECT_STREQ(text.c_str(), "text");
    EXPECT_EQ(text.capacity(), 16);

    MemInStream in("abcdef", 6);
    MemOutStream small(0, 4);
    EXPECT_FALSE(copyAll(in, small, false));
    EXPECT_EQ(thrown([&] { copyAll(in, small, true); }), "OutStreamFull: OutStream full");
    MemOutStream large;
    EXPECT_TRUE(copyAll(in, large, false));
    EXPECT_EQ(bytesOf(small) + bytesOf(large), "abcdef");
}

// Runs of every length from every place in the window: what fits is copied in place, the rest
// goes through the stream's own writeBytes(), and the bytes come out in order either way. A run
// that would pass a memory stream's limit stores nothing of itself.
TEST(OutStreamTest, RunsAcrossTheWindowEnd) {
    struct Sink : BufferedNBOutStream {
        Sink() : BufferedNBOutStream(8) {}
        int writeData(const uint8_t* data, int len, bool) override {
            passed.append(reinterpret_cast<const char*>(data), size_t(len));
            return len;
        }
        std::string passed;
    };
    const char text[] = "abcdefghijklmnopqrst";
    std::string expected;
    auto feed = [&](OutStream& out) {
        expected.clear();
        for (int len = 0; len < 20; len++) {
            out.writeU8('#');
            out.write(text, len);
            expected += '#' + std::string(text, size_t(len));
        }
    };
    MemOutStream grown(1);
    feed(grown);
    EXPECT_EQ(bytesOf(grown), expected);
    Sink sink;
    feed(sink);
    sink.flush();
    EXPECT_EQ(sink.passed, expected);
    MemIoStream pipe(nullptr, -1, 8);
    feed(pipe);
    pipe.flush();
    EXPECT_STREQ(pipe.readBytesAsString(pipe.length()).get(), expected.c_str());
    NullOutStream null;
    feed(null);
    EXPECT_EQ(null.length(), int(expected.size()));

    MemOutStream limited(4, 10);
    limited.write("0123456", 7);
    EXPECT_EQ(thrown([&] { limited.write("abcd", 4); }), "OutStreamFull: OutStream full");
    limited.write("abc", 3);
    EXPECT_EQ(bytesOf(limited), "0123456abc");
}

// More than 16 KiB in one printf or writeRepeated through a descriptor stream over a small
// pipe. The window used to stop 16384 bytes past the data whatever the item, so printf looped
// for ever and writeRepeated wrote past the window.
TEST(OutStreamTest, LargeItemsThroughASmallPipe) {
    Pipe p;
    fcntl(p.fds[1], F_SETPIPE_SZ, 4096);
    std::string received;
    std::thread reader([&] {
        FdInStream in(p.fds[0]);
        try {
            for (;;) {
                in.check(true, 1);
                int n = in.nUnread();
                received.append(reinterpret_cast<const char*>(in.getBytes(n)), size_t(n));
                in.markPos();
            }
        } catch (const EndOfStream&) {
        }
    });
    std::string text(20480, 't');
    {
        FdOutStream out(p.fds[1], 65536);
        out.printf("<%s>", text.c_str());
        out.writeRepeated('r', 20000);
        out.writeRepeated(0x20AC, 7000);
        out.writeString(nullptr);  // no bytes from no pointer
        out.flush();
        EXPECT_EQ(out.length(), 20482 + 20000 + 21000 + 4);
    }
    p.closeWrite();
    reader.join();
    std::string euros;
    for (int i = 0; i < 7000; i++)
        euros += "\xE2\x82\xAC";
    EXPECT_EQ(received, "<" + text + ">" + std::string(20000, 'r') + euros + std::string(4, '\0'));
}

// A lazy stream whose descriptor takes nothing grows its buffer by doubling instead of
// blocking, and still reports the room left under its maximum.
TEST(OutStreamTest, LazyOutputGrowsOverAFullPipe) {
    Pipe p;
    fcntl(p.fds[1], F_SETFL, O_NONBLOCK);
    char filler[4096] = {};
    while (write(p.fds[1], filler, sizeof filler) > 0) {
    }
    FdOutStream out(p.fds[1], 1 << 20);
    out.setLazy(true);
    std::set<int> sizes{out.bufferSize()};
    std::string chunk(1000, 'x');
    for (int i = 0; i < 40; i++) {
        out.writeBytes(chunk.data(), 1000);
        sizes.insert(out.bufferSize());
    }
    EXPECT_EQ(sizes, (std::set<int>{16384, 32768, 65536}));
    EXPECT_EQ(out.spaceLeft(), (1 << 20) - 40000);
    EXPECT_FALSE(out.flushBuffer(false));

    // A peer that takes a few bytes just before the buffer grows: those still count.
    struct Metered : BufferedLazyOutStream {
        Metered() : BufferedLazyOutStream(16384, 1 << 20) { setLazy(true); }
        int writeData(const uint8_t* data, int len, bool) override {
            int n = std::min(len, allowance);
            received.append(reinterpret_cast<const char*>(data), size_t(n));
            allowance -= n;
            return n;
        }
        int allowance = 0;
        std::string received;
    } metered;
    for (uint64_t i = 0; i < 2048; i++)
        metered.writeU64(i);
    metered.allowance = 3;
    metered.writeU64(2048);
    EXPECT_EQ(metered.bufferSize(), 32768);
    EXPECT_EQ(metered.length(), 2049 * 8);
    metered.allowance = INT_MAX;
    EXPECT_TRUE(metered.flushBuffer(false));
    EXPECT_EQ(metered.received.size(), 2049u * 8);
    EXPECT_EQ(metered.received.substr(16384, 8), std::string("\0\0\0\0\0\0\x08\0", 8));
    // Partly drained, then moved to the buffer's front by the next overrun: what went out
    // still counts.
    metered.allowance = 5;
    for (uint64_t i = 0; i < 2048; i++)
        metered.writeU64(i);
    EXPECT_FALSE(metered.flushBuffer(false));
    EXPECT_EQ(metered.length(), 2 * 2049 * 8 - 8);
    metered.writeU64(2048);
    EXPECT_EQ(metered.bufferSize(), 32768);
    EXPECT_EQ(metered.length(), 2 * 2049 * 8);
}

// With bytes still buffered the descriptor is not shut (the peer would lose them), but the
// callback hears of the request either way.
TEST(OutStreamTest, ShutdownWaitsForTheBuffer) {
    struct Recorder : FdOutStream::Callback {
        void writeBlocked(FdOutStream*, bool wouldBlock) override {
            events += wouldBlock ? "b" : "w";
        }
        void writeShutdown(FdOutStream*) override { events += "s"; }
        std::string events;
    } recorder;
    int fds[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
    FdOutStream out(fds[0]);
    out.ownsFd = true;
    out.callback = &recorder;
    out.writeU8('x');
    EXPECT_TRUE(out.shutdownWrite());
    char buf[2];
    EXPECT_EQ(recv(fds[1], buf, 2, MSG_DONTWAIT), -1);
    out.flush();
    EXPECT_TRUE(out.shutdownWrite());
    EXPECT_EQ(recv(fds[1], buf, 2, 0), 1);
    EXPECT_EQ(recv(fds[1], buf, 2, 0), 0);
    EXPECT_EQ(recorder.events, "sws");
    close(fds[1]);
}

// The limit is a parameter of the global configuration, found by name from a binary that does
// not name it, and new descriptor streams take its value.
TEST(OutStreamTest, MaxOutBufferSizeParameter) {
    plat::ConfigParameter* param = plat::Configuration::global()->findParam("MaxOutBufferSize");
    ASSERT_NE(param, nullptr);
    EXPECT_FALSE(param->setParamInt(16383, plat::ConfigParameter::kPreferencePriority));
    ASSERT_TRUE(param->setParamInt(20000, plat::ConfigParameter::kPreferencePriority));
    Pipe p;
    EXPECT_EQ(FdOutStream(p.fds[1]).maxBufferSize(), 20000);
    param->setParamInt(134217728, plat::ConfigParameter::kPreferencePriority);
}

TEST(OutStreamTest, DescriptorInputEnds) {
    Pipe p;
    FdInStream in(p.fds[0]);
    in.setNonBlocking(true);
    fcntl(p.fds[0], F_SETFL, O_NONBLOCK);
    EXPECT_FALSE(in.check(false, 1));
    EXPECT_EQ(write(p.fds[1], "ab", 2), 2);
    EXPECT_EQ(in.readU16(), 0x6162);
    p.closeWrite();
    EXPECT_EQ(thrown([&] { in.readU8(); }), "EndOfStream: End of IO stream");
    in.timedOut = true;
    EXPECT_EQ(thrown([&] { in.readU8(); }), "TimedOut: Timed out");
}

}  // namespace
