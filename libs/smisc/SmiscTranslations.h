// The smisc library's translation catalogue: the server's usage lines, parameter descriptions,
// problem events, users-and-permissions and QDX password texts, the connection-request prompt,
// status, notification and service texts, in the five languages.
//
// The texts are registered once, at start-up, by whichever of the entries below runs first; the
// table is constant data that the registry borrows, so registration copies nothing.
#pragma once

#include "loc/Catalogue.h"

namespace smisc {

LOC_DECLARE_CATALOGUE(registerTranslations, addTranslationCatalogue, translationCatalogue);

}  // namespace smisc
