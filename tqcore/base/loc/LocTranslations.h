// The loc library's translation catalogue: byte sizes, byte rates, periods, relative days and the
// description of the `Locale` parameter, in the five languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first.
#pragma once

namespace loc {

struct Catalogue;

// Makes sure the loc texts are registered; safe to call from any static initialiser, any number
// of times. The argument is ignored.
void registerTranslations(void* ignored);
// Registers the loc texts on its first call and does nothing on later calls.
void addTranslationCatalogue();
// The loc catalogue's table and call counter.
const Catalogue& translationCatalogue();

}  // namespace loc
