// "*" pattern matching, as the Log setting uses to choose log sources.
//
// "*" matches any run of characters, including none; every other character matches itself,
// compared without regard to ASCII case unless asked. The match backs up only to the last
// star, so it takes at most O(pattern x text) steps in constant space, whatever the pattern.
#pragma once

namespace plat {

bool wildcardMatch(const char* pattern, const char* text, bool caseSensitive);

}  // namespace plat
