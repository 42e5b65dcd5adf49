// The io library's translation catalogue: name-resolution, endpoint, TCP and proxy errors,
// connection-type names and the descriptions of the network parameters, in the five languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first.
#pragma once

namespace loc {
struct Catalogue;
}  // namespace loc

namespace io {

// Makes sure the io texts are registered; safe to call from any static initialiser, any number
// of times. The argument is ignored.
void registerTranslations(void* ignored);
// Registers the io texts on its first call and does nothing on later calls.
void addTranslationCatalogue();
// The io catalogue's table and call counter.
const loc::Catalogue& translationCatalogue();

}  // namespace io
