#include "loc/PoFile.h"
#include "loc/LocaleSetter.h"
#include "loc/Localize.h"
#include "plat/BuiltinData.h"
#include "plat/tests/FileTestUtil.h"
#include "plat/tests/LogCapture.h"
#include "rdr/FileStream.h"
#include "rdr/MemInStream.h"

namespace {

using namespace std::string_literals;

// "key=text;" for each entry stored, in file order, then "#" and each line logged.
std::string parse(rdr::InStream&& in) {
    plat::test::CapturedLog log("Localize", 0);
    std::string out;
    loc::parsePo(in, "t", "xx", [&](auto key, auto text) { out += key + "="s + text + ";"; });
    for (const std::string& line : log.texts("Localize"))
        out += "#" + line;
    return out;
}

// Each row would catch a text stored under another entry's key or joined with the strings that
// follow a rejected keyword (after msgstr[0], a second msgid or msgctxt), cut short (NUL), or an
// entry lost for a rejected line that glued nothing onto it.
TEST(PoFileTest, ReadsTheSubsetAndDropsEntriesThatSawABadLine) {
    const std::pair<std::string, const char*> cases[] = {
        {"msgid \"a\"\nmsgstr[0] \"x\"\n\"y\"\n\nmsgid \"c\"\nmsgid \"d\"\nmsgstr \"D\"\n\nmsgctxt "
         "\"c\"\nmsgid \"e\"\nmsgstr \"E\"\n\nmsgid\t\"f\"\n\nmsgid \"b\"\nmsgstr \"B\"",
         "c=D;e=E;b=B;#t:2 Expected msgstr#t:6 Expected msgstr#t:9 Expected msgid#t:13 Bad command "
         "or string"},
        {"\"s\"\nmsgid \"a\"\nmsgstr \"A\"\nmsgid \"b\"\n\"B\"\n\nmsgid \"a\"\nmsgstr \"\"\0\n"s,
         "#t:1 String outside an entry#t:4 Bad command or string#t:8 NUL byte in line#t:9 Expected "
         "msgstr"},
        {"msgid \"a\"\nmsgstr \"A\"\nmsgid \"b\"\n\nmsgctxt \"k\"\n\"x\"\nmsgid \"c\"\nmsgstr "
         "\"C\"",
         "a=A;#t:3 Bad command or string#t:5 Expected msgid"},
        {"msgid \"a\"\n\nmsgstr \"\\a\\b\\f\\r\\v\\'\\?\xFF\"\r\n\nmsgid "
         "\t\"a\"\n\"\\q\"\n\"a\\\n\"a\" \n",
         "a=\a\b\f\r\v'?\xEF\xBF\xBD;#t:2 Expected msgstr#t:3 Bad UTF-8 (a) for 'xx' locale#t:5 "
         "Junk preceding string data#t:6 Invalid escape code#t:7 Invalid escape at end#t:8 Junk "
         "following string data"},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(parse(rdr::MemInStream(input.data(), int(input.size()))), expected) << input;
}

// gettext's own tools accept every file we ship as valid (the fuzz seeds named "valid_"), and
// what msgcat writes (lines wrapped and strings escaped its way) reads back exactly.
TEST(PoFileTest, ReadsWhatGettextWritesBack) {
    const char* source = std::getenv("TQ_TEST_SOURCE_DIR");
    if (!source || std::system("which msgcat msgfmt >/dev/null")) GTEST_SKIP() << "no gettext";
    TempDir dir;
    std::string command = "cd '" + (source + "/fuzz/corpus/po_file'"s) +
                          " && for f in valid_*; do" +
                          " msgfmt -c -o /dev/null $f && msgcat -w 20 $f -o '" + dir.path() +
                          "'/$f || exit 1; done 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(
        parse(rdr::FileInStream((dir / "valid_basic.po").c_str())),
        "tqKivSetup_done=Fertig.\n\t\"Tessary\" ist \\ gro\xC3\x9F;ui_button_ok=OK;plat_empty=;");
}

// Built-in data, then each directory, each replacing texts; a locale not of letters and "_" could
// name another file and is never looked up as one (the built-in data takes any name); an overlong
// line ends a file, keeping what came first.
TEST(PoFileTest, LoadsInOrderAndRefusesBadNamesAndLines) {
    static const char builtin[] = "msgid \"po_a\"\nmsgstr \"0\"\n\nmsgid \"po_c\"\nmsgstr \"0\"\n";
    for (const char* name : {"strings.xq.po", "strings.x-q.po"})
        plat::registerBuiltinData(name, sizeof builtin - 1, builtin);
    TempDir d1, d2;
    writeFile(d1 / "strings.xq.po",
              "msgid \"po_a\"\nmsgstr \"1\"\n\nmsgid \"po_b\"\nmsgstr \"1\"\n");
    writeFile(d1 / "strings.x.q.po", builtin);
    writeFile(d2 / "strings.xq.po",
              "msgid \"po_b\"\nmsgstr \"2\"\n\n" + std::string(262145, '#') + "\nmsgid \"po_c\"\n");
    loc::Localize& registry = loc::Localize::instance();
    plat::test::CapturedLog log("Localize", 0);
    registry.setResourceDirs({plat::String(d1.path().c_str()), plat::String(d2.path().c_str())});
    loc::LocaleSetter setter("xq");
    EXPECT_STREQ(registry.findTranslation("po_a", false), "1");
    EXPECT_STREQ(registry.findTranslation("po_b", false), "2");
    EXPECT_STREQ(registry.findTranslation("po_c", false), "0");
    EXPECT_TRUE(registry.loadBuiltinPo("x-q"));
    EXPECT_FALSE(registry.loadPoFile(d1.path().c_str(), "x.q"));
    EXPECT_EQ(log.texts("Localize"),
              std::vector<std::string>{"Error loading strings from " + (d2 / "strings.xq.po") +
                                       ": String exceeds maximum length"});
}

}  // namespace
