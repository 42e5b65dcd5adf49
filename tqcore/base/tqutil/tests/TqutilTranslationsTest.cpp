#include "tqutil/TqutilTranslations.h"

#include "loc/tests/CatalogueCheck.h"

#include <gtest/gtest.h>

namespace tqutil {
namespace {

TEST(TqutilTranslations, EveryRowIsSoundAndRegistered) {
    loc::test::expectCatalogueRegistered(translationCatalogue(), registerTranslations);
}

}  // namespace
}  // namespace tqutil
