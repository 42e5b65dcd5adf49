// The score library's translation catalogue: the names of the server's run modes and of the kinds
// of connected users, the description of the desktop-name parameter and the message of an
// operation that needs administrator rights, in the five languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first.
#pragma once

#include "loc/Catalogue.h"

namespace score {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace score
