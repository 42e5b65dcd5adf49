#include "io/IoTranslations.h"

#include "loc/tests/CatalogueCheck.h"

#include <gtest/gtest.h>

namespace io {
namespace {

// Among others, "io_error_endpoint_badescape" is shown with one percent sign where it has two.
TEST(IoTranslations, EveryRowIsSoundAndRegistered) {
    loc::test::expectCatalogueRegistered(translationCatalogue(), registerTranslations);
}

}  // namespace
}  // namespace io
