#include "plat/MBuf.h"
#include "rdr/MemInStream.h"
#include "rdr/tests/StreamTestUtil.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

using namespace rdr;

namespace {

// One item of each reader, written and then read back as text.
struct Item {
    std::function<void(OutStream&)> write;
    std::function<std::string(InStream&)> read;
};

std::vector<Item> items() {
    auto num = [](uint64_t v) { return std::to_string(v); };
    return {
        {[](OutStream& o) { o.writeU8(0xfe); }, [=](InStream& i) { return num(i.readU8()); }},
        {[](OutStream& o) { o.writeU16(0xbeef); }, [=](InStream& i) { return num(i.readU16()); }},
        {[](OutStream& o) { o.writeU32(0xdeadbeef); },
         [=](InStream& i) { return num(i.readU32()); }},
        {[](OutStream& o) { o.writeU64(0x0123456789abcdefULL); },
         [=](InStream& i) { return num(i.readU64()); }},
        {[](OutStream& o) { o.writeString("a string that spans several refills"); },
         [](InStream& i) { return std::string(i.readString(100).get()); }},
        {[](OutStream& o) { o.writeShortString(""); },
         [](InStream& i) { return std::string(i.readShortString().get()); }},
        {[](OutStream& o) { o.writeBytes("\r\nline one\r\n", 12); },
         [](InStream& i) {
             plat::DString a, b;
             i.readLine(a);
             i.readLine(b);
             return std::string(a.c_str()) + "|" + b.c_str();
         }},
        {[](OutStream& o) { o.writeBytes("0123456789", 10); },
         [](InStream& i) {
             char buf[10];
             return std::string(reinterpret_cast<const char*>(i.readBytes(buf, 10)), 10);
         }},
        {[](OutStream& o) { o.writeU32(7); },
         [](InStream& i) {
             plat::ByteBuf b(i, 4);
             return std::to_string(b[3]);
         }},
    };
}

// Every item read from a stream that gets one byte at a time, retrying from the checkpoint
// after each would-block, equals what one blocking read of all the data gives. Catches
// readers that keep state across a rewind, and buffer compaction that loses or repeats bytes.
TEST(InStreamTest, ReadersGiveTheSameItemsWhateverTheChunking) {
    MemOutStream out;
    for (const Item& item : items())
        item.write(out);
    MemInStream whole(out.data(), out.length());
    std::vector<std::string> expected;
    for (const Item& item : items())
        expected.push_back(item.read(whole));

    for (int bufSize : {48, 4096}) {
        TrickleInStream trickle(bytesOf(out), bufSize);
        std::vector<std::string> got;
        int blocks = 0;
        for (const Item& item : items()) {
            for (;;) {
                trickle.markPos();
                try {
                    got.push_back(item.read(trickle));
                    break;
                } catch (const BlockException&) {
                    blocks++;
                    trickle.available++;
                }
            }
        }
        EXPECT_EQ(got, expected) << "buffer " << bufSize;
        EXPECT_EQ(blocks, out.length());
        EXPECT_EQ(trickle.pos(), out.length());
    }
}

TEST(InStreamTest, LinesAndStrings) {
    struct Case {
        std::string data;
        std::string line;  // "!" for rdr::EndOfStream
        int maxLen;
    } cases[] = {{"abc\r\n", "abc", 0},
                 {"a\rb\n", "ab", 0},
                 {"xyz", "xyz", 0},
                 {"", "!", 0},
                 {"\n", "", 0},
                 {"abcde\n", "abcde", 5},
                 // The text ends at a NUL, wherever the line's pieces begin.
                 {std::string("a\0", 2) + std::string(300, 'b') + "\n", "a", 0}};
    for (const Case& c : cases) {
        MemInStream in(c.data.data(), int(c.data.size()));
        plat::DString line;
        try {
            in.readLine(line, c.maxLen);
            EXPECT_EQ(line.c_str(), c.line) << c.data;
        } catch (const EndOfStream&) {
            EXPECT_EQ("!", c.line) << c.data;
        }
    }
    // Too long: the partial line is discarded.
    MemInStream longLine("abcdef\n", 7);
    plat::DString line;
    EXPECT_THROW(longLine.readLine(line, 5), StringTooLongException);
    EXPECT_TRUE(line.empty());
    // The maximum itself is allowed. A length one above it throws before the body is touched;
    // a length of 2^31 or more is not taken for a negative one.
    for (uint32_t length : {5u, 6u, 0x80000000u, 0xffffffffu}) {
        MemOutStream prefix;
        prefix.writeU32(length);
        prefix.writeBytes("hello!", 6);
        MemInStream in(prefix.data(), prefix.length());
        if (length == 5) {
            EXPECT_STREQ(in.readString(5).get(), "hello");
            continue;
        }
        EXPECT_THROW(in.readString(5), StringTooLongException) << length;
        EXPECT_EQ(in.pos(), 4);
    }
    // A count no text can hold is refused before anything is read (n + 1 overflowed for
    // INT_MAX); a NUL among the bytes read ends the text.
    std::string withNul = std::string("a\0", 2) + std::string(300, 'b');
    for (int count : {1 << 30, INT_MAX, 302}) {
        MemInStream in(withNul.data(), 302);
        plat::DString text;
        if (count == 302) {
            in.readIntoString(count, text);
            EXPECT_STREQ(text.c_str(), "a");
            continue;
        }
        EXPECT_THROW(in.readIntoString(count, text), StringTooLongException) << count;
        EXPECT_EQ(in.pos(), 0);
    }
    MemOutStream shortOut;
    shortOut.writeShortString(std::string(300, 'x').c_str());
    EXPECT_EQ(shortOut.length(), 256);
    EXPECT_EQ(shortOut.data()[0], 255);
}

TEST(InStreamTest, CheckpointsAndRewinding) {
    TrickleInStream in("abcdef", 16);
    in.available = 2;
    EXPECT_EQ(in.readU8(), 'a');
    in.markPos();
    EXPECT_EQ(in.readU8(), 'b');
    EXPECT_FALSE(in.check(false, 1));
    EXPECT_EQ(in.pos(), 1);  // back at the checkpoint
    EXPECT_EQ(in.readU8(), 'b');
    EXPECT_EQ(thrown([&] { in.readU8(); }), ": Reading from InStream would block");
    EXPECT_EQ(in.pos(), 1);
    in.available = 6;
    in.setPos(3);
    EXPECT_EQ(in.readU8(), 'd');
    EXPECT_THROW(in.setPos(0), plat::Exception);
    in.rewindable = false;
    EXPECT_THROW(in.rewindToMark(), plat::Exception);

    // A buffer full of data still needed reports it rather than looping.
    TrickleInStream full("0123456789", 4);
    full.available = 10;
    char buf[8];
    EXPECT_EQ(thrown([&] { full.readBytes(buf, 8); }), ": InStream overrun: buffer size exceeded");
}

// The unread bytes travel as a U32 count. A count of 2^31 or more must be refused like any
// other that does not fit, not skipped as negative.
TEST(InStreamTest, RestoreUnreadRefusesCountsThatDoNotFit) {
    for (uint32_t count : {17u, 0x80000000u, 0xffffffffu}) {
        MemOutStream saved;
        saved.writeU32(count);
        saved.writeBytes("x", 1);
        MemInStream in(saved.data(), saved.length());
        TrickleInStream target("", 16);
        EXPECT_THROW(target.restoreUnread(in), plat::Exception) << count;
        EXPECT_EQ(in.pos(), 4);
    }
    TrickleInStream source("hello", 16);
    source.available = 5;
    source.readU8();
    source.check(true, 4);
    MemOutStream saved;
    source.saveUnread(saved);
    MemInStream in(saved.data(), saved.length());
    TrickleInStream target("", 16);
    target.restoreUnread(in);
    EXPECT_STREQ(target.readBytesAsString(4).get(), "ello");
}

}  // namespace
