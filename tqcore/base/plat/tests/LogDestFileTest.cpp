#include "plat/LogDestFile.h"

#include "plat/ConfigParameter.h"
#include "plat/File.h"
#include "plat/LogSrc.h"
#include "plat/Time.h"
#include "plat/tests/FileTestUtil.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <fcntl.h>
#include <pty.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using plat::LogDestFile;
using plat::Time;

plat::LogSrc fileTestLog("FileTest");

// Log-file modification time of 2 January 2024, 03:04:05 local time.
int64_t localTime(int year, int month, int day, int hour, int minute, int second) {
    struct tm fields = {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    return Time::fromUnixSeconds(mktime(&fields));
}

// Whether `text` has the shape `pattern`, where '9' stands for any digit.
bool shaped(const std::string& text, const std::string& pattern) {
    if (text.size() != pattern.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (pattern[i] == '9' ? !isdigit(static_cast<unsigned char>(text[i]))
                              : text[i] != pattern[i])
            return false;
    return true;
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
    for (const Case& c : cases)
        dest->write(c.level, "Src", "text");
    // The terminal turns "\n" into "\r\n"; read back everything written.
    std::string got;
    char buf[4096];
    fcntl(master, F_SETFL, O_NONBLOCK);
    for (ssize_t n; (n = read(master, buf, sizeof buf)) > 0;)
        got.append(buf, size_t(n));
    // Each record: colour, "<priority> ", ISO time, host, "prog[pid]: Src: text", CR LF, reset.
    std::string tail = " prog[" + std::to_string(getpid()) + "]: Src: text";
    size_t at = 0;
    for (const Case& c : cases) {
        std::string start =
            std::string("\x1b[") + c.colour + "m<" + std::to_string(c.priority) + "> ";
        ASSERT_EQ(got.compare(at, start.size(), start), 0) << c.level << ": " << got.substr(at);
        at += start.size();
        EXPECT_TRUE(shaped(got.substr(at, 24), "9999-99-99T99:99:99.999Z")) << got.substr(at, 24);
        size_t end = got.find("\r\n", at);
        ASSERT_NE(end, std::string::npos);
        std::string rest = got.substr(at + 24, end - at - 24);
        EXPECT_EQ(rest.substr(rest.size() - tail.size()), tail) << rest;
        at = end + 2;
        ASSERT_EQ(got.compare(at, 4, "\x1b[0m"), 0);
        at += 4;
    }
    EXPECT_EQ(at, got.size());
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
    const std::string shape = "99:99:99.999 Src: compact\n<14> ";
    EXPECT_TRUE(shaped(text.substr(0, shape.size()), shape)) << text;
}

TEST(LogDestFile, OpeningRotatesThePreviousFileWithItsTime) {
    TempDir dir;
    std::string path = dir / "app.log";
    int64_t stamp = localTime(2024, 1, 2, 3, 4, 5);
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
    int64_t old = Time::now() - 40 * Time::kDay;
    const char* rotated[] = {"app.log.20200101000000", "app.log(3).20200101000000"};
    const char* unrelated[] = {"app.log.bak", "app.log.2020010100000", "other.log.20200101000000",
                               "app.log(100).20200101000000"};
    for (const char* name : rotated)
        writeFile(dir / name, "x");
    for (const char* name : unrelated)
        writeFile(dir / name, "x");
    for (const char* name : rotated)
        plat::fileSetTime((dir / name).c_str(), old);
    for (const char* name : unrelated)
        plat::fileSetTime((dir / name).c_str(), old);

    // A huge keep count must not wrap into the future and delete everything.
    LogDestFile::logKeepDaysParam().setParam("2147483647", 10);
    newFileDest("testprune1", path)->write(0, "Src", "a");
    for (const char* name : rotated)
        EXPECT_TRUE(plat::fileExists((dir / name).c_str())) << name;

    LogDestFile::logKeepDaysParam().setParam("30", 10);
    newFileDest("testprune2", path)->write(0, "Src", "b");
    for (const char* name : rotated)
        EXPECT_FALSE(plat::fileExists((dir / name).c_str())) << name;
    for (const char* name : unrelated)
        EXPECT_TRUE(plat::fileExists((dir / name).c_str())) << name;
    LogDestFile::logKeepDaysParam().unsetParam(10, false);
}

TEST(LogDestFile, AFailedRotationAppendsInsteadOfTruncating) {
    TempDir dir;
    std::string path = dir / "app.log";
    writeFile(path, "precious\n");
    plat::fileSetTime(path.c_str(), localTime(2024, 1, 2, 3, 4, 5));
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

TEST(LogDestFileDeathTest, UnwritableDirectoryFallsBackToTheDefault) {
    TempDir dir;
    writeFile(dir / "notadir", "x");
    std::string defaultDir = dir / "default";
    EXPECT_EXIT(
        {
            LogDestFile::logDirParam().setParam(defaultDir.c_str(), 0);
            LogDestFile::logFileParam().setParam("app.log", 0);
            LogDestFile* dest = LogDestFile::fileDest("app", true);
            LogDestFile::logDirParam().setParam((dir / "notadir/sub").c_str(), 10);
            plat::LogSrc::setLogSetting("FileTest:file:100");
            fileTestLog.info("reaches the default file");
            std::string text = readFile(defaultDir + "/app.log");
            bool ok = dest == LogDestFile::getFileDest() &&
                      text.find("LogDestFile: Error opening log file: [System-20] mkDir(") !=
                          std::string::npos &&
                      text.find("FileTest: reaches the default file") != std::string::npos;
            std::exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0),
        "Error opening log file: \\[System-20\\] mkDir\\([^\n]*notadir[^\n]*\n"
        "Reverting to default log file [^\n]*/default/app.log\n");
}

TEST(LogDestFileDeathTest, AbsoluteLogFileIgnoresLogDir) {
    TempDir dir;
    std::string absolute = dir / "abs.log";
    EXPECT_EXIT(
        {
            LogDestFile::logDirParam().setParam((dir / "unused").c_str(), 0);
            LogDestFile::logFileParam().setParam(absolute.c_str(), 10);
            LogDestFile::fileDest("app", false);
            LogDestFile::enableFileLogging(true);
            plat::LogSrc::setLogSetting("FileTest:file:100");
            fileTestLog.info("absolute");
            LogDestFile::enableFileLogging(false);
            bool ok = readFile(absolute).find("absolute") != std::string::npos &&
                      !plat::fileExists((dir / "unused").c_str()) &&
                      !LogDestFile::getFileDest()->isActive();
            std::exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
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
    size_t lines = 0, whole = 0;
    for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; ++at)
        ++lines;
    const std::string line = "FileTest: line from a writer\n";
    for (size_t at = 0; (at = text.find(line, at)) != std::string::npos; at += line.size())
        ++whole;
    EXPECT_GE(lines, 800u);
    EXPECT_EQ(whole, lines);
}

}  // namespace
