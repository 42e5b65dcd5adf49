#include "tqKivSetup/SetupTranslations.h"

#include "loc/Catalogue.h"

namespace tqKivSetup {
namespace {

// The program's name is the same in every language.
constexpr loc::CatalogueRow kRows[] = {
    {"tqKivSetup_setupapp_name_r", "Tessary Connect Setup", "Tessary Connect Setup",
     "Tessary Connect Setup", "Tessary Connect Setup", "Tessary Connect Setup"},
};
constexpr std::size_t kRowCount = sizeof kRows / sizeof kRows[0];
static_assert(loc::catalogueTextsPresent(kRows, kRowCount), "a row lacks its key or a text");
static_assert(loc::catalogueKeysAscending(kRows, kRowCount), "keys must ascend, each key once");
static_assert(loc::catalogueKeysHavePrefix(kRows, kRowCount, "tqKivSetup_"),
              "a key lacks the prefix");

std::uint32_t callCount = 0;
constexpr loc::Catalogue kCatalogue{"tqKivSetup_", kRows, kRowCount, &callCount};

loc::RegisterAtStartUp registerAtStartUp(addTranslationCatalogue);

}  // namespace

void registerTranslations(void*) {
    addTranslationCatalogue();
}

void addTranslationCatalogue() {
    loc::registerCatalogue(kCatalogue);
}

const loc::Catalogue& translationCatalogue() {
    return kCatalogue;
}

}  // namespace tqKivSetup
