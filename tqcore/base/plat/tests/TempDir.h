// A fresh directory per test, removed with everything in it when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

class TempDir {
public:
    // Under `base`, or TMPDIR, or /tmp.
    explicit TempDir(std::string base = std::string()) {
        const char* tmp = std::getenv("TMPDIR");
        if (base.empty()) base = tmp && *tmp ? tmp : "/tmp";
        std::string pattern = base + "/tq_tests.XXXXXX";
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
