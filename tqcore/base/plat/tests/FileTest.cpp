#include "plat/File.h"

#include "FileTestUtil.h"
#include "plat/Time.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

// Catches a file in the way counted as a directory, an existing directory made private without
// being asked, and parents less private than the directory.
TEST(File, MkDirAndMkDirs) {
    TempDir tmp;
    std::string dir = tmp / "d", file = tmp / "f";
    writeFile(file, "x");
    EXPECT_TRUE(plat::mkDir(dir.c_str()));
    EXPECT_FALSE(plat::mkDir(dir.c_str()));
    EXPECT_EQ(failureOf([&] { plat::mkDir(file.c_str()); }).error, EEXIST);
    chmod(dir.c_str(), 0755);
    EXPECT_FALSE(plat::mkDir(dir.c_str(), true, false));
    EXPECT_EQ(modeOf(dir), 0755u);
    EXPECT_FALSE(plat::mkDir(dir.c_str(), true, true));
    EXPECT_EQ(modeOf(dir), 0700u);

    EXPECT_TRUE(plat::mkDirs((dir + "/b/c").c_str(), true));
    EXPECT_EQ(modeOf(dir + "/b"), 0700u);
    EXPECT_FALSE(plat::mkDirs((dir + "/b/c").c_str()));
    EXPECT_EQ(failureOf([&] { plat::mkDirs((file + "/x/y").c_str()); }).error, ENOTDIR);
}

// The deletion must stay inside the tree: a link to an outside directory is removed as a link,
// its target's contents survive, and a link loop does not recurse.
TEST(File, RecursiveRmDirNeverFollowsLinks) {
    TempDir tmp;
    std::string outside = tmp / "outside", tree = tmp / "tree";
    fs::create_directories(tree + "/sub/deeper");
    fs::create_directories(outside);
    writeFile(outside + "/keep", "precious");
    writeFile(tree + "/sub/deeper/f", "x");
    fs::create_directory_symlink(outside, tree + "/sub/link");
    fs::create_directory_symlink("..", tree + "/sub/deeper/loop");
    plat::rmDir(tree.c_str(), true);
    EXPECT_FALSE(fs::exists(fs::symlink_status(tree)));
    EXPECT_EQ(readFile(outside + "/keep"), "precious");

    // Nor is a link in place of the directory itself entered.
    fs::create_directory_symlink(outside, tmp / "top");
    for (const char* top : {"top", "top/"})
        EXPECT_EQ(failureOf([&] { plat::rmDir((tmp / top).c_str(), true); }).error, ENOTDIR);
    EXPECT_EQ(readFile(outside + "/keep"), "precious");
    EXPECT_EQ(failureOf([&] { plat::rmDir(outside.c_str()); }).error, ENOTEMPTY);
}

TEST(File, FindFileSearchesTheTreeOnly) {
    TempDir tmp;
    std::string root = tmp / "root";
    fs::create_directories(root + "/a/b");
    fs::create_directories(tmp / "elsewhere");
    writeFile(root + "/a/b/target", "");
    writeFile(tmp / "elsewhere/secret", "");
    fs::create_directory_symlink(tmp / "elsewhere", root + "/link");
    fs::create_directory_symlink(root, root + "/a/loop");
    EXPECT_STREQ(plat::findFileRecursive(root.c_str(), "target").get(),
                 (root + "/a/b/target").c_str());
    EXPECT_TRUE(plat::findFileRecursive(root.c_str(), "secret").isNull());
    plat::StringList dirs;
    dirs.emplace_back((root + "/a/b/").c_str());
    EXPECT_STREQ(plat::findFileInDirs(dirs, "target").get(), (root + "/a/b/target").c_str());
}

TEST(File, RealPathAgreesWithTheSystemAndStopsAfter32Links) {
    TempDir tmp;
    fs::create_directories(tmp / "d/e");
    fs::create_directories(tmp / "%s%n");
    writeFile(tmp / "d/file", "");
    fs::create_symlink("d/e", tmp / "rel");
    fs::create_symlink(tmp / "d", tmp / "abs");
    fs::create_symlink("../file", tmp / "d/e/up");
    for (const char* path : {"rel", "abs/e/..", "rel/up", "abs/./e//", "d/e/../../rel", "%s%n"}) {
        std::string expected = fs::canonical(tmp / path);
        EXPECT_EQ(plat::realPath((tmp / path).c_str()).get(), expected) << path;
    }
    EXPECT_EQ(failureOf([&] { plat::realPath((tmp / "d/file/x").c_str()); }).error, ENOTDIR);
    EXPECT_EQ(failureOf([&] { plat::realPath((tmp / "rel/up/").c_str()); }).error, ENOTDIR);
    EXPECT_EQ(failureOf([&] { plat::realPath((tmp / "d/none").c_str()); }).error, ENOENT);
    EXPECT_THROW(plat::realPath("relative"), plat::AssertionFail);
    EXPECT_EQ(plat::getCurrentDir(tmp.path().c_str()).get(), fs::canonical(tmp.path()));

    // l1 -> l2 -> ... -> l32 -> d, alternating relative and absolute targets; l0 -> l1.
    std::string next = tmp / "d";
    for (int i = 32; i >= 0; --i) {
        std::string link = tmp / ("l" + std::to_string(i));
        fs::create_symlink(i % 2 ? fs::path(next).filename() : fs::path(next), link);
        next = link;
    }
    EXPECT_EQ(plat::realPath((tmp / "l1").c_str()).get(), fs::canonical(tmp / "d"));
    EXPECT_EQ(failureOf([&] { plat::realPath((tmp / "l0").c_str()); }).error, ELOOP);
}

TEST(File, MakeUniqueFileNameNumbersBeforeTheExtension) {
    TempDir tmp;
    for (const char* name : {"x.log", "x(1).log", "plain"})
        writeFile(tmp / name, "");
    const char* cases[][2] = {{"x.log", "x(2).log"}, {"plain", "plain(1)"}, {"a.b.c", "a.b.c"}};
    for (auto [name, expected] : cases)
        EXPECT_EQ(plat::makeUniqueFileName(tmp.path().c_str(), name, "(", ")", 99).get(),
                  tmp / expected);
    EXPECT_EQ(failureOf([&] {
                  plat::makeUniqueFileName(tmp.path().c_str(), "x.log", "(", ")", 1);
              }).message,
              "Too many files with same name");
}

// Catches: the descriptor leaked when fdopen refuses it, and descriptors without close-on-exec.
TEST(File, DescriptorsAreCloseOnExecAndNeverLeak) {
    TempDir tmp;
    std::string path = tmp / "f";
    auto openDescriptors = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    };
    auto before = openDescriptors();
    errno = 0;
    EXPECT_EQ(plat::fileOpenStream(path.c_str(), O_WRONLY | O_CREAT, "r", 0600), nullptr);
    EXPECT_EQ(errno, EINVAL) << "the reason for the failure was lost";
    EXPECT_EQ(openDescriptors(), before);

    FILE* stream = plat::fileOpenStream(path.c_str(), O_RDONLY, "r", 0);
    ASSERT_NE(stream, nullptr);
    EXPECT_TRUE(fcntl(fileno(stream), F_GETFD) & FD_CLOEXEC);
    fclose(stream);
}

// Catches: set-id and sticky bits lost with the group and other bits.
TEST(File, MakePrivateKeepsSpecialBits) {
    TempDir tmp;
    writeFile(tmp / "f", "");
    chmod((tmp / "f").c_str(), 07775);
    int fd = open((tmp / "g").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    EXPECT_TRUE(plat::fileCopyPerms((tmp / "f").c_str(), fd));
    EXPECT_FALSE(plat::fileCopyPerms((tmp / "f/none").c_str(), fd)) << "ENOTDIR means missing";
    plat::fileMakePrivate(fd);
    close(fd);
    EXPECT_EQ(modeOf(tmp / "g"), 07700u);
}

// Catches: microseconds or the access time lost, and a time taken from the wrong epoch.
TEST(File, FileTimesRoundTrip) {
    TempDir tmp;
    std::string path = tmp / "f";
    writeFile(path, "");
    int64_t modified = plat::Time::fromUnixSeconds(1700000000) + 1234567;  // .1234567 s
    plat::fileSetTime(path.c_str(), modified, plat::Time::fromUnixSeconds(1600000000));
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1700000000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 123456000);
    EXPECT_EQ(st.st_atim.tv_sec, 1600000000);
    EXPECT_EQ(plat::fileGetTime(path.c_str()), plat::Time::fromUnixSeconds(1700000000));
    plat::fileSetTime(path.c_str(), modified);
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_atim.tv_sec, 1700000000) << "no access time means the modification time";
}

// Locks belong to processes, so the contender is a child process.
TEST(File, FileLockExcludesAnotherProcess) {
    TempDir tmp;
    std::string path = tmp / "lock";
    FILE* mine = fopen(path.c_str(), "w");
    ASSERT_NE(mine, nullptr);
    auto childGetsLock = [&] {
        pid_t pid = fork();
        if (pid == 0) {
            FILE* theirs = fopen(path.c_str(), "r+");
            _exit(theirs && plat::fileLock(theirs, false) ? 0 : 1);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    ASSERT_TRUE(plat::fileLock(mine, false));
    EXPECT_FALSE(childGetsLock());
    plat::fileUnlock(mine);
    EXPECT_TRUE(childGetsLock());
    fclose(mine);
}

// A directory whose every component is owned by us or root and writable by nobody else; /tmp,
// being world-writable, is not one.
std::string secureBase() {
    const char* home = std::getenv("HOME");
    for (fs::path candidate : {fs::path(home ? home : ""), fs::current_path()}) {
        bool secure = candidate.is_absolute();
        for (fs::path p = candidate; secure; p = p.parent_path()) {
            struct stat st;
            secure = lstat(p.c_str(), &st) == 0 && !S_ISLNK(st.st_mode) &&
                     (st.st_uid == 0 || st.st_uid == geteuid()) && !(st.st_mode & 022);
            if (p == p.parent_path()) break;
        }
        if (secure) return candidate;
    }
    return std::string();
}

// Catches a group-writable component or an untrusted owner (of the directory, or only of the
// link that names it) let through, and the wrong component named.
TEST(File, CheckPathSecureRefusesUnsafeComponents) {
    std::string base = secureBase();
    if (base.empty()) GTEST_SKIP() << "no directory here without group- or world-writable parents";
    TempDir tmp(base);
    chmod(tmp.path().c_str(), 0755);
    fs::create_directories(tmp / "a/b/c");
    fs::create_directory_symlink(tmp / "a", tmp / "link");
    auto refusal = [&](const char* path) {
        return failureOf([&] { plat::checkPathSecure((tmp / path).c_str(), {0, geteuid()}); });
    };
    EXPECT_EQ(refusal("link/b/c").error, -1);
    chmod((tmp / "a/b").c_str(), 0775);
    EXPECT_EQ(refusal("a/b/c").message, tmp / "a/b: permissions are not restrictive enough");
    EXPECT_EQ(failureOf([&] { plat::securePath((tmp / "none").c_str(), "/x"); }).message,
              tmp / "none must be created and point to /x");
    if (geteuid() != 0) return;  // only root can give files to another user
    ASSERT_EQ(lchown((tmp / "link").c_str(), 65534, 65534), 0);
    EXPECT_EQ(refusal("link").error, 0);
    ASSERT_EQ(chown((tmp / "a").c_str(), 65534, 65534), 0);
    EXPECT_EQ(refusal("a").error, 0);
}

}  // namespace
