#include "plat/PlatTranslations.h"

#include "loc/tests/CatalogueCheck.h"

#include <gtest/gtest.h>

namespace plat {
namespace {

TEST(PlatTranslations, EveryRowIsSoundAndRegistered) {
    loc::test::expectCatalogueRegistered(translationCatalogue(), registerPlatTranslations);
}

}  // namespace
}  // namespace plat
