// The http library's translation catalogue: the name of the HTTP CONNECT connection type and the
// descriptions of the proxy parameters, in the five languages.
#pragma once

#include "loc/Catalogue.h"

namespace http {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace http
