// The setup program's translation catalogue: the texts of the program itself, in the five
// languages.
#pragma once

#include "loc/Catalogue.h"

namespace tqKivSetup {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace tqKivSetup
