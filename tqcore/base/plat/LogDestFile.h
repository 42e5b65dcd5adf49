// plat::LogDestFile: log lines written to a standard I/O stream, in the system's line format.
//
// Two destinations of this kind exist: "stderr", on the process's standard error, and "file",
// the program's log file, whose path follows the parameters LogDir and LogFile. The log file is
// opened by the first line after its path is set: the previous file is rotated to a name with
// its modification time, rotated files older than LogKeepDays are pruned, and a header block
// may open the new file. Only a regular file with one link (for root, one of root's own) is
// rotated, pruned or written, and never through a link, nor through a log folder that is a link
// in a directory others can write: the log directory may be shared with other users. Several
// processes may start on one log at once: a rotated file is never replaced, and each appends
// its lines whole. Every operation holds the destination's recursive mutex, so lines from
// several threads never interleave. A write that fails, or would cross the process's file size
// limit, leaves no part of its line in the log file unless another process appended after that
// part. A process that runs under a file size limit must ignore SIGXFSZ (the program does so at
// start-up): then a line costs one write and nothing else. Where SIGXFSZ was not ignored when the
// file was opened, each line first asks for the limit, so that crossing it does not end the
// process. Failures to open, rotate or close are reported on standard error, never thrown to the
// writer, and so is the first failed write of a destination and every part that stays. Both
// destinations live for the whole process.
//
// Instances that share a log folder keep each other's logs: each holds a shared flock() lock on
// its open log file and pruning passes over a locked file, so a log that another instance rotated
// aside stays while it is written; a file pruned before it could be locked is opened again.
#pragma once

#include "plat/FilePtr.h"
#include "plat/LogDest.h"
#include "plat/Mutex.h"
#include "plat/String.h"
#include "plat/Time.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/types.h>

namespace plat {

class BoolParameter;
class IntParameter;
class StringParameter;

class LogDestFile : public LogDest {
public:
    // Told when the file reaches its size limit (setMaxSize); the destination then stops.
    class LimitCallback {
    public:
        virtual ~LimitCallback() = default;
        virtual void limitReached(LogDestFile* dest) = 0;
    };

    // A destination named `name` for `programName`, writing to `stream` (not owned) when given,
    // else to the file set with setFileName. Colours are used when the stream is a terminal
    // whose TERM names "xterm", "ansi" or "color".
    LogDestFile(const char* name, const char* programName, FILE* stream);

    // Creates the "file" destination and its path manager on the first call; with `enable` the
    // path is computed from LogDir and LogFile at once. Later calls return the same object.
    static LogDestFile* fileDest(const char* programName, bool enable);
    // Creates the "stderr" destination on the first call.
    static LogDestFile* stderrDest(const char* programName);
    // The "file" destination, or null before fileDest.
    static LogDestFile* getFileDest();
    // Switches the "file" destination between following LogDir/LogFile and having no file
    // (closed). Only after fileDest; nothing when the state is unchanged.
    static void enableFileLogging(bool enable);
    // The header block that opens every new log file (word-wrapped at 79 columns); null: none.
    static void setHeader(const char* text);
    // Whether descriptor 2 follows the log file once it is open.
    static void setRedirectStderr(bool redirect);

    void write(int level, const char* source, const char* text) override;
    // A stream destination always; the file destination while it has a file name.
    bool isActive() override;

    // Sets the log file's path (null or "": none). A different path closes the current file;
    // the next line opens the new one.
    void setFileName(const char* path);
    // Stops writing once the file has `bytes` (0: no limit), then calls `callback` (not
    // owned; may be null). Clears an earlier stop.
    void setMaxSize(int64_t bytes, LimitCallback* callback = nullptr);
    // Reopens the file when its path no longer names the open file (moved or deleted).
    void reopenIfMoved();

    // The log parameters. Writers on any thread read copies that every change updates.
    static BoolParameter& compactLogParam();
    static StringParameter& logDirParam();
    static StringParameter& logFileParam();
    static IntParameter& logKeepDaysParam();

private:
    bool openFile();
    void openPath(const char* path);
    void writeLine(int level, const char* source, const char* text);
    // Writes the whole record, or nothing: on a failure the part written is cut off again while
    // it still ends a regular file.
    bool writeRecord(const char* data, size_t size);
    void closeFile();
    // The UTC time stamp of `now` with milliseconds in timeText_; returns its length.
    size_t timeStamp(int64_t now);

    String programName_;
    String hostName_;       // fetched once, at construction
    Mutex mutex_;           // serialises every operation
    String fileName_;       // configured path, or null
    String openPath_;       // the path of the open file (the default one after a fallback)
    FilePtr file_;          // the open stream
    bool stopped_ = false;  // the size limit was reached
    int64_t maxSize_ = 0;   // 0: no limit
    LimitCallback* limitCallback_ = nullptr;
    bool headerWritten_ = false;  // to the current file
    bool writeFailed_ = false;    // a failed write was told on standard error
    bool useColour_ = false;      // fixed at construction
    bool isStream_ = false;       // writes to a stream given at construction
    bool checkSizeLimit_ = true;  // SIGXFSZ was not ignored when the file was opened or lent
    std::atomic<bool> active_;    // a stream, or a file name set: read by writers without the lock
    char timeText_[Time::kIsoBufferSize];  // the time stamp of the line being written
    int64_t timeSecond_ = 0;               // the second timeText_ was written for
    size_t timeLength_ = 0;                // its length; 0: write the next one whole
    std::string record_;     // the record being written, reused: no allocation per line
    std::string identity_;   // " <host> <program>[<pid>]: " of full lines
    pid_t identityPid_ = 0;  // the process id in identity_
};

}  // namespace plat
