#include "rdr/FileStream.h"
#include "plat/tests/FileTestUtil.h"
#include "plat/tests/LogCapture.h"
#include "rdr/tests/StreamTestUtil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace rdr;

namespace {

TEST(FileStreamTest, TransactedWritesReplaceTheTargetOnlyOnCommit) {
    TempDir dir;
    std::string target = dir / "params", temp = target + ".tmp";
    std::ofstream(target) << "old";
    std::string data(20000, 'd');
    {
        TransactedFileOutStream out(target.c_str());
        out.writeBytes(data.data(), int(data.size()));
    }
    EXPECT_EQ(readFile(target), "old");
    EXPECT_FALSE(std::ifstream(temp).good());
    {
        TransactedFileOutStream out(target.c_str());
        out.writeBytes(data.data(), int(data.size()));
        out.commit();
        // Used after commit, the stream throws instead of touching a closed file.
        out.writeU8(1);
        EXPECT_EQ(thrown([&] { out.flush(); }), ": FileOutStream: no file");
        EXPECT_EQ(thrown([&] { out.commit(); }), ": FileOutStream: no file");
    }
    EXPECT_EQ(readFile(target), data);
    EXPECT_FALSE(std::ifstream(temp).good());

    FileInStream in(target.c_str());
    EXPECT_STREQ(in.readBytesAsString(20000).get(), data.c_str());
    EXPECT_EQ(thrown([&] { in.readU8(); }), "EndOfStream: End of file");
}

TEST(FileStreamTest, StreamsWithoutAFileThrow) {
    TempDir dir;
    std::string missing = dir / "missing";
    FileInStream in(missing.c_str(), plat::FilePtr::kNoThrowOnOpenFail);
    EXPECT_FALSE(in.isOpen());
    EXPECT_EQ(thrown([&] { in.readU8(); }), ": FileInStream: no file");
    FileOutStream out(nullptr);
    out.writeU8(1);
    EXPECT_EQ(thrown([&] { out.flush(); }), ": FileOutStream: no file");
    std::ofstream(dir / "empty");
    FileInStream empty((dir / "empty").c_str());
    EXPECT_EQ(thrown([&] { empty.readU8(); }), "EndOfStream: End of file");
}

// Catches a flush that returns while the bytes sit unwritten in the standard I/O buffer (the
// error is then lost when the file is closed, silently in a destructor), a plain stream that
// loses what the file held before, and a transacted stream that leaves the target cut or a
// temporary file behind when the disk is full, reported or not (SIGXFSZ ignored, or at its
// default).
TEST(FileStreamDeathTest, FullDisk) {
    TempDir dir;
    std::string log = dir / "log", target = dir / "params";
    std::ofstream(log) << std::string(4000, 'l');
    std::ofstream(target) << "old";
    std::string data(8192, 'd');
    // Whether each writer reports the full disk and the target keeps its old contents.
    auto reported = [&] {
        limitFileSize(4096, true);
        FileOutStream out(log.c_str(), plat::FilePtr::kAppend);
        out.writeBytes(data.data(), 200);
        if (thrown([&] { out.flush(); }) !=
            "System-27: writing to file failed: File too large (27)")
            return false;
        plat::test::CapturedLog capture;
        { FileOutStream(log.c_str(), plat::FilePtr::kAppend).writeBytes(data.data(), 200); }
        if (capture.texts("FileOutStream").empty()) return false;
        // Not transacted: what fit stays, after all that was there.
        if (readFile(log) != std::string(4000, 'l') + std::string(96, 'd')) return false;
        {
            TransactedFileOutStream transacted(target.c_str());
            transacted.writeBytes(data.data(), int(data.size()));
            if (thrown([&] { transacted.commit(); }).empty()) return false;
        }
        return readFile(target) == "old" && namesIn(dir.path()).size() == 2;
    };
    EXPECT_EXIT(
        {
            bool ok = reported();
            std::fputs(ok ? "reported, old contents kept\n" : "not reported\n", stderr);
            std::exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "reported, old contents kept");
    EXPECT_EXIT(
        {
            limitFileSize(4096, false);
            TransactedFileOutStream out(target.c_str());
            out.writeBytes(data.data(), int(data.size()));
            out.commit();
            std::exit(0);
        },
        testing::KilledBySignal(SIGXFSZ), "");
    EXPECT_EQ(readFile(target), "old");
}

}  // namespace
