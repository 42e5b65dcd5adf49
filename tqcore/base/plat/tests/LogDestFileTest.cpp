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
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <pty.h>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
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

// What the files of `dir` hold, one after the other.
std::string textOfEveryFile(const TempDir& dir) {
    std::string all;
    for (const std::string& name : namesIn(dir.path()))
        all += readFile(dir / name);
    return all;
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

TEST(LogDestFile, OpeningRotatesThePreviousFileWithItsTime) {
    TempDir dir;
    std::string path = dir / "app.log";
    int64_t stamp = stampOfRotation();
    writeFile(path, "old\n");
    plat::fileSetTime(path.c_str(), stamp);
    writeFile(dir / "app.log.20240102030405", "taken\n");
    plat::fileSetTime((dir / "app.log.20240102030405").c_str(), Time::now());

    // A link as the log folder is followed where nobody else can make entries.
    ASSERT_EQ(symlink(dir.path().c_str(), (dir / "linked").c_str()), 0);
    LogDestFile* dest = newFileDest("testrotate", dir / "linked/app.log");
    LogDestFile::setHeader("Header line for the new file");
    dest->write(0, "Src", "new");
    dest->write(0, "Src", "second");
    LogDestFile::setHeader(nullptr);
    EXPECT_EQ(readFile(dir / "app.log(1).20240102030405"), "old\n");
    EXPECT_EQ(readFile(dir / "app.log.20240102030405"), "taken\n");
    std::string text = readFile(path);
    EXPECT_EQ(text.rfind("Header line for the new file\n<11> ", 0), 0u) << text;
    EXPECT_NE(text.find("Src: second\n"), std::string::npos);

    // With every name taken the file stays, and is appended to rather than truncated.
    plat::fileSetTime(path.c_str(), stamp);
    for (int n = 1; n <= 99; ++n)
        writeFile(dir / ("app.log(" + std::to_string(n) + ").20240102030405"), "x");
    newFileDest("testnorotate", path)->write(0, "Src", "appended");
    EXPECT_EQ(readFile(path).rfind(text + "<11> ", 0), 0u);
}

TEST(LogDestFile, PruningRemovesOnlyOldRotatedFiles) {
    TempDir dir;
    writeFile(dir / "outside", "x");
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
    newFileDest("testprune1", dir / "app.log")->write(0, "Src", "a");
    EXPECT_EQ(present(), "11111111");
    LogDestFile::logKeepDaysParam().setParam("30", 10);
    newFileDest("testprune2", dir / "app.log")->write(0, "Src", "b");
    EXPECT_EQ(present(), "00111111");
    LogDestFile::logKeepDaysParam().unsetParam(10, true);
}

// What the log path names before the first line: anything but a regular file of ours stays as
// it is, is never written through, and is reported as a file that cannot be opened.
TEST(LogDestFile, OnlyARegularFileOfOursIsRotatedOrOpened) {
    auto snapshot = [](const std::string& dir) {  // path, mode and size of each entry
        std::set<std::string> out;
        struct stat st;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
            if (lstat(entry.path().c_str(), &st) == 0)
                out.insert(entry.path().string() + " " + std::to_string(st.st_mode) + " " +
                           std::to_string(st.st_size));
        return out;
    };
    // Each kind names its destination; "plantdir/" is the path of an empty LogFile. A hard link
    // whose rotated names are all taken ("stuck") would stay in place; "plantfolder" is the log
    // folder itself, a link in a directory that everyone can write. The refusal is the reason
    // the report gives, null where the open's own error tells. A log file with one other name
    // (two links) is refused like one with more: it is the second name that shares the file.
    const struct {
        const char *kind, *refusal;
    } kinds[] = {
        {"plantdir", nullptr},
        {"plantdir/", nullptr},
        {"plantlink", nullptr},
        {"plantdangling", nullptr},
        {"plantfifo", nullptr},
        {"planttheirs", "not owned by root"},
        {"planthardlink", "more than one link"},
        {"planthardlinkstuck", "more than one link"},
        {"plantfolder", "a link in a directory others can write"},
    };
    for (const auto& [kind, refusal] : kinds) {
        std::string k = kind;
        if (k == "planttheirs" && geteuid() != 0) continue;  // only root refuses others' files
        TempDir dir;
        std::string path = dir / "app.log", victim = dir / "victim";
        bool hardLink = k.rfind("planthardlink", 0) == 0;
        if (k == "plantlink" || k == "planttheirs" || hardLink)
            writeFile(k == "planttheirs" ? path : victim, "x");
        if (k == "plantlink" || k == "plantdangling") symlink(victim.c_str(), path.c_str());
        if (hardLink) link(victim.c_str(), path.c_str());
        if (k == "planthardlinkstuck") {
            plat::fileSetTime(path.c_str(), stampOfRotation());
            for (int n = 0; n <= 99; ++n)
                writeFile(dir / ("app.log" + (n ? "(" + std::to_string(n) + ")" : "") +
                                 ".20240102030405"),
                          "x");
        }
        if (k == "plantfolder") {
            mkdir(victim.c_str(), 0700);
            mkdir((dir / "shared").c_str(), 0700);
            chmod((dir / "shared").c_str(), 01777);
            symlink(victim.c_str(), (dir / "shared/logs").c_str());
            path = dir / "shared/logs/app.log";
        }
        if (k.rfind("plantdir", 0) == 0) mkdir(path.c_str(), 0700);
        if (k == "plantfifo") mkfifo(path.c_str(), 0600);
        if (k == "planttheirs" && chown(path.c_str(), 65534, 65534) != 0) std::perror("chown");
        std::set<std::string> before = snapshot(dir.path());
        testing::internal::CaptureStderr();
        newFileDest(kind, path + (k == "plantdir/" ? "/" : ""))->write(0, "Src", "line");
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_THAT(err, testing::StartsWith("Error opening log file: ")) << kind;
        if (refusal) {
            EXPECT_THAT(err, testing::EndsWith(std::string(": ") + refusal + "\n")) << kind;
        }
        EXPECT_EQ(snapshot(dir.path()), before) << kind;
    }
}

// The header opens each new file once: the first one, and the one opened again after the first
// was moved away.
TEST(LogDestFile, TheHeaderOpensEachNewFileOnce) {
    TempDir dir;
    std::string path = dir / "h.log", moved = dir / "h.log.moved";
    LogDestFile* dest = newFileDest("testheader", path);
    LogDestFile::setHeader("Header block");
    dest->write(0, "Src", "first");
    dest->write(0, "Src", "second");
    std::filesystem::rename(path, moved);
    dest->reopenIfMoved();
    dest->write(0, "Src", "after the move");
    dest->write(0, "Src", "last");
    LogDestFile::setHeader(nullptr);
    for (const std::string& file : {moved, path}) {
        std::string text = readFile(file);
        EXPECT_EQ(text.rfind("Header block\n<11> ", 0), 0u) << text;
        EXPECT_EQ(text.find("Header block", 1), std::string::npos) << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << text;
    }
}

// A child forked without exec writes its own process id in each line, its parent its own.
TEST(LogDestFile, AForkedChildWritesItsOwnProcessId) {
    TempDir dir;
    std::string path = dir / "f.log";
    LogDestFile* dest = newFileDest("testfork", path);
    dest->write(0, "Src", "parent before");
    pid_t child = fork();
    if (child == 0) {
        dest->write(0, "Src", "child first");
        dest->write(0, "Src", "child second");
        _exit(0);
    }
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    dest->write(0, "Src", "parent after");
    std::string text = readFile(path), parentId = std::to_string(getpid());
    std::string childId = std::to_string(child);
    for (const std::string& line :
         {"prog[" + parentId + "]: Src: parent before\n",
          "prog[" + childId + "]: Src: child first\n", "prog[" + childId + "]: Src: child second\n",
          "prog[" + parentId + "]: Src: parent after\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
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
    // Closed at the limit: the next line opened (and rotated) it afresh, header first.
    std::string text = readFile(dir / "l.log");
    EXPECT_EQ(text.rfind("Header\n<11> ", 0), 0u) << text;
    EXPECT_NE(text.find("after reset"), std::string::npos);
}

// Lines within one second share the cached part of their time stamp: each still carries the
// millisecond in which it was written.
TEST(LogDestFile, EveryLineCarriesTheTimeItWasWritten) {
    TempDir dir;
    LogDestFile* dest = newFileDest("teststamp", dir / "s.log");
    std::vector<std::pair<int64_t, int64_t>> windows;  // before and after each line
    for (int i = 0; i < 300; ++i) {
        if (i % 100 == 99) usleep(1500);  // the lines fall in several milliseconds
        windows.emplace_back(Time::now() / Time::kMillisecond * Time::kMillisecond, 0);
        dest->write(30, "Src", "stamped");
        windows.back().second = Time::now();
    }
    std::istringstream text(readFile(dir / "s.log"));
    size_t n = 0;
    for (std::string line; std::getline(text, line); ++n) {
        int64_t stamp = 0;
        ASSERT_TRUE(n < windows.size() && Time::parseIso(stamp, line.substr(5, 24).c_str()));
        EXPECT_TRUE(stamp >= windows[n].first && stamp <= windows[n].second) << line;
    }
    EXPECT_EQ(n, windows.size());
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

// A write that fails leaves no part of the line and is told on standard error once, whether
// SIGXFSZ is ignored or would end the process; a line that ends exactly at the limit is still
// written. The size limit is process-wide (the captured standard error is a file too): run it
// in a child.
TEST(LogDestFileDeathTest, FailedWritesLeaveNoPartialLineAndAreToldOnce) {
    TempDir dir;
    struct Case {
        int halves;  // the limit in halves of a line: 3 lets the next in part, 4 ends it there
        void (*disposition)(int);
    } cases[] = {{3, SIG_IGN}, {3, SIG_DFL}, {4, SIG_IGN}, {4, SIG_DFL}};
    for (const Case& c : cases) {
        std::string path = dir / (std::to_string(c.halves) +
                                  (c.disposition == SIG_IGN ? "ignored.log" : "default.log"));
        EXPECT_EXIT(
            {
                std::signal(SIGXFSZ, c.disposition);
                LogDestFile* dest = newFileDest("testfsize", path);
                const std::string line(300, 'x');
                dest->write(0, "Src", line.c_str());
                std::string first = readFile(path);
                struct rlimit limit = {};
                limit.rlim_cur = limit.rlim_max = rlim_t(first.size() * c.halves / 2);
                setrlimit(RLIMIT_FSIZE, &limit);
                for (int i = 0; i < 3; ++i)
                    dest->write(0, "Src", line.c_str());
                // The lines differ only in their time stamps.
                std::string text = readFile(path);
                size_t lines = c.halves == 4 ? 2 : 1;
                bool ok = text.size() == lines * first.size() &&
                          text.compare(0, first.size(), first) == 0 && text.back() == '\n';
                std::exit(ok ? 0 : 1);
            },
            testing::ExitedWithCode(0), "^Error writing log file: [^\n]*File too large[^\n]*\n$")
            << c.halves << (c.disposition == SIG_IGN ? " halves, ignored" : " halves, default");
    }
}

constexpr int kCannotTrace = 77;

// The file that a traced child's descriptor names, as a canonical path; "" when it names none.
std::string descriptorPath(pid_t pid, uint64_t fd) {
    std::error_code error;
    auto link = "/proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd);
    return std::filesystem::read_symlink(link, error).string();
}

// Runs `body` in a child process traced by this one: `atSyscall` sees the entry and the exit of
// each system call of the child, so that another process acts at exactly that moment. The child's
// standard error goes to `errors`. Returns the child's exit status (kCannotTrace: no tracing
// here), or -1 when it did not exit.
int runTraced(const std::string& errors, const std::function<void()>& body,
              const std::function<void(pid_t, const __ptrace_syscall_info&)>& atSyscall) {
    pid_t child = fork();
    if (child == 0) {
        if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(kCannotTrace);
        raise(SIGSTOP);
        dup2(open(errors.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600), 2);
        body();
        _exit(0);
    }
    int status = 0, signal = 0;
    waitpid(child, &status, 0);
    ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    while (ptrace(PTRACE_SYSCALL, child, nullptr, signal) == 0 &&
           waitpid(child, &status, 0) == child && WIFSTOPPED(status)) {
        signal = WSTOPSIG(status) == (SIGTRAP | 0x80) ? 0 : WSTOPSIG(status);
        struct __ptrace_syscall_info info = {};
        if (!signal && ptrace(PTRACE_GET_SYSCALL_INFO, child, sizeof info, &info) > 0)
            atSyscall(child, info);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Another process (the tracer, which has no size limit) appends a line just before a record is
// written, so that only part of the record fits under the limit, and in one round a second line
// right after that part. The part is taken back only while it still ends the file: another
// writer's line is never cut, and a part that has to stay is reported.
TEST(LogDestFile, TakingBackAFailedWriteNeverCutsAnotherWritersLine) {
    const std::string before(800, 'b'), after = "another writer\n";
    for (bool appendAfter : {false, true}) {
        TempDir dir;
        std::string path = dir / "shared.log", errors = dir / "errors";
        std::string canonicalPath = std::filesystem::weakly_canonical(path).string();
        int logWrites = 0;
        bool inFirstWrite = false;
        auto body = [&] {
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit = {1000, 1000};
            setrlimit(RLIMIT_FSIZE, &limit);
            newFileDest("testtakeback", path)->write(0, "Src", std::string(300, 'x').c_str());
        };
        auto atSyscall = [&](pid_t child, const __ptrace_syscall_info& info) {
            if (info.op == PTRACE_SYSCALL_INFO_ENTRY) {
                // Told by the descriptor's target: the sanitizers' runtime writes to pipes too.
                inFirstWrite = info.entry.nr == SYS_write &&
                               descriptorPath(child, info.entry.args[0]) == canonicalPath &&
                               logWrites++ == 0;
                if (inFirstWrite) std::ofstream(path, std::ios::app) << before;
            } else if (inFirstWrite && appendAfter) {
                std::ofstream(path, std::ios::app) << after;
            }
        };
        int status = runTraced(errors, body, atSyscall);
        if (status == kCannotTrace) GTEST_SKIP() << "processes cannot be traced here";
        ASSERT_EQ(status, 0);
        EXPECT_EQ(logWrites, 2) << "a part of the record, then a write that fails, was expected";
        std::string text = readFile(path);
        EXPECT_EQ(text, appendAfter ? before + text.substr(800, 200) + after : before);
        EXPECT_EQ(readFile(errors).find("partial line") != std::string::npos, appendAfter);
    }
}

// With SIGXFSZ ignored, as the program runs, a line costs its write and no other system call:
// catches a size-limit check, or anything else, that asks the system on every line.
TEST(LogDestFile, ALineCostsOnlyItsWrite) {
    TempDir dir;
    std::string path = dir / "calls.log", errors = dir / "errors";
    std::string canonicalPath = std::filesystem::weakly_canonical(path).string();
    bool firstWritten = false;
    int laterWrites = 0;
    std::vector<uint64_t> otherCalls;  // between the first line's write and the last one's
    auto body = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        LogDestFile* dest = newFileDest("testcalls", path);
        for (int i = 0; i < 10; ++i)
            dest->write(30, "Src", "line");
    };
    auto atSyscall = [&](pid_t child, const __ptrace_syscall_info& info) {
        if (info.op != PTRACE_SYSCALL_INFO_ENTRY) return;
        if (info.entry.nr == SYS_write &&
            descriptorPath(child, info.entry.args[0]) == canonicalPath) {
            laterWrites += firstWritten;
            firstWritten = true;
        } else if (firstWritten && laterWrites < 9) {
            otherCalls.push_back(info.entry.nr);
        }
    };
    int status = runTraced(errors, body, atSyscall);
    if (status == kCannotTrace) GTEST_SKIP() << "processes cannot be traced here";
    ASSERT_EQ(status, 0);
    EXPECT_EQ(laterWrites, 9);
    EXPECT_THAT(otherCalls, testing::IsEmpty()) << "system call numbers";
}

// Another instance creates the log file just before this one's exclusive open, and a third moves
// it away right after: the open is tried again rather than given up.
TEST(LogDestFile, OpeningAgainWhenAnotherInstanceMovedTheFile) {
    TempDir dir;
    std::string path = dir / "app.log", moved = dir / "app.log.moved", errors = dir / "errors";
    int step = 0;
    auto body = [&] { newFileDest("testreopen", path)->write(0, "Src", "line"); };
    auto atSyscall = [&](pid_t, const __ptrace_syscall_info& info) {
        if (step == 0 && info.op == PTRACE_SYSCALL_INFO_ENTRY && info.entry.nr == SYS_openat &&
            (info.entry.args[2] & O_EXCL) && ++step)
            writeFile(path, "another instance\n");
        else if (step == 1 && info.op == PTRACE_SYSCALL_INFO_EXIT && ++step)
            std::filesystem::rename(path, moved);
    };
    int status = runTraced(errors, body, atSyscall);
    if (status == kCannotTrace) GTEST_SKIP() << "processes cannot be traced here";
    ASSERT_EQ(status, 0);
    EXPECT_EQ(step, 2);
    EXPECT_EQ(readFile(moved), "another instance\n");
    EXPECT_THAT(readFile(path), testing::EndsWith("Src: line\n"));
    EXPECT_EQ(readFile(errors), "");
}

// Right after this instance opened the log file, another rotates it aside and prunes it: the
// file is removed ("removed"), every time ("always removed"), or the pruner holds its lock at that
// moment ("held"). The name is opened again, a bounded number of times, and a refusal names what
// it saw.
TEST(LogDestFile, OpeningAgainWhenAnotherInstancePrunedTheFile) {
    for (std::string kind : {"removed", "always removed", "held"}) {
        TempDir dir;
        std::string path = dir / "app.log", errors = dir / "errors", rotated = dir / "app.log.1";
        std::string canonicalPath = std::filesystem::weakly_canonical(path).string();
        int opens = 0, pruner = -1;
        bool inOpen = false;
        auto body = [&] { newFileDest("testpruned", path)->write(0, "Src", "line"); };
        auto atSyscall = [&](pid_t child, const __ptrace_syscall_info& info) {
            if (info.op == PTRACE_SYSCALL_INFO_ENTRY) {
                inOpen = info.entry.nr == SYS_openat;
                return;
            }
            if (!inOpen || info.exit.rval < 0 ||
                descriptorPath(child, uint64_t(info.exit.rval)) != canonicalPath ||
                (opens++ > 0 && kind != "always removed"))
                return;
            if (kind != "held") {
                unlink(path.c_str());
                return;
            }
            rename(path.c_str(), rotated.c_str());
            pruner = open(rotated.c_str(), O_RDONLY | O_CLOEXEC);
            flock(pruner, LOCK_EX);
        };
        int status = runTraced(errors, body, atSyscall);
        if (pruner >= 0) close(pruner);
        if (status == kCannotTrace) GTEST_SKIP() << "processes cannot be traced here";
        ASSERT_EQ(status, 0) << kind;
        if (kind == "always removed") {
            EXPECT_GT(opens, 1);
            EXPECT_THAT(readFile(errors),
                        testing::MatchesRegex("Error opening log file: Error "
                                              "opening \"[^\n]*\": no link[^\n]*\n"));
            continue;
        }
        EXPECT_EQ(opens, 2) << kind;
        EXPECT_THAT(readFile(path), testing::EndsWith("Src: line\n")) << kind;
        EXPECT_EQ(readFile(errors), "") << kind;
    }
}

// An instance keeps the log it writes from being pruned, also after another instance rotated it
// aside; once the instance has ended, its log is pruned as any other.
TEST(LogDestFile, PruningPassesOverTheLogOfARunningInstance) {
    TempDir dir;
    std::string path = dir / "app.log";
    LogDestFile::logKeepDaysParam().setParam("0", 10);
    int wrote[2], proceed[2];
    ASSERT_EQ(pipe(wrote), 0);
    ASSERT_EQ(pipe(proceed), 0);
    pid_t child = fork();
    if (child == 0) {
        char go;
        LogDestFile* dest = newFileDest("testrunning", path);
        dest->write(0, "Src", "running first");
        (void)!::write(wrote[1], "w", 1);
        (void)!read(proceed[0], &go, 1);
        dest->write(0, "Src", "running second");
        _exit(0);
    }
    char go;
    ASSERT_EQ(read(wrote[0], &go, 1), 1);
    // The second rotates the child's log aside, the third prunes with the child still writing.
    newFileDest("testrotating", path)->write(0, "Src", "rotating");
    newFileDest("testpruning", path)->write(0, "Src", "pruning");
    ASSERT_EQ(::write(proceed[1], "p", 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    std::string all = textOfEveryFile(dir);
    EXPECT_NE(all.find("Src: running first\n"), std::string::npos) << all;
    EXPECT_NE(all.find("Src: running second\n"), std::string::npos) << all;
    newFileDest("testended", path)->write(0, "Src", "ended");
    EXPECT_EQ(textOfEveryFile(dir).find("running"), std::string::npos);
    LogDestFile::logKeepDaysParam().unsetParam(10, true);
    for (int fd : {wrote[0], wrote[1], proceed[0], proceed[1]})
        close(fd);
}

// Instances that start together with one log folder each rotate the file they find: no rotated
// file is replaced, none fails to open because another moved or removed the file meanwhile, and
// none prunes the log of another that still runs.
TEST(LogDestFile, InstancesStartingTogetherKeepEveryLog) {
    const int rounds = 3, instances = 20;
    for (const char* keepDays : {"30", "0"}) {
        TempDir dir;
        LogDestFile::logKeepDaysParam().setParam(keepDays, 10);
        for (int round = 0; round < rounds; ++round) {
            // Each pipe is told by the close of its writing ends: the start, every instance of
            // the round has written, the end.
            int start[2], wrote[2], end[2];
            ASSERT_EQ(pipe(start), 0);
            ASSERT_EQ(pipe(wrote), 0);
            ASSERT_EQ(pipe(end), 0);
            for (int i = 0; i < instances; ++i)
                if (fork() == 0) {
                    char go;
                    close(start[1]);
                    close(end[1]);
                    (void)!read(start[0], &go, 1);
                    std::string text =
                        "instance " + std::to_string(round) + "." + std::to_string(i);
                    newFileDest("testinstances", dir / "app.log")->write(0, "Src", text.c_str());
                    close(wrote[1]);
                    (void)!read(end[0], &go, 1);
                    _exit(0);
                }
            close(wrote[1]);
            close(start[1]);
            char go;
            (void)!read(wrote[0], &go, 1);
            std::string all = textOfEveryFile(dir);
            close(end[1]);
            for (int fd : {start[0], wrote[0], end[0]})
                close(fd);
            while (wait(nullptr) > 0) {
            }
            for (int i = 0; i < instances; ++i) {
                std::string line =
                    "Src: instance " + std::to_string(round) + "." + std::to_string(i);
                EXPECT_NE(all.find(line + "\n"), std::string::npos) << line << " keep " << keepDays;
            }
        }
    }
    LogDestFile::logKeepDaysParam().unsetParam(10, true);
}

// Writers on several threads while the setting and CompactLog change (under ThreadSanitizer too).
TEST(LogDestFile, WritersOnSeveralThreadsWhileTheSettingChanges) {
    TempDir dir;
    newFileDest("testthreads", dir / "t.log");
    const char* const settings[] = {"FileTest:testthreads:100",
                                    "FileTest:testthreads:100,Other*:testthreads:5"};
    plat::LogSrc::setLogSetting(settings[0]);
    const int tablesSettled = plat::LogSrc::tableCount();
    // A compact line, then a full one: a removal that tells no callback counts as well.
    LogDestFile::compactLogParam().setParam("1", 10);
    fileTestLog.info("line from a writer");
    LogDestFile::compactLogParam().unsetParam(10, false);
    fileTestLog.info("line from a writer");
    std::atomic<bool> stop{false};
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([&stop] {
            for (int n = 0; n < 200 || !stop.load(); ++n)
                fileTestLog.info("line from a writer");
        });
    for (int i = 0; i < 400; ++i) {
        plat::LogSrc::setLogSetting(settings[i % 2]);
        LogDestFile::compactLogParam().unsetParam(10, true);
        if (i % 2) LogDestFile::compactLogParam().setParam("1", 10);
    }
    stop.store(true);
    for (auto& w : writers)
        w.join();
    // Every table replaced meanwhile is freed by the first application no writer overlaps.
    plat::LogSrc::setLogSetting(settings[0]);
    EXPECT_EQ(plat::LogSrc::tableCount(), tablesSettled);
    plat::LogSrc::setLogSetting(nullptr);

    // Lines never interleave: every line is whole, in one format or the other.
    std::string all = readFile(dir / "t.log");
    const std::string compact =
        "[0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3} FileTest: line from a writer";
    EXPECT_THAT(all.substr(0, all.find("\n<")), testing::MatchesRegex(compact));
    std::istringstream text(all);
    int lines = 0;
    for (std::string line; std::getline(text, line); ++lines)
        EXPECT_THAT(
            line, testing::MatchesRegex("(" + compact + "|<14> .* FileTest: line from a writer)"));
    EXPECT_GE(lines, 800);
}

}  // namespace
