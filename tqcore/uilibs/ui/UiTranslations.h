// The ui library's translation catalogue: dialog buttons, the standard menu titles and the texts
// of the file and folder dialogs, in the five languages. The application menu bar has its own
// catalogue (ui/AppMenuBarTranslations.h).
#pragma once

#include "loc/Catalogue.h"

namespace ui {

LOC_DECLARE_CATALOGUE(registerStrings, addTranslationCatalogue, translationCatalogue);

}  // namespace ui
