// Quoting and splitting of command lines: the privileged helper's arguments and the commands it
// launches travel as one text.
//
// The two are exact inverses for arguments without NUL: splitArgs of a line built by quoteArg
// gives back the same arguments. Quoting follows the usual rules for double quotes and
// backslashes: backslashes are special only in runs that end at a double quote.
#pragma once

#include "plat/DString.h"
#include "plat/StringList.h"

namespace plat {

// Appends `argument` (null counts as empty) to `commandLine`, after a blank unless the line is
// empty. A non-empty argument without blank, tab, newline or double quote is appended as it is;
// any other is put in double quotes, where a run of n backslashes before a double quote becomes
// 2n + 1 backslashes and the quote, a run of n backslashes at the end becomes 2n, and other
// characters are copied. An empty argument becomes "".
void quoteArg(DString& commandLine, const char* argument);

// Appends the arguments of `commandLine` (null counts as empty) to `list`. Outside double quotes,
// runs of blanks and tabs separate arguments; newlines are ordinary characters. A run of n
// backslashes before a double quote gives n / 2 backslashes and then, for odd n, a literal
// double quote, or for even n a toggle of quoting; other backslashes are copied. A pair of
// quotes gives an argument even with nothing between them; an unclosed quote ends at the end.
void splitArgs(StringList& list, const char* commandLine);

}  // namespace plat
