// Translation files: a small subset of gettext's ".po" format (msgid and msgstr entries,
// comments, continuation lines and the simple C escapes), one file "strings.<locale>.po" per
// locale, read from the built-in data and the resource directories (loc::Localize).
//
// Reading never stops the program: every bad line is logged with the file name and line number
// and reading goes on without it. An entry that took a quoted string after a bad line is dropped
// whole, so that a text is never stored mixed with another entry's text or under another entry's
// key; an entry that only saw a bad line is kept. Stored texts are valid UTF-8 (bad sequences
// become U+FFFD). One pass, linear in the size of the input; a line holds at most 262144 bytes.
#pragma once

#include <functional>
#include <string>

namespace rdr {
class InStream;
}

namespace loc {

class Localize;

// Receives one entry with a non-empty msgid: its key and text, both valid UTF-8 without NUL.
using PoEntrySink = std::function<void(const char* key, const char* text)>;

// Reads `in` to its end as a translation file and stores every complete entry with a non-empty
// msgid in `registry` under `locale` (Localize::addPoTranslation), replacing that locale's
// earlier text. Problems are logged at the error level of "Localize" as "<displayName>:<line>
// <message>" and the next line is read: a keyword other than the one expected ("Expected msgid",
// "Expected msgstr"), a keyword line without a blank or after msgstr ("Bad command or string"),
// a quoted line outside an entry ("String outside an entry"), a line holding a NUL byte ("NUL
// byte in line") and the string errors of parsePoString. An entry that takes a quoted line
// after any of them is dropped whole at its end (a rejected keyword line starts an entry of its
// own, so that the quoted lines after it are not stray ones). A line of
// invalid UTF-8 is logged as "<displayName>:<line> Bad UTF-8 (<msgid so far>) for '<locale>'
// locale" and used repaired. An entry whose msgid is followed by an empty line logs "Expected
// msgstr" and stays open for its msgstr. Throws only what the stream throws other than its end:
// a line over 262144 bytes is rdr::StringTooLongException, and the entries stored before it stay.
void parsePo(rdr::InStream& in, const char* displayName, const char* locale, Localize& registry);
// The same, handing each complete entry to `store` in file order.
void parsePo(rdr::InStream& in, const char* displayName, const char* locale,
             const PoEntrySink& store);

// Appends the text of one quoted string (blanks, a double quote, the text, a double quote) to
// `buffer`, resolving the escapes \" \' \? \\ \a \b \f \n \r \t \v. Throws plat::Exception
// "Junk preceding string data" (anything but blanks before the quote), "Invalid escape code",
// "Invalid escape at end", "Missing terminator", or "Junk following string data" (anything after
// the closing quote, or no quote at all); the characters before the error stay appended.
void parsePoString(const char* text, std::string& buffer);

}  // namespace loc
