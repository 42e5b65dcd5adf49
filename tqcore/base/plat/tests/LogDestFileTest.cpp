#include "plat/LogDestFile.h"

#include "plat/ConfigParameter.h"
#include "plat/File.h"
#include "plat/LogSrc.h"
#include "plat/Time.h"
#include "plat/tests/FileTestUtil.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <pty.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using plat::LogDestFile;
using plat::Time;

plat::LogSrc fileTestLog("FileTest");

// 2 January 2024, 03:04:05 local time: a log file modified then rotates to "*.20240102030405".
int64_t stampOfRotation() {
    struct tm fields = {};
    strptime("2024-01-02 03:04:05", "%Y-%m-%d %H:%M:%S", &fields);
    fields.tm_isdst = -1;
    return Time::fromUnixSeconds(mktime(&fields));
}

// A destination of its own for each test (destinations are never destroyed).
LogDestFile* newFileDest(const char* name, const std::string& path) {
    auto* dest = new LogDestFile(name, "prog", nullptr);
    dest->setFileName(path.c_str());
    return dest;
}

TEST(LogDestFile, LinePriorityAndColourFollowTheLevel) {
    int master = -1, slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    setenv("TERM", "xterm-256color", 1);
    FILE* stream = fdopen(slave, "w");
    auto* dest = new LogDestFile("testpty", "prog", stream);
    struct Case {
        int level, priority;
        const char* colour;
    } cases[] = {{-1, 11, "31;1"}, {0, 11, "31;1"}, {5, 12, "31;1"}, {6, 13, "31"},
                 {10, 13, "31"},   {11, 14, "36"},  {30, 14, "36"},  {31, 15, "0"}};
    // Each record: colour, "<priority> ", UTC time, host, "prog[pid]: Src: text", reset; the
    // terminal turns "\n" into "\r\n".
    std::string expected;
    for (const Case& c : cases) {
        dest->write(c.level, "Src", "text");
        expected += "\x1b\\[" + std::string(c.colour) + "m<" + std::to_string(c.priority) +
                    "> [0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3}Z "
                    "[^ \r\n]+ prog\\[" +
                    std::to_string(getpid()) + "\\]: Src: text\r\n\x1b\\[0m";
    }
    std::string got;
    char buf[4096];
    fcntl(master, F_SETFL, O_NONBLOCK);
    for (ssize_t n; (n = read(master, buf, sizeof buf)) > 0;)
        got.append(buf, size_t(n));
    EXPECT_THAT(got, testing::MatchesRegex(expected));
    close(master);
}

TEST(LogDestFile, CompactLinesUseLocalTime) {
    TempDir dir;
    LogDestFile* dest = newFileDest("testcompact", dir / "c.log");
    LogDestFile::compactLogParam().setParam("1", 10);
    dest->write(30, "Src", "compact");
    LogDestFile::compactLogParam().unsetParam(10, false);
    dest->write(30, "Src", "full");
    std::string text = readFile(dir / "c.log");
    EXPECT_THAT(
        text, testing::MatchesRegex("[0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3} Src: compact\n<14> .*"));
}

TEST(LogDestFile, OpeningRotatesThePreviousFileWithItsTime) {
    TempDir dir;
    std::string path = dir / "app.log";
    int64_t stamp = stampOfRotation();
    writeFile(path, "old\n");
    plat::fileSetTime(path.c_str(), stamp);
    writeFile(dir / "app.log.20240102030405", "taken\n");
    plat::fileSetTime((dir / "app.log.20240102030405").c_str(), Time::now());

    LogDestFile* dest = newFileDest("testrotate", path);
    EXPECT_FALSE(newFileDest("testinactive", "")->isActive());
    EXPECT_TRUE(dest->isActive());
    LogDestFile::setHeader("Header line for the new file");
    dest->write(0, "Src", "new");
    dest->write(0, "Src", "second");
    LogDestFile::setHeader(nullptr);
    EXPECT_EQ(readFile(dir / "app.log(1).20240102030405"), "old\n");
    EXPECT_EQ(readFile(dir / "app.log.20240102030405"), "taken\n");
    std::string text = readFile(path);
    EXPECT_EQ(text.rfind("Header line for the new file\n<11> ", 0), 0u) << text;
    EXPECT_NE(text.find("Src: second\n"), std::string::npos);
}

TEST(LogDestFile, PruningRemovesOnlyOldRotatedNames) {
    TempDir dir;
    std::string path = dir / "app.log";
    const char* const names[] = {
        "app.log.20200101000000", "app.log(3).20200101000000", "app.log.bak",
        "app.log.2020010100000",  "other.log.20200101000000",  "app.log(100).20200101000000"};
    auto present = [&] {
        std::string out;
        for (const char* name : names)
            out += plat::fileExists((dir / name).c_str()) ? "1" : "0";
        return out;
    };
    for (const char* name : names) {
        writeFile(dir / name, "x");
        plat::fileSetTime((dir / name).c_str(), Time::now() - 40 * Time::kDay);
    }
    // A huge keep count must not wrap into the future and delete everything.
    LogDestFile::logKeepDaysParam().setParam("2147483647", 10);
    newFileDest("testprune1", path)->write(0, "Src", "a");
    EXPECT_EQ(present(), "111111");
    LogDestFile::logKeepDaysParam().setParam("30", 10);
    newFileDest("testprune2", path)->write(0, "Src", "b");
    EXPECT_EQ(present(), "001111");
    LogDestFile::logKeepDaysParam().unsetParam(10, false);
}

TEST(LogDestFile, AFailedRotationAppendsInsteadOfTruncating) {
    TempDir dir;
    std::string path = dir / "app.log";
    writeFile(path, "precious\n");
    plat::fileSetTime(path.c_str(), stampOfRotation());
    writeFile(dir / "app.log.20240102030405", "x");
    for (int n = 1; n <= 99; ++n)
        writeFile(dir / ("app.log(" + std::to_string(n) + ").20240102030405"), "x");
    newFileDest("testnorotate", path)->write(0, "Src", "appended");
    std::string text = readFile(path);
    EXPECT_EQ(text.rfind("precious\n", 0), 0u) << text;
    EXPECT_NE(text.find("Src: appended"), std::string::npos);
}

struct CountingCallback : LogDestFile::LimitCallback {
    void limitReached(LogDestFile*) override { ++calls; }
    int calls = 0;
};

TEST(LogDestFile, SizeLimitStopsUntilReset) {
    TempDir dir;
    LogDestFile* dest = newFileDest("testlimit", dir / "l.log");
    CountingCallback callback;
    dest->setMaxSize(10, &callback);
    dest->write(0, "Src", "first line is long enough");
    dest->write(0, "Src", "dropped");
    EXPECT_EQ(callback.calls, 1);
    EXPECT_EQ(readFile(dir / "l.log").find("dropped"), std::string::npos);
    dest->setMaxSize(0);
    dest->write(0, "Src", "after reset");
    // The file was closed at the limit: the next line opened (and rotated) it afresh.
    EXPECT_NE(readFile(dir / "l.log").find("after reset"), std::string::npos);
}

// An unwritable LogDir falls back to the default; an absolute LogFile ignores LogDir. The file
// destination is once per process: run it in a child.
TEST(LogDestFileDeathTest, FileFollowsTheParametersAndFallsBackToTheDefault) {
    TempDir dir;
    writeFile(dir / "notadir", "x");
    std::string defaultDir = dir / "default", absolute = dir / "abs.log";
    EXPECT_EXIT(
        {
            LogDestFile::logDirParam().setParam(defaultDir.c_str(), 0);
            LogDestFile::logFileParam().setParam("app.log", 0);
            LogDestFile* dest = LogDestFile::fileDest("app", true);
            LogDestFile::logDirParam().setParam((dir / "notadir/sub").c_str(), 10);
            plat::LogSrc::setLogSetting("FileTest:file:100");
            fileTestLog.info("reaches the default file");
            LogDestFile::logFileParam().setParam(absolute.c_str(), 10);
            fileTestLog.info("absolute");
            LogDestFile::enableFileLogging(false);
            std::string text = readFile(defaultDir + "/app.log");
            bool ok = dest == LogDestFile::getFileDest() && !dest->isActive() &&
                      text.find("LogDestFile: Error opening log file: [System-20] mkDir(") !=
                          std::string::npos &&
                      text.find("FileTest: reaches the default file") != std::string::npos &&
                      readFile(absolute).find("FileTest: absolute") != std::string::npos;
            std::exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0),
        "Error opening log file: \\[System-20\\] mkDir\\([^\n]*notadir[^\n]*\n"
        "Reverting to default log file [^\n]*/default/app.log\n");
}

TEST(LogDestFile, WritersOnSeveralThreadsWhileTheSettingChanges) {
    // Run under ThreadSanitizer by hand as well: every re-application swaps the destination
    // tables that the writers are reading.
    TempDir dir;
    newFileDest("testthreads", dir / "t.log");
    plat::LogSrc::setLogSetting("FileTest:testthreads:100");
    std::atomic<bool> stop{false};
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([&stop] {
            for (int n = 0; n < 200 || !stop.load(); ++n)
                fileTestLog.info("line from a writer");
        });
    for (int i = 0; i < 200; ++i)
        plat::LogSrc::setLogSetting(i % 2 ? "FileTest:testthreads:100"
                                          : "FileTest:testthreads:100,Other*:testthreads:5");
    stop.store(true);
    for (auto& w : writers)
        w.join();
    plat::LogSrc::setLogSetting(nullptr);
    // Lines never interleave: every line is whole.
    std::string text = readFile(dir / "t.log");
    size_t lines = std::count(text.begin(), text.end(), '\n'), whole = 0;
    const std::string line = "FileTest: line from a writer\n";
    for (size_t at = 0; (at = text.find(line, at)) != std::string::npos; at += line.size())
        ++whole;
    EXPECT_GE(lines, 800u);
    EXPECT_EQ(whole, lines);
}

}  // namespace
