#include "product/Product.h"

#include "os/AppInfo.h"
#include "plat/ConfigParameter.h"
#include "plat/LogDest.h"
#include "plat/LogDestFile.h"
#include "plat/LogSrc.h"
#include "plat/tests/FileTestUtil.h"
#include "tqutil/ConfigStoreFile.h"

#include <gtest/gtest.h>

#include <csignal>
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

void onFileSizeSignal(int) {}

// Catches a program that a write past a file size limit ends (SIGXFSZ left at its default), and
// a start-up that throws away a handler the process installed itself.
TEST(ProductInitDeathTest, IgnoresSIGXFSZUnlessTheProcessChoseOtherwise) {
    using Handler = void (*)(int);
    const std::pair<Handler, Handler> cases[] = {{SIG_DFL, SIG_IGN},
                                                 {onFileSizeSignal, onFileSizeSignal}};
    for (const auto& [before, after] : cases)
        EXPECT_EXIT(
            {
                std::signal(SIGXFSZ, before);
                product::init({"prog"});
                std::exit(std::signal(SIGXFSZ, SIG_DFL) == after ? 0 : 1);
            },
            testing::ExitedWithCode(0), "");
}

// Catches: the profile directory not defaulted to "$HOME/.qdx", the directory texts not
// filled, and a store that does not read the user's own file.
TEST(ProductInitDeathTest, FillsTheConfigurationDirectoriesAndStore) {
    TempDir home;
    std::string profile = home / ".qdx";
    EXPECT_EXIT(
        {
            setenv("HOME", home.path().c_str(), 1);
            unsetenv("QDX_PROFILE_DIR");
            std::filesystem::create_directories(profile + "/config.d");
            writeFile(profile + "/config.d/prog", "LogKeepDays=7\n");
            product::init({"prog"});
            tqutil::ConfigStore::instance()->loadAll(false, nullptr);
            bool ok =
                profile == std::getenv("QDX_PROFILE_DIR") &&
                std::string(os::getSystemConfigDir()) == "/etc/qdx" &&
                os::getUserConfigFile() == profile + "/config.d/prog" &&
                equal(plat::Configuration::global()->getParam("LogKeepDays")->getValueStrAt(10),
                      "7");
            std::exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
