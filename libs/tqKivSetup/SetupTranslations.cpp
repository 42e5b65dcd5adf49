#include "tqKivSetup/SetupTranslations.h"

#include "loc/Catalogue.h"

namespace tqKivSetup {
namespace {

// The program's name is the same in every language.
constexpr loc::CatalogueRow kRows[] = {
    {"tqKivSetup_setupapp_name_r", "Tessary Connect Setup", "Tessary Connect Setup",
     "Tessary Connect Setup", "Tessary Connect Setup", "Tessary Connect Setup"},
};

}  // namespace

LOC_DEFINE_CATALOGUE("tqKivSetup_", kRows, 1, registerTranslations, addTranslationCatalogue,
                     translationCatalogue)

}  // namespace tqKivSetup
