// Helpers of the tests: a fresh directory per test, file access that does not go through the
// code under test, the capture of what a call threw, a file size limit for a child process and
// writers that run at once as threads or as processes.
#pragma once

#include "plat/Exception.h"
#include "plat/tests/TempDir.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

inline void writeFile(const std::string& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << contents;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline mode_t modeOf(const std::string& path) {
    struct stat st;
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

// The names of the entries of `directory`.
inline std::set<std::string> namesIn(const std::string& directory) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

// What a call threw: error -1 when nothing, 0 for a plat::Exception without errno.
struct Failure {
    int error = -1;
    std::string message;
};

template <typename Call>
Failure failureOf(Call call) {
    try {
        call();
    } catch (const plat::SystemException& e) {
        return {e.errorNumber(), e.message()};
    } catch (const plat::Exception& e) {
        return {0, e.message()};
    }
    return {};
}

// For a child process: no file may grow beyond `bytes`. With `ignoreSignal` a write past the
// limit fails with EFBIG; otherwise SIGXFSZ ends the process, as in a program that never set it.
inline void limitFileSize(rlim_t bytes, bool ignoreSignal) {
    std::signal(SIGXFSZ, ignoreSignal ? SIG_IGN : SIG_DFL);
    struct rlimit limit;
    limit.rlim_cur = limit.rlim_max = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

// Starts every writer at once, as threads or as child processes (ended after a minute), and
// calls `reader` over and over until all have ended. Returns how many writers failed: returned
// false, threw or died.
inline int runWritersWhileReading(const std::vector<std::function<bool()>>& writers,
                                  bool asProcesses, const std::function<void()>& reader) {
    auto succeeds = [](const std::function<bool()>& writer) {
        try {
            return writer();
        } catch (...) {
            return false;
        }
    };
    std::vector<pid_t> children;
    for (size_t i = 0; asProcesses && i < writers.size(); i++) {
        children.push_back(fork());
        if (children.back() != 0) continue;
        alarm(60);
        _exit(succeeds(writers[i]) ? 0 : 1);
    }
    std::atomic<int> running(int(writers.size())), failures(0);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < writers.size(); i++)
        threads.emplace_back([&, i] {
            int status = 0;
            bool ok = asProcesses ? waitpid(children[i], &status, 0) == children[i] &&
                                        WIFEXITED(status) && WEXITSTATUS(status) == 0
                                  : succeeds(writers[i]);
            failures += !ok;
            running--;
        });
    while (running > 0)
        reader();
    for (auto& thread : threads)
        thread.join();
    return failures;
}
