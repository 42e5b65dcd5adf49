// The helper's log channel end to end, with the test helper as a real child process.
#include "plat/LogDestFile.h"
#include "plat/LogSrcViaIpc.h"
#include "plat/tests/FileTestUtil.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

plat::LogSrcViaIpc admin("Admin");

// Starts the helper with a pipe pair; the parent's ends are returned.
pid_t startHelper(const char* mode, int* readFd, int* writeFd) {
    int toChild[2], toParent[2];
    if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(toParent, O_CLOEXEC) != 0) return -1;
    std::string in = std::to_string(toChild[0]), out = std::to_string(toParent[1]);
    const char* path = TQ_LOG_CHANNEL_HELPER;
    pid_t pid = fork();
    if (pid == 0) {
        fcntl(toChild[0], F_SETFD, 0);
        fcntl(toParent[1], F_SETFD, 0);
        execl(path, path, in.c_str(), out.c_str(), mode, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(toChild[0]);
    close(toParent[1]);
    *readFd = toParent[0];
    *writeFd = toChild[1];
    return pid;
}

// The lines of `text` that contain "Admin: Child: level".
std::vector<std::string> childLines(const std::string& text) {
    std::vector<std::string> found;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        size_t at = line.find("Admin: Child: level");
        if (at != std::string::npos) found.push_back(line.substr(at));
        start = end + 1;
    }
    return found;
}

TEST(LogChannel, ChildLinesReachTheLogFileAndTheChildObeysANewLevel) {
    signal(SIGPIPE, SIG_IGN);
    TempDir dir;
    std::string path = dir / "setup.log";
    plat::LogDestFile* file = plat::LogDestFile::fileDest("tsryconnectsetup", false);
    file->setFileName(path.c_str());
    plat::LogSrc::setLogSetting("Admin:file:100");

    io::FdManager manager;
    int readFd, writeFd;
    pid_t pid = startHelper("levels", &readFd, &writeFd);
    ASSERT_GT(pid, 0);
    auto ipc = std::make_unique<io::MsgIpc>("Helper", readFd, writeFd, true);
    admin.enableIpc(ipc.get(), true);
    auto pumpUntilFileHas = [&](const std::string& wanted) {
        for (int pass = 0; pass < 100; ++pass) {
            if (readFile(path).find(wanted) != std::string::npos) return;
            manager.dispatch(1000);
        }
    };
    pumpUntilFileHas("level 100: 2 of 3 lines pass");
    // The parent's own setting changes: its level reaches the child, which filters at once.
    plat::LogSrc::setLogSetting("Admin:file:30");
    pumpUntilFileHas("level 30: 1 of 3 lines pass");
    ipc.reset();
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    EXPECT_THAT(childLines(readFile(path)),
                testing::ElementsAre("Admin: Child: level 100: line at 10",
                                     "Admin: Child: level 100: line at 50",
                                     "Admin: Child: level 100: 2 of 3 lines pass",
                                     "Admin: Child: level 30: line at 10",
                                     "Admin: Child: level 30: 1 of 3 lines pass"));
    plat::LogSrc::setLogSetting(nullptr);
    file->setFileName(nullptr);
}

}  // namespace
