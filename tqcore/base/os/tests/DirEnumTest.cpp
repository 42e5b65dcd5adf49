#include "os/DirEnum.h"

#include "plat/tests/TempDir.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> listAll(const std::string& directory) {
    std::map<std::string, std::string> entries;
    os::DirEnum dir(directory.c_str());
    for (const char* name = dir.next(); *name; name = dir.next())
        EXPECT_TRUE(entries.emplace(name, dir.path()).second) << "listed twice: " << name;
    EXPECT_STREQ(dir.path(), "");
    EXPECT_STREQ(dir.next(), "") << "the end does not stay the end";
    return entries;
}

// Catches: "." or ".." listed; names that merely begin with dots dropped; links or
// subdirectories left out; recursion; paths without the '/', or with two of them when the
// caller's directory ends in one.
TEST(DirEnum, ListsEveryEntryButDotAndDotDotWithFullPaths) {
    TempDir tmp;
    for (const char* name : {"plain.txt", ".hidden", "..double", "..."})
        std::ofstream(tmp / name) << "x";
    fs::create_directory(tmp / "sub");
    fs::create_directory(tmp / "empty");
    std::ofstream(tmp / "sub/nested") << "x";
    fs::create_symlink("missing", tmp / "dangling");

    std::map<std::string, std::string> expected;
    for (const char* name : {"plain.txt", ".hidden", "..double", "...", "sub", "empty", "dangling"})
        expected[name] = tmp / name;
    EXPECT_EQ(listAll(tmp.path()), expected);
    EXPECT_EQ(listAll(tmp.path() + "/"), expected);
    EXPECT_TRUE(listAll(tmp / "empty").empty());
}

// Callers tell "no such directory" by ENOENT and ENOTDIR, and read the path from the message.
TEST(DirEnum, UnopenableDirectoryThrowsSystemExceptionNamingThePath) {
    TempDir tmp;
    std::ofstream(tmp / "file") << "x";
    const std::pair<std::string, int> cases[] = {
        {tmp / "missing", ENOENT}, {tmp / "file", ENOTDIR}, {"", ENOENT}};
    for (const auto& [path, errorNumber] : cases) {
        try {
            os::DirEnum dir(path.c_str());
            ADD_FAILURE() << "no exception for " << path;
        } catch (const plat::SystemException& e) {
            EXPECT_EQ(e.errorNumber(), errorNumber) << path;
            EXPECT_EQ(std::string(e.message()).rfind("opendir(" + path + "): ", 0), 0u)
                << e.message();
        }
    }
}

// The descriptors open on `directory`, found through /proc rather than through the object.
std::vector<int> descriptorsOn(const std::string& directory) {
    std::vector<int> found;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::read_symlink(entry.path(), error) == directory)
            found.push_back(std::stoi(entry.path().filename().string()));
    }
    return found;
}

// Catches a descriptor that started programs inherit, and one left open after destruction.
TEST(DirEnum, DescriptorIsCloseOnExecAndClosedByTheDestructor) {
    TempDir tmp;
    {
        os::DirEnum dir(tmp.path().c_str());
        std::vector<int> open = descriptorsOn(tmp.path());
        ASSERT_EQ(open.size(), 1u);
        EXPECT_TRUE(fcntl(open[0], F_GETFD) & FD_CLOEXEC);
    }
    EXPECT_TRUE(descriptorsOn(tmp.path()).empty());
}

}  // namespace
