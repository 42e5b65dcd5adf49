#include "os/OpenUrl.h"

#include "plat/String.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace os {

namespace {

const char* const kDesktopOpener = "xdg-open";

// Long enough for the opener to find the application and hand the URL over, or to say there
// is none; short enough for a click on a link to wait.
constexpr int kLauncherWaitMs = 2000;

plat::String launcherOverride;  // set by tests; null: the desktop's opener
int launcherWaitMs = kLauncherWaitMs;

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isHexDigit(char c) {
    return isAsciiDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool isWellFormedUrl(const char* url) {
    if (!isAsciiLetter(url[0])) return false;
    const char* p = url + 1;
    while (isAsciiLetter(*p) || isAsciiDigit(*p) || *p == '+' || *p == '-' || *p == '.')
        ++p;
    if (*p != ':') return false;
    for (++p; *p; ++p) {
        char c = *p;
        if (c == '%') {
            if (!isHexDigit(p[1]) || !isHexDigit(p[2])) return false;
            p += 2;
        } else if (!isAsciiLetter(c) && !isAsciiDigit(c) &&
                   !std::strchr("-._~:/?#[]@!$&'()*+,;=", c)) {
            return false;
        }
    }
    return true;
}

// The watcher: starts `program` with its arguments, waits for it and writes its wait status to
// `report` (an exec that fails shows as exit status 127). Runs in a child of a multithreaded
// process, so only async-signal-safe calls: other threads may have held locks at the fork.
[[noreturn]] void runWatcher(const char* program, char* const argv[], int report) {
    // The status must be had even when the caller ignores SIGCHLD (the system would reap the
    // launcher), and the launcher must not inherit that either.
    signal(SIGCHLD, SIG_DFL);
    pid_t launcher = fork();
    if (launcher < 0) _exit(1);
    if (launcher == 0) {
        // The launcher starts with a clean signal state, whatever this process blocks or
        // ignores for its own sockets and files.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        signal(SIGPIPE, SIG_DFL);
        signal(SIGXFSZ, SIG_DFL);
        execvp(program, argv);
        _exit(127);
    }
    int status = 0;
    pid_t waited;
    while ((waited = waitpid(launcher, &status, 0)) < 0 && errno == EINTR) {
    }
    if (waited == launcher) {
        ssize_t ignored = write(report, &status, sizeof status);
        (void)ignored;
    }
    _exit(0);
}

int millisecondsUntil(std::chrono::steady_clock::time_point deadline) {
    auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return int(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

// Runs `program` with `url` as its only argument and waits up to `waitMs` for its verdict: true
// when it exits with status 0 or is still running then (it has started the application and may
// stay with it, as a browser run in the foreground does), false when it cannot be started,
// fails or is killed. The launcher runs under a watcher that the caller's own child leaves to
// the system at once, so the caller never has a child left to reap, however long the launcher
// runs.
bool launchDetached(const char* program, const char* url, int waitMs) {
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;
    char* const argv[] = {const_cast<char*>(program), const_cast<char*>(url), nullptr};
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);

    pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0) {
        close(report[0]);
        pid_t watcher = fork();
        if (watcher == 0) runWatcher(program, argv, report[1]);
        _exit(0);
    }

    close(report[1]);
    // ECHILD: the process ignores SIGCHLD and the system reaped the child already.
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    pollfd ready = {report[0], POLLIN, 0};
    int polled;
    while ((polled = poll(&ready, 1, millisecondsUntil(deadline))) < 0 && errno == EINTR) {
    }
    int status = 0;
    ssize_t got = -1;
    if (polled > 0) {
        while ((got = read(report[0], &status, sizeof status)) < 0 && errno == EINTR) {
        }
    }
    close(report[0]);
    if (polled == 0) return true;  // still running at the bound
    // End of file without a status: the watcher could not start the launcher.
    return got == sizeof status && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool openUrl(const char* url) noexcept {
    if (!url || !isWellFormedUrl(url)) return false;
    const char* program = launcherOverride.isNull() ? kDesktopOpener : launcherOverride.get();
    return launchDetached(program, url, launcherWaitMs);
}

void setUrlLauncherForTesting(const char* program, int waitMs) {
    launcherOverride = program;
    launcherWaitMs = program && waitMs >= 0 ? waitMs : kLauncherWaitMs;
}

}  // namespace os
