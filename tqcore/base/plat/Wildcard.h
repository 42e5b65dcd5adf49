// The "*" pattern match that selects log sources by name.
//
// "*" matches any run of characters, the empty one included; every other character matches
// itself, and there is no escape. The runs between stars are matched in order, each at its
// first place, found by a 16-byte scan for its first and last characters; each place in the
// text is tried as the start of one run at most, so a match takes at most pattern length * text
// length steps and constant space, whatever the pattern: the patterns come from settings, and
// "*a*a*a*a*b" must not cost exponential time. Over text without candidates the scan runs at
// several bytes per cycle.
#pragma once

namespace plat {

// Whether `text` matches `pattern` (null counts as empty). Without `caseSensitive`, ASCII
// letters match either case; other bytes, those of UTF-8 sequences included, match exactly.
// "*" alone matches everything; an empty pattern matches only an empty text.
bool wildcardMatch(const char* pattern, const char* text, bool caseSensitive = false);

}  // namespace plat
