#include "os/AppInfo.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

struct Identity {
    const char* (*get)(bool);
    void (*set)(const char*);
    const char* assertion;  // extended regular expression
} const kIdentities[] = {
    {os::getAppName, os::setAppName, "Assertion 'emptyIfUnset \\|\\| app' failed"},
    {os::getAppPathComponent, os::setAppPathComponent,
     "Assertion 'emptyIfUnset \\|\\| pathComp' failed"},
};

// Catches: the caller's pointer kept instead of a copy; "" taken for unset; the flag ignored.
TEST(AppInfoDeathTest, IdentityIsACopyAndUnsetIsEmptyOnlyWithTheFlag) {
    for (const Identity& identity : kIdentities) {
        char caller[] = "Connect Setup";
        identity.set(caller);
        std::strcpy(caller, "changed");
        EXPECT_STREQ(identity.get(false), "Connect Setup");
        identity.set("");
        EXPECT_STREQ(identity.get(false), "");
        identity.set(nullptr);
        EXPECT_STREQ(identity.get(true), "");
        EXPECT_DEATH(identity.get(false), identity.assertion);
    }
}

// Compared by file identity, not by reading the same link again.
TEST(AppInfo, ModuleDirectoryHoldsTheRunningExecutable) {
    std::string dir = os::getModuleRelativePath().c_str();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.front(), '/');
    EXPECT_TRUE(dir == "/" || dir.back() != '/') << dir;
    struct stat listed, running;
    ASSERT_EQ(stat((dir + "/" + program_invocation_short_name).c_str(), &listed), 0) << dir;
    ASSERT_EQ(stat("/proc/self/exe", &running), 0);
    EXPECT_TRUE(listed.st_dev == running.st_dev && listed.st_ino == running.st_ino);
}

}  // namespace
