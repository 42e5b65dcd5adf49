// Helpers of the file tests: a fresh directory per test, and file access and failure capture
// that do not go through the code under test.
#pragma once

#include "plat/Exception.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

class TempDir {
public:
    // Under `base`, or TMPDIR, or /tmp.
    explicit TempDir(std::string base = std::string()) {
        const char* tmp = std::getenv("TMPDIR");
        if (base.empty()) base = tmp && *tmp ? tmp : "/tmp";
        std::string pattern = base + "/plat_tests.XXXXXX";
        if (mkdtemp(pattern.data())) path_ = pattern;
        EXPECT_FALSE(path_.empty()) << "mkdtemp failed";
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

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
