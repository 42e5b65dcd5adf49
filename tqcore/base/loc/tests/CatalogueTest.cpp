#include "loc/Catalogue.h"
#include "loc/LocTranslations.h"
#include "loc/LocaleSetter.h"
#include "loc/Localize.h"
#include "loc/tests/CatalogueCheck.h"

#include <gtest/gtest.h>

#include <string>

namespace loc {
namespace {

// The compile-time checks that every table runs must reject what they exist to reject.
constexpr CatalogueRow kSwapped[] = {{"t_b", "x", "x", "x", "x", "x"},
                                     {"t_a", "x", "x", "x", "x", "x"}};
constexpr CatalogueRow kTwice[] = {{"t_a", "x", "x", "x", "x", "x"},
                                   {"t_a", "x", "x", "x", "x", "x"}};
// Keys are ordered as unsigned bytes, as the registry orders them.
constexpr CatalogueRow kHighByte[] = {{"t_b", "x", "x", "x", "x", "x"},
                                      {"t_\xc3\xa9", "x", "x", "x", "x", "x"}};
constexpr CatalogueRow kOtherPrefix[] = {{"t_a", "x", "x", "x", "x", "x"},
                                         {"tt_a", "x", "x", "x", "x", "x"}};
constexpr CatalogueRow kBarePrefix[] = {{"t_", "x", "x", "x", "x", "x"}};
constexpr CatalogueRow kEmptyText[] = {{"t_a", "x", "x", "", "x", "x"}};
constexpr CatalogueRow kNullText[] = {{"t_a", "x", "x", "x", "x", nullptr}};
static_assert(catalogueKeysAscending(kHighByte, 2));
static_assert(!catalogueKeysAscending(kSwapped, 2));
static_assert(!catalogueKeysAscending(kTwice, 2));
static_assert(catalogueKeysHavePrefix(kOtherPrefix, 1, "t_"));
static_assert(!catalogueKeysHavePrefix(kOtherPrefix, 2, "t_"));
static_assert(!catalogueKeysHavePrefix(kBarePrefix, 1, "t_"));
static_assert(catalogueTextsPresent(kSwapped, 2));
static_assert(!catalogueTextsPresent(kEmptyText, 1));
static_assert(!catalogueTextsPresent(kNullText, 1));

struct FaultyRow {
    CatalogueRow row;
    const char* complaint;  // in every problem reported for the row
};

TEST(CatalogueCheck, ReportsEachKindOfFaultyTranslation) {
    const FaultyRow faulty[] = {
        {{"t_dropped", "Open %S", "Öffnen", "Abrir %S", "Ouvrir %S", "Abrir %S"},
         "placeholders differ"},
        {{"t_renumbered", "%1$S of %2$S", "%1$S von %1$S", "%1$S de %2$S", "%1$S sur %2$S",
          "%1$S de %2$S"},
         "placeholders differ"},
        {{"t_kind", "%D files", "%S Dateien", "%D archivos", "%D fichiers", "%D arquivos"},
         "placeholders differ"},
        {{"t_precision", "%.8S", "%.8S", "%.9S", "%.8S", "%.8S"}, "placeholders differ"},
        {{"t_lone", "100% done", "100% fertig", "100% hecho", "100% fait", "100% feito"}, "stray"},
        {{"t_trailing", "50%", "50%", "50%", "50%", "50%"}, "stray"},
        {{"t_lowercase", "%s", "%s", "%s", "%s", "%s"}, "stray"},
        {{"t_plus_string", "%+S", "%+S", "%+S", "%+S", "%+S"}, "stray"},
        {{"t_zero_arg", "%0$S", "%0$S", "%0$S", "%0$S", "%0$S"}, "stray"},
        {{"t_mixed", "%S, %2$S", "%S, %2$S", "%S, %2$S", "%S, %2$S", "%S, %2$S"}, "mixed"},
        {{"t_shortcut", "&File", "Datei", "&Archivo", "&Fichier", "&Arquivo"}, "'&'"},
        {{"t_lines", "one\ntwo", "eins zwei", "uno\ndos", "un\ndeux", "um\ndois"}, "line breaks"},
        {{"t_utf8", "Cafe", "Caf\xc3", "Café", "Café", "Café"}, "UTF-8"},
        {{"t_empty", "Yes", "Ja", "Sí", "", "Sim"}, "empty"},
        {{"t_markup", "See <a href=\"%S\">here</a>", "Siehe <a href=\"%S\">hier", "Ver %S",
          "Voir <a href=\"%S\">ici</a>", "Veja <a href=\"%S\">aqui</a>"},
         "markup"},
    };
    for (const FaultyRow& entry : faulty) {
        Catalogue catalogue{"t_", &entry.row, 1, nullptr};
        std::vector<std::string> problems = test::catalogueProblems(catalogue);
        EXPECT_FALSE(problems.empty()) << entry.row.key;
        for (const std::string& problem : problems) {
            EXPECT_NE(problem.find(entry.complaint), std::string::npos)
                << entry.row.key << ": " << problem;
        }
    }
}

TEST(CatalogueCheck, AcceptsReorderedPlaceholdersAndLocalisedWords) {
    const CatalogueRow sound[] = {
        {"t_order", "%1$.10S sent %2$+D (%3$X), 100%%", "%2$+D (%3$X) von %1$.10S, 100 %%",
         "%1$.10S envió %2$+D (%3$X), 100 %%", "%1$.10S a envoyé %2$+D (%3$X), 100\u00a0%%",
         "%1$.10S enviou %2$+D (%3$X), 100%%"},
        {"t_usage", "&Values as -<param> <value>\nnext", "&Werte als -<param> <Wert>\nweiter",
         "&Valores como -<param> <valor>\nsiguiente", "&Valeurs : -<param> <valeur>\nsuite",
         "&Valores como -<param> <valor>\npróximo"},
        {"t_repeat", "%S or %S", "%S oder %S", "%S o %S", "%S ou %S", "%S ou %S"},
    };
    Catalogue catalogue{"t_", sound, 3, nullptr};
    for (const std::string& problem : test::catalogueProblems(catalogue))
        ADD_FAILURE() << problem;
}

TEST(CatalogueCheck, FormatsWithArgumentsOfTheEnglishPlaceholders) {
    EXPECT_TRUE(test::formatsCleanly("%2$+D von %1$.3S (%3$X)", {"%1$.3S", "%2$+D", "%3$X"}));
    EXPECT_TRUE(test::formatsCleanly("%S oder %S", {"%S", "%S"}));
    // A translation that takes a number where English takes a string.
    EXPECT_FALSE(test::formatsCleanly("%D Dateien", {"%S"}));
    EXPECT_FALSE(test::formatsCleanly("%2$S", {"%S"}));
}

constexpr CatalogueRow kProbeRows[] = {
    {"cattest_alpha", "alpha", "Alpha", "alfa", "alpha (fr)", "alfa (pt)"},
    {"cattest_beta", "beta", "Beta", "beta (es)", "bêta", "beta (pt)"},
};

TEST(Catalogue, RegistersEachLanguageUnderItsOwnCode) {
    std::uint32_t calls = 0;
    registerCatalogue({"cattest_", kProbeRows, 2, &calls});
    EXPECT_EQ(calls, 1u);
    Localize& registry = Localize::instance();
    for (const CatalogueLanguage& language : kCatalogueLanguages) {
        LocaleSetter setter(language.code);
        for (const CatalogueRow& row : kProbeRows) {
            const char* found = registry.findTranslation(row.key, false);
            ASSERT_NE(found, nullptr) << row.key << " [" << language.code << "]";
            EXPECT_STREQ(found, row.*language.text) << language.code;
        }
    }
    // A language that no catalogue has falls back to English.
    LocaleSetter japanese("ja_JP");
    EXPECT_STREQ(registry.findTranslation("cattest_beta", false), "beta");
}

constexpr CatalogueRow kFirstRows[] = {{"cattest_gamma", "g", "g", "g", "g", "g"}};
constexpr CatalogueRow kLaterRows[] = {{"cattest_delta", "d", "d", "d", "d", "d"}};

TEST(Catalogue, OnlyTheFirstCallRegisters) {
    // Two tables sharing one counter: whatever the later calls pass, they add nothing.
    std::uint32_t calls = 0;
    registerCatalogue({"cattest_", kFirstRows, 1, &calls});
    registerCatalogue({"cattest_", kLaterRows, 1, &calls});
    registerCatalogue({"cattest_", kLaterRows, 1, &calls});
    EXPECT_EQ(calls, 3u);
    LocaleSetter setter("en");
    EXPECT_STREQ(Localize::instance().findTranslation("cattest_gamma", false), "g");
    EXPECT_EQ(Localize::instance().findTranslation("cattest_delta", false), nullptr);
}

TEST(LocTranslations, EveryRowIsSoundAndRegistered) {
    test::expectCatalogueRegistered(translationCatalogue(), registerTranslations);
}

// Nothing in this binary names the os catalogue: its texts are present only because its own
// static initialiser ran from the whole-linked archive.
TEST(Catalogue, TextsOfUnnamedCataloguesArePresentAtStartUp) {
    LocaleSetter setter("de");
    EXPECT_STREQ(Localize::instance().findTranslation("os_launchwithpipe_elevate_cancelled", false),
                 "Rechteerhöhung abgebrochen oder nicht unterstützt.");
}

}  // namespace
}  // namespace loc
