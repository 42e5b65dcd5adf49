#include "ui/UiTranslations.h"
#include "ui/AppMenuBarTranslations.h"

#include "loc/tests/CatalogueCheck.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <map>
#include <string>

namespace ui {
namespace {

TEST(UiTranslations, EveryRowOfBothCataloguesIsSoundAndRegistered) {
    loc::test::expectCatalogueRegistered(translationCatalogue(), registerStrings);
    loc::test::expectCatalogueRegistered(appMenuBarCatalogue(), registerTranslations);
}

// The menu titles share one menu bar, so two titles with the same shortcut letter in one
// language would leave one of them unreachable from the keyboard.
TEST(UiTranslations, MenuTitlesHaveDistinctShortcutsInEachLanguage) {
    static const char* const kTitles[] = {"ui_menu_edit", "ui_menu_file", "ui_menu_help",
                                          "ui_menu_view", "ui_menu_window"};
    const loc::Catalogue& catalogue = translationCatalogue();
    for (const loc::CatalogueLanguage& language : loc::kCatalogueLanguages) {
        std::map<std::string, std::string> titleOfShortcut;
        for (const char* key : kTitles) {
            const loc::CatalogueRow* row = nullptr;
            for (std::size_t i = 0; i < catalogue.rowCount; ++i) {
                if (std::strcmp(catalogue.rows[i].key, key) == 0) row = &catalogue.rows[i];
            }
            ASSERT_NE(row, nullptr) << key;
            const char* text = row->*language.text;
            const char* mark = std::strchr(text, '&');
            ASSERT_NE(mark, nullptr) << key << " [" << language.code << "]";
            // The marked character, whole if it takes several bytes; ASCII letters in lower case.
            std::string letter(
                1, static_cast<char>(std::tolower(static_cast<unsigned char>(mark[1]))));
            for (const char* p = mark + 2; (static_cast<unsigned char>(*p) & 0xC0) == 0x80; ++p)
                letter += *p;
            auto [it, added] = titleOfShortcut.emplace(letter, text);
            EXPECT_TRUE(added) << language.code << ": \"" << text << "\" and \"" << it->second
                               << "\" share the shortcut " << letter;
        }
    }
}

}  // namespace
}  // namespace ui
