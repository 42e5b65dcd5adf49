#include "os/HostName.h"

#include <sys/utsname.h>

#include <gtest/gtest.h>

// The kernel's node name is what gethostname reads here; it is taken from uname so that the
// test does not restate the code.
TEST(HostName, IsTheKernelNodeName) {
    utsname system;
    ASSERT_EQ(uname(&system), 0);
    EXPECT_STREQ(os::getLocalHostName().get(), system.nodename);
}
