// The svr library's translation catalogue: the descriptions of the server's parameters, the names
// and descriptions of its authentication methods and encryption levels, the reasons given to a
// viewer whose connection is closed or refused, and the server's state messages, in the five
// languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first.
#pragma once

#include "loc/Catalogue.h"

namespace svr {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace svr
