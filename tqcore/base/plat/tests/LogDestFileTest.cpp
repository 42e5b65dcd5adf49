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
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

TEST(LogDestFile, PruningRemovesOnlyOldRotatedFiles) {
    TempDir dir;
    std::string path = dir / "app.log";
    writeFile(dir / "outside", "x");
    plat::fileSetTime((dir / "outside").c_str(), Time::now() - 40 * Time::kDay);
    // A directory or a link with a rotated name is not ours to remove, whatever its age.
    const char* const names[] = {
        "app.log.20200101000000", "app.log(3).20200101000000", "app.log.bak",
        "app.log.2020010100000",  "other.log.20200101000000",  "app.log(100).20200101000000",
        "app.log.20200101000001", "app.log.20200101000002"};
    auto present = [&] {
        std::string out;
        struct stat st;
        for (const char* name : names)
            out += lstat((dir / name).c_str(), &st) == 0 ? "1" : "0";
        return out;
    };
    ASSERT_EQ(symlink((dir / "outside").c_str(), (dir / names[6]).c_str()), 0);
    ASSERT_EQ(mkdir((dir / names[7]).c_str(), 0700), 0);
    for (const char* name : names) {
        if (!plat::fileExists((dir / name).c_str())) writeFile(dir / name, "x");
        plat::fileSetTime((dir / name).c_str(), Time::now() - 40 * Time::kDay);
    }
    // A huge keep count must not wrap into the future and delete everything.
    LogDestFile::logKeepDaysParam().setParam("2147483647", 10);
    newFileDest("testprune1", path)->write(0, "Src", "a");
    EXPECT_EQ(present(), "11111111");
    LogDestFile::logKeepDaysParam().setParam("30", 10);
    newFileDest("testprune2", path)->write(0, "Src", "b");
    EXPECT_EQ(present(), "00111111");
    EXPECT_EQ(readFile(dir / "outside"), "x");
    LogDestFile::logKeepDaysParam().unsetParam(10, true);
}

// What the log path names before the first line: a regular file of ours is rotated and
// replaced; anything else is left where it is, never written through, and reported as a file
// that cannot be opened.
TEST(LogDestFile, OnlyARegularFileOfOursIsRotatedOrOpened) {
    using Plant = void (*)(const std::string& path, const std::string& victim);
    auto plantDirectory = [](const std::string& p, const std::string&) {
        mkdir(p.c_str(), 0700);
        writeFile(p + "/mine", "x");
    };
    struct Case {
        const char* what;
        Plant plant;
        const char* pathEnd = "";  // an empty LogFile gives "<LogDir>/"
    } cases[] = {
        {"a directory", plantDirectory},
        {"a directory, with '/'", plantDirectory, "/"},
        {"a link to a file",
         [](const std::string& p, const std::string& v) {
             writeFile(v, "victim\n");
             symlink(v.c_str(), p.c_str());
         }},
        {"a dangling link",
         [](const std::string& p, const std::string& v) { symlink(v.c_str(), p.c_str()); }},
        {"a fifo", [](const std::string& p, const std::string&) { mkfifo(p.c_str(), 0600); }},
        {"a file of another user", [](const std::string& p, const std::string&) {
             writeFile(p, "theirs\n");
             if (chown(p.c_str(), 65534, 65534) != 0) std::perror("chown");
         }}};
    // The kind, link target or contents of each entry of the directory.
    auto snapshot = [](const std::string& dir) {
        std::vector<std::string> out;
        DIR* listing = opendir(dir.c_str());
        while (dirent* entry = listing ? readdir(listing) : nullptr) {
            std::string name = entry->d_name, path = dir + "/" + name;
            struct stat st;
            if (name == "." || name == ".." || lstat(path.c_str(), &st) != 0) continue;
            char target[256] = {};
            if (S_ISLNK(st.st_mode) && readlink(path.c_str(), target, sizeof target - 1) < 0)
                target[0] = '?';
            out.push_back(name + (S_ISDIR(st.st_mode)   ? " dir"
                                  : S_ISLNK(st.st_mode) ? " -> " + std::string(target)
                                  : S_ISREG(st.st_mode) ? " " + readFile(path)
                                                        : " other") +
                          " uid " + std::to_string(st.st_uid));
        }
        if (listing) closedir(listing);
        std::sort(out.begin(), out.end());
        return out;
    };
    const char* const destNames[] = {"testplanted1", "testplanted2", "testplanted3",
                                     "testplanted4", "testplanted5", "testplanted6"};
    int n = 0;
    for (const Case& c : cases) {
        if (std::string(c.what) == "a file of another user" && geteuid() != 0) continue;
        TempDir dir;
        std::string path = dir / "app.log";
        c.plant(path, dir / "victim");
        std::vector<std::string> before = snapshot(dir.path());
        LogDestFile* dest = newFileDest(destNames[n++], path + c.pathEnd);
        testing::internal::CaptureStderr();
        dest->write(0, "Src", "line");
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(snapshot(dir.path()), before) << c.what;
        EXPECT_THAT(err, testing::StartsWith("Error opening log file: ")) << c.what;
    }
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
    LogDestFile::setHeader("Header");
    CountingCallback callback;
    dest->setMaxSize(10, &callback);
    dest->write(0, "Src", "first line is long enough");
    dest->write(0, "Src", "dropped");
    EXPECT_EQ(callback.calls, 1);
    EXPECT_EQ(readFile(dir / "l.log").find("dropped"), std::string::npos);
    dest->setMaxSize(0);
    dest->write(0, "Src", "after reset");
    LogDestFile::setHeader(nullptr);
    // The file was closed at the limit: the next line opened (and rotated) it afresh, header
    // first.
    std::string text = readFile(dir / "l.log");
    EXPECT_EQ(text.rfind("Header\n<11> ", 0), 0u) << text;
    EXPECT_NE(text.find("after reset"), std::string::npos);
}

// Writes a line, then three more with the size of files limited to one and a half lines (the
// captured standard error is a file too), and three to a full device. True when the log holds
// the first line only, whole.
bool writeBeyondTheLimits(const std::string& path) {
    std::signal(SIGXFSZ, SIG_IGN);
    LogDestFile* dest = newFileDest("testfsize", path);
    const std::string line(300, 'x');
    dest->write(0, "Src", line.c_str());
    struct rlimit limit = {rlim_t(readFile(path).size() * 3 / 2), RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &limit);
    for (int i = 0; i < 3; ++i)
        dest->write(0, "Src", line.c_str());
    auto* fullDest = new LogDestFile("testfull", "prog", std::fopen("/dev/full", "w"));
    for (int i = 0; i < 3; ++i)
        fullDest->write(0, "Src", "nowhere to go");
    std::string text = readFile(path);
    return std::count(text.begin(), text.end(), '\n') == 1 && text.back() == '\n';
}

// A write that fails leaves no part of the line and is told on standard error once per
// destination. Resource limits are process-wide: run it in a child.
TEST(LogDestFileDeathTest, FailedWritesLeaveNoPartialLineAndAreToldOnce) {
    TempDir dir;
    EXPECT_EXIT(std::exit(writeBeyondTheLimits(dir / "f.log") ? 0 : 1),
                testing::ExitedWithCode(0),
                "^Error writing log file: [^\n]*File too large[^\n]*\n"
                "Error writing log file: [^\n]*No space left on device[^\n]*\n$");
}

// Writers on several threads while the setting and the parameters that writers read change;
// run under ThreadSanitizer as well. One destination cannot open its path, so that every line
// also goes through rotation and the fallback.
TEST(LogDestFile, WritersOnSeveralThreadsWhileTheSettingChanges) {
    TempDir dir;
    newFileDest("testthreads", dir / "t.log");
    ASSERT_EQ(mkdir((dir / "unopenable").c_str(), 0700), 0);
    newFileDest("testthreadsbad", dir / "unopenable");
    const char* const settings[] = {"FileTest:testthreads:100,FileTest:testthreadsbad:100",
                                    "FileTest:testthreads:100,Other*:testthreads:5"};
    plat::LogSrc::setLogSetting(settings[0]);
    const int tablesSettled = plat::LogSrc::tableCount();
    testing::internal::CaptureStderr();
    std::atomic<bool> stop{false};
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([&stop] {
            for (int n = 0; n < 200 || !stop.load(); ++n)
                fileTestLog.info("line from a writer");
        });
    for (int i = 0; i < 400; ++i) {
        plat::LogSrc::setLogSetting(settings[i % 2]);
        for (plat::ConfigParameter* param :
             std::initializer_list<plat::ConfigParameter*>{
                 &LogDestFile::compactLogParam(), &LogDestFile::logKeepDaysParam(),
                 &LogDestFile::logFileParam(), &LogDestFile::logDirParam()}) {
            if (i % 4 < 2)
                param->setParam(i % 4 ? "1" : "2", 10);
            else
                param->unsetParam(10, true);
        }
    }
    stop.store(true);
    for (auto& w : writers)
        w.join();
    // Only the unopenable path is told of; anything else (a sanitizer's report) shows here.
    std::string err = testing::internal::GetCapturedStderr();
    for (size_t at = 0, end; (end = err.find('\n', at)) != std::string::npos; at = end + 1) {
        std::string line = err.substr(at, end - at);
        if (line.rfind("Error opening log file: ", 0) != 0 &&
            line.rfind("Reverting to default log file ", 0) != 0 &&
            line.rfind("Error opening default log file: ", 0) != 0)
            ADD_FAILURE() << line;
    }
    // Every table replaced meanwhile is freed by the first application no writer overlaps.
    plat::LogSrc::setLogSetting(settings[0]);
    EXPECT_EQ(plat::LogSrc::tableCount(), tablesSettled);
    plat::LogSrc::setLogSetting(nullptr);

    // Lines never interleave: every line is whole, in one format or the other.
    std::string text = readFile(dir / "t.log");
    size_t lines = 0;
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
        ++lines;
        EXPECT_THAT(text.substr(at, end - at),
                    testing::MatchesRegex("([0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3}|<14> .*) "
                                          "FileTest: line from a writer"));
    }
    EXPECT_GE(lines, 800u);
}

}  // namespace
