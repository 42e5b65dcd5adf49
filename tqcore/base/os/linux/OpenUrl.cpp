#include "os/OpenUrl.h"

#include "plat/String.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace os {

namespace {

const char* const kDesktopOpener = "xdg-open";

plat::String launcherOverride;  // set by tests; null: the desktop's opener

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

void writeErrorAndExit(int reportFd, int error) {
    ssize_t ignored = write(reportFd, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

// Starts `program` with `url` as its only argument in a grandchild, so that the opener (and a
// browser it may run in the foreground) never becomes a child the caller must reap. A pipe that
// closes on exec tells whether the exec happened: it reads end-of-file on success and the error
// number otherwise.
bool launchDetached(const char* program, const char* url) {
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;
    char* const argv[] = {const_cast<char*>(program), const_cast<char*>(url), nullptr};

    pid_t middle = fork();
    if (middle < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (middle == 0) {
        // Only async-signal-safe calls from here on: other threads may have held locks at fork.
        pid_t opener = fork();
        if (opener < 0) writeErrorAndExit(report[1], errno);
        if (opener == 0) {
            // The opener starts with a clean signal state, whatever this process blocks or
            // ignores for its own sockets.
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            signal(SIGPIPE, SIG_DFL);
            execvp(program, argv);
            writeErrorAndExit(report[1], errno);
        }
        _exit(0);
    }

    close(report[1]);
    int status = 0;
    pid_t waited;
    while ((waited = waitpid(middle, &status, 0)) < 0 && errno == EINTR) {
    }
    // ECHILD: the process ignores SIGCHLD, children are reaped by the system and only the pipe
    // tells the outcome.
    bool middleOk =
        waited == middle ? WIFEXITED(status) && WEXITSTATUS(status) == 0 : errno == ECHILD;
    int error = 0;
    ssize_t got;
    while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    close(report[0]);
    return middleOk && got == 0;
}

}  // namespace

bool openUrl(const char* url) noexcept {
    if (!url || !isWellFormedUrl(url)) return false;
    const char* program = launcherOverride.isNull() ? kDesktopOpener : launcherOverride.get();
    return launchDetached(program, url);
}

void setUrlLauncherForTesting(const char* program) {
    launcherOverride = program;
}

}  // namespace os
