#include "loc/LocaleSetter.h"
#include "loc/Localize.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr const char* kTooShort = "smisc_qdxauthuserdlg_info_too_short";

// Nothing in this binary names the smisc catalogue, as the wizard's settings page will not
// before its own initialiser runs: the row it shows must be there in every language all the
// same, in English word for word, elsewhere in the language itself rather than the key or the
// English fall-back.
TEST(SmiscStartUp, PasswordTooShortIsRegisteredInEveryLanguage) {
    const char* english;
    {
        loc::LocaleSetter setter("en");
        english = loc::Localize::instance().findTranslation(kTooShort, false);
        ASSERT_NE(english, nullptr);
        EXPECT_STREQ(english, "The password must have a minimum of 6 characters.");
    }
    for (const char* language : {"de", "es", "fr", "pt"}) {
        loc::LocaleSetter setter(language);
        const char* text = loc::Localize::instance().findTranslation(kTooShort, false);
        ASSERT_NE(text, nullptr) << language;
        EXPECT_STRNE(text, kTooShort) << language;
        EXPECT_STRNE(text, english) << language;
    }
}

}  // namespace
