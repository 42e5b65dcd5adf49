// Product start-up: the program's identity and its logging, set up before the command line is
// parsed into the global configuration.
//
// init first sets SIGXFSZ to be ignored when it has its default action, so that a write past a
// file size limit fails with EFBIG, which every writer reports, instead of ending the process.
// It creates the "stderr" and "file" log destinations and gives the log parameters their
// default-priority values, so that command-line values (priority 10) and policies (30) override
// them. It runs once, on the main thread, before any other thread starts.
#pragma once

namespace product {

struct InitOptions {
    const char* programName = nullptr;     // the program's name: log file, log lines, files
    const char* displayNameKey = nullptr;  // translation key of the name users see
    const char* logSetting = nullptr;      // default of Log; null: "*:stderr:10"
    const char* logDir = nullptr;          // default of LogDir; null: the per-user or system one
    const char* logFile = nullptr;         // default of LogFile; null: "<programName>.log"
    bool enableFileLogging = false;        // let the "file" destination follow LogDir/LogFile
};

// Sets the program's name, creates the log destinations, sets the default-priority values of
// LogDir ("$HOME/Library/Logs/qdx", or "/Library/Logs" for root), LogFile and Log, chooses the
// locale and composes the version information. Then sets QDX_PROFILE_DIR to "$HOME/.qdx" when
// it is unset, fills the configuration directories of os/AppInfo.h ("/etc/qdx", the profile
// directory's "config.d" and the program's file there) and makes the process-wide
// tqutil::ConfigStoreFile; it reads no file. Once per process.
void init(const InitOptions& options);

// The translation key of the name users see, as init was given it (null before init).
const char* displayNameKey();

}  // namespace product
