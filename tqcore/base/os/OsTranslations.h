// The os library's translation catalogue: the texts of privileged process launching, the syslog
// facility parameter and the WebSocket connection type, in the five languages.
#pragma once

#include "loc/Catalogue.h"

namespace os {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace os
