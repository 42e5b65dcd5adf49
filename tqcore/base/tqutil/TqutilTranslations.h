// The tqutil library's translation catalogue: the Edit menu items and the descriptions of the
// modifier-key mapping parameters, in the five languages.
#pragma once

#include "loc/Catalogue.h"

namespace tqutil {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace tqutil
