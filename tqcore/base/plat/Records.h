// Key=value records: the line format of parameter files and of other stored string maps.
//
// One record a line: the key, then "=" and the value when there is one. Keys and values are
// escaped so that a record never spans lines: a newline is written "\n", a carriage return "\r"
// and a backslash "\\"; every other byte goes through unchanged, so UTF-8 stays as it is.
// Readers unescape the whole line before they split it at the first "=", so a key read from a
// file is written back as it was read (keys are parameter names, which hold no backslash or line
// break, so for them nothing changes). Readers trim ASCII white space only, never a byte of 0x80
// or above, so a value ending in "à" (C3 A0) keeps its last byte whatever the locale. Reading
// and writing cost one pass over the text.
//
// White space at the very start or end of a line does not survive a read, so a value that ends
// in blanks loses them; the format has no escape for that and stored files rely on the format.
#pragma once

#include "plat/Configuration.h"
#include "plat/DString.h"
#include "plat/String.h"
#include "plat/StringList.h"

#include <map>

namespace rdr {
class InStream;
class OutStream;
}  // namespace rdr

namespace plat {

// Takes the records of one key (found ignoring case) instead of the map.
class RecordHandler {
public:
    virtual ~RecordHandler() = default;
    // `value` is null for a line without "=".
    virtual void handleRecord(const char* key, const char* value, StringMap& map) = 0;
};
using RecordHandlers = std::map<String, RecordHandler*, NoCaseLess>;

// The longest line a reader takes, in bytes without the line break.
constexpr int kMaxRecordLine = 262144;

// A copy of `text` with newline, carriage return and backslash escaped; null gives null.
String escapeRecordValue(const char* text);
// The length of the line the record is written as, without its line break.
size_t recordLineLength(const char* key, const char* value);

// Writes every entry in the map's key order: the escaped key, "=" and the escaped value when the
// value is not null, and "\n". Throws what the stream throws.
void writeRecords(rdr::OutStream& out, const StringMap& map);
void writeRecords(rdr::OutStream& out, const NoCaseStringMap& map);

// Reads the next line of `in` into `line` and cleans it in place: ASCII white space trimmed at
// both ends, then "\r", "\n" and "\\" unescaped (a backslash before any other byte, or at the
// end, stays). Sets `*key` to the text before the first "=" and `*value` to the text after it,
// or to null when there is no "="; both point into `line`. Returns false when the stream or the
// message ends before the line begins. A line longer than kMaxRecordLine bytes throws
// rdr::StringTooLongException; other failures of the stream pass on.
bool readRecord(rdr::InStream& in, DString& line, const char** key, const char** value);

// Reads records until the stream or the message ends, storing each value under its key (an
// equal stored text is left alone; a later record of a key replaces an earlier one). A key that
// has a handler in `handlers` goes to the handler instead. Failures as readRecord.
void readRecords(rdr::InStream& in, StringMap& map, const RecordHandlers* handlers = nullptr);
void readRecords(rdr::InStream& in, NoCaseStringMap& map);

// For every parameter of `configuration` (descendants included, shadowed ones left out) whose
// name `reference` also knows (recursively), stores the parameter's current text under its name
// in `map` when it differs from the reference's current text (or only one of them is null).
// Returns true when at least one entry was stored.
bool collectChangedParams(const Configuration& configuration, const Configuration& reference,
                          NoCaseStringMap& map);

}  // namespace plat
