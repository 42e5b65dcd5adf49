// Capturing log lines in tests. A CapturedLog routes the chosen sources to a process-wide
// destination named "testcapture" while it lives, and gives back the lines received.
// (Destinations are never unregistered, so the destination itself is never destroyed.)
#pragma once

#include "plat/LogDest.h"
#include "plat/LogSrc.h"

#include <mutex>
#include <string>
#include <vector>

namespace plat::test {

struct LogLine {
    int level;
    std::string source;
    std::string text;
};

class CaptureDest : public LogDest {
public:
    static CaptureDest& instance() {
        static CaptureDest* const dest = new CaptureDest;
        return *dest;
    }
    void write(int level, const char* source, const char* text) override {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.push_back({level, source, text});
    }
    std::vector<LogLine> lines() {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }
    void clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.clear();
    }

private:
    CaptureDest() : LogDest("testcapture") {}
    std::mutex mutex_;
    std::vector<LogLine> lines_;
};

class CapturedLog {
public:
    // Applies "<sources>:testcapture:<level>" as the process's log setting. Lines replayed
    // from the store of early lines are dropped: a test sees only what it caused.
    explicit CapturedLog(const char* sources = "*", int level = 1000) {
        CaptureDest& dest = CaptureDest::instance();  // registered before the setting names it
        std::string setting = std::string(sources) + ":testcapture:" + std::to_string(level);
        LogSrc::setLogSetting(setting.c_str());
        dest.clear();
    }
    ~CapturedLog() {
        LogSrc::setLogSetting(nullptr);
        CaptureDest::instance().clear();
    }
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;

    std::vector<LogLine> lines() { return CaptureDest::instance().lines(); }
    // The texts of the lines from `source`, in order.
    std::vector<std::string> texts(const char* source) {
        std::vector<std::string> out;
        for (const LogLine& l : lines())
            if (l.source == source) out.push_back(l.text);
        return out;
    }
    void clear() { CaptureDest::instance().clear(); }
};

}  // namespace plat::test
