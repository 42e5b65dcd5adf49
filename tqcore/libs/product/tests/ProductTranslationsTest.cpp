#include "product/ProductTranslations.h"

#include "loc/tests/CatalogueCheck.h"

#include <gtest/gtest.h>

namespace product {
namespace {

TEST(ProductTranslations, EveryRowIsSoundAndRegistered) {
    loc::test::expectCatalogueRegistered(translationCatalogue(), registerTranslations);
}

}  // namespace
}  // namespace product
