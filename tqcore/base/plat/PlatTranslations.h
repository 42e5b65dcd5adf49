// The plat library's translation catalogue: command-line help and usage texts, argument errors and
// the descriptions of the logging parameters, in the five languages.
#pragma once

#include "loc/Catalogue.h"

namespace plat {

LOC_DECLARE_CATALOGUE(registerPlatTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace plat
