#include "plat/Hex.h"
#include "rdr/BufferedOutStream.h"
#include "rdr/FramedInStream.h"
#include "rdr/FramedOutStream.h"
#include "rdr/MemInStream.h"
#include "rdr/MemIoStream.h"
#include "rdr/tests/StreamTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

using namespace rdr;

namespace {

std::string hexOf(const std::string& bytes, size_t n = std::string::npos) {
    std::string part = bytes.substr(0, n);
    return plat::binToHex(part.size(), reinterpret_cast<const unsigned char*>(part.data())).get();
}

TEST(FramedStreamTest, WriterHeaders) {
    struct Case {
        const char* name;
        std::function<void(OutStreamV4&)> write;
        int length;
        const char* hex;
    } cases[] = {
        {"abc", [](OutStreamV4& o) { o.writeBytes("abc", 3); }, 3, "8003616263"},
        {"empty", [](OutStreamV4&) {}, 0, "8000"},
        {"flush first",
         [](OutStreamV4& o) {
             o.flush();
             o.writeU8('A');
         },
         1, "800141"},
        {"flush between",
         [](OutStreamV4& o) {
             o.writeU8('A');
             o.flush();
             o.writeU8('B');
         },
         2, "000141800142"},
    };
    for (const Case& c : cases) {
        MemOutStream buffer;
        OutStreamV4 framed(&buffer);
        framed.startMsg();
        c.write(framed);
        EXPECT_EQ(framed.length(), c.length) << c.name;
        framed.endMsg();
        EXPECT_EQ(hexOf(bytesOf(buffer)), c.hex) << c.name;
    }
    MemOutStream buffer;
    OutStreamV4 framed(&buffer);
    EXPECT_EQ(thrown([&] { framed.endMsg(); }),
              "FrameException: FramedOutStream::endMsg: not in frame");
    framed.startMsg();
    EXPECT_EQ(thrown([&] { framed.startMsg(); }),
              "FrameException: FramedOutStream::startMsg: already in msg");

    // The underlying stream fails between two frames: what was written stays in whole frames,
    // and once there is room again endMsg, or else the next startMsg, ends the message.
    MemOutStream limited;
    OutStreamV4 failing(&limited);
    for (bool endMsgFirst : {true, false}) {
        limited.setLimit(limited.length() + 8);
        failing.startMsg();
        EXPECT_EQ(thrown([&] { failing.writeBytes("abcdefgh", 8); }),
                  "OutStreamFull: OutStream full");
        EXPECT_EQ(failing.length(), endMsgFirst ? 6 : 12);
        limited.setLimit(0);
        if (endMsgFirst) failing.endMsg();
    }
    failing.startMsg();
    failing.writeU8('z');
    failing.endMsg();
    EXPECT_EQ(hexOf(bytesOf(limited)), "0006616263646566" "8000" "0006616263646566" "8000" "80017a");
}

TEST(FramedStreamTest, ReaderHeaders) {
    std::string bytes("\x00\x00\x80\x01\x41\x80\x02xy", 9);
    MemInStream in(bytes.data(), int(bytes.size()));
    InStreamV4 framed(&in);
    ASSERT_TRUE(framed.startMsg(false));
    EXPECT_EQ(framed.readU8(), 'A');
    EXPECT_EQ(thrown([&] { framed.readU8(); }), "EndOfMsg: End of message");
    framed.endMsg();
    ASSERT_TRUE(framed.startMsg(false));
    EXPECT_FALSE(framed.atEnd());
    EXPECT_EQ(thrown([&] { framed.endMsg(); }),
              "FrameException: FramedInStream::endMsg: data left in msg");
    framed.skipMsg();
    framed.endMsg();

    // One header byte: nothing is started and nothing consumed.
    MemIoStream pipe;
    InStreamV4 partial(&pipe);
    pipe.writeU8(0x80);
    pipe.flush();
    EXPECT_FALSE(partial.startMsg(false));
    EXPECT_EQ(pipe.pos(), 0);
    pipe.writeU8(0);
    pipe.flush();
    EXPECT_TRUE(partial.startMsg(false));
    EXPECT_TRUE(partial.atEnd());
}

// 40000 bytes are one frame of 32766 and a last one of 7234. Fed byte by byte to a
// non-blocking pipe, the reader starts over from the message's start after each would-block
// and finally reads the whole body.
TEST(FramedStreamTest, LargeMessageByteByByte) {
    std::string body(40000, '\0');
    for (size_t i = 0; i < body.size(); i++)
        body[i] = char(i * 7 % 251);
    MemOutStream wire(65536);
    OutStreamV4 writer(&wire);
    writer.startMsg();
    writer.writeBytes(body.data(), int(body.size()));
    writer.endMsg();
    std::string sent = bytesOf(wire);
    ASSERT_EQ(sent.size(), 40004u);
    EXPECT_EQ(hexOf(sent, 2), "7ffe");
    EXPECT_EQ(hexOf(sent.substr(32768), 2), "9c42");

    MemIoStream pipe;
    InStreamV4 reader(&pipe);
    std::string got;
    int attempts = 0;
    for (char byte : sent) {
        pipe.writeU8(uint8_t(byte));
        pipe.flush();
        if (!reader.startMsg(false)) continue;
        attempts++;
        try {
            std::string whole(40000, '\0');
            const uint8_t* p = reader.readBytes(&whole[0], 40000);
            got.assign(reinterpret_cast<const char*>(p), 40000);
        } catch (const BlockException&) {
        }
    }
    EXPECT_EQ(got, body);
    EXPECT_TRUE(reader.atEnd());
    reader.endMsg();
    EXPECT_GT(attempts, 39000);
}

// Positions and lengths run past 2^31 on a long-lived channel. They count modulo 2^32: the
// framed counters overflowed a signed int there, and a checkpoint before 2^31 refused a
// position after it.
TEST(FramedStreamTest, PositionsRunPast2GiB) {
    // Every byte 0x7f: each header reads 32639 payload bytes, not the last frame.
    struct EndlessFrames : BufferedInStream {
        EndlessFrames() : BufferedInStream(1 << 20) {}
        int fill(uint8_t* dst, int maxLen) override {
            std::memset(dst, 0x7f, size_t(maxLen));
            return maxLen;
        }
    } frames;
    InStreamV4 reader(&frames);
    ASSERT_TRUE(reader.startMsg(true));
    for (int64_t left = INT_MAX - 9; left > 0; left -= 1 << 19) {
        reader.skip(int(std::min<int64_t>(left, 1 << 19)));
        reader.markPos();
    }
    int beyond = int(uint32_t(reader.pos()) + 20);
    reader.setPos(beyond);
    EXPECT_EQ(reader.pos(), beyond);

    NullOutStream sink;
    OutStreamV4 writer(&sink);
    writer.startMsg();
    writer.advance(INT_MAX);
    writer.advance(10);
    writer.endMsg();
    EXPECT_EQ(writer.length(), int(uint32_t(INT_MAX) + 10));
}

}  // namespace
