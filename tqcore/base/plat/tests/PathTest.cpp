#include "plat/Path.h"

#include <gtest/gtest.h>

namespace {

// Catches: a lost root slash, ".." climbing above the root or eating a leading "..", "." left
// in the middle, trailing or doubled slashes kept, dirName/baseName taken from the raw text
// instead of the normalised one, and a suffix cut that ignores case or empties the name.
TEST(Path, NormaliseDirNameBaseNameTable) {
    struct {
        const char* path;
        const char* normalised;
        const char* dirName;
        const char* baseName;
        const char* suffix;
        const char* baseWithoutSuffix;
    } cases[] = {
        {"", ".", "..", ".", "", "."},
        {"/", "/", "/", "/", "/", "/"},
        {"//", "/", "/", "/", "", "/"},
        {"/..", "/", "/", "/", "", "/"},
        {"/a/./b/", "/a/b", "/a", "b", "B", "b"},
        {"a//b", "a/b", "a", "b", "", "b"},
        {"./a", "a", ".", "a", "", "a"},
        {"a/..", ".", "..", ".", "", "."},
        {"a/../b", "b", ".", "b", "", "b"},
        {"/a/../../b", "/b", "/", "b", "", "b"},
        {"a/b/../../..", "..", "../..", ".", ".", "."},
        {"a/../../b", "../b", "..", "b", "", "b"},
        {"a/.../.b", "a/.../.b", "a/...", ".b", "b", "."},
        {"/usr/bin/x.EXE", "/usr/bin/x.EXE", "/usr/bin", "x.EXE", ".exe", "x"},
        {".exe", ".exe", ".", ".exe", ".exe", ".exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_STREQ(plat::normalisePath(c.path).get(), c.normalised);
        EXPECT_STREQ(plat::pathDirName(c.path).get(), c.dirName);
        EXPECT_STREQ(plat::pathBaseName(c.path).get(), c.baseName);
        EXPECT_STREQ(plat::pathBaseName(c.path, c.suffix).get(), c.baseWithoutSuffix);
    }
}

// Catches: a prefix match that ignores what follows ("CONSOLE", "COM10") and case-sensitivity.
TEST(Path, ReservedDeviceNames) {
    struct {
        const char* name;
        int length;
    } cases[] = {{"com3.txt", 4}, {"CONSOLE", 0}, {"nul", 3}, {"Lpt9.a", 4}, {"COM10", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(plat::reservedDeviceNameLength(c.name), c.length) << c.name;
}

// Catches: control bytes, DEL or '/' surviving, UTF-8 bytes replaced, and names that would
// climb out of the directory they are joined to.
TEST(Path, SanitiseFileNameNeverLeavesItsDirectory) {
    struct {
        const char* name;
        const char* clean;
    } cases[] = {
        {"a/b\t", "a-b-"}, {"x\x7fy\x01", "x-y-"}, {"\xc3\xa9", "\xc3\xa9"}, {"", "-"}, {".", "-"},
        {"..", "-"},       {"...", "..."},         {"../x", "..-x"}};
    for (const auto& c : cases)
        EXPECT_STREQ(plat::sanitiseFileName(c.name, "-").c_str(), c.clean) << c.name;
}

}  // namespace
