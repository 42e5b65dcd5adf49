// The ssl library's translation catalogue: the descriptions of the TLS parameters, in the five
// languages.
#pragma once

#include "loc/Catalogue.h"

namespace ssl {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace ssl
