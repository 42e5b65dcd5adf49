#include "plat/DString.h"
#include <gtest/gtest.h>
TEST(Smoke, Builds) { plat::DString d("%d", 5); EXPECT_STREQ(d.get(), "5"); }
