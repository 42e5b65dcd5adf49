// The rfb library's translation catalogue: failures of the remote-access protocol's handshake,
// the names of its encryption levels and the descriptions of its parameters, in the five
// languages.
#pragma once

#include "loc/Catalogue.h"

namespace rfb {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace rfb
