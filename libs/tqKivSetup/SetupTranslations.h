// The setup program's translation catalogue: the texts of the program itself, in the five
// languages. Registered once, at start-up, by whichever of the entries below runs first.
#pragma once

namespace loc {
struct Catalogue;
}  // namespace loc

namespace tqKivSetup {

// Makes sure the program's texts are registered; safe from any static initialiser, any number
// of times. The argument is ignored.
void registerTranslations(void* ignored);
// Registers the texts on its first call and does nothing on later calls.
void addTranslationCatalogue();
// The catalogue's table and call counter.
const loc::Catalogue& translationCatalogue();

}  // namespace tqKivSetup
