// The product library's translation catalogue: the about-box title and the legal notices, further
// information and acknowledgements of the product-information text, in the five languages.
#pragma once

#include "loc/Catalogue.h"

namespace product {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace product
