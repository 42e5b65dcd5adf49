#include "plat/Exception.h"

#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

using plat::Exception;

// Byte 255 (or 63 of a type name) falling inside a character drops the whole character, and
// appended detail stays within the limit; a message is never read as a format.
TEST(Exception, TextsAreCutAtCharacterBoundaries) {
    std::string cut = std::string(253, 'b') + "\xE2\x82\xAC";
    EXPECT_EQ(std::string(Exception(cut.c_str()).message()), std::string(253, 'b'));
    char code[Exception::kTypeNameSize];
    plat::formatCode(code, "%s", (std::string(62, 'c') + "\xC3\xA9").c_str());
    EXPECT_EQ(std::string(code), std::string(62, 'c'));
    EXPECT_STREQ(Exception(nullptr).message(), "");
    EXPECT_STREQ(Exception("100%").message(), "100%");

    Exception e("base");
    e.appendDetail("%s=%d", "x", 1);
    EXPECT_STREQ(e.message(), "base: x=1");
    e.appendDetail("%s", e.message());  // its own message as it was before the call
    EXPECT_STREQ(e.message(), "base: x=1: base: x=1");
    Exception full((std::string(254, 'f') + "\xC3\xA9").c_str());
    full.appendDetail("%s", "more \xE2\x82\xAC");
    EXPECT_EQ(std::string(full.message()), std::string(254, 'f') + ":");
}

TEST(Exception, SystemExceptionTexts) {
    EXPECT_STREQ(plat::SystemException("", ENOENT).message(), "No such file or directory (2)");
    EXPECT_STREQ(plat::SystemException("x", 0).message(), "x: Success (0)");
    plat::SystemExceptionFmt formatted("fileOpenFd(%s)", ENOENT, "/tmp/x");
    EXPECT_STREQ(formatted.message(), "fileOpenFd(/tmp/x): No such file or directory (2)");
    EXPECT_STREQ(plat::SystemException("y", 123456).typeName(), "System-123456");
}

TEST(Exception, StdlibExceptionKeepsTheErrnoItWasGiven) {
    // Formatting a wide text the C locale cannot convert fails with EILSEQ, which would
    // otherwise replace the caller's error.
    errno = ENOENT;
    plat::StdlibException e("open(%ls)", L"\x20AC");
    EXPECT_EQ(e.errorNumber(), ENOENT);
    EXPECT_STREQ(e.typeName(), "System-2");
}

TEST(Exception, ExceptionTextFallsBackOnAnEmptyMessage) {
    char buffer[Exception::kMessageSize];
    plat::exceptionText(buffer, plat::TimedOut("no answer"), "fallback");
    EXPECT_STREQ(buffer, "[TimedOut] no answer");
    plat::exceptionText(buffer, Exception(""), "fallback");
    EXPECT_STREQ(buffer, "fallback");
}

TEST(Exception, CheckThrowsAndWarningsGoToTheAssertionLog) {
    try {
        TQ_CHECK(1 + 1 == 3);
        ADD_FAILURE() << "TQ_CHECK must throw";
    } catch (const plat::AssertionFail& e) {
        EXPECT_EQ(std::string(e.message()).rfind("Assertion '1 + 1 == 3' failed at ", 0), 0u);
    }
    plat::test::CapturedLog log("Assertion");
    Exception::logWarning(Exception("careful"));
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].level, 0);
    EXPECT_EQ(log.lines()[0].text, "Warning: careful");
}

// Writes every line it receives to standard error, so that death tests can see the log.
class StderrDest : public plat::LogDest {
public:
    StderrDest() : LogDest("teststderr") {}
    void write(int, const char* source, const char* text) override {
        fprintf(stderr, "LOG %s: %s\n", source, text);
    }
};

// Asserts while the fatal report is writing its first log line.
class FailingDest : public plat::LogDest {
public:
    FailingDest() : LogDest("testfailing") {}
    void write(int, const char*, const char*) override { TQ_ASSERT(!"nested failure"); }
};

StderrDest* stderrDest = new StderrDest;
FailingDest* failingDest = new FailingDest;

void failHere() {
    TQ_ASSERT(2 + 2 == 5);
}

TEST(ExceptionDeathTest, FatalReportWritesMessageLogAndStack) {
    EXPECT_DEATH(
        {
            plat::LogSrc::setLogSetting("Assertion:teststderr:0");
            failHere();
        },
        "Assertion '2 \\+ 2 == 5' failed at tqcore/base/plat/tests/ExceptionTest.cpp:[0-9]+\n"
        "LOG Assertion: Assertion '2 \\+ 2 == 5' failed at [^\n]*\n"
        "LOG Assertion: stacktrace: [^\n]*");
}

TEST(ExceptionDeathTest, FailureWhileReportingStopsAtOnce) {
    // The second failure must not produce a report of its own.
    EXPECT_DEATH(
        {
            plat::LogSrc::setLogSetting("Assertion:testfailing:0");
            failHere();
        },
        "^Assertion '2 \\+ 2 == 5' failed at [^\n]*\n$");
}

}  // namespace
