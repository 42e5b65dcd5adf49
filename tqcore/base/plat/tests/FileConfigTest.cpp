#include "plat/FileConfig.h"

#include "plat/ConfigParameter.h"
#include "plat/File.h"
#include "plat/tests/FileTestUtil.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

using namespace plat;

namespace {

// Catches: names matched with case, unknown keys failing the read, and one bad text stopping
// the records after it (the failure still has to be reported).
TEST(FileConfig, ReadSetsEveryGoodRecordAndReportsBadText) {
    TempDir dir;
    Configuration config("Test");
    StringParameter first("First", "d", "", false, &config), last("Last", "d", "", false, &config);
    writeFile(dir / "f", "FIRST=1\nunknown=2\nfirst=bad\xC3\nlast=3\n");
    Failure bad = failureOf([&] { FileConfig::read(config, (dir / "f").c_str(), 10); });
    EXPECT_EQ(bad.error, 0);
    EXPECT_STREQ(first.getValueStrAt(10).get(), "1");
    EXPECT_STREQ(last.getValueStrAt(10).get(), "3");
    EXPECT_EQ(failureOf([&] { FileConfig::read(config, (dir / "no").c_str(), 10); }).error, ENOENT);
}

// Catches: writing through a missing directory, a rewrite skipped when the text is unchanged,
// a key in another case kept as a second record, and removal creating a missing file.
TEST(FileConfig, RewritesWholeFiles) {
    TempDir dir;
    std::string path = dir / "prog";
    EXPECT_NE(
        failureOf([&] { FileConfig::setValue((dir / "no/prog").c_str(), "a", "1", 0); }).error, -1);
    FileConfig::setValue(path.c_str(), "Key", "v\n", 0);
    EXPECT_EQ(readFile(path), "Key=v\\n\n");
    struct stat before, after;
    stat(path.c_str(), &before);
    FileConfig::setValue(path.c_str(), "Key", "v\n", 0);
    stat(path.c_str(), &after);
    EXPECT_NE(before.st_ino, after.st_ino);
    FileConfig::setValue(path.c_str(), "KEY", "v\n", 0);
    EXPECT_EQ(readFile(path), "KEY=v\\n\n");
    FileConfig::removeValue(path.c_str(), "key", 0);
    EXPECT_EQ(readFile(path), "");
    FileConfig::removeValue((dir / "absent").c_str(), "key", 0);
    EXPECT_FALSE(fileExists((dir / "absent").c_str()));
}

// Catches: unchanged parameters written and a file rewritten when nothing differs.
TEST(FileConfig, UpdateWritesOnlyDifferences) {
    TempDir dir;
    std::string path = dir / "prog";
    Configuration baseline("Base"), config("Cfg");
    IntParameter baseA("A", "d", 1, false, &baseline), baseB("B", "d", 2, false, &baseline);
    IntParameter a("A", "d", 1, false, &config), b("B", "d", 2, false, &config);
    FileConfig::update(config, path.c_str(), baseline, 0);
    EXPECT_FALSE(fileExists(path.c_str()));
    writeFile(path, "other=x\n");
    b.setParam("5", 10);
    FileConfig::update(config, path.c_str(), baseline, 0);
    EXPECT_EQ(readFile(path), "B=5\nother=x\n");
}

}  // namespace
