#include "plat/TransactedFile.h"

#include "FileTestUtil.h"

namespace {

namespace fs = std::filesystem;

// Catches: the target touched before commit (a writer killed there would leave it cut), a
// temporary file left behind, lost permissions, a private file left readable by others, and an
// entry at the temporary name that stops the writer or, as a planted link, is written through
// (the privileged helper would overwrite whatever it names).
TEST(TransactedFile, ReplacesTheTargetOnlyOnCommit) {
    TempDir tmp;
    std::string target = tmp / "t", victim = tmp / "victim";
    writeFile(target, "old");
    chmod(target.c_str(), 0640);
    {
        plat::TransactedFile file(target.c_str());
        fputs("abandoned", file.file().get());
        fflush(file.file().get());
        EXPECT_EQ(readFile(target), "old");
    }
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(namesIn(tmp.path()), std::set<std::string>{"t"}) << "temporary file left behind";

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

    chmod(target.c_str(), 0644);
    {
        plat::TransactedFile file(target.c_str(), plat::FilePtr::kPrivate);
        file.commit();
    }
    EXPECT_EQ(modeOf(target), 0600u) << "a private file kept the target's 0644";
}

// Catches a commit that moves whatever now sits at its temporary name: another writer's file
// put there after ours was removed would replace the target, and the destructor would then
// remove that writer's file too.
TEST(TransactedFile, CommitMovesOnlyItsOwnFile) {
    TempDir tmp;
    std::string target = tmp / "t";
    writeFile(target, "old");
    std::string temp;
    Failure failure;
    {
        plat::TransactedFile file(target.c_str());
        fputs("ours", file.file().get());
        temp = file.tempPath();
        ASSERT_EQ(unlink(temp.c_str()), 0);
        writeFile(temp, "theirs");
        failure = failureOf([&] { file.commit(); });
    }
    EXPECT_EQ(failure.error, ENOENT) << failure.message;
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(readFile(temp), "theirs");
}

// A rename replaces a link itself, whatever it points to, so a link at the target is written
// like a file and what it points to stays as it was; only what a plain file must not take the
// place of is refused. Catches links refused, and links followed to a directory or a file.
TEST(TransactedFile, LinkTargetIsReplacedAndOnlyDirectoriesAndSpecialFilesRefused) {
    struct Case {
        const char* name;
        void (*make)(const std::string& target, const std::string& pointee);
        int error;  // what the constructor throws; 0 when the target is written
    } const cases[] = {
        {"link to file",
         [](const std::string& target, const std::string& pointee) {
             writeFile(pointee, "pointee");
             fs::create_symlink(pointee, target);
         },
         0},
        {"link to directory",
         [](const std::string& target, const std::string& pointee) {
             fs::create_directory(pointee);
             fs::create_symlink(pointee, target);
         },
         0},
        {"dangling link",
         [](const std::string& target, const std::string& pointee) {
             fs::create_symlink(pointee, target);
         },
         0},
        {"directory",
         [](const std::string& target, const std::string&) { fs::create_directory(target); },
         EISDIR},
        {"pipe",
         [](const std::string& target, const std::string&) { mkfifo(target.c_str(), 0600); },
         EINVAL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir tmp;
        std::string target = tmp / "t", pointee = tmp / "pointee";
        c.make(target, pointee);
        auto pointeeBefore = fs::symlink_status(pointee).type();
        std::string pointeeText = readFile(pointee);
        auto namesBefore = namesIn(tmp.path());

        Failure failure = failureOf([&] {
            plat::TransactedFile file(target.c_str());
            fputs("new", file.file().get());
            file.commit();
        });
        EXPECT_EQ(failure.error, c.error ? c.error : -1) << failure.message;
        EXPECT_EQ(fs::symlink_status(pointee).type(), pointeeBefore);
        EXPECT_EQ(readFile(pointee), pointeeText);
        if (c.error) {
            EXPECT_EQ(namesIn(tmp.path()), namesBefore);
        } else {
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
            EXPECT_EQ(readFile(target), "new");
        }
    }
}

// Catches writers sharing one temporary name: a commit that installs an empty file or another
// writer's bytes, a commit that fails because another writer renamed its file, and a writer that
// removes another's file.
TEST(TransactedFile, TwoWritersOfOneTarget) {
    for (bool asProcesses : {false, true}) {
        SCOPED_TRACE(asProcesses ? "processes" : "threads");
        TempDir tmp;
        std::string target = tmp / "t";
        const std::string versions[] = {std::string(6000, 'a') + "\n",
                                        std::string(6000, 'b') + "\n"};
        writeFile(target, versions[0]);
        auto writer = [&target](const std::string& bytes) {
            return [&target, bytes] {
                for (int round = 0; round < 100; round++) {
                    plat::TransactedFile file(target.c_str());
                    // In two parts, so that a file shared with the other writer shows mixed.
                    fwrite(bytes.data(), 1, 3000, file.file().get());
                    fflush(file.file().get());
                    fwrite(bytes.data() + 3000, 1, bytes.size() - 3000, file.file().get());
                    file.commit();
                }
                return true;
            };
        };
        int reads = 0, wrong = 0;
        int failed =
            runWritersWhileReading({writer(versions[0]), writer(versions[1])}, asProcesses, [&] {
                std::string now = readFile(target);
                reads++;
                wrong += now != versions[0] && now != versions[1];
            });
        EXPECT_EQ(failed, 0) << "a commit failed";
        EXPECT_EQ(wrong, 0) << "of " << reads << " reads";
        EXPECT_EQ(namesIn(tmp.path()), std::set<std::string>{"t"});
    }
}

// Catches temporary names used up by writers that died (after as many deaths as there are names
// no writer could start), and a live writer's file taken for a dead one's.
TEST(TransactedFile, DeadWritersFilesDoNotPileUp) {
    TempDir tmp;
    std::string target = tmp / "t";
    writeFile(target, "old");
    plat::TransactedFile live(target.c_str());
    fputs("live", live.file().get());
    fflush(live.file().get());
    for (int death = 0; death < 40; death++) {
        pid_t pid = fork();
        if (pid == 0) {
            auto* dying = new plat::TransactedFile(target.c_str());
            fputs("dead", dying->file().get());
            fflush(dying->file().get());
            _exit(0);
        }
        waitpid(pid, nullptr, 0);
    }
    EXPECT_EQ(namesIn(tmp.path()).size(), 3u) << "the target, the live file and one dead one";
    live.commit();
    EXPECT_EQ(readFile(target), "live");
}

}  // namespace
