#include "smisc/SmiscTranslations.h"

#include "loc/Catalogue.h"
#include "loc/Format.h"
#include "loc/LocaleSetter.h"
#include "loc/Localize.h"
#include "loc/tests/CatalogueCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace smisc {
namespace {

const loc::CatalogueRow* findRow(const char* key) {
    const loc::Catalogue& catalogue = translationCatalogue();
    for (std::size_t i = 0; i < catalogue.rowCount; ++i) {
        if (std::strcmp(catalogue.rows[i].key, key) == 0) return &catalogue.rows[i];
    }
    return nullptr;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST(SmiscTranslations, EveryRowIsSoundAndRegistered) {
    loc::test::expectCatalogueRegistered(translationCatalogue(), registerTranslations);
}

TEST(SmiscTranslations, Has185KeysWithoutPluralForms) {
    const loc::Catalogue& catalogue = translationCatalogue();
    EXPECT_EQ(catalogue.rowCount, 185u);
    for (std::size_t i = 0; i < catalogue.rowCount; ++i) {
        const std::string key = catalogue.rows[i].key;
        EXPECT_FALSE(endsWith(key, "_sing") || endsWith(key, "_many")) << key;
    }
}

// Bytes that callers rely on and that every language must keep.
TEST(SmiscTranslations, EveryLanguageKeepsTheBytesItsCallersRelyOn) {
    struct Kept {
        const char* key;
        const char* piece;
        bool atEnd;  // the piece ends the text
    };
    const Kept kept[] = {
        // The system's error text is appended directly.
        {"smisc_mirrordriver_event_exception_desc", ": ", true},
        {"smisc_rsakey_generating", ".  ", false},
        // A blank before the paragraph break, and the ampersand as a markup entity.
        {"smisc_suimodulesecurityqdxauth_optsec_html_fmt", " \n\n", false},
        {"smisc_suimodulesecurityqdxauth_optsec_html_fmt", "&amp;", false},
    };
    for (const Kept& entry : kept) {
        const loc::CatalogueRow* row = findRow(entry.key);
        ASSERT_NE(row, nullptr) << entry.key;
        for (const loc::CatalogueLanguage& language : loc::kCatalogueLanguages) {
            const std::string text = row->*language.text;
            const bool found = entry.atEnd ? endsWith(text, entry.piece)
                                           : text.find(entry.piece) != std::string::npos;
            EXPECT_TRUE(found) << entry.key << " [" << language.code << "]: " << text;
        }
    }
    // The product's name is not translated.
    for (const loc::CatalogueLanguage& language : loc::kCatalogueLanguages) {
        EXPECT_STREQ(findRow("smisc_systemnotifier_servicemode_name")->*language.text,
                     "QDX Server");
    }
}

// The catalogue check parses every markup text, formatted, in every language; these are the
// server's seven.
TEST(SmiscTranslations, HasSevenMarkupRows) {
    const loc::Catalogue& catalogue = translationCatalogue();
    int markupRows = 0;
    for (std::size_t i = 0; i < catalogue.rowCount; ++i)
        markupRows += loc::test::isMarkupKey(catalogue.rows[i].key);
    EXPECT_EQ(markupRows, 7);
}

struct Formatted {
    const char* key;
    loc::FormatArg args[2];
    const char* expected;  // in English
};

TEST(SmiscTranslations, FormatsWithTheArgumentsItsCallersGive) {
    loc::LocaleSetter setter("en");
    const char* rejected =
        loc::Localize::instance().findTranslation("smisc_queryconnect_text_rejected", false);
    ASSERT_STREQ(rejected, "rejected");
    const Formatted cases[] = {
        {"smisc_queryconnect_consequence",
         {loc::FormatArg::ofInt(10), loc::FormatArg::ofString(rejected)},
         "If you do nothing within the next 10 seconds then the request will be rejected."},
        // The shortcut mark stays for the label to use.
        {"smisc_uiiplisten_enable_two",
         {loc::FormatArg::ofString("UDP"), loc::FormatArg::ofString("TCP")},
         "Allow direct QDX &connections over UDP and TCP"},
    };
    for (Formatted entry : cases) {
        entry.args[0].next = &entry.args[1];
        const char* text = loc::Localize::instance().findTranslation(entry.key, true);
        ASSERT_NE(text, nullptr) << entry.key;
        EXPECT_STREQ(loc::formatString(text, entry.args).c_str(), entry.expected);
    }
}

}  // namespace
}  // namespace smisc
