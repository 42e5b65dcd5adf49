// The plat library's translation catalogue: command-line help and usage texts, argument errors and
// the descriptions of the logging parameters, in the five languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first.
#pragma once

namespace loc {
struct Catalogue;
}  // namespace loc

namespace plat {

// Makes sure the plat texts are registered; safe to call from any static initialiser, any number
// of times. The argument is ignored.
void registerPlatTranslations(void* ignored);
// Registers the plat texts on its first call and does nothing on later calls.
void addTranslationCatalogue();
// The plat catalogue's table and call counter.
const loc::Catalogue& translationCatalogue();

}  // namespace plat
