#include "plat/TransactedFile.h"

#include "FileTestUtil.h"

namespace {

namespace fs = std::filesystem;

// Catches: the target touched before commit (a writer killed there would leave it cut), a
// temporary file left behind, lost permissions, and an entry at the temporary name that stops
// the writer or, as a planted link, is written through (the privileged helper would overwrite
// whatever it names).
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

}  // namespace
