// The os library's translation catalogue: the texts of privileged process launching, the syslog
// facility parameter and the WebSocket connection type, in the five languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first.
#pragma once

namespace loc {
struct Catalogue;
}  // namespace loc

namespace os {

// Makes sure the os texts are registered; safe to call from any static initialiser, any number
// of times. The argument is ignored.
void registerTranslations(void* ignored);
// Registers the os texts on its first call and does nothing on later calls.
void addTranslationCatalogue();
// The os catalogue's table and call counter.
const loc::Catalogue& translationCatalogue();

}  // namespace os
