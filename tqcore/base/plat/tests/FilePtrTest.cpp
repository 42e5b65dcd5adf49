#include "plat/FilePtr.h"

#include "FileTestUtil.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>

namespace {

using plat::FilePtr;

// Catches: wrong open flags for a mode (truncating an appended file, creating where it must
// not), writing at the wrong place, and "-" mapped to the wrong stream or closed.
TEST(FilePtr, OpenModes) {
    struct {
        int mode, flags;
        bool exists;           // the file holds "old" before the open
        const char* write;     // written after the open (null: read a line instead)
        const char* expected;  // contents afterwards, or the line read; null: ENOENT
    } cases[] = {
        {FilePtr::kRead, 0, true, nullptr, "old"},
        {FilePtr::kRead, 0, false, nullptr, nullptr},
        {FilePtr::kWrite, 0, true, "new", "new"},
        {FilePtr::kWrite, FilePtr::kAppend, true, "+", "old+"},
        {FilePtr::kReadWrite, 0, true, "N", "Nld"},
        {FilePtr::kReadWrite, 0, false, "N", nullptr},
        {FilePtr::kReadWrite, FilePtr::kCreate, false, "N", "N"},
        {FilePtr::kReadWrite, FilePtr::kCreateTruncate, true, "N", "N"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << "/" << c.flags << "/" << c.exists);
        TempDir tmp;
        std::string path = tmp / "f";
        if (c.exists) writeFile(path, "old");
        if (!c.expected) {
            EXPECT_EQ(failureOf([&] { FilePtr file(path.c_str(), c.mode, c.flags); }).error,
                      ENOENT);
            FilePtr quiet;
            EXPECT_FALSE(quiet.open(path.c_str(), c.mode, c.flags | FilePtr::kNoThrowOnOpenFail));
            continue;
        }
        FilePtr file(path.c_str(), c.mode, c.flags | FilePtr::kPrivate);
        plat::DString line;
        if (c.write) {
            fputs(c.write, file.get());
            file.reset();
        } else {
            EXPECT_TRUE(file.readLine(line));
        }
        EXPECT_EQ(c.write ? readFile(path) : std::string(line.c_str()), c.expected);
        EXPECT_TRUE(c.exists || (modeOf(path) & 077) == 0) << "a private file open to others";
    }
    {
        FilePtr in("-", FilePtr::kRead), out("-", FilePtr::kWrite);
        EXPECT_EQ(in.get(), stdin);
        EXPECT_EQ(out.get(), stdout);
    }
    EXPECT_NE(fcntl(fileno(stdout), F_GETFD), -1) << "stdout was closed by the holder";
    EXPECT_EQ(failureOf([] { FilePtr("-", FilePtr::kReadWrite); }).message,
              "Invalid mode for stdin/stdout");
}

// Catches: lines cut at the buffer size, a lost last line without '\n', and empty lines taken
// for the end of the file.
TEST(FilePtr, ReadLineHandlesLongAndUnterminatedLines) {
    TempDir tmp;
    const std::string lines[] = {std::string(62, 'a'), std::string(63, 'b'),   "",
                                 std::string(64, 'c'), std::string(5000, 'd'), "last"};
    std::string contents;
    for (const std::string& line : lines)
        contents += line + "\n";
    contents.pop_back();
    writeFile(tmp / "f", contents);
    FilePtr file((tmp / "f").c_str(), FilePtr::kRead);
    plat::DString line;
    for (const std::string& expected : lines) {
        ASSERT_TRUE(file.readLine(line));
        EXPECT_EQ(line.c_str(), expected);
    }
    EXPECT_FALSE(file.readLine(line));
}

// Catches: an empty file taken for a read error, and the size limit ignored or off by one.
TEST(FilePtr, ReadAllHonoursTheLimitAndEmptyFiles) {
    TempDir tmp;
    writeFile(tmp / "empty", "");
    writeFile(tmp / "ten", "0123456789");
    EXPECT_EQ(FilePtr((tmp / "empty").c_str(), FilePtr::kRead).readAll(INT_MAX).size(), 0);
    FilePtr ten((tmp / "ten").c_str(), FilePtr::kRead);
    EXPECT_EQ(failureOf([&] { ten.readAll(9); }).message, "Error: file is too large (10 > 9)");
    plat::ByteBuf all = ten.readAll(10);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(all.data()), size_t(all.size())),
              "0123456789");
}

}  // namespace
