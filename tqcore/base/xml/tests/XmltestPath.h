// Where James Clark's xmltest lies: in the shared test data beside the project's clone (or
// beside the folder of worktrees).
#pragma once

#include <cstdlib>
#include <filesystem>

namespace xmltest {

inline std::filesystem::path suitePath(const char* sub) {
    const char* source = std::getenv("TQ_TEST_SOURCE_DIR");
    for (auto dir = std::filesystem::absolute(source ? source : "."); dir.has_relative_path();
         dir = dir.parent_path())
        if (std::filesystem::is_directory(dir.parent_path() / "shared/testdata/xml/xmltest"))
            return dir.parent_path() / "shared/testdata/xml/xmltest" / sub;
    return sub;
}

}  // namespace xmltest
