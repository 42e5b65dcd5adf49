// The product library's translation catalogue: the about-box title and the legal notices, further
// information and acknowledgements of the product-information text, in the five languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first.
#pragma once

namespace loc {
struct Catalogue;
}  // namespace loc

namespace product {

// Makes sure the product texts are registered; safe to call from any static initialiser, any
// number of times. The argument is ignored.
void registerTranslations(void* ignored);
// Registers the product texts on its first call and does nothing on later calls.
void addTranslationCatalogue();
// The product catalogue's table and call counter.
const loc::Catalogue& translationCatalogue();

}  // namespace product
