#include "product/Product.h"

#include "plat/ConfigParameter.h"
#include "plat/LogDest.h"
#include "plat/LogDestFile.h"
#include "plat/LogSrc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

plat::LogSrc productTestLog("ProductTest");

bool equal(const plat::String& a, const char* b) {
    return a.get() && std::strcmp(a.get(), b) == 0;
}

TEST(ProductInitDeathTest, SetsTheLogDefaultsAndDestinations) {
    EXPECT_EXIT(
        {
            product::init({"tsryconnectsetup", "tqKivSetup_setupapp_name_r", "*:file:100"});
            const char* dir = geteuid() == 0 ? "/Library/Logs" : "$HOME/Library/Logs/qdx";
            bool ok =
                equal(plat::LogDestFile::logDirParam().getValueStrAt(0), dir) &&
                equal(plat::LogDestFile::logFileParam().getValueStrAt(0), "tsryconnectsetup.log") &&
                equal(plat::logParam().getValueStrAt(0), "*:file:100") &&
                plat::LogDest::find("STDERR") && plat::LogDest::find("file") &&
                // File logging was not asked for: the file destination has no file yet.
                !plat::LogDestFile::getFileDest()->isActive();
            std::exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "^$");
}

TEST(ProductInitDeathTest, WithoutASettingLogsToStandardError) {
    EXPECT_EXIT(
        {
            product::init({"prog"});
            productTestLog.writeAtLevel(10, "shown");
            productTestLog.writeAtLevel(11, "hidden");
            std::exit(equal(plat::logParam().getValueStr(), "*:stderr:10") ? 0 : 1);
        },
        testing::ExitedWithCode(0), "ProductTest: shown\n$");
}

}  // namespace
