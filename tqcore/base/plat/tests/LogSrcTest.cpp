#include "plat/LogSrc.h"

#include "plat/LogDestMem.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using plat::LogSrc;
using plat::test::CapturedLog;

LogSrc fdIoLog("FdIo");
LogSrc fdManagerLog("fdmanager");
LogSrc setupLog("SetupDlg");

TEST(LogSrc, PatternsChooseLevelsAndLaterElementsWin) {
    CapturedLog log("*", 100);
    LogSrc::setLogSetting("*:testcapture:100,Fd*:testcapture:0");
    EXPECT_EQ(fdIoLog.level(), 0);
    EXPECT_EQ(fdManagerLog.level(), 0);  // the match ignores case
    EXPECT_EQ(setupLog.level(), 100);
    LogSrc::setLogSetting("SetupDlg:testcapture:5");
    EXPECT_EQ(setupLog.level(), 5);
    EXPECT_EQ(fdIoLog.level(), -1);
}

TEST(LogSrc, BadElementsAreReportedAndSkipped) {
    CapturedLog log("*", 100);
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

TEST(LogSrc, LinesAreEscapedAndSplit) {
    CapturedLog log("SetupDlg", 100);
    setupLog.info("a\tb ~ %s", "\xC3\xA9\xFF");
    setupLog.write(30, "\n\nfirst\n\nsecond\n");
    setupLog.debug("level %d", 100);
    setupLog.verbose("not taken");
    auto lines = log.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "a~^Ib ~~ \xC3\xA9~M^?");
    EXPECT_EQ(lines[0].level, 30);
    EXPECT_EQ(lines[1].text, "first");
    EXPECT_EQ(lines[2].text, "second");
    EXPECT_EQ(lines[3].text, "level 100");
    EXPECT_EQ(lines[3].source, "SetupDlg");
}

TEST(LogSrc, LongLinesAreCutAtACharacterBoundary) {
    CapturedLog log("SetupDlg", 100);
    std::string text = std::string(4094, 'x') + "\xE2\x82\xAC";
    setupLog.info("%s", text.c_str());
    auto lines = log.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, std::string(4094, 'x'));
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

TEST(LogSrc, LinesNoDestinationTakesAreStoredAndReplayedOncePerDestination) {
    auto& store = plat::LogDestMem::instance();
    LogSrc::setLogSetting("SetupDlg:testswitch:100");
    store.clear();
    setupLog.info("early one");
    setupLog.error("early two");
    EXPECT_EQ(store.size(), 2);

    // Two elements give every source the same destination: its lines come once, framed.
    auto& capture = plat::test::CaptureDest::instance();
    capture.clear();
    LogSrc::setLogSetting("*:testcapture:10,*:testcapture:100");
    auto lines = capture.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "Start replaying stored messages");
    EXPECT_EQ(lines[0].level, 100);
    EXPECT_EQ(lines[1].text, "early one");
    EXPECT_EQ(lines[2].text, "early two");
    EXPECT_EQ(lines[3].text, "Finished replaying stored messages");
    EXPECT_EQ(store.size(), 0);  // pruned up to the highest replayed level
    LogSrc::setLogSetting(nullptr);
    capture.clear();
}

TEST(LogSrc, ReplayDeliversOnlyLinesWithinTheLevel) {
    auto& store = plat::LogDestMem::instance();
    store.clear();
    store.write(0, "A", "zero");
    store.write(100, "A", "hundred");
    store.write(30, "A", "thirty");
    auto& capture = plat::test::CaptureDest::instance();
    capture.clear();
    store.replay(capture, 30);
    auto lines = capture.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].text, "zero");
    EXPECT_EQ(lines[2].text, "thirty");
    store.prune(30);
    EXPECT_EQ(store.size(), 1);
    capture.clear();
    store.replay(capture, 10);
    EXPECT_TRUE(capture.lines().empty());  // nothing qualifies: no framing either
    store.clear();
}

TEST(LogSrc, StoreKeepsFiveHundredLinesAndOneMarker) {
    auto& store = plat::LogDestMem::instance();
    store.clear();
    for (int i = 0; i < 600; ++i)
        store.write(30, "A", "line");
    EXPECT_EQ(store.size(), 501);
    auto& capture = plat::test::CaptureDest::instance();
    capture.clear();
    store.replay(capture, 0);
    auto lines = capture.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].source, "LogDestMem");
    EXPECT_EQ(lines[1].text, "Too many messages, discarding further ones");
    store.clear();
    capture.clear();
}

TEST(LogSrc, InactiveDestinationSendsLinesToTheStore) {
    auto& store = plat::LogDestMem::instance();
    LogSrc::setLogSetting("SetupDlg:testswitch:100");
    store.clear();
    setupLog.info("kept for later");
    EXPECT_EQ(store.size(), 1);
    switchDest->active = true;
    setupLog.info("delivered");
    EXPECT_EQ(switchDest->last, "delivered");
    EXPECT_EQ(store.size(), 1);
    switchDest->active = false;
    LogSrc::setLogSetting(nullptr);
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
        testing::ExitedWithCode(0), "");
}

TEST(LogSrc, SourceNamesWrapWithinTheWidth) {
    char* text = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&text, &size);
    LogSrc::printSourceNames(30, out);
    fclose(out);
    std::string all(text, size);
    free(text);
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.substr(0, 2), "  ");
    EXPECT_EQ(all.back(), '\n');
    size_t start = 0;
    int names = 0;
    for (size_t nl; (nl = all.find('\n', start)) != std::string::npos; start = nl + 1) {
        std::string line = all.substr(start, nl - start);
        bool single = line.find(", ") == std::string::npos;
        if (!single) {
            EXPECT_LE(line.size(), 30u) << line;
        }
        ++names;
    }
    EXPECT_GE(names, 2);  // more than 30 columns of names in this binary
    for (const char* n : {"FdIo", "fdmanager", "SetupDlg", "Assertion"})
        EXPECT_NE(all.find(n), std::string::npos) << n;
}

}  // namespace
