#include "io/IoTranslations.h"

#include "loc/LocaleSetter.h"
#include "loc/Localize.h"
#include "loc/tests/CatalogueCheck.h"

#include <gtest/gtest.h>

namespace io {
namespace {

TEST(IoTranslations, EveryRowIsSoundAndRegistered) {
    loc::test::expectCatalogueRegistered(translationCatalogue(), registerTranslations);
}

// The text is plain: it is fetched for display, which turns its doubled percent sign into one.
TEST(IoTranslations, BadEscapeShowsOnePercentSign) {
    loc::LocaleSetter setter("en");
    EXPECT_STREQ(loc::Localize::instance().findTranslation("io_error_endpoint_badescape", false),
                 "Invalid endpoint: incorrect % escape");
}

}  // namespace
}  // namespace io
