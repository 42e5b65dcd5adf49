// The one family of failures of the system, and its assertions.
//
// Every error is a plat::Exception or a subclass, thrown by value and caught by reference to
// plat::Exception. An exception holds its message (at most 255 bytes) and its type name, the
// tag (at most 63 bytes), inline: building, copying and throwing one allocates nothing beyond
// the object, so it works when memory is short. Texts that do not fit are cut, never at the
// middle of a UTF-8 character.
//
// Assertions come in two forms. TQ_CHECK throws plat::AssertionFail and is for conditions that
// depend on outside data. TQ_ASSERT guards internal invariants: a failure is reported on
// standard error and the "Assertion" log with a stack trace, and the process aborts.
#pragma once

#include <cstddef>

#define TQ_PRINTF_FORMAT(fmtIndex, firstArg) __attribute__((format(printf, fmtIndex, firstArg)))

namespace plat {

// Selects the printf-style constructors: plat::Exception(plat::Format, "mkDir(%s)", path).
enum FormatMarker { Format };

class Exception {
public:
    static constexpr size_t kMessageSize = 256;  // with the NUL
    static constexpr size_t kTypeNameSize = 64;  // with the NUL

    // The text is taken as it is ("%" has no meaning); null gives an empty message.
    explicit Exception(const char* message = nullptr);
    Exception(FormatMarker, const char* format, ...) TQ_PRINTF_FORMAT(3, 4);
    virtual ~Exception() = default;

    const char* message() const { return message_; }
    const char* typeName() const { return typeName_; }

    // Appends ": " and the formatted text to the message, within the same limit.
    Exception& appendDetail(const char* format, ...) TQ_PRINTF_FORMAT(2, 3);

    // Writes "Warning: <message>" to the "Assertion" log at level 0; never throws.
    static void logWarning(const Exception& e);

protected:
    char message_[kMessageSize];
    char typeName_[kTypeNameSize];  // the tag; empty for plain exceptions
};

// Formats into a 64-byte type name (or any 64-byte code), cutting at a character boundary.
void formatCode(char (&code)[Exception::kTypeNameSize], const char* format, ...)
    TQ_PRINTF_FORMAT(2, 3);

// Fills `buffer` with "[<type name>] " (when there is one) and the message, or `fallback` when
// the message is empty.
void exceptionText(char (&buffer)[Exception::kMessageSize], const Exception& e,
                   const char* fallback);

// Writes the system's text for `errorNumber` into `buffer`. Returns false, leaving an empty
// text, when the system has none. The buffer is NUL-terminated either way.
bool strerror(int errorNumber, char* buffer, size_t size);

// A failed system call: "<context>: <system text> (<errno>)", type name "System-<errno>".
class SystemException : public Exception {
public:
    SystemException(const char* context, int errorNumber);
    int errorNumber() const { return errorNumber_; }

protected:
    SystemException() = default;
    void init(int errorNumber);  // completes the message after the context

private:
    int errorNumber_ = 0;
};

class SystemExceptionFmt : public SystemException {
public:
    SystemExceptionFmt(const char* format, int errorNumber, ...) TQ_PRINTF_FORMAT(2, 4);
};

// Takes the error number from errno as it was when the constructor was entered.
class StdlibException : public SystemException {
public:
    explicit StdlibException(const char* format, ...) TQ_PRINTF_FORMAT(2, 3);
};

class TimedOut : public Exception {
public:
    explicit TimedOut(const char* message);
};

// Number parsing failures.
class BadNum : public Exception {
public:
    explicit BadNum(const char* message) : Exception(message) {}
};

// Text that is not valid UTF-8. With the parameter _BadUtf8Assert set, constructing one is a
// fatal assertion failure instead, so that the source of the bad text can be found.
class BadUtf8 : public Exception {
public:
    explicit BadUtf8(const char* message);
    BadUtf8(FormatMarker, const char* format, ...) TQ_PRINTF_FORMAT(3, 4);

private:
    void checkDebugAssert();
};

class ExceptionFmt : public Exception {
public:
    explicit ExceptionFmt(const char* format, ...) TQ_PRINTF_FORMAT(2, 3);
};

// "Assertion '<expression>' failed at <file>:<line>", type name "AssertionFail".
class AssertionFail : public Exception {
public:
    AssertionFail(const char* expression, const char* file, int line);

    const char* expression() const { return expression_; }
    const char* file() const { return file_; }
    int line() const { return line_; }

    // Writes the message to standard error and the "Assertion" log with a stack trace, then
    // aborts. A failure while a report is under way, on any thread, aborts at once.
    [[noreturn]] static void fatal(const AssertionFail& failure);

private:
    const char* expression_;  // static text of the checked expression
    const char* file_;        // static source path
    int line_;
};

// Set to the message of the fatal report just before abort(), to be found in a core dump.
extern const char* volatile fatalMessage;

}  // namespace plat

// Fatal: an internal invariant is broken.
#define TQ_ASSERT(expr)                                                                            \
    ((expr) ? static_cast<void>(0)                                                                 \
            : ::plat::AssertionFail::fatal(::plat::AssertionFail(#expr, __FILE__, __LINE__)))

// Throwing: a condition on outside data or the environment does not hold.
#define TQ_CHECK(expr)                                                                             \
    ((expr) ? static_cast<void>(0) : throw ::plat::AssertionFail(#expr, __FILE__, __LINE__))
