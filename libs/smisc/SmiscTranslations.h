// The smisc library's translation catalogue: the server's usage lines, parameter descriptions,
// problem events, users-and-permissions and QDX password texts, the connection-request prompt,
// status, notification and service texts, in the five languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first; the
// table is constant data that the registry borrows, so registration copies nothing.
#pragma once

namespace loc {
struct Catalogue;
}  // namespace loc

namespace smisc {

// Makes sure the smisc texts are registered; safe to call from any static initialiser, any
// number of times. The argument is ignored.
void registerTranslations(void* ignored);
// Registers the smisc texts on its first call and does nothing on later calls.
void addTranslationCatalogue();
// The smisc catalogue's table and call counter.
const loc::Catalogue& translationCatalogue();

}  // namespace smisc
