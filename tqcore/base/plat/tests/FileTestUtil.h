// Helpers of the tests: a fresh directory per test, file access that does not go through the
// code under test, and the capture of what a call threw.
#pragma once

#include "plat/Exception.h"
#include "plat/tests/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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
