// A batch of 100-byte records built from fixed text, as the stream benchmarks pass them: a
// kind, flags, an identifier and a time stamp, a text after its U32 length, and a body whose
// length the reader knows. Writers and readers take the stream by its own type, so that what a
// stream class makes final is inlined as in a program that holds the stream itself.
#pragma once

#include "plat/String.h"
#include "rdr/MemOutStream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

constexpr int kRecordBytes = 100;
constexpr int kBatch = 320;  // records per round trip: 32000 bytes
constexpr int kMaxText = 255;

struct Record {
    uint8_t kind;
    uint16_t flags;
    uint32_t id;
    uint64_t stamp;
    std::string text;
    std::string body;
    bool operator==(const Record& o) const {
        return kind == o.kind && flags == o.flags && id == o.id && stamp == o.stamp &&
               text == o.text && body == o.body;
    }
};

inline const std::vector<Record>& records() {
    static const std::vector<Record> all = [] {
        const std::string prose =
            "Each record carries a kind, flags, an identifier and a time stamp, then a text and "
            "a body cut from this sentence at offsets and lengths that vary from one to the next.";
        std::vector<Record> made;
        for (int i = 0; i < kBatch; i++) {
            size_t textLen = 20 + size_t(i * 7) % 41;
            size_t bodyLen = kRecordBytes - 19 - textLen;
            made.push_back({uint8_t(i % 7), uint16_t(i * 31), uint32_t(i) * 2654435761u,
                            uint64_t(i) * 1000003u + (uint64_t(1) << 40),
                            prose.substr(size_t(i * 13) % (prose.size() - 60), textLen),
                            prose.substr(size_t(i * 5) % (prose.size() - 61), bodyLen)});
        }
        return made;
    }();
    return all;
}

// The batch field by field: writeU8/U16/U32/U64, a length and write. No flush.
template <typename Out>
void writeRecordFields(Out& out) {
    for (const Record& r : records()) {
        out.writeU8(r.kind);
        out.writeU16(r.flags);
        out.writeU32(r.id);
        out.writeU64(r.stamp);
        out.writeU32(uint32_t(r.text.size()));
        out.write(r.text.data(), int(r.text.size()));
        out.write(r.body.data(), int(r.body.size()));
    }
}

// The batch read back with the matching readers, readString for the text into a string of its
// own; each record's fields go to `take` and its end is marked as consumed.
template <typename In, typename Take>
void readRecordFields(In& in, Take take) {
    uint8_t body[kRecordBytes];
    for (const Record& r : records()) {
        uint8_t kind = in.readU8();
        uint16_t flags = in.readU16();
        uint32_t id = in.readU32();
        uint64_t stamp = in.readU64();
        plat::String text = in.readString(kMaxText);
        int bodyLen = int(r.body.size());  // known to the reader
        take(kind, flags, id, stamp, text.get(), in.readBytes(body, bodyLen), bodyLen);
        in.markPos();
    }
}

// The records as they travel, one after another.
inline const std::string& encodedRecords() {
    static const std::string all = [] {
        rdr::MemOutStream out;
        writeRecordFields(out);
        return std::string(reinterpret_cast<const char*>(out.data()), size_t(out.length()));
    }();
    return all;
}

}  // namespace bench
