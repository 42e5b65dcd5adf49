// Where James Clark's xmltest lies: the folder named by the environment variable TQ_XMLTEST_DIR,
// the one that holds valid/, invalid/ and not-wf/. The suite may be passed on only as its
// unmodified archive, so it stays outside the project and each machine says where it unpacked
// it. A test that needs it skips when the variable is unset and fails when the variable names
// no such folder, so that a wrong path in CI cannot pass as a skip.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace xmltest {

constexpr const char* kDirVariable = "TQ_XMLTEST_DIR";

struct SuiteRoot {
    std::filesystem::path path;  // the folder the variable names, made absolute
    bool unset = false;          // the variable is not in the environment at all
    std::string problem;         // why the suite cannot be had; empty when it is there
};

// Reads TQ_XMLTEST_DIR. A relative value is taken from the project's source root
// (TQ_TEST_SOURCE_DIR, which ctest sets for every test; the current directory without it):
// ctest runs each binary inside the build tree, where a path written from the clone would miss.
// An empty value names no folder, like a wrong one: a problem, not "unset".
inline SuiteRoot findSuiteRoot() {
    namespace fs = std::filesystem;
    SuiteRoot root;
    const char* value = std::getenv(kDirVariable);
    if (!value) {
        root.unset = true;
        root.problem = std::string(kDirVariable) +
                       " is not set: it names the folder of James Clark's xmltest (the one "
                       "holding valid/ and not-wf/), which the project does not ship";
        return root;
    }
    fs::path path(value);
    if (path.is_relative()) {
        const char* source = std::getenv("TQ_TEST_SOURCE_DIR");
        std::error_code ec;
        path = (source ? fs::path(source) : fs::current_path(ec)) / path;
    }
    root.path = path.lexically_normal();
    std::error_code ec;
    if (!*value)
        root.problem = std::string(kDirVariable) + " is set but empty";
    else if (!fs::is_directory(root.path / "valid", ec) ||
             !fs::is_directory(root.path / "not-wf", ec))
        root.problem = std::string(kDirVariable) + "=" + value + ": no xmltest at " +
                       root.path.string() + " (no valid/ and not-wf/ folders there)";
    return root;
}

}  // namespace xmltest

// Opens a test that needs the suite: binds `root` (a const std::filesystem::path&) to its
// folder, skips the test when TQ_XMLTEST_DIR is unset and fails it when the variable names no
// suite.
#define XMLTEST_SUITE_ROOT(root)                                              \
    const ::xmltest::SuiteRoot root##Found = ::xmltest::findSuiteRoot();      \
    if (root##Found.unset) GTEST_SKIP() << root##Found.problem;               \
    if (!root##Found.problem.empty()) FAIL() << root##Found.problem;          \
    const std::filesystem::path& root = root##Found.path
