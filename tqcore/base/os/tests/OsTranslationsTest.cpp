#include "os/OsTranslations.h"

#include "loc/tests/CatalogueCheck.h"

#include <gtest/gtest.h>

namespace os {
namespace {

TEST(OsTranslations, EveryRowIsSoundAndRegistered) {
    loc::test::expectCatalogueRegistered(translationCatalogue(), registerTranslations);
}

}  // namespace
}  // namespace os
