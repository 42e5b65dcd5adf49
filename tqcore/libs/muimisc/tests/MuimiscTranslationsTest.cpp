#include "muimisc/MuimiscTranslations.h"

#include "loc/tests/CatalogueCheck.h"

#include <gtest/gtest.h>

namespace muimisc {
namespace {

// Only the three "_fmt" rows take an argument, and only the proxy types and the binary
// placeholder stay untranslated.
TEST(MuimiscTranslations, EveryRowIsSoundAndRegistered) {
    loc::test::expectCatalogueRegistered(translationCatalogue(), registerTranslations);
    EXPECT_EQ(loc::test::keysWithPlaceholders(translationCatalogue()),
              "muimisc_expsec_set_param_failed_fmt muimisc_expsec_set_param_succeeded_fmt "
              "muimisc_loggingsection_outputinfo_fmt");
    EXPECT_EQ(loc::test::keysWithOneTextForAll(translationCatalogue()),
              "muimisc_expsec_value_binary_placeholder muimisc_proxysection_proxy_type_http "
              "muimisc_proxysection_proxy_type_socks");
}

}  // namespace
}  // namespace muimisc
