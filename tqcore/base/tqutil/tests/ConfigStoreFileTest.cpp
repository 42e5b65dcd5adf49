#include "tqutil/ConfigStoreFile.h"

#include "os/AppInfo.h"
#include "plat/ConfigParameter.h"
#include "plat/tests/FileTestUtil.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace {

// The real layered directories under a temporary root: the installation "inst" (reached from
// the test binary's directory through ".."), the system "etc/qdx" and the user's profile.
class Layers {
public:
    Layers() {
        for (const char* sub : {"inst/config.d", "inst/policy.d", "etc/qdx/config.d",
                                "etc/qdx/policy.d", "home/.qdx/config.d"})
            std::filesystem::create_directories(root / sub);
        std::string up;
        for (char c : std::string(os::getModuleRelativePath().c_str()))
            if (c == '/') up += "../";
        os::setAppName("prog");
        os::setAppPathComponent((up + root.path().substr(1) + "/inst").c_str());
        os::setConfigDirs((root / "etc/qdx").c_str(), (root / "home/.qdx/config.d").c_str(),
                          userFile.c_str());
    }
    ~Layers() {
        os::setAppPathComponent(nullptr);
        os::setConfigDirs(nullptr, nullptr, nullptr);
    }
    TempDir root;
    std::string userFile = root / "home/.qdx/config.d/prog";
};

// Catches: files read in the wrong order, "common.custom" read in the user's directory, a
// policy beaten by a preference or left out, and one bad or unreadable file keeping the files
// after it (above all the policies) from being read.
TEST(ConfigStoreFile, LayersAndPolicyPrecedence) {
    const struct {
        std::vector<std::pair<const char*, const char*>> files;  // null contents: a directory
        bool policy;
        const char *expected, *errorPath;
    } cases[] = {
        {{{"etc/qdx/config.d/common", "setting=sys"}}, true, "sys", nullptr},
        {{{"inst/config.d/prog", "setting=inst"}, {"etc/qdx/config.d/common", "Setting=sys"}},
         true,
         "sys",
         nullptr},
        {{{"etc/qdx/config.d/prog", "setting=sp"}, {"home/.qdx/config.d/common", "setting=u"}},
         true,
         "u",
         nullptr},
        {{{"etc/qdx/config.d/common.custom", "setting=c"}, {"etc/qdx/config.d/common", "x=1"}},
         true,
         "c",
         nullptr},
        {{{"home/.qdx/config.d/common.custom", "setting=no"}}, true, "", nullptr},
        {{{"home/.qdx/config.d/prog", "setting=u"}, {"inst/policy.d/common", "setting=ip"}},
         true,
         "ip",
         nullptr},
        {{{"home/.qdx/config.d/prog", "setting=u"}, {"inst/policy.d/common", "setting=ip"}},
         false,
         "u",
         nullptr},
        {{{"inst/policy.d/prog", "setting=ip"}, {"etc/qdx/policy.d/common", "setting=sp"}},
         true,
         "sp",
         nullptr},
        {{{"home/.qdx/config.d/prog", "setting=\xC3"}, {"etc/qdx/policy.d/prog", "setting=p"}},
         true,
         "p",
         "home/.qdx/config.d/prog"},
        {{{"etc/qdx/config.d/common", nullptr}, {"home/.qdx/config.d/prog", "setting=u"}},
         true,
         "u",
         "etc/qdx/config.d/common"},
    };
    for (const auto& c : cases) {
        Layers layers;
        for (const auto& [name, contents] : c.files)
            contents ? writeFile(layers.root / name, contents)
                     : void(std::filesystem::create_directory(layers.root / name));
        plat::Configuration config("Test");
        plat::StringParameter setting("Setting", "d", "", false, &config);
        tqutil::ConfigStoreFile store;
        Failure failure = failureOf([&] { store.loadAll(c.policy, &config); });
        std::string label = c.files[0].first + std::string(c.policy ? " +policy" : "");
        EXPECT_STREQ(setting.getValueStr().get(), c.expected) << label;
        std::string error = c.errorPath ? "Error reading " + (layers.root / c.errorPath) : "";
        EXPECT_EQ(failure.message.substr(0, error.size()), error) << label;
        EXPECT_EQ(failure.error, c.errorPath ? 0 : -1) << label;
    }
}

// Catches: the user's changes going to another file, and the store not registered.
TEST(ConfigStoreFile, UserFile) {
    Layers layers;
    tqutil::ConfigStoreFile store;
    EXPECT_EQ(tqutil::ConfigStore::instance(), &store);
    plat::Configuration config("Test");
    plat::StringParameter setting("Setting", "d", "", false, &config);
    EXPECT_FALSE(store.exists());
    setting.setParam("a\\b", 10);
    store.setValue(setting);
    EXPECT_EQ(readFile(layers.userFile), "Setting=a\\\\b\n");
    EXPECT_TRUE(store.exists());
    store.removeValue(setting);
    EXPECT_EQ(readFile(layers.userFile), "");
    EXPECT_STREQ(tqutil::configFilePath("x").get(), (layers.root / "home/.qdx/config.d/x").c_str());
}

// Catches a rewrite per pair: the first pair would be committed before the second fails.
TEST(ConfigStoreFileDeathTest, SetConfigValuesWritesAllOrNothing) {
    TempDir dir;
    std::string path = dir / "prog";
    writeFile(path, "old=1\n");
    plat::StringMap values;
    values[plat::String("a")] = "small";
    values[plat::String("b")] = std::string(8192, 'x').c_str();
    EXPECT_EXIT(
        {
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit;
            limit.rlim_cur = limit.rlim_max = 4096;
            setrlimit(RLIMIT_FSIZE, &limit);
            Failure failure = failureOf([&] { tqutil::setConfigValues(path.c_str(), values); });
            std::exit(failure.error == EFBIG && readFile(path) == "old=1\n" ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
