#include "plat/LogSrc.h"

#include "plat/LogDestMem.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using plat::LogSrc;
using plat::test::CapturedLog;

LogSrc fdIoLog("FdIo");
LogSrc fdManagerLog("fdmanager");
LogSrc setupLog("SetupDlg");

// Patterns ignore case and later elements win; bad elements are reported and skipped.
TEST(LogSrc, ElementsChooseLevels) {
    CapturedLog log("*", 100);
    LogSrc::setLogSetting("*:testcapture:100,Fd*:testcapture:0");
    EXPECT_EQ(fdIoLog.level(), 0);
    EXPECT_EQ(fdManagerLog.level(), 0);
    EXPECT_EQ(setupLog.level(), 100);
    testing::internal::CaptureStderr();
    LogSrc::setLogSetting("*:nosuchdest:10,*:testcapture,FdIo:testcapture:x1,FdIo:testcapture:-1,"
                          "FdIo::5,,FdIo:testcapture:2147483648,SetupDlg:testcapture:7");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "No LogDest found: 'nosuchdest'\n"
                   "Failed to parse log param element: '*:testcapture'\n"
                   "Failed to parse log param element: 'FdIo:testcapture:x1'\n"
                   "Failed to parse log param element: 'FdIo:testcapture:-1'\n"
                   "Failed to parse log param element: 'FdIo:testcapture:2147483648'\n");
    EXPECT_EQ(setupLog.level(), 7);
    EXPECT_EQ(fdIoLog.level(), -1);
}

// A long line loses the whole character that crosses the limit.
TEST(LogSrc, LinesAreEscapedSplitAndCutAtACharacterBoundary) {
    CapturedLog log("SetupDlg", 100);
    setupLog.info("a\tb ~ %s", "\xC3\xA9\xFF");
    setupLog.write(30, "\n\nfirst\n\nsecond\n");
    setupLog.debug("level %d", 100);
    setupLog.verbose("not taken");
    setupLog.info("%s", (std::string(4094, 'x') + "\xE2\x82\xAC").c_str());
    EXPECT_EQ(log.texts("SetupDlg"),
              (std::vector<std::string>{"a~^Ib ~~ \xC3\xA9~M^?", "first", "second", "level 100",
                                        std::string(4094, 'x')}));
}

// Lines of text, "%s", "%d" and "%%" are formatted by hand: every one must read as the C
// library would write it, and any other conversion is still the library's.
TEST(LogSrc, PlainFormatsReadAsTheCLibraryWritesThem) {
    CapturedLog log("SetupDlg", 100);
    const char* const formats[] = {"at %d from %s", "%d%%%s", "%d", "%5d|%-4s|", "%x %.2s", "-"};
    const int numbers[] = {0, -7, INT_MIN, INT_MAX};
    for (const char* format : formats) {
        for (int number : numbers) {
            for (const char* text : {"192.0.2.7", "", static_cast<const char*>(nullptr)}) {
                char expected[256];
                std::snprintf(expected, sizeof expected, format, number, text);
                setupLog.info(format, number, text);
                EXPECT_EQ(log.texts("SetupDlg").at(0), expected) << format;
                plat::test::CaptureDest::instance().clear();
            }
        }
    }
}

// The escape check reads eight bytes at a time: a byte just outside 32..125 must be found at
// every position of a word and of the tail, and the bytes just inside must pass.
TEST(LogSrc, EveryByteOutsideThePrintableRangeIsFoundWhereverItStands) {
    CapturedLog log("SetupDlg", 100);
    for (char byte : std::string("\x01\x1F~\x7F\x80\xFF }", 8)) {
        for (size_t at = 0; at < 19; ++at) {
            std::string line(19, 'a');
            line[at] = byte;
            setupLog.info("%s", line.c_str());
            bool escaped = log.texts("SetupDlg").at(0) != line;
            EXPECT_EQ(escaped, byte != ' ' && byte != '}') << int(byte) << " at " << at;
            plat::test::CaptureDest::instance().clear();
        }
    }
}

// A destination that can be switched off, like a file destination without a file name.
class SwitchDest : public plat::LogDest {
public:
    SwitchDest() : LogDest("testswitch") {}
    void write(int, const char*, const char* text) override { last = text; }
    bool isActive() override { return active; }
    bool active = false;
    std::string last;
};
SwitchDest* switchDest = new SwitchDest;

// "<source>: <text>" of every line captured since the last call.
std::vector<std::string> captured() {
    std::vector<std::string> out;
    for (const auto& l : plat::test::CaptureDest::instance().lines())
        out.push_back(l.source + ": " + l.text);
    plat::test::CaptureDest::instance().clear();
    return out;
}
using Lines = std::vector<std::string>;

TEST(LogSrc, LinesNoActiveDestinationTakesAreStoredAndReplayedOncePerDestination) {
    auto& store = plat::LogDestMem::instance();
    LogSrc::setLogSetting("SetupDlg:testswitch:100");
    store.clear();
    setupLog.info("early one");
    setupLog.error("early two");
    EXPECT_EQ(store.size(), 2);
    switchDest->active = true;
    setupLog.info("delivered");
    EXPECT_EQ(switchDest->last, "delivered");
    EXPECT_EQ(store.size(), 2);
    switchDest->active = false;

    // Two elements give every source the same destination: its lines come once, framed, and
    // the store is pruned up to the highest level replayed.
    captured();
    LogSrc::setLogSetting("*:testcapture:10,*:testcapture:100");
    EXPECT_EQ(captured(),
              (Lines{"LogDestMem: Start replaying stored messages", "SetupDlg: early one",
                     "SetupDlg: early two", "LogDestMem: Finished replaying stored messages"}));
    EXPECT_EQ(store.size(), 0);
    LogSrc::setLogSetting(nullptr);
    captured();
}

// At most 500 lines and one marker; a replay gives only lines within its level.
TEST(LogSrc, StoreIsBoundedAndReplaysByLevel) {
    auto& store = plat::LogDestMem::instance();
    auto& capture = plat::test::CaptureDest::instance();
    store.clear();
    store.write(0, "A", "zero");
    store.write(100, "A", "hundred");
    for (int i = 0; i < 600; ++i)
        store.write(30, "A", "thirty");
    EXPECT_EQ(store.size(), 501);
    captured();
    store.replay(capture, 0);
    EXPECT_EQ(captured(), (Lines{"LogDestMem: Start replaying stored messages", "A: zero",
                                 "LogDestMem: Too many messages, discarding further ones",
                                 "LogDestMem: Finished replaying stored messages"}));
    store.prune(30);
    EXPECT_EQ(store.size(), 1);
    store.replay(capture, 10);
    EXPECT_TRUE(captured().empty());  // nothing qualifies: no framing either
    store.clear();
}

TEST(LogSrcDeathTest, InitialisedLoggingGatesAndDropsLines) {
    // Initialising logging is once per process: run it in a child.
    EXPECT_EXIT(
        {
            auto& store = plat::LogDestMem::instance();
            auto& capture = plat::test::CaptureDest::instance();
            store.clear();
            setupLog.info("before");
            LogSrc::setLogSetting("SetupDlg:testcapture:30");
            capture.clear();
            plat::initLogging();
            plat::initLogging();
            setupLog.debug("gated");
            setupLog.info("passes");
            fdIoLog.error("no destination: dropped");
            auto lines = capture.lines();
            bool ok = plat::loggingInitialised() && lines.size() == 1 &&
                      lines[0].text == "passes" && store.size() == 0 && !setupLog.enabled(31) &&
                      setupLog.enabled(30);
            std::exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "^$");
}

// A source that a static initialiser writes before the source's own constructor has run: its
// storage is still all zero bits, which must stop the process rather than drop the line. (Where
// the sanitizer checks the dynamic type of objects, that check stops it first.)
__attribute__((no_sanitize("vptr"))) void debugBeforeConstruction() {
    alignas(LogSrc) static unsigned char storage[sizeof(LogSrc)];
    reinterpret_cast<LogSrc*>(storage)->debug("too early");
}

TEST(LogSrcDeathTest, WritingBeforeConstructionStops) {
    EXPECT_DEATH(debugBeforeConstruction(),
                 "Assertion 'constructed' failed|does not point to an object of type 'LogSrc'");
}

// Lines holding more than one name stay within the width.
TEST(LogSrc, SourceNamesWrapWithinTheWidth) {
    char* text = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&text, &size);
    LogSrc::printSourceNames(30, out);
    fclose(out);
    std::istringstream all(std::string(text, size));
    free(text);
    int lines = 0;
    for (std::string line; std::getline(all, line); ++lines) {
        EXPECT_EQ(line.substr(0, 2), "  ");
        EXPECT_TRUE(line.size() <= 30 || line.find(", ") == std::string::npos) << line;
    }
    EXPECT_GE(lines, 2);  // more than 30 columns of names in this binary
    for (const char* n : {"FdIo", "fdmanager", "SetupDlg", "Assertion"})
        EXPECT_NE(all.str().find(n), std::string::npos) << n;
}

}  // namespace
