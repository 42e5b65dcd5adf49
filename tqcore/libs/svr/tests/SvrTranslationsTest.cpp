#include "svr/SvrTranslations.h"

#include "loc/tests/CatalogueCheck.h"

#include <gtest/gtest.h>

namespace svr {
namespace {

// Only the seven authentication rows that name the platform take an argument, and only the
// product's registered name stays the same in every language.
TEST(SvrTranslations, EveryRowIsSoundAndRegistered) {
    loc::test::expectCatalogueRegistered(translationCatalogue(), registerTranslations);
    EXPECT_EQ(loc::test::keysWithPlaceholders(translationCatalogue()),
              "svr_sauthentication_desc_interactivesystem "
              "svr_sauthentication_desc_system_duo svr_sauthentication_desc_system_password "
              "svr_sauthentication_desc_system_radius svr_sauthentication_desc_system_securid "
              "svr_sauthentication_interactivesystem svr_sauthentication_system_password");
    EXPECT_EQ(loc::test::keysWithOneTextForAll(translationCatalogue()), "svr_server_app_name_r");
}

}  // namespace
}  // namespace svr
