#include "os/Backtrace.h"

#include <string>

#include <gtest/gtest.h>

// Exported and never inlined: only exported functions are named in the symbolised frames.
__attribute__((noinline)) void osTestsBacktraceProbe(plat::StringList& frames) {
    os::captureBacktrace(frames);
    asm volatile("" ::: "memory");  // no tail call, which would drop this frame
}

// Catches: nothing captured; the list cleared rather than appended to; the capturing routine's
// own frame left in, as happens when a sanitizer wraps backtrace and adds a frame.
TEST(Backtrace, AppendsFramesStartingAtTheCaller) {
    plat::StringList frames(1, plat::String("kept"));
    osTestsBacktraceProbe(frames);
    ASSERT_GT(frames.size(), 2u);
    EXPECT_STREQ(frames[0].get(), "kept");
    EXPECT_NE(std::string(frames[1].get()).find("osTestsBacktraceProbe"), std::string::npos)
        << frames[1].get();
}
