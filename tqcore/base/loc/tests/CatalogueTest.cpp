#include "loc/Catalogue.h"
#include "loc/LocTranslations.h"
#include "loc/LocaleSetter.h"
#include "loc/Localize.h"
#include "loc/tests/CatalogueCheck.h"
#include "os/OsTranslations.h"
#include "plat/PlatTranslations.h"
#include "tqutil/TqutilTranslations.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace loc {
namespace {

// The compile-time checks that every table runs must reject what they exist to reject (each
// real catalogue proves the accepting side).
constexpr CatalogueRow row(const char* key, const char* text = "x") {
    return {key, "x", "x", text, "x", "x"};
}
constexpr CatalogueRow kSwapped[] = {row("t_b"), row("t_a")};
constexpr CatalogueRow kTwice[] = {row("t_a"), row("t_a")};
constexpr CatalogueRow kHighByte[] = {row("t_b"), row("t_\xc3\xa9")};  // unsigned byte order
constexpr CatalogueRow kOtherPrefix[] = {row("t_a"), row("tt_a")};
constexpr CatalogueRow kNullText[] = {row("t_a", nullptr)};
static_assert(catalogueKeysAscending(kHighByte, 2));
static_assert(!catalogueKeysAscending(kSwapped, 2));
static_assert(!catalogueKeysAscending(kTwice, 2));
static_assert(!catalogueKeysHavePrefix(kOtherPrefix, 2, "t_"));
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
        {{"t_trailing", "50%", "50%", "50%", "50%", "50%"}, "stray"},
        {{"t_lowercase", "%s", "%s", "%s", "%s", "%s"}, "stray"},
        {{"t_plus_string", "%+S", "%+S", "%+S", "%+S", "%+S"}, "stray"},
        {{"t_mixed", "%S, %2$S", "%S, %2$S", "%S, %2$S", "%S, %2$S", "%S, %2$S"}, "mixed"},
        {{"t_shortcut", "&File", "Datei", "&Archivo", "&Fichier", "&Arquivo"}, "'&'"},
        {{"t_lines", "one\ntwo", "eins zwei", "uno\ndos", "un\ndeux", "um\ndois"}, "line breaks"},
        {{"t_utf8", "Cafe", "Caf\xc3", "Café", "Café", "Café"}, "UTF-8"},
        {{"t_empty", "Yes", "Ja", "Sí", "", "Sim"}, "empty"},
        {{"t_markup", "See <a href=\"%S\">here</a>", "Siehe <a href=\"%S\">hier", "Ver %S",
          "Voir <a href=\"%S\">ici</a>", "Veja <a href=\"%S\">aqui</a>"},
         "markup"},
        // Same tags in every language, but an attribute that no element takes, an element that
        // the markup does not know, and an entity that XML does not know.
        {{"t_face_marked_up", "<b face=\"x\">y</b>", "<b face=\"x\">y</b>", "<b face=\"x\">y</b>",
          "<b face=\"x\">y</b>", "<b face=\"x\">y</b>"},
         "not valid markup (Unexpected attribute (face = x))"},
        {{"t_para_marked_up_fmt", "<p>%S</p>", "<p>%S</p>", "<p>%S</p>", "<p>%S</p>", "<p>%S</p>"},
         "Unexpected tag p"},
        {{"t_entity_html_fmt", "A &nbsp;", "A &nbsp;", "A &nbsp;", "A &nbsp;", "A &nbsp;"},
         "Unknown character entity"},
        // A term of the glossary rendered another way, or in another case.
        {{"t_term", "Accept QDX Viewer users", "QDX Viewer-Benutzer annehmen", "Aceptar",
          "Accepter", "Aceitar"},
         "is not rendered \"QDX-Viewer-Benutzer\""},
        {{"t_term_case", "All Files", "Alle Dateien", "Todos los archivos", "Tous les fichiers",
          "Todos os Arquivos"},
         "is not rendered \"Todos os arquivos\""},
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

// A translation that takes a number where English takes a string.
TEST(CatalogueCheck, FormatsWithArgumentsOfTheEnglishPlaceholders) {
    EXPECT_FALSE(test::formatsCleanly("%D Dateien", {"%S"}));
}

constexpr CatalogueRow kFirstRows[] = {row("cattest_gamma")};
constexpr CatalogueRow kLaterRows[] = {row("cattest_delta")};

TEST(Catalogue, OnlyTheFirstCallRegisters) {
    // Whatever the later calls pass, they add nothing.
    std::uint32_t calls = 0;
    registerCatalogue({"cattest_", kFirstRows, 1, &calls});
    registerCatalogue({"cattest_", kLaterRows, 1, &calls});
    EXPECT_EQ(calls, 2u);
    LocaleSetter setter("en");
    EXPECT_STREQ(Localize::instance().findTranslation("cattest_gamma", false), "x");
    EXPECT_EQ(Localize::instance().findTranslation("cattest_delta", false), nullptr);
}

// The catalogues of the platform libraries (io and the product check theirs in their own
// binaries).
TEST(Catalogues, EveryRowIsSoundAndRegistered) {
    const std::pair<const Catalogue&, void (*)(void*)> catalogues[] = {
        {translationCatalogue(), registerTranslations},
        {plat::translationCatalogue(), plat::registerPlatTranslations},
        {os::translationCatalogue(), os::registerTranslations},
        {tqutil::translationCatalogue(), tqutil::registerTranslations}};
    for (const auto& [catalogue, ensure] : catalogues) {
        SCOPED_TRACE(catalogue.prefix);
        test::expectCatalogueRegistered(catalogue, ensure);
    }
}

// Nothing in this binary names these catalogues: their texts are present only because each
// one's own static initialiser ran from its whole-linked archive.
TEST(Catalogue, TextsOfUnnamedCataloguesArePresentAtStartUp) {
    struct Sample {
        const char* language;
        const char* key;
        const char* text;  // the whole text, or its start where it is long
    };
    const Sample samples[] = {
        {"de", "io_error_eai_again", "Vorübergehender Fehler bei der Namensauflösung"},
        {"es", "http_httpconnect_connection_type",
         "TCP directo a través del proxy HTTP CONNECT %S"},
        {"fr", "ssl_param_tlsprofile", "Niveau de sécurité imposé aux connexions TLS."},
        {"pt", "rfb_security_256_AES", "criptografia AES de 256 bits"},
        {"de", "mui_filedlgtx_up_btn", "Nach oben"},
        {"fr", "ui_menu_edit", "É&dition"},
        {"es", "ui_appmenubar_appmenu_quit", "Salir de %S"},
        {"en", "smisc_qdxauthuserdlg_info_too_short",
         "The password must have a minimum of 6 characters."},
        {"de", "muimisc_cleartextpassword_clipboard_tip", "Kennwort in die Zwischenablage kopieren"},
        {"pt", "svr_server_exit", "O QDX Server está sendo encerrado."},
        {"de", "score_connectioninfo_anonymoususer", "Anonymer Benutzer"},
    };
    for (const Sample& sample : samples) {
        LocaleSetter setter(sample.language);
        const bool raw = !test::placeholdersOf(sample.text).empty();
        const char* found = Localize::instance().findTranslation(sample.key, raw);
        if (found == nullptr) {
            ADD_FAILURE() << sample.key << " is missing";
            continue;
        }
        EXPECT_EQ(std::string(found).substr(0, std::strlen(sample.text)), sample.text);
    }
}

}  // namespace
}  // namespace loc
