#include "loc/Catalogue.h"

#include "loc/Localize.h"

namespace loc {

void registerCatalogue(const Catalogue& catalogue) {
    // The counter keeps counting after the first call: it tells how often a catalogue was asked
    // for, while registration happens once.
    if ((*catalogue.callCount)++ != 0) return;
    Localize& registry = Localize::instance();
    for (const CatalogueLanguage& language : kCatalogueLanguages) {
        for (std::size_t i = 0; i < catalogue.rowCount; ++i) {
            const CatalogueRow& row = catalogue.rows[i];
            registry.addTranslation(language.code, row.key, row.*language.text);
        }
    }
}

}  // namespace loc
