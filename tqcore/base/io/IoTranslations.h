// The io library's translation catalogue: name-resolution, endpoint, TCP and proxy errors,
// connection-type names and the descriptions of the network parameters, in the five languages.
#pragma once

#include "loc/Catalogue.h"

namespace io {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace io
