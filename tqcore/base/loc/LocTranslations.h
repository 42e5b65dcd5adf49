// The loc library's translation catalogue: byte sizes, byte rates, periods, relative days and the
// description of the `Locale` parameter, in the five languages.
#pragma once

#include "loc/Catalogue.h"

namespace loc {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace loc
