// The score library's translation catalogue: the names of the server's run modes and of the kinds
// of connected users, the description of the desktop-name parameter and the message of an
// operation that needs administrator rights, in the five languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first.
#pragma once

namespace loc {
struct Catalogue;
}  // namespace loc

namespace score {

// Makes sure the score texts are registered; safe to call from any static initialiser, any number
// of times. The argument is ignored.
void registerTranslations(void* ignored);
// Registers the score texts on its first call and does nothing on later calls.
void addTranslationCatalogue();
// The score catalogue's table and call counter.
const loc::Catalogue& translationCatalogue();

}  // namespace score
