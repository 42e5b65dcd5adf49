// The svr library's translation catalogue: the descriptions of the server's parameters, the names
// and descriptions of its authentication methods and encryption levels, the reasons given to a
// viewer whose connection is closed or refused, and the server's state messages, in the five
// languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first.
#pragma once

namespace loc {
struct Catalogue;
}  // namespace loc

namespace svr {

// Makes sure the svr texts are registered; safe to call from any static initialiser, any number
// of times. The argument is ignored.
void registerTranslations(void* ignored);
// Registers the svr texts on its first call and does nothing on later calls.
void addTranslationCatalogue();
// The svr catalogue's table and call counter.
const loc::Catalogue& translationCatalogue();

}  // namespace svr
