// The muimisc library's translation catalogue: the texts of the settings sections that the
// suite's dialogs share (expert parameters, proxy, logging), their policy note and the tooltip of
// the clear-text password field's copy button, in the five languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first.
#pragma once

namespace loc {
struct Catalogue;
}  // namespace loc

namespace muimisc {

// Makes sure the muimisc texts are registered; safe to call from any static initialiser, any
// number of times. The argument is ignored.
void registerTranslations(void* ignored);
// Registers the muimisc texts on its first call and does nothing on later calls.
void addTranslationCatalogue();
// The muimisc catalogue's table and call counter.
const loc::Catalogue& translationCatalogue();

}  // namespace muimisc
