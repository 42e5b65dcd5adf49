#include "rdr/FileStream.h"
#include "plat/tests/TempDir.h"
#include "rdr/tests/StreamTestUtil.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace rdr;

namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

TEST(FileStreamTest, TransactedWritesReplaceTheTargetOnlyOnCommit) {
    TempDir dir;
    std::string target = dir / "params", temp = target + ".tmp";
    std::ofstream(target) << "old";
    std::string data(20000, 'd');
    {
        TransactedFileOutStream out(target.c_str());
        out.writeBytes(data.data(), int(data.size()));
    }
    EXPECT_EQ(contents(target), "old");
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
    EXPECT_EQ(contents(target), data);
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

}  // namespace
