#include "plat/Exception.h"

#include "os/Backtrace.h"
#include "plat/ConfigParameter.h"
#include "plat/LogDestIpc.h"
#include "plat/LogSrc.h"
#include "plat/StrUtil.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace plat {

const char* volatile fatalMessage = nullptr;

namespace {

LogSrc assertionLog("Assertion");

// Built on first use and never destroyed: a BadUtf8 may be built by any static initialiser or
// destructor, before or after this file's own.
BoolParameter& badUtf8AssertParam() {
    static BoolParameter* const param = new BoolParameter(
        "_BadUtf8Assert", "Make bad UTF-8 cause an assertion failure for debugging", false);
    return *param;
}
// Joins the global configuration during static initialisation, so that it can be set.
[[maybe_unused]] BoolParameter& registeredBadUtf8Assert = badUtf8AssertParam();

// GNU strerror_r returns the text (possibly a static one); XSI strerror_r fills the buffer and
// returns 0 or an error. Whichever the library gives, the overload for its result picks.
[[maybe_unused]] bool strerrorResult(int result, char*, size_t) {
    return result == 0;
}
[[maybe_unused]] bool strerrorResult(const char* result, char* buffer, size_t size) {
    if (!result) return false;
    if (result != buffer) strCopy(buffer, result, size);
    return true;
}

}  // namespace

Exception::Exception(const char* message) {
    message_[0] = '\0';
    typeName_[0] = '\0';
    strAppend(message_, sizeof message_, message);
}

Exception::Exception(FormatMarker, const char* format, ...) {
    message_[0] = '\0';
    typeName_[0] = '\0';
    va_list args;
    va_start(args, format);
    strAppendVFormat(message_, sizeof message_, format, args);
    va_end(args);
}

Exception& Exception::appendDetail(const char* format, ...) {
    // Formatted apart first: an argument may be this very message.
    char detail[kMessageSize] = "";
    va_list args;
    va_start(args, format);
    strAppendVFormat(detail, sizeof detail, format, args);
    va_end(args);
    strAppend(message_, sizeof message_, ": ");
    strAppend(message_, sizeof message_, detail);
    return *this;
}

void formatCode(char (&code)[Exception::kTypeNameSize], const char* format, ...) {
    va_list args;
    va_start(args, format);
    strVFormat(code, sizeof code, format, args);
    va_end(args);
}

void exceptionText(char (&buffer)[Exception::kMessageSize], const Exception& e,
                   const char* fallback) {
    buffer[0] = '\0';
    if (e.typeName()[0]) strAppendFormat(buffer, sizeof buffer, "[%s] ", e.typeName());
    strAppend(buffer, sizeof buffer, e.message()[0] ? e.message() : fallback);
}

bool strerror(int errorNumber, char* buffer, size_t size) {
    if (!buffer || size == 0) return false;
    buffer[0] = '\0';
    bool ok = strerrorResult(strerror_r(errorNumber, buffer, size), buffer, size);
    if (ok)
        buffer[size - 1] = '\0';
    else
        buffer[0] = '\0';
    return ok;
}

SystemException::SystemException(const char* context, int errorNumber) {
    message_[0] = '\0';
    typeName_[0] = '\0';
    strAppend(message_, sizeof message_, context);
    init(errorNumber);
}

void SystemException::init(int errorNumber) {
    errorNumber_ = errorNumber;
    formatCode(typeName_, "System-%d", errorNumber);
    if (message_[0]) strAppend(message_, sizeof message_, ": ");
    if (errorNumber == 0) {
        strAppend(message_, sizeof message_, "Success");
    } else {
        char text[128];
        strAppend(message_, sizeof message_,
                  strerror(errorNumber, text, sizeof text) ? text : "Unknown error");
    }
    strAppendFormat(message_, sizeof message_, " (%d)", errorNumber);
}

SystemExceptionFmt::SystemExceptionFmt(const char* format, int errorNumber, ...) {
    message_[0] = '\0';
    typeName_[0] = '\0';
    va_list args;
    va_start(args, errorNumber);
    strAppendVFormat(message_, sizeof message_, format, args);
    va_end(args);
    init(errorNumber);
}

StdlibException::StdlibException(const char* format, ...) {
    // Formatting may itself change errno.
    int errorNumber = errno;
    message_[0] = '\0';
    typeName_[0] = '\0';
    va_list args;
    va_start(args, format);
    strAppendVFormat(message_, sizeof message_, format, args);
    va_end(args);
    init(errorNumber);
}

TimedOut::TimedOut(const char* message) : Exception(message) {
    strCopy(typeName_, "TimedOut", sizeof typeName_);
}

BadUtf8::BadUtf8(const char* message) : Exception(message) {
    checkDebugAssert();
}

BadUtf8::BadUtf8(FormatMarker, const char* format, ...) {
    message_[0] = '\0';
    typeName_[0] = '\0';
    va_list args;
    va_start(args, format);
    strAppendVFormat(message_, sizeof message_, format, args);
    va_end(args);
    checkDebugAssert();
}

void BadUtf8::checkDebugAssert() {
    if (!badUtf8AssertParam().getValueInt()) return;
    AssertionFail failure("0", __FILE__, __LINE__);
    failure.appendDetail("%s", message_);
    AssertionFail::fatal(failure);
}

ExceptionFmt::ExceptionFmt(const char* format, ...) {
    message_[0] = '\0';
    typeName_[0] = '\0';
    va_list args;
    va_start(args, format);
    strAppendVFormat(message_, sizeof message_, format, args);
    va_end(args);
}

AssertionFail::AssertionFail(const char* expression, const char* file, int line)
    : Exception(Format, "Assertion '%s' failed at %s:%d", expression, file, line),
      expression_(expression), file_(file), line_(line) {
    strCopy(typeName_, "AssertionFail", sizeof typeName_);
}

void Exception::logWarning(const Exception& e) {
    try {
        assertionLog.error("Warning: %s", e.message());
    } catch (...) {
    }
}

void AssertionFail::fatal(const AssertionFail& failure) {
    // Shared by every thread: whoever fails second, nested or concurrent, stops at once.
    static std::atomic<bool> reporting{false};
    if (!reporting.exchange(true)) {
        std::fprintf(stderr, "%s\n", failure.message());
        std::fflush(stderr);
        try {
            assertionLog.error("%s", failure.message());
            StringList frames;
            os::captureBacktrace(frames);
            for (const String& frame : frames)
                assertionLog.error("stacktrace: %s", frame.get());
            // A helper process's report reaches its peer's log only if sent before the end.
            if (LogDestIpc* ipc = LogDestIpc::instanceIfAny()) ipc->flush();
        } catch (...) {
        }
    }
    fatalMessage = failure.message();
    std::abort();
}

}  // namespace plat
