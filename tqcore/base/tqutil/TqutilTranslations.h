// The tqutil library's translation catalogue: the Edit menu items and the descriptions of the
// modifier-key mapping parameters, in the five languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first.
#pragma once

namespace loc {
struct Catalogue;
}  // namespace loc

namespace tqutil {

// Makes sure the tqutil texts are registered; safe to call from any static initialiser, any number
// of times. The argument is ignored.
void registerTranslations(void* ignored);
// Registers the tqutil texts on its first call and does nothing on later calls.
void addTranslationCatalogue();
// The tqutil catalogue's table and call counter.
const loc::Catalogue& translationCatalogue();

}  // namespace tqutil
