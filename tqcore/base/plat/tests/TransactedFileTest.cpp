#include "plat/TransactedFile.h"

#include "FileTestUtil.h"

#include <csignal>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

// Catches: the target touched before commit, a temporary file left behind, lost permissions,
// and a planted link at the temporary name written through (the privileged helper would
// overwrite whatever it names).
TEST(TransactedFile, ReplacesTheTargetOnlyOnCommit) {
    TempDir tmp;
    std::string target = tmp / "t", victim = tmp / "victim";
    writeFile(target, "old");
    chmod(target.c_str(), 0640);
    {
        plat::TransactedFile file(target.c_str());
        fputs("abandoned", file.file().get());
        fflush(file.file().get());
    }
    EXPECT_EQ(readFile(target), "old");
    EXPECT_FALSE(fs::exists(target + ".tmp")) << "temporary file left behind";

    writeFile(victim, "victim");
    fs::create_symlink(victim, target + ".tmp");
    {
        plat::TransactedFile file(target.c_str());
        fputs("new", file.file().get());
        file.commit();
        EXPECT_THROW(file.commit(), plat::AssertionFail);
    }
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(readFile(victim), "victim");
    EXPECT_EQ(modeOf(target), 0640u) << "the target's permissions were not kept";
    EXPECT_FALSE(fs::exists(fs::symlink_status(target + ".tmp")));
}

// The writer dies between writing and committing: the target keeps its old contents whole, and
// the stale temporary file does not stop the next writer.
TEST(TransactedFile, KilledWriterLeavesTheOldTarget) {
    TempDir tmp;
    std::string target = tmp / "t", old(100000, 'o');
    writeFile(target, old);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t pid = fork();
    if (pid == 0) {
        try {
            plat::TransactedFile file(target.c_str());
            std::string half(50000, 'n');
            fwrite(half.data(), 1, half.size(), file.file().get());
            fflush(file.file().get());
            (void)!write(ready[1], "x", 1);
            for (;;)
                pause();
        } catch (...) {
        }
        _exit(1);
    }
    close(ready[1]);
    char byte;
    EXPECT_EQ(read(ready[0], &byte, 1), 1) << "the writer failed before writing";
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    close(ready[0]);
    EXPECT_EQ(readFile(target), old);
    EXPECT_EQ(fs::file_size(target + ".tmp"), 50000u);

    plat::TransactedFile next(target.c_str());
    fputs("next", next.file().get());
    next.commit();
    EXPECT_EQ(readFile(target), "next");
}

}  // namespace
