// Checks that every translation catalogue's test runs: the texts of each row agree with the
// English one in what code and people rely on (placeholders, shortcuts, line breaks, markup),
// and the registry gives each of them back in its language.
#pragma once

#include "loc/Catalogue.h"
#include "loc/Format.h"
#include "loc/LocaleSetter.h"
#include "loc/Localize.h"
#include "plat/Markup.h"
#include "plat/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace loc::test {

inline bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The placeholders of `text`, each as written ("%S", "%2$.10S", "%+D"), sorted. `sound` tells
// whether every '%' starts a placeholder or "%%". Only the canonical spelling counts: an argument
// number first, then either '+' (integers) or a precision (strings), then the conversion letter.
inline std::vector<std::string> placeholdersOf(const char* text, bool* sound = nullptr) {
    std::vector<std::string> found;
    auto collect = [&found](const char* p) {
        for (p = std::strchr(p, '%'); p != nullptr; p = std::strchr(p, '%')) {
            const char* start = p++;
            if (*p == '%') {
                ++p;
                continue;
            }
            const char* digits = p;
            while (isDigit(*p))
                ++p;
            if (p != digits && (*p++ != '$' || *digits == '0')) return false;
            const bool plus = *p == '+', precision = *p == '.';
            if (plus || precision) digits = ++p;
            while (precision && isDigit(*p))
                ++p;
            if (precision && (p == digits || *digits == '0')) return false;
            if (*p != 'D' && *p != 'S' && *p != 'X') return false;
            if ((plus && *p != 'D') || (precision && *p != 'S')) return false;
            found.emplace_back(start, ++p);
        }
        return true;
    };
    const bool ok = collect(text);
    if (sound) *sound = ok;
    std::sort(found.begin(), found.end());
    return found;
}

// The tags of the markup elements in `text` ("<a href=\"...\">", "</div>"), sorted; angle
// brackets around other words ("<param>") are not markup.
inline std::vector<std::string> markupTags(const char* text) {
    static const char* const kElements[] = {"div", "span", "b", "i", "u", "a", "br", "font"};
    std::vector<std::string> tags;
    for (const char* p = std::strchr(text, '<'); p != nullptr; p = std::strchr(p + 1, '<')) {
        const char* end = std::strchr(p, '>');
        if (end == nullptr) break;
        const char* name = p + 1 + (p[1] == '/');
        std::size_t length = std::strcspn(name, " />");
        for (const char* element : kElements) {
            if (std::strlen(element) == length && std::strncmp(name, element, length) == 0) {
                tags.emplace_back(p, end + 1);
            }
        }
    }
    std::sort(tags.begin(), tags.end());
    return tags;
}

// The text as shown for display: "%%" becomes "%" (texts without placeholders only).
inline std::string displayForm(const char* text) {
    std::string shown;
    for (const char* p = text; *p != '\0'; ++p) {
        shown += *p;
        if (p[0] == '%' && p[1] == '%') ++p;
    }
    return shown;
}

// Formats `text` with one sample argument for each argument that the English placeholders use
// (a string "x" for %S, an unsigned 255 for %X, a signed 7 for %D).
inline plat::String formatWithSamples(const char* text,
                                      const std::vector<std::string>& englishPlaceholders) {
    std::vector<char> kinds;  // the conversion letter of each argument, argument 1 first
    for (const std::string& placeholder : englishPlaceholders) {
        std::size_t number = isDigit(placeholder[1]) ? std::stoul(placeholder.substr(1)) : 1;
        if (kinds.size() < number) kinds.resize(number, 'S');
        char letter = placeholder.back();
        if (letter != 'D' || kinds[number - 1] != 'X') kinds[number - 1] = letter;
    }
    std::vector<FormatArg> args(kinds.size());
    for (std::size_t i = kinds.size(); i-- > 0;) {
        const FormatArg* next = i + 1 < args.size() ? &args[i + 1] : nullptr;
        args[i] = kinds[i] == 'S'   ? FormatArg::ofString("x", next)
                  : kinds[i] == 'X' ? FormatArg::ofUnsigned(255, next)
                                    : FormatArg::ofInt(7, next);
    }
    return formatString(text, args.empty() ? nullptr : &args[0]);
}

// Whether the formatter accepted every placeholder of `text` given the English text's
// arguments: a rejected one shows as "%%" in the result.
inline bool formatsCleanly(const char* text, const std::vector<std::string>& englishPlaceholders) {
    return std::strstr(formatWithSamples(text, englishPlaceholders).c_str(), "%%") == nullptr;
}

// Keys of texts that are shown as markup.
inline bool isMarkupKey(const char* key) {
    return plat::strEndsWith(key, "_marked_up") || plat::strEndsWith(key, "_marked_up_fmt") ||
           plat::strEndsWith(key, "_html_fmt");
}

// Why `text`, formatted with sample arguments, is not valid markup; empty when it is.
inline std::string markupProblem(const char* text, const char* english) {
    plat::String formatted = formatWithSamples(text, placeholdersOf(english));
    std::vector<plat::Markup::Block> blocks;
    try {
        plat::Markup::ParserHtml::instance()->parseBlocks(formatted.c_str(), blocks);
    } catch (const plat::Exception& e) {
        return std::string("not valid markup (") + e.message() + ")";
    }
    return std::string();
}

// Terms that every catalogue renders one way in a language: a row whose English text names the
// term (in any case) uses the rendering, its first letter in either case. Two renderings of one
// term read as two different things.
struct GlossaryTerm {
    const char* english;
    const char* CatalogueRow::*text;
    const char* rendering;
};
inline constexpr GlossaryTerm kGlossary[] = {
    {"QDX Viewer user", &CatalogueRow::de, "QDX-Viewer-Benutzer"},
    {"view-only user", &CatalogueRow::de, "Benutzer mit reiner Anzeigeberechtigung"},
    {"proxy settings", &CatalogueRow::de, "Proxyeinstellungen"},
    {"proxy settings", &CatalogueRow::fr, "paramètres de proxy"},
    {"all files", &CatalogueRow::pt, "Todos os arquivos"},
};

// Whether `text` holds `part`, the first letter of `part` in either case (and, with `anyCase`,
// every letter).
inline bool holdsTerm(const char* text, const char* part, bool anyCase) {
    const std::size_t length = std::strlen(part);
    for (const char* p = text; *p != '\0'; ++p) {
        std::size_t i = 0;
        for (; i < length && p[i] != '\0'; ++i) {
            const unsigned char a = static_cast<unsigned char>(p[i]);
            const unsigned char b = static_cast<unsigned char>(part[i]);
            if (a != b && !((anyCase || i == 0) && std::tolower(a) == std::tolower(b))) break;
        }
        if (i == length) return true;
    }
    return false;
}

// Describes every fault of the catalogue's texts, one line each; empty when there is none.
inline std::vector<std::string> catalogueProblems(const Catalogue& catalogue) {
    std::vector<std::string> problems;
    auto count = [](const char* s, char c) { return std::count(s, s + std::strlen(s), c); };
    auto numbered = [](const std::string& placeholder) { return isDigit(placeholder[1]); };
    for (std::size_t i = 0; i < catalogue.rowCount; ++i) {
        const CatalogueRow& row = catalogue.rows[i];
        const char* en = row.en ? row.en : "";
        for (const CatalogueLanguage& language : kCatalogueLanguages) {
            auto problem = [&](const std::string& what) {
                problems.push_back(std::string(row.key) + " [" + language.code + "]: " + what);
            };
            const char* text = row.*language.text;
            if (text == nullptr || *text == '\0') {
                problem("text missing or empty");
                continue;
            }
            if (!plat::utf8IsValid(text)) problem("not valid UTF-8");
            bool sound;
            const std::vector<std::string> placeholders = placeholdersOf(text, &sound);
            if (!sound) {
                problem("stray '%' (write \"%%\" for a percent sign)");
                continue;
            }
            if (std::any_of(placeholders.begin(), placeholders.end(), numbered) &&
                !std::all_of(placeholders.begin(), placeholders.end(), numbered)) {
                problem("numbered and unnumbered placeholders mixed");
            }
            if (isMarkupKey(row.key)) {
                const std::string why = markupProblem(text, en);
                if (!why.empty()) problem(why);
            }
            if (language.text == &CatalogueRow::en) continue;
            const std::string differ = " differ from the English text";
            if (placeholders != placeholdersOf(en)) problem("placeholders" + differ);
            if (count(text, '&') != count(en, '&')) problem("'&' shortcut marks" + differ);
            if (count(text, '\n') != count(en, '\n')) problem("line breaks" + differ);
            if (markupTags(text) != markupTags(en)) {
                problem("markup tags" + differ);
            }
            for (const GlossaryTerm& term : kGlossary) {
                if (term.text == language.text && holdsTerm(en, term.english, true) &&
                    !holdsTerm(text, term.rendering, false)) {
                    problem(std::string("\"") + term.english + "\" is not rendered \"" +
                            term.rendering + "\"");
                }
            }
        }
    }
    return problems;
}

// The keys of the rows whose English text holds a placeholder, in table order, separated by
// blanks: each catalogue names these rows, and a text that gains or loses one is a fault.
inline std::string keysWithPlaceholders(const Catalogue& catalogue) {
    std::string keys;
    for (std::size_t i = 0; i < catalogue.rowCount; ++i) {
        const CatalogueRow& row = catalogue.rows[i];
        if (!placeholdersOf(row.en).empty())
            keys += (keys.empty() ? "" : " ") + std::string(row.key);
    }
    return keys;
}

// The keys of the rows that have the same text in all five languages, as keysWithPlaceholders
// gives them: names that stay as they are, or rows that a translator missed.
inline std::string keysWithOneTextForAll(const Catalogue& catalogue) {
    std::string keys;
    for (std::size_t i = 0; i < catalogue.rowCount; ++i) {
        const CatalogueRow& row = catalogue.rows[i];
        bool same = true;
        for (const CatalogueLanguage& language : kCatalogueLanguages) {
            const char* text = row.*language.text;
            same = same && text != nullptr && row.en != nullptr && std::strcmp(text, row.en) == 0;
        }
        if (same) keys += (keys.empty() ? "" : " ") + std::string(row.key);
    }
    return keys;
}

// Every check of a catalogue after start-up: sound texts, each key in each language given
// back by the registry as its row has it, and an ensure entry that registers nothing again.
inline void expectCatalogueRegistered(const Catalogue& catalogue, void (*ensure)(void*)) {
    for (const std::string& problem : catalogueProblems(catalogue))
        ADD_FAILURE() << problem;

    // The catalogue's own static initialiser has run before any test.
    const std::uint32_t callsBefore = *catalogue.callCount;
    EXPECT_GE(callsBefore, 1u);
    ensure(nullptr);
    EXPECT_EQ(*catalogue.callCount, callsBefore + 1);

    for (const CatalogueLanguage& language : kCatalogueLanguages) {
        LocaleSetter setter(language.code);
        for (std::size_t i = 0; i < catalogue.rowCount; ++i) {
            const CatalogueRow& row = catalogue.rows[i];
            const char* text = row.*language.text;
            SCOPED_TRACE(std::string(row.key) + " [" + language.code + "]");
            ASSERT_TRUE(text != nullptr && row.en != nullptr);
            // Texts with placeholders are fetched raw, as their callers format them; plain
            // texts are fetched for display, "%%" shown as "%".
            const bool raw = !placeholdersOf(text).empty();
            const char* found = Localize::instance().findTranslation(row.key, raw);
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(found, raw ? std::string(text) : displayForm(text));
            if (raw) {
                EXPECT_TRUE(formatsCleanly(found, placeholdersOf(row.en))) << found;
            }
        }
    }
}

}  // namespace loc::test
