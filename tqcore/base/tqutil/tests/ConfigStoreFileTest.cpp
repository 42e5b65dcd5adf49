#include "tqutil/ConfigStoreFile.h"

#include "os/AppInfo.h"
#include "plat/ConfigParameter.h"
#include "plat/FileConfig.h"
#include "plat/Time.h"
#include "plat/tests/FileTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <set>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <vector>

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
// case, a bad record keeping the records and files after it (the policies) from being read, a
// later bad file or record reported instead of the first (of a file, of a priority, and of the
// load), and the record's own error lost on the way.
TEST(ConfigStoreFile, LayersAndPolicyPrecedence) {
    const char* const files[][2] = {
        {"inst/config.d/common", "a=inst\nb=inst"},
        {"etc/qdx/config.d/common", "b=sys\nc=sys"},
        {"etc/qdx/config.d/common.custom", "c=custom"},
        {"etc/qdx/config.d/prog", "bad=\xC3\nd=sysprog\nf=\xC3"},
        {"home/.qdx/config.d/common", "d=user\ne=user"},
        {"home/.qdx/config.d/common.custom", "f=no"},
        {"home/.qdx/config.d/prog", "E=userprog\nunknown=1\ng=u\nbad=\xC3\nh=u"},
        {"inst/policy.d/prog", "g=ip\nh=ip"},
        {"etc/qdx/policy.d/common", "h=sp\nbad=\xC3"},
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
        EXPECT_EQ(failure.message, "Error reading " + (layers.root / "etc/qdx/config.d/prog") +
                                       ": Bad UTF-8 string for bad");
    }
}

// Catches: the user's changes going to another file, a key in another case kept as a second
// record, a key that would not read back as itself (it would end the key or the line, start an
// escape or lose its blanks; a null or empty key writes a record without a name; a key that is
// not UTF-8) taken by a set of one value or several or by a remove, or refused only after a
// file, lock file or temporary file was made, a remove from a missing file that leaves a file
// behind, save writing what equals the baseline, and a file where the user's directory should
// be taken for a broken layer rather than none.
TEST(ConfigStoreFile, UserFile) {
    Layers layers;
    const std::string userDir = layers.root / "home/.qdx/config.d";
    const char* const path = layers.userFile.c_str();
    // The last three decode as an overlong "/", a surrogate and U+FFFE, which are not UTF-8.
    const char* const badKeys[] = {
        "x\ny", "a=b",  "a\\b",   "a\rb",     " a",           "a\t",         nullptr,
        "",     "\xC3", "a\xFFz", "\xC0\xAF", "\xED\xA0\x80", "\xEF\xBF\xBE"};
    const struct {
        const char* name;
        void (*call)(const char* path, const char* key);
    } refusingCalls[] = {
        {"setValue",
         [](const char* file, const char* key) { plat::FileConfig::setValue(file, key, "1", 0); }},
        {"setValues",
         [](const char* file, const char* key) {
             plat::StringMap values;
             values[plat::String("fine")] = "1";
             values[plat::String(key)] = "1";
             plat::FileConfig::setValues(file, values, 0);
         }},
        {"removeValue",
         [](const char* file, const char* key) { plat::FileConfig::removeValue(file, key, 0); }},
    };
    auto contents = [&] {
        std::map<std::string, std::string> out;
        for (const std::string& name : namesIn(userDir))
            out[name] = readFile(userDir + "/" + name);
        return out;
    };
    auto expectEveryBadKeyRefused = [&] {
        for (const char* key : badKeys) {
            for (const auto& refusing : refusingCalls) {
                SCOPED_TRACE(std::string(refusing.name) + " " + (key ? key : "(null)"));
                const auto before = contents();
                EXPECT_EQ(failureOf([&] { refusing.call(path, key); }).message,
                          "Invalid parameter file key");
                EXPECT_EQ(contents(), before);
            }
        }
    };

    tqutil::ConfigStoreFile store;
    EXPECT_EQ(tqutil::ConfigStore::instance(), &store);
    plat::Configuration config("Test");
    plat::StringParameter setting("Setting", "d", "a\\b", false, &config);
    EXPECT_FALSE(store.exists());
    store.removeValue(setting);
    EXPECT_EQ(namesIn(userDir), std::set<std::string>());
    expectEveryBadKeyRefused();
    store.setValue(setting);
    tqutil::setConfigValue(tqutil::configFilePath("prog").get(), "SETTING", "a\\b");
    EXPECT_EQ(readFile(layers.userFile), "SETTING=a\\\\b\n");
    expectEveryBadKeyRefused();
    EXPECT_EQ(readFile(layers.userFile), "SETTING=a\\\\b\n");
    store.removeValue(setting);
    EXPECT_EQ(readFile(layers.userFile), "");
    plat::Configuration baseline("Base");
    baseline.addStringParam("Setting", "d", "a\\b");
    baseline.addStringParam("Other", "d", "");
    config.addStringParam("Other", "d", "o");
    store.save(config, baseline);
    EXPECT_EQ(readFile(layers.userFile), "Other=o\n");

    std::filesystem::remove_all(layers.root / "home/.qdx/config.d");
    writeFile(layers.root / "home/.qdx/config.d", "");
    EXPECT_FALSE(store.exists());
    EXPECT_EQ(failureOf([&] { store.load(10, &config); }).message, "");
    EXPECT_EQ(failureOf([&] { store.removeValue(setting); }).message, "");
}

// Catches a rewrite that writes the keys of records it did not touch unescaped (the inert
// record "Note\nLogDir" became a live LogDir record), and a line too long for the reader stored
// (the file could then be neither read nor repaired through the store); the longest line the
// reader takes must still be stored.
TEST(ConfigStoreFile, RewriteKeepsOtherRecordsAndRefusesOverlongLines) {
    TempDir dir;
    std::string path = dir / "prog";
    writeFile(path, "Note\\nLogDir=/elsewhere\nA\\\\n=1\nkeep=1\n");
    tqutil::setConfigValue(path.c_str(), "x", "1");
    const std::string rewritten = "A\\\\n=1\nkeep=1\nNote\\nLogDir=/elsewhere\nx=1\n";
    EXPECT_EQ(readFile(path), rewritten);

    std::string longest(262144 - 2, 'v');
    tqutil::setConfigValue(path.c_str(), "k", longest.c_str());
    plat::StringMap records;
    plat::FileConfig::readRecords(path.c_str(), records);
    EXPECT_TRUE(records[plat::String("k")] == longest.c_str());
    std::string stored = readFile(path);
    for (const std::string& value : {longest + "v", std::string(131072, '\n')}) {
        EXPECT_EQ(
            failureOf([&] { tqutil::setConfigValue(path.c_str(), "y", value.c_str()); }).message,
            "String exceeds maximum length");
        EXPECT_TRUE(readFile(path) == stored) << "the file changed";
    }
}

// Whether `text` is a whole parameter file as the writers of ConcurrentWritersKeepEveryRecord
// leave it at any moment: "keep=1", and for each writer its first records without a gap.
bool intact(const std::string& text, const char* writers) {
    std::set<std::string> keys;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        keys.insert(line.substr(0, line.find('=')));
    if (text.empty() || text.back() != '\n' || !keys.count("keep")) return false;
    size_t found = 1;
    for (const char* writer = writers; *writer; writer++)
        for (int i = 0; keys.count(*writer + std::to_string(i)); i++)
            found++;
    return found == keys.size();
}

// Catches rewrites that are not serialised: a record lost between one writer's read and its
// write, a reader seeing an empty or part-written file, a rewrite failing because another writer
// took its temporary file. Two writers of different keys, and a reader, all at once.
TEST(ConfigStoreFile, ConcurrentWritersKeepEveryRecord) {
    for (bool asProcesses : {false, true}) {
        SCOPED_TRACE(asProcesses ? "processes" : "threads");
        TempDir dir;
        std::string path = dir / "prog";
        writeFile(path, "keep=1\n");
        // The processes make the full run; threads a shorter one.
        int rounds = asProcesses ? 200 : 50;
        auto writer = [&path, rounds](char name) {
            return [&path, name, rounds] {
                for (int i = 0; i < rounds; i++)
                    tqutil::setConfigValue(path.c_str(), (name + std::to_string(i)).c_str(), "v");
                return true;
            };
        };
        int reads = 0, broken = 0;
        int failed = runWritersWhileReading({writer('a'), writer('b')}, asProcesses, [&] {
            reads++;
            broken += !intact(readFile(path), "ab");
        });
        EXPECT_EQ(failed, 0) << "a call threw";
        EXPECT_EQ(broken, 0) << "of " << reads << " reads";
        std::string final = readFile(path);
        EXPECT_TRUE(intact(final, "ab"));
        EXPECT_EQ(std::count(final.begin(), final.end(), '\n'), 1 + 2 * rounds);
    }
}

int64_t secondsPerCall(int64_t, bool* jumped) {
    static int64_t now = 0;
    *jumped = false;
    return now += 10000000;
}

// Catches a rewrite that does not wait for another writer's lock, waits for ever, or writes
// without the lock.
TEST(ConfigStoreFile, RewriteGivesUpWhenTheLockStaysTaken) {
    TempDir dir;
    std::string path = dir / "prog";
    writeFile(path, "keep=1\n");
    int other = open((path + ".lock").c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    plat::MonotonicClockFn previous = plat::setMonotonicClock(&secondsPerCall);
    Failure failure = failureOf([&] { tqutil::setConfigValue(path.c_str(), "x", "1"); });
    plat::setMonotonicClock(previous);
    EXPECT_EQ(failure.message, "Timed out waiting for the lock \"" + path + ".lock\"");
    EXPECT_EQ(readFile(path), "keep=1\n");
    close(other);
    tqutil::setConfigValue(path.c_str(), "x", "1");
    EXPECT_EQ(readFile(path), "keep=1\nx=1\n");
}

// Twenty seconds of this clock pass in one real second, so that lock waits take test time.
int64_t twentyTimesFaster(int64_t, bool* jumped) {
    *jumped = false;
    return plat::getBuiltinMonotonicTime() * 20;
}

// Catches a wait whose ten seconds start only when the other threads of the process have let it
// through: three threads waiting for a lock that another process holds gave up after 10, 20 and
// 30 seconds.
TEST(ConfigStoreFile, ThreadsWaitingForAnotherProcessShareOneBound) {
    TempDir dir;
    std::string path = dir / "prog", lockPath = path + ".lock";
    writeFile(path, "keep=1\n");
    int locked[2], release[2];
    ASSERT_EQ(pipe(locked), 0);
    ASSERT_EQ(pipe(release), 0);
    pid_t holder = fork();
    if (holder == 0) {
        alarm(60);
        int fd = open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
        char byte = flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
        close(release[1]);
        if (write(locked[1], &byte, 1) == 1) byte = char(read(release[0], &byte, 1));
        _exit(0);
    }
    close(locked[1]);
    close(release[0]);
    char byte = 0;
    EXPECT_EQ(read(locked[0], &byte, 1), 1);
    EXPECT_EQ(byte, 'y') << "the other process has no lock";

    constexpr int kThreads = 3;
    Failure failures[kThreads];
    int64_t waited[kThreads];
    plat::MonotonicClockFn previous = plat::setMonotonicClock(&twentyTimesFaster);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; i++)
        threads.emplace_back([&, i] {
            int64_t start = plat::getMonotonicTime();
            failures[i] = failureOf([&] { tqutil::setConfigValue(path.c_str(), "x", "1"); });
            waited[i] = plat::getMonotonicTime() - start;
        });
    for (auto& thread : threads)
        thread.join();
    plat::setMonotonicClock(previous);
    close(release[1]);
    close(locked[0]);
    waitpid(holder, nullptr, 0);

    for (int i = 0; i < kThreads; i++) {
        EXPECT_EQ(failures[i].message, "Timed out waiting for the lock \"" + lockPath + "\"");
        EXPECT_GE(waited[i], int64_t(10) * 10000000);
        EXPECT_LT(waited[i], int64_t(15) * 10000000) << "thread " << i;
    }
    EXPECT_EQ(readFile(path), "keep=1\n");
}

// Catches a rewrite per pair (the first pair would be committed before the second fails) and a
// file cut by a full disk, reported or not (SIGXFSZ ignored, or at its default).
TEST(ConfigStoreFileDeathTest, SetConfigValuesWritesAllOrNothing) {
    TempDir dir;
    std::string path = dir / "prog";
    writeFile(path, "old=1\n");
    plat::StringMap values;
    values[plat::String("a")] = "small";
    values[plat::String("b")] = std::string(8192, 'x').c_str();
    EXPECT_EXIT(
        {
            limitFileSize(4096, true);
            Failure failure = failureOf([&] { tqutil::setConfigValues(path.c_str(), values); });
            std::exit(failure.error == EFBIG && readFile(path) == "old=1\n" ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"prog", "prog.lock"}))
        << "a temporary file stays";
    EXPECT_EXIT(
        {
            limitFileSize(4096, false);
            tqutil::setConfigValues(path.c_str(), values);
            std::exit(0);
        },
        testing::KilledBySignal(SIGXFSZ), "");
    EXPECT_EQ(readFile(path), "old=1\n");
}

}  // namespace
