// The application menu bar's translation catalogue: the items of the application, Edit and
// Window menus that the system's menu bar adds to the toolkit's own, in the five languages.
#pragma once

#include "loc/Catalogue.h"

namespace ui {

LOC_DECLARE_CATALOGUE(registerTranslations, addAppMenuBarCatalogue, appMenuBarCatalogue);

}  // namespace ui
