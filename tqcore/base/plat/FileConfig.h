// plat::FileConfig: parameter files, the key=value records of plat/Records.h, read into a
// configuration at a priority and rewritten whole when values change.
//
// A rewrite reads the file's records into a map keyed by name ignoring case (so a rewritten file
// lists them in that order, and a key in another case replaces the record), changes the map and
// writes it through a transacted stream: readers see the old file or the new one, never a part.
// Records the change does not touch read back as they were read. Every rewrite holds an
// advisory lock (flock() on "<path>.lock", a file left beside the target) from its read to its
// commit, so that writers of one file in any thread or process of this program each keep the
// others' changes; readers take no lock. A full disk or a file size limit fails the rewrite and
// keeps the old file; a process that runs under a size limit must ignore SIGXFSZ (the program
// does so at start-up), which otherwise ends it at the first write past the limit. Every change
// costs one read and one write of the whole file with one fsync.
#pragma once

#include "plat/Configuration.h"
#include "plat/Records.h"

namespace plat {

class FileConfig {
public:
    // Reads the records of `path` and sets each key that names a parameter (ignoring case) from
    // its text at `priority` with Configuration::setParam; unknown keys and refused values are
    // passed over. A record whose text is not valid UTF-8 for its parameter does not stop the
    // rest: the first plat::BadUtf8 is thrown after the last record. A missing file throws the
    // open's plat::SystemException (ENOENT or ENOTDIR for a missing directory); read failures
    // pass on. Logs "Looking for" (level 110) and "Reading" (100) lines on "FileConfig".
    static void read(Configuration& configuration, const char* path, int priority);

    // Reads the records of `path` into `map`, keys with a handler going to the handler. Throws
    // as read.
    static void readRecords(const char* path, StringMap& map,
                            const RecordHandlers* handlers = nullptr);

    // Writes `map` as the whole new contents of `path` and commits, under the lock. `permissions`
    // are the flags of rdr::TransactedFileOutStream (0: an existing file keeps its mode, a new one
    // gets 0664 less the umask). A failure throws and leaves the old file: a lock not had within
    // ten seconds of the call (waits behind other threads of the process included) plat::TimedOut
    // "Timed out waiting for the lock \"<path>.lock\"", a lock file that cannot be made (the
    // directory missing, say) plat::SystemExceptionFmt "Error opening \"<path>.lock\"", a record
    // whose line would be longer than a reader takes (kMaxRecordLine) rdr::StringTooLongException
    // "String exceeds maximum length", and the failures of the transacted stream.
    static void writeRecords(const char* path, const NoCaseStringMap& map, int permissions);

    // Sets the record of every parameter of `configuration` whose current text differs from the
    // same-named parameter of `baseline` (names the baseline lacks are skipped) and rewrites the
    // file; when nothing differs the file is left untouched. A file that cannot be read for any
    // reason but a missing file or directory throws before anything is written; otherwise
    // throws as writeRecords.
    static void update(const Configuration& configuration, const char* path,
                       const Configuration& baseline, int permissions);

    // Sets the record of `key` to `value` (null: the key alone) and rewrites the file, also when
    // the text was there already; a missing file is created. A null or empty key, one that is
    // not valid UTF-8 (plat::utf8IsValid), and one that would not read back as itself (holding
    // "=", a backslash or a line break, or beginning or ending with white space) throw
    // plat::Exception "Invalid parameter file key" before anything is written: no file, lock
    // file or temporary file is made. Throws as update.
    static void setValue(const char* path, const char* key, const char* value, int permissions);
    // The same for every pair of `values` in one rewrite: the file takes all of them or, when
    // anything fails, none; one key refused as by setValue refuses them all.
    static void setValues(const char* path, const StringMap& values, int permissions);
    // Removes the record of `key` (ignoring case) and rewrites the file; for a missing file (or
    // directory) nothing is written, the lock file included. Refuses the keys that setValue
    // refuses, whether or not the file exists. Throws as setValue.
    static void removeValue(const char* path, const char* key, int permissions);
};

}  // namespace plat
