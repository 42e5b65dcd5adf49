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

// Catches (parameters a to h, a rule each): files read in the wrong order, "common.custom" read
// in the user's directory, a policy beaten by a preference or read unasked, names matched with
// case, and a bad record keeping the records and files after it (the policies) from being read.
TEST(ConfigStoreFile, LayersAndPolicyPrecedence) {
    const char* const files[][2] = {
        {"inst/config.d/common", "a=inst\nb=inst"},
        {"etc/qdx/config.d/common", "b=sys\nc=sys"},
        {"etc/qdx/config.d/common.custom", "c=custom"},
        {"etc/qdx/config.d/prog", "d=sysprog"},
        {"home/.qdx/config.d/common", "d=user\ne=user"},
        {"home/.qdx/config.d/common.custom", "f=no"},
        {"home/.qdx/config.d/prog", "E=userprog\nunknown=1\ng=u\nbad=\xC3\nh=u"},
        {"inst/policy.d/prog", "g=ip\nh=ip"},
        {"etc/qdx/policy.d/common", "h=sp"},
    };
    for (bool policy : {true, false}) {
        Layers layers;
        for (const auto& file : files)
            writeFile(layers.root / file[0], file[1]);
        plat::Configuration config("Test");
        for (const char* name : {"A", "B", "C", "D", "e", "F", "G", "H", "bad"})
            config.addStringParam(name, "d", "");
        tqutil::ConfigStoreFile store;
        Failure failure = failureOf([&] { store.loadAll(policy, &config); });
        std::string values;
        for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h"})
            values += config.getParam(name)->getValueStr().c_str() + std::string(",");
        EXPECT_EQ(values, policy ? "inst,sys,custom,user,userprog,,ip,sp,"
                                 : "inst,sys,custom,user,userprog,,u,u,");
        std::string error = "Error reading " + layers.userFile + ": ";
        EXPECT_EQ(failure.message.substr(0, error.size()), error);
    }
}

// Catches: the user's changes going to another file, a key in another case kept as a second
// record, a key that would write a record of its own, and save writing what equals the baseline.
TEST(ConfigStoreFile, UserFile) {
    Layers layers;
    tqutil::ConfigStoreFile store;
    EXPECT_EQ(tqutil::ConfigStore::instance(), &store);
    plat::Configuration config("Test");
    plat::StringParameter setting("Setting", "d", "a\\b", false, &config);
    EXPECT_FALSE(store.exists());
    store.setValue(setting);
    tqutil::setConfigValue(tqutil::configFilePath("prog").get(), "SETTING", "a\\b");
    EXPECT_EQ(readFile(layers.userFile), "SETTING=a\\\\b\n");
    EXPECT_EQ(
        failureOf([&] { tqutil::setConfigValue(layers.userFile.c_str(), "x\ny", "1"); }).message,
        "Invalid parameter file key");
    store.removeValue(setting);
    EXPECT_EQ(readFile(layers.userFile), "");
    plat::Configuration baseline("Base");
    baseline.addStringParam("Setting", "d", "a\\b");
    baseline.addStringParam("Other", "d", "");
    config.addStringParam("Other", "d", "o");
    store.save(config, baseline);
    EXPECT_EQ(readFile(layers.userFile), "Other=o\n");
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
