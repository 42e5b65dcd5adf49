#include "plat/BuiltinData.h"

#include "FileTestUtil.h"
#include "os/AppInfo.h"

namespace {

std::string text(const plat::BuiltinData& blob) {
    return blob.data ? std::string(reinterpret_cast<const char*>(blob.data), blob.size) : "<null>";
}

// Catches: the file read again on each call (a pointer given out earlier would change under
// its user), a failure remembered so that a file that appears later is never found, names
// that reach files outside the resource directory, and a resource directory not kept as a copy.
TEST(BuiltinData, FilesAreReadOnceFailuresRetriedAndNamesConfined) {
    TempDir tmp;
    std::string resources = tmp / "res";
    std::filesystem::create_directories(resources + "/sub");
    os::setResourceDir(std::string(resources).c_str());
    static const char registered[] = "registered";
    plat::registerBuiltinData("reg.txt", 10, registered);
    writeFile(resources + "/reg.txt", "from file");
    EXPECT_EQ(text(plat::getBuiltinData("reg.txt")), "registered");

    writeFile(resources + "/once.txt", "version 1");
    plat::BuiltinData first = plat::getBuiltinData("once.txt");
    writeFile(resources + "/once.txt", "version 2 is longer");
    plat::BuiltinData second = plat::getBuiltinData("once.txt");
    EXPECT_EQ(text(first), "version 1");
    EXPECT_EQ(second.data, first.data);
    EXPECT_EQ(text(second), "version 1");

    EXPECT_EQ(text(plat::getBuiltinData("later.txt")), "<null>");
    writeFile(resources + "/later.txt", "now here");
    EXPECT_EQ(text(plat::getBuiltinData("later.txt")), "now here");

    writeFile(tmp / "secret", "secret");
    for (std::string name :
         {std::string("../secret"), std::string("sub/../../secret"), tmp / "secret"})
        EXPECT_EQ(text(plat::getBuiltinData(name.c_str())), "<null>") << name;

    os::setResourceDir(nullptr);
    EXPECT_EQ(text(plat::getBuiltinData("nowhere.txt")), "<null>");
}

}  // namespace
