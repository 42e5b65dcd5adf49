#include "score/ScoreTranslations.h"

#include "loc/tests/CatalogueCheck.h"

#include <gtest/gtest.h>

namespace score {
namespace {

// Mode and user-kind names are translated everywhere and take no arguments.
TEST(ScoreTranslations, EveryRowIsSoundAndRegistered) {
    loc::test::expectCatalogueRegistered(translationCatalogue(), registerTranslations);
    EXPECT_EQ(loc::test::keysWithPlaceholders(translationCatalogue()), "");
    EXPECT_EQ(loc::test::keysWithOneTextForAll(translationCatalogue()), "");
}

}  // namespace
}  // namespace score
