#include "plat/Records.h"

#include "plat/ConfigParameter.h"
#include "rdr/MemInStream.h"
#include "rdr/MemOutStream.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using namespace plat;

namespace {

// "key|value" for each record, "key" alone when there is no value.
std::string parse(const std::string& text) {
    rdr::MemInStream in(text.data(), int(text.size()));
    DString line;
    const char *key, *value;
    std::string out;
    while (readRecord(in, line, &key, &value))
        out += std::string(key) + (value ? "|" + std::string(value) : "") + ";";
    return out;
}

// Catches: trimming inside the line, splitting at a later "=", unescaping the wrong pairs,
// losing a trailing backslash, and bytes of UTF-8 characters taken for white space.
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
    for (const auto& c : cases)
        EXPECT_EQ(parse(c.text), c.expected) << c.text;
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
        std::string crlf;
        for (char ch : text)
            crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
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
    EXPECT_STREQ(escapeRecordValue("a\\b\n").get(), "a\\\\b\\n");
}

struct Collector : RecordHandler {
    void handleRecord(const char* key, const char* value, StringMap&) override {
        seen += std::string(key) + "=" + value + ";";
    }
    std::string seen;
};

// Catches: a handler looked up with case, or a handled record stored as well.
TEST(Records, HandlersTakeTheirKeysIgnoringCase) {
    Collector collector;
    RecordHandlers handlers;
    handlers[String("Special")] = &collector;
    std::string text = "SPECIAL=1\nother=2\n";
    rdr::MemInStream in(text.data(), int(text.size()));
    StringMap map;
    readRecords(in, map, &handlers);
    EXPECT_EQ(collector.seen, "SPECIAL=1;");
    EXPECT_EQ(map.size(), 1u);
    EXPECT_EQ(map[String("other")], "2");
}

// Catches: unchanged parameters written, names the reference lacks written, children left
// out, and a wrong result flag.
TEST(Records, CollectChangedParamsTakesOnlyDifferences) {
    Configuration reference("Ref"), config("Cfg"), child("Child");
    config.setChild(&child, true);
    StringParameter refA("A", "d", "1", false, &reference), refB("B", "d", "", false, &reference);
    StringParameter refC("C", "d", "x", false, &reference);
    StringParameter a("A", "d", "1", false, &config), b("B", "d", "z", false, &child);
    StringParameter c("C", "d", "x", false, &config), onlyHere("D", "d", "9", false, &config);
    c.setParam("y", 10);
    NoCaseStringMap map;
    EXPECT_TRUE(collectChangedParams(config, reference, map));
    ASSERT_EQ(map.size(), 2u);
    EXPECT_EQ(map[String("b")], "z");
    EXPECT_EQ(map[String("C")], "y");
    map.clear();
    EXPECT_FALSE(collectChangedParams(reference, reference, map));
    EXPECT_TRUE(map.empty());
}

}  // namespace
