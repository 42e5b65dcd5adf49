// The muimisc library's translation catalogue: the texts of the settings sections that the
// suite's dialogs share (expert parameters, proxy, logging), their policy note and the tooltip of
// the clear-text password field's copy button, in the five languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first.
#pragma once

#include "loc/Catalogue.h"

namespace muimisc {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace muimisc
