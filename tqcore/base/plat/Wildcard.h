// The "*" pattern match that selects log sources by name.
//
// "*" matches any run of characters, the empty one included; every other character matches
// itself, and there is no escape. Matching backs up only to the most recent "*", so it takes
// at most pattern length * text length steps and constant space, whatever the pattern: the
// patterns come from settings, and "*a*a*a*a*b" must not cost exponential time.
#pragma once

namespace plat {

// Whether `text` matches `pattern` (null counts as empty). Without `caseSensitive`, ASCII
// letters match either case; other bytes, those of UTF-8 sequences included, match exactly.
// "*" alone matches everything; an empty pattern matches only an empty text.
bool wildcardMatch(const char* pattern, const char* text, bool caseSensitive = false);

}  // namespace plat
