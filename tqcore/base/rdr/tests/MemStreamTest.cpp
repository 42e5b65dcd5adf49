#include "rdr/ByteReader.h"
#include "rdr/FramedInStream.h"
#include "rdr/FramedOutStream.h"
#include "rdr/MemInStream.h"
#include "rdr/MemIoStream.h"
#include "rdr/PseudoRandomStream.h"
#include "rdr/tests/StreamTestUtil.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace rdr;

namespace {

// The published PCG32 demonstration: seed 42, sequence 54.
TEST(MemStreamTest, PseudoRandomFollowsPcg32) {
    Pcg32 reference;
    reference.seed(42, 54 << 1 | 1);
    std::vector<uint32_t> got;
    for (int i = 0; i < 6; i++)
        got.push_back(reference.next());
    EXPECT_EQ(got, (std::vector<uint32_t>{0xa15c02b7, 0x7b47f409, 0xba1d3330, 0x83d2f293,
                                          0xbfa4784b, 0xcbed606e}));

    PseudoRandomStream a(7, true), b(7, true);
    Pcg32 first, second;
    first.seed(7, 1);
    second.seed(7, 3);
    uint8_t expected[8], buf[9];
    for (int w = 0; w < 2; w++) {
        uint32_t v = (w ? second : first).next();
        for (int i = 0; i < 4; i++)
            expected[w * 4 + i] = uint8_t(v >> (8 * i));
    }
    EXPECT_EQ(std::memcmp(a.readBytes(buf, 8), expected, 8), 0);
    EXPECT_EQ(std::memcmp(b.readBytes(buf, 8), expected, 8), 0);
    EXPECT_EQ(a.readU64(), b.readU64());
    EXPECT_EQ(a.pos(), 16);
    EXPECT_EQ(thrown([&] { a.readBytes(buf, 9); }), ": InStream overrun: buffer size exceeded");
    for (int i = 0; i < 20; i++) {
        EXPECT_EQ(b.readRandomBelow(1), 0u);
        EXPECT_LT(b.readRandomBelow(6), 6u);
    }

    // Values below (2^32 - n) mod n are drawn again (up to nine draws), else the low results
    // would come up more often.
    struct Case {
        unsigned n;
        std::vector<uint32_t> words;
        unsigned expected;
    } cases[] = {
        {0, {0xfedcba98}, 0xfedcba98},
        {0xc0000000, {5, 0x3fffffff, 0x50000000}, 0x50000000},
        {0xc0000000, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0x50000000}, 9},
    };
    for (const Case& c : cases) {
        MemOutStream words;
        for (uint32_t w : c.words)
            words.writeU32(w);
        MemInStream in(words.data(), words.length());
        EXPECT_EQ(in.readRandomBelow(c.n), c.expected) << c.n << " " << c.words.size();
    }
}

TEST(MemStreamTest, PipeEndsLimitsAndErrors) {
    MemIoStream pipe(nullptr, 0, 2048);
    EXPECT_FALSE(pipe.check(false, 1));
    std::vector<uint8_t> block(2048, 1);
    pipe.writeBytes(block.data(), 2048);
    EXPECT_EQ(thrown([&] { pipe.writeU8(1); }), "OutStreamFull: MemIoStream: maxBufs exceeded");
    pipe.skip(2048);
    pipe.shutdownWrite();
    EXPECT_EQ(thrown([&] { pipe.readU8(); }), "EndOfStream: End of in-memory IO stream");
    EXPECT_EQ(thrown([&] { pipe.writeU8(1); }), "PipeException: Stream closed for writing");

    // Room for maxSize rounded up to whole buffers, plus the buffer being written.
    for (int maxSize : {4096, 4097}) {
        int room = maxSize == 4096 ? 6144 : 8192;
        MemIoStream bounded(nullptr, maxSize, 2048);
        EXPECT_EQ(bounded.spaceLeft(), room);
        std::vector<uint8_t> full(size_t(room), 2);
        bounded.writeBytes(full.data(), room);
        EXPECT_EQ(thrown([&] { bounded.writeU8(1); }),
                  "OutStreamFull: MemIoStream: maxBufs exceeded");
    }

    // A writer stopped on a full pipe hears `writable` once the reader reads past the first
    // buffer with its checkpoint at that buffer's end; a reader that drains the pipe inside
    // `readable` spares the writer the failure altogether.
    struct Watcher : MemIoStream::Callback {
        void readable(MemIoStream* s) override {
            if (drains) s->skip(s->length() - s->pos()), s->markPos();
        }
        void writable(MemIoStream*) override { ++writables; }
        int unflushedBytes(MemIoStream*) override { return 0; }
        void closed(MemIoStream*) override {}
        bool drains = false;
        int writables = 0;
    } watcher;
    MemIoStream watched(&watcher, 2048, 2048);
    std::vector<uint8_t> many(8192, 3);
    watched.writeBytes(many.data(), 4096);
    EXPECT_EQ(thrown([&] { watched.writeU8(1); }), "OutStreamFull: MemIoStream: maxBufs exceeded");
    watched.skip(2048);
    watched.markPos();
    EXPECT_EQ(watcher.writables, 0);
    watched.readU8();
    EXPECT_EQ(watcher.writables, 1);
    watcher.drains = true;
    EXPECT_EQ(thrown([&] { watched.writeBytes(many.data(), 8192); }), "");
    EXPECT_EQ(watched.length(), 4096 + 8192);
    watched.rewindable = false;
    EXPECT_EQ(thrown([&] { watched.rewindToMark(); }),
              ": Attempt to rewind a non-rewindable stream");

    MemIoStream failing;
    failing.setError(plat::SystemException("read", 104));
    EXPECT_EQ(thrown([&] { failing.readU8(); }).substr(0, 11), "System-104:");
}

// State saved mid-stream (data across several buffers, part read) restores into a stream that
// reads the rest, and a saved state never carries stale heap bytes.
TEST(MemStreamTest, SaveAndRestore) {
    MemIoStream fresh(nullptr, -1, 16);
    MemOutStream freshState;
    fresh.save(freshState);
    std::string freshBytes = bytesOf(freshState);
    EXPECT_EQ(freshBytes.substr(17, 16), std::string(16, '\0'));

    // U32s that do not fit the last byte of the first two buffers leave gaps there, which a
    // restored stream must not read as data.
    MemIoStream source(nullptr, -1, 16);
    std::string text = "The quick brown fox jumps over the lazy dog";
    for (int at : {0, 19, 34}) {
        int n = at == 34 ? 9 : 15 - (at ? 4 : 0);
        source.writeBytes(text.data() + at, n);
        if (at == 34) break;
        MemInStream word(text.data() + at + n, 4);
        source.writeU32(word.readU32());
    }
    source.flush();
    source.skip(10);
    source.markPos();
    source.skip(3);
    MemOutStream state;
    source.save(state);
    MemIoStream copy(nullptr, -1, 16);
    MemInStream in(state.data(), state.length());
    copy.restore(in);
    EXPECT_STREQ(copy.readBytesAsString(int(text.size()) - 13).get(), text.substr(13).c_str());
    copy.rewindToMark();
    EXPECT_EQ(copy.readU8(), 'b');

    // Broken states are refused and leave the stream as it was.
    struct Case {
        size_t at;  // offset of the U32 to replace
        uint32_t v;
    } cases[] = {{0, 0}, {4, 5}, {8, 1000}, {13, 0x40000000}, {13, 0}};
    std::string good = bytesOf(state);
    size_t offsets = good.size() - 25;
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (size_t field = 0; field < 7; field++)
        if (field != 3 && field != 4)
            all.push_back({offsets + (field < 4 ? 4 * field : 4 * field - 3), 17});
    for (const Case& c : all) {
        std::string bad = good;
        for (int i = 0; i < 4; i++)
            bad[c.at + size_t(i)] = char(c.v >> (24 - 8 * i));
        MemInStream badIn(bad.data(), int(bad.size()));
        MemIoStream target(nullptr, -1, 16);
        target.writeBytes("kept", 4);
        EXPECT_NE(thrown([&] { target.restore(badIn); }), "") << c.at << " " << c.v;
        EXPECT_STREQ(target.readBytesAsString(4).get(), "kept");
    }
}

// Random writes, reads, checkpoints, rewinds and saved states against a plain byte model.
// Windows and copies cross buffers that lie side by side in memory; a read position in an
// earlier buffer than the window's last, or a copy into a buffer the writer may not use, shows
// as wrong bytes or positions.
TEST(MemStreamTest, PipeMatchesAByteModel) {
    for (int bufSize : {16, 100, 2048}) {
        auto pipe = std::make_unique<MemIoStream>(nullptr, -1, bufSize);
        std::string model, buf(size_t(3 * bufSize), '\0');  // every byte written
        size_t read = 0, mark = 0;
        uint32_t seed = uint32_t(bufSize);
        auto next = [&](uint32_t n) { return (seed = seed * 1103515245u + 12345u) / 256 % n; };
        for (int op = 0; op < 1500; op++) {
            SCOPED_TRACE(std::to_string(bufSize) + " op " + std::to_string(op));
            uint32_t what = next(8), n = next(uint32_t(3 * bufSize)) + 1;
            if (what == 0) {  // an item that does not span buffers
                pipe->writeU32(n);
                for (int i = 0; i < 4; i++)
                    model += char(n >> (24 - 8 * i));
            } else if (what <= 2) {
                std::string bytes(n * 2, '\0');
                for (char& c : bytes)
                    c = char(next(256));
                pipe->writeBytes(bytes.data(), int(bytes.size()));
                model += bytes;
            } else if (what <= 4 && n > model.size() - read) {
                EXPECT_EQ(thrown([&] { pipe->readBytes(&buf[0], int(n)); }),
                          ": Reading from InStream would block");
                read = mark;
            } else if (what <= 4) {
                const char* got = reinterpret_cast<const char*>(pipe->readBytes(&buf[0], int(n)));
                ASSERT_EQ(std::string(got, n), model.substr(read, n));
                read += n;
            } else if (what == 5) {
                pipe->markPos();
                mark = read;
            } else if (what == 6) {
                pipe->rewindToMark();
                read = mark;
            } else {
                MemOutStream state;
                pipe->save(state);
                MemInStream in(state.data(), state.length());
                pipe = std::make_unique<MemIoStream>(nullptr, -1, bufSize);
                pipe->restore(in);
            }
            ASSERT_EQ(pipe->pos(), int(read));
            ASSERT_EQ(pipe->length(), int(model.size()));
        }
    }

    // A restored ring of four buffers in one slab, turned by one: the buffer after the last in
    // memory is the head, which a writer must never enter.
    std::string text = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    MemIoStream source(nullptr, -1, 16), ring(nullptr, -1, 16);
    source.writeBytes(text.data(), 60);
    MemOutStream state;
    source.save(state);
    MemInStream in(state.data(), state.length());
    ring.restore(in);
    ring.skip(20);
    ring.markPos();
    ring.writeBytes(text.data() + 60, 2);
    ring.writeBytes(text.data(), 40);
    EXPECT_STREQ(ring.readBytesAsString(82).get(), (text.substr(20) + text.substr(0, 40)).c_str());
}

// A pipe read to its end as it goes writes each piece of whole buffers into the buffers of the
// last one, in the same order: from the second round on the piece lies in one window at the
// same place (it used to move on through every buffer of the ring, which no cache holds).
// Positions keep counting, and a pipe of one buffer still refuses to cross its end.
TEST(MemStreamTest, DrainedPipeReusesItsBuffers) {
    struct Case {
        int bufSize, piece, rounds;
    } cases[] = {{16, 80, 4}, {16, 32, 4}, {2048, 16384, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bufSize) + " " + std::to_string(c.piece));
        MemIoStream pipe(nullptr, -1, c.bufSize);
        const uint8_t* first = nullptr;
        std::string buf(size_t(c.piece), '\0');
        for (int round = 0; round < c.rounds; round++) {
            std::string piece(size_t(c.piece), char('a' + round));
            pipe.writeBytes(piece.data(), c.piece);
            pipe.flush();
            const uint8_t* got = pipe.readBytes(&buf[0], c.piece);
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(got), size_t(c.piece)), piece);
            pipe.markPos();
            EXPECT_EQ(pipe.pos(), c.piece * (round + 1));
            EXPECT_EQ(pipe.length(), c.piece * (round + 1));
            if (round == 0) continue;  // the constructor's buffer and the first slab
            EXPECT_NE(got, reinterpret_cast<const uint8_t*>(buf.data())) << round;
            if (round == 1) first = got;
            EXPECT_EQ(got, first) << round;
        }
        MemOutStream state;
        pipe.save(state);
        MemInStream in(state.data(), state.length());
        MemIoStream copy(nullptr, -1, c.bufSize);
        copy.restore(in);
        copy.writeU8('z');
        copy.flush();
        EXPECT_EQ(copy.readU8(), 'z');
        EXPECT_EQ(copy.pos(), c.piece * c.rounds + 1);
    }

    MemIoStream single(nullptr, 0, 16);
    single.writeBytes("0123456789abcdef", 16);
    single.skip(16);
    single.markPos();
    EXPECT_EQ(thrown([&] { single.writeU8(1); }), "OutStreamFull: MemIoStream: maxBufs exceeded");

    // Framed streams on either side of such a pipe: an open frame holds its header's place in
    // the writer's window, and a framed reader's window is a slice of the pipe's, so starting
    // over must move neither. Messages end a full buffer (62 bytes a buffer after the headers)
    // or stop half-way while the reader empties the pipe; then they are fed in pieces.
    MemIoStream shared(nullptr, -1, 64);
    OutStreamV4 framedOut(&shared);
    std::string sent, wire;
    auto takeAll = [&] {
        std::string bytes(size_t(shared.length() - shared.pos()), '\0');
        const uint8_t* p = shared.readBytes(&bytes[0], int(bytes.size()));
        wire.append(reinterpret_cast<const char*>(p), bytes.size());
        shared.markPos();
    };
    for (int round = 0; round < 60; round++) {
        std::string body;
        framedOut.startMsg();
        if (round % 2) {
            body.assign(size_t(round * 37 % 250 + 1), char('a' + round % 26));
            size_t half = body.size() / 2;
            framedOut.write(body.data(), int(half));
            framedOut.flush();
            takeAll();
            framedOut.write(body.data() + half, int(body.size() - half));
        } else {
            int room = int(framedOut.windowEnd() - framedOut.getPtr());
            body.assign(size_t(room + 62 * (round % 6 / 2)), char('A' + round % 26));
            framedOut.write(body.data(), int(body.size()));
        }
        framedOut.endMsg();
        takeAll();
        sent += body + '|';
    }
    MemIoStream fed(nullptr, -1, 64);
    InStreamV4 decoder(&fed);
    std::string decoded;
    uint32_t seed = 1;
    for (size_t at = 0, piece = 0; at < wire.size(); at += piece) {
        seed = seed * 1103515245u + 12345u;
        piece = std::min(wire.size() - at, size_t(seed >> 16) % 97 + 1);
        fed.write(wire.data() + at, int(piece));
        fed.flush();
        try {
            while (decoder.startMsg(false)) {
                std::string body;
                while (!decoder.atEnd()) {
                    decoder.check(true, 1);
                    int n = decoder.nUnread();
                    body.append(reinterpret_cast<const char*>(decoder.getBytes(n)), size_t(n));
                }
                decoder.endMsg();
                decoded += body + '|';
            }
        } catch (const BlockException&) {
        }
    }
    EXPECT_EQ(decoded, sent);
}

// A string read in two goes; and one found whole in the window with copying off, which used to
// come back as a buffer that was never filled.
TEST(MemStreamTest, ByteReaderStrings) {
    MemIoStream pipe;
    ByteReader reader;
    pipe.writeU32(6);
    pipe.writeBytes("abc", 3);
    pipe.flush();
    EXPECT_EQ(reader.readString(&pipe, 100, false).get(), nullptr);
    pipe.writeBytes("def", 3);
    pipe.writeU32(2);
    pipe.writeBytes("\xC3\xA9", 2);
    pipe.writeU32(1);
    pipe.writeBytes("\xff", 1);
    pipe.writeString("at most");
    pipe.writeU32(0x80000000u);
    pipe.flush();
    EXPECT_STREQ(reader.readString(&pipe, 100, false).get(), "abcdef");
    EXPECT_STREQ(reader.readString(&pipe, 100, false).get(), "\xC3\xA9");
    EXPECT_STREQ(reader.readString(&pipe, 100, false).get(), "\xEF\xBF\xBD");
    EXPECT_STREQ(reader.readString(&pipe, 7, false).get(), "at most");
    EXPECT_EQ(thrown([&] { reader.readString(&pipe, 100, false); }),
              "StringTooLongException: String exceeds maximum length");
    EXPECT_FALSE(reader.pending());

    // An item of no bytes is complete at once, not "incomplete", with or without a buffer.
    ByteReader empty;
    empty.init(&pipe, 0);
    int length = -1;
    EXPECT_NE(empty.read(false, &length), nullptr);
    EXPECT_EQ(length, 0);
}

}  // namespace
