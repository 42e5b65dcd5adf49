// The mui library's translation catalogue: the about dialog's title and the labels of the
// toolkit's own file dialog, in the five languages.
#pragma once

#include "loc/Catalogue.h"

namespace mui {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace mui
