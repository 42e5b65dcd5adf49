#include "os/OpenUrl.h"

#include "plat/LogSrc.h"
#include "plat/tests/TempDir.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// A stand-in opener: a script whose output goes into a FIFO, which the test reads with a
// deadline instead of sleeping, and which then runs `after` (openUrl waiting `waitMs`).
class FakeOpener {
public:
    explicit FakeOpener(const std::string& body, const std::string& after = "", int waitMs = -1) {
        std::string fifo = tmp_ / "record", script = tmp_ / "opener";
        mkfifo(fifo.c_str(), 0600);
        std::ofstream(script) << "#!/bin/sh\n{ " << body << "; } > '" << fifo << "'\n"
                              << after << "\n";
        chmod(script.c_str(), 0700);
        readFd_ = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        os::setUrlLauncherForTesting(script.c_str(), waitMs);
    }
    ~FakeOpener() {
        os::setUrlLauncherForTesting(nullptr);
        close(readFd_);
    }
    // What the script wrote, once it closed the FIFO (which it first opened, so no end before).
    std::string recorded() {
        std::string text;
        char buffer[512];
        pollfd p = {readFd_, POLLIN, 0};
        while (poll(&p, 1, 10000) > 0) {
            ssize_t got = read(readFd_, buffer, sizeof buffer);
            if (got == 0) return text;
            if (got > 0) text.append(buffer, size_t(got));
        }
        return "<no end within 10 s>";
    }

private:
    TempDir tmp_;
    int readFd_ = -1;
};

// Each URL arrives as the one and only argument, byte for byte: a shell on the way would split,
// expand or run the special characters. Afterwards no child is left to reap: neither the
// launcher as a zombie nor the opener (which could be a browser in the foreground).
TEST(OpenUrl, WellFormedUrlReachesTheOpenerAsOneUntouchedArgument) {
    for (const char* url :
         {"https://example.com/s?q=a;$(touch%20x)&b='c'*#frag", "http://[::1]:8080/a?c=d!e,f",
          "mailto:user@example.com", "x-custom+v1.0:thing", "HTTP://X/%7Euser%2f", "about:"}) {
        FakeOpener opener("printf '%s\\n%s' \"$#\" \"$1\"");
        ASSERT_TRUE(os::openUrl(url)) << url;
        EXPECT_EQ(opener.recorded(), std::string("1\n") + url);
        EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
        EXPECT_EQ(errno, ECHILD);
    }
}

// Each would be started, and so give true, if the check let it through: schemes that are
// missing or badly formed, and blanks, controls, non-ASCII, broken escapes and characters that
// are special to a shell in the rest.
TEST(OpenUrl, MalformedUrlIsRefusedBeforeAnythingStarts) {
    FakeOpener opener("printf started");
    for (const char* url : {"", "example.com", ":x", "1http://x", "-x:y", "ht_tp://x"})
        EXPECT_FALSE(os::openUrl(url)) << url;
    const char* rests[] = {" b",  "\na", "\x7f", "\xc3\xa9", "%zz", "%4",   "%",
                           "<a>", "a|b", "\"",   "a\\b",     "{a}", "`id`", "^"};
    for (const char* rest : rests)
        EXPECT_FALSE(os::openUrl((std::string("http://x/") + rest).c_str())) << rest;
    EXPECT_FALSE(os::openUrl(nullptr));
}

// The exec fails in a grandchild, after the calls the caller sees have all succeeded.
TEST(OpenUrl, OpenerThatCannotStartGivesFalse) {
    TempDir tmp;
    std::ofstream(tmp / "not-executable") << "#!/bin/sh\n";
    for (const std::string& program :
         {tmp / "missing", tmp / "not-executable", tmp.path(), std::string("no-such-opener")}) {
        os::setUrlLauncherForTesting(program.c_str());
        EXPECT_FALSE(os::openUrl("https://example.com/")) << program;
    }
    os::setUrlLauncherForTesting(nullptr);
}

// Catches a launch counted as done once the launcher has started: it may still fail (no
// application for the URL), and only its exit status says so; a caller that ignores SIGCHLD must
// not make that status unknowable.
TEST(OpenUrl, LauncherThatReportsFailureGivesFalse) {
    struct Case {
        const char* body;
        bool opened;
    } const cases[] = {
        {"exit 0", true}, {"exit 1", false}, {"exit 4", false}, {"kill -KILL $$", false}};
    for (bool ignoreChildren : {false, true}) {
        auto previous = signal(SIGCHLD, ignoreChildren ? SIG_IGN : SIG_DFL);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.body) + (ignoreChildren ? ", SIGCHLD ignored" : ""));
            FakeOpener opener(std::string("printf done; ") + c.body);
            EXPECT_EQ(os::openUrl("https://example.com/"), c.opened);
            EXPECT_EQ(opener.recorded(), "done");
        }
        signal(SIGCHLD, previous);
    }
}

// Catches a wait without a bound (a browser that the opener runs in the foreground would hold
// the click until it is closed), an opener still running at the bound counted as failed, and a
// bound that has passed before the wait begins taken for none (a wait for the opener's end).
TEST(OpenUrl, LauncherStillRunningAtTheBoundHasStartedTheApplication) {
    const struct {
        int waitMs;
        const char* sleep;
        long long belowMs;  // the call returns at the bound, well before this
    } cases[] = {
        {300, "exec sleep 60", 5000},
        {0, "exec sleep 3", 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.waitMs);
        FakeOpener opener("echo $$", std::string(c.sleep) + " >/dev/null 2>&1", c.waitMs);
        auto start = std::chrono::steady_clock::now();
        bool opened = os::openUrl("https://example.com/");
        long long tookMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count();
        EXPECT_TRUE(opened);
        EXPECT_GE(tookMs, c.waitMs);
        EXPECT_LT(tookMs, c.belowMs);
        std::string pid = opener.recorded();
        ASSERT_EQ(kill(std::stoi(pid), SIGKILL), 0) << pid;
    }
}

// A caller that ignores SIGPIPE or SIGXFSZ or blocks signals must not hand that on: a browser
// that ignores SIGPIPE never dies on a closed pipe. Read by the exec'd program itself, since a
// shell blocks signals around its own forks.
TEST(OpenUrl, OpenerStartsWithDefaultSignalState) {
    sigset_t blockUsr1, previousMask;
    sigemptyset(&blockUsr1);
    sigaddset(&blockUsr1, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &blockUsr1, &previousMask);
    auto previousPipe = signal(SIGPIPE, SIG_IGN);
    auto previousFileSize = signal(SIGXFSZ, SIG_IGN);
    FakeOpener opener("exec grep -E '^Sig(Blk|Ign)' /proc/self/status");
    bool started = os::openUrl("https://example.com/");
    std::string status = opener.recorded();
    signal(SIGXFSZ, previousFileSize);
    signal(SIGPIPE, previousPipe);
    pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);

    ASSERT_TRUE(started);
    for (const char* line : {"SigBlk:", "SigIgn:"}) {
        size_t at = status.find(line);
        ASSERT_NE(at, std::string::npos) << status;
        // Bit n-1 stands for signal n: SIGUSR1 (10) is 0x200, SIGPIPE (13) is 0x1000, SIGXFSZ
        // (25) is 0x1000000.
        EXPECT_EQ(std::stoull(status.substr(at + 7), nullptr, 16) & 0x1001200, 0u) << status;
    }
}

// Links in markup are opened through here. The markup's log source registers itself from the
// whole-linked archive, though nothing in this binary names the markup.
TEST(OpenUrl, MarkupLogSourceIsPresentUnnamed) {
    bool found = false;
    for (plat::LogSrc* source = plat::LogSrc::first(); source; source = source->next())
        found = found || std::string(source->name()) == "MarkupParser";
    EXPECT_TRUE(found);
}

}  // namespace
