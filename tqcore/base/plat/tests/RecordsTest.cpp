#include "plat/Records.h"

#include "rdr/MemInStream.h"
#include "rdr/MemOutStream.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using namespace plat;

namespace {

struct Collector : RecordHandler {
    void handleRecord(const char* key, const char* value, StringMap&) override {
        seen += std::string(key) + (value ? "|" + std::string(value) : "") + ";";
    }
    std::string seen;
};

// Catches: trimming inside the line, splitting at a later "=", unescaping the wrong pairs,
// losing a trailing backslash, bytes of UTF-8 characters taken for white space, and handlers
// looked up with case.
TEST(Records, CleansAndSplitsEachLine) {
    const struct {
        std::string text, expected;
    } cases[] = {
        {" \tkey = value \r\n", "key | value;"},
        {"a=b=c\nnovalue\n\nx=\n", "a|b=c;novalue;;x|;"},
        {"k=1\\n2\\r3\\\\4\\q\\", "k|1\n2\r3\\4\\q\\;"},
        {"k=\xC3\xA0\n\xC2\x85k2=\xC2\xA0", "k|\xC3\xA0;\xC2\x85k2|\xC2\xA0;"},
        {"\x0B\x0C=v\x0B", "|v;"},
    };
    for (const auto& c : cases) {
        Collector all;
        RecordHandlers handlers{{String("a"), &all},         {String("KEY "), &all},
                                {String("K"), &all},         {String(""), &all},
                                {String("novalue"), &all},   {String("X"), &all},
                                {String("\xC2\x85K2"), &all}};
        rdr::MemInStream in(c.text.data(), int(c.text.size()));
        StringMap map;
        readRecords(in, map, &handlers);
        EXPECT_EQ(all.seen, c.expected) << c.text;
        EXPECT_TRUE(map.empty());
    }
}

// Catches: escapes missed or applied twice, values cut at "=" or at a byte >= 0x80, a null
// value confused with an empty one, CRLF files read differently, and (on systems whose Latin-1
// isspace takes 0xA0 for a blank) the last byte of "à" trimmed away.
TEST(Records, RoundTripInEveryLocale) {
    StringMap map;
    map[String("a")] = "line1\nline2\r\\end\\";
    map[String("b")] = "=x=y";
    map[String("c")] = "voil\xC3\xA0";
    map[String("d")] = "";
    map[String("e")] = nullptr;
    for (const char* locale : {"C", "de_DE.iso88591", "C.UTF-8"}) {
        if (!std::setlocale(LC_ALL, locale)) continue;
        rdr::MemOutStream out;
        writeRecords(out, map);
        std::string text(reinterpret_cast<const char*>(out.data()), size_t(out.length()));
        EXPECT_EQ(text, "a=line1\\nline2\\r\\\\end\\\\\nb==x=y\nc=voil\xC3\xA0\nd=\ne\n");
        std::string crlf = text;
        for (size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2)
            crlf.insert(at, "\r");
        for (const std::string& input : {text, crlf}) {
            rdr::MemInStream in(input.data(), int(input.size()));
            StringMap back;
            readRecords(in, back);
            EXPECT_EQ(back.size(), map.size()) << locale;
            for (const auto& [key, value] : map)
                EXPECT_EQ(back[key], value.get()) << locale << " " << key.get();
        }
    }
    std::setlocale(LC_ALL, "C");
}

}  // namespace
