#include "plat/Exception.h"

#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

using plat::Exception;

TEST(Exception, MessagesAreCutAtCharacterBoundaries) {
    std::string ascii(300, 'a');
    EXPECT_EQ(std::strlen(Exception(ascii.c_str()).message()), 255u);

    // Byte 255 falls inside a 3-byte character: the character goes, the text stays valid.
    std::string cut = std::string(253, 'b') + "\xE2\x82\xAC";
    Exception e(cut.c_str());
    EXPECT_EQ(std::string(e.message()), std::string(253, 'b'));

    char code[Exception::kTypeNameSize];
    std::string longName = std::string(62, 'c') + "\xC3\xA9";
    plat::formatCode(code, "%s", longName.c_str());
    EXPECT_EQ(std::string(code), std::string(62, 'c'));

    EXPECT_STREQ(Exception(nullptr).message(), "");
    EXPECT_STREQ(Exception("100%").message(), "100%");
    EXPECT_STREQ(Exception(plat::Format, "%d%%", 100).message(), "100%");
}

TEST(Exception, AppendDetailStaysWithinTheLimit) {
    Exception e("base");
    e.appendDetail("%s=%d", "x", 1);
    EXPECT_STREQ(e.message(), "base: x=1");

    std::string full = std::string(254, 'f') + "\xC3\xA9";  // 256 bytes: é is cut
    Exception f(full.c_str());
    f.appendDetail("%s", "more \xE2\x82\xAC");
    EXPECT_EQ(std::strlen(f.message()), 255u);
    EXPECT_EQ(std::string(f.message()), std::string(254, 'f') + ":");
}

TEST(Exception, SystemExceptionTexts) {
    plat::SystemException success("x", 0);
    EXPECT_STREQ(success.message(), "x: Success (0)");
    EXPECT_STREQ(success.typeName(), "System-0");
    plat::SystemException noContext("", ENOENT);
    EXPECT_STREQ(noContext.message(), "No such file or directory (2)");
    plat::SystemExceptionFmt formatted("fileOpenFd(%s)", ENOENT, "/tmp/x");
    EXPECT_STREQ(formatted.message(), "fileOpenFd(/tmp/x): No such file or directory (2)");
    EXPECT_STREQ(formatted.typeName(), "System-2");
    EXPECT_EQ(formatted.errorNumber(), ENOENT);
    plat::SystemException unknown("y", 123456);
    EXPECT_STREQ(unknown.typeName(), "System-123456");
    EXPECT_NE(std::string(unknown.message()).find("(123456)"), std::string::npos);
}

TEST(Exception, StdlibExceptionKeepsTheErrnoItWasGiven) {
    // Formatting a wide text the C locale cannot convert fails with EILSEQ, which would
    // otherwise replace the caller's error.
    errno = ENOENT;
    plat::StdlibException e("open(%ls)", L"\x20AC");
    EXPECT_EQ(e.errorNumber(), ENOENT);
    EXPECT_STREQ(e.typeName(), "System-2");
}

TEST(Exception, ExceptionText) {
    char buffer[Exception::kMessageSize];
    plat::exceptionText(buffer, plat::TimedOut("no answer"), "fallback");
    EXPECT_STREQ(buffer, "[TimedOut] no answer");
    plat::exceptionText(buffer, Exception("plain"), "fallback");
    EXPECT_STREQ(buffer, "plain");
    plat::exceptionText(buffer, Exception(""), "fallback");
    EXPECT_STREQ(buffer, "fallback");
    plat::AssertionFail a("x > 0", "plat/File.cpp", 12);
    EXPECT_STREQ(a.message(), "Assertion 'x > 0' failed at plat/File.cpp:12");
    EXPECT_STREQ(a.typeName(), "AssertionFail");
    EXPECT_EQ(a.line(), 12);
}

TEST(Exception, CheckThrowsAndCopiesKeepTexts) {
    try {
        TQ_CHECK(1 + 1 == 3);
        FAIL() << "TQ_CHECK must throw";
    } catch (const plat::AssertionFail& e) {
        Exception copy = e;
        EXPECT_NE(std::string(copy.message()).find("Assertion '1 + 1 == 3' failed at "),
                  std::string::npos);
        EXPECT_STREQ(copy.typeName(), "AssertionFail");
    }
}

TEST(Exception, LogWarningWritesToTheAssertionSource) {
    plat::test::CapturedLog log("Assertion");
    Exception::logWarning(Exception("careful"));
    auto lines = log.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].level, 0);
    EXPECT_EQ(lines[0].text, "Warning: careful");
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
