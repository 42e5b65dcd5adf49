// Checks that every translation catalogue's test runs: the texts of each row agree with the
// English one in what code and people rely on (placeholders, shortcuts, line breaks, markup),
// and the registry gives each of them back in its language.
#pragma once

#include "loc/Catalogue.h"
#include "loc/Format.h"
#include "loc/LocaleSetter.h"
#include "loc/Localize.h"
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

// Appends the placeholders of `text` to `found`, each as written ("%S", "%2$.10S", "%+D").
// Returns false at a '%' that starts neither a placeholder nor "%%". Only the canonical
// spelling counts: an argument number first, then either '+' (integers) or a precision
// (strings), then the conversion letter.
inline bool collectPlaceholders(const char* text, std::vector<std::string>& found) {
    for (const char* p = std::strchr(text, '%'); p != nullptr; p = std::strchr(p, '%')) {
        const char* start = p++;
        if (*p == '%') {
            ++p;
            continue;
        }
        const char* digits = p;
        while (isDigit(*p))
            ++p;
        if (p != digits) {
            if (*p != '$' || *digits == '0') return false;
            ++p;
        }
        bool plus = false, precision = false;
        if (*p == '+') {
            plus = true;
            ++p;
        } else if (*p == '.') {
            digits = ++p;
            while (isDigit(*p))
                ++p;
            if (p == digits || *digits == '0') return false;
            precision = true;
        }
        if (*p != 'D' && *p != 'S' && *p != 'X') return false;
        if ((plus && *p != 'D') || (precision && *p != 'S')) return false;
        found.emplace_back(start, ++p);
    }
    return true;
}

// The tags of the markup elements in `text` ("<a href=\"...\">", "</div>"); angle brackets
// around other words ("<param>") are not markup.
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

// Describes every fault of the catalogue's texts, one line each; empty when there is none.
inline std::vector<std::string> catalogueProblems(const Catalogue& catalogue) {
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < catalogue.rowCount; ++i) {
        const CatalogueRow& row = catalogue.rows[i];
        std::vector<std::string> englishPlaceholders;
        if (row.en == nullptr || !collectPlaceholders(row.en, englishPlaceholders)) {
            englishPlaceholders.clear();
        }
        std::sort(englishPlaceholders.begin(), englishPlaceholders.end());
        for (const CatalogueLanguage& language : kCatalogueLanguages) {
            const char* text = row.*language.text;
            std::string where = std::string(row.key) + " [" + language.code + "]: ";
            if (text == nullptr || *text == '\0') {
                problems.push_back(where + "text missing or empty");
                continue;
            }
            if (!plat::utf8IsValid(text)) problems.push_back(where + "not valid UTF-8");
            std::vector<std::string> placeholders;
            if (!collectPlaceholders(text, placeholders)) {
                problems.push_back(where + "stray '%' (write \"%%\" for a percent sign)");
                continue;
            }
            bool numbered = false, unnumbered = false;
            for (const std::string& placeholder : placeholders) {
                (isDigit(placeholder[1]) ? numbered : unnumbered) = true;
            }
            if (numbered && unnumbered) {
                problems.push_back(where + "numbered and unnumbered placeholders mixed");
            }
            if (row.en == nullptr || language.text == &CatalogueRow::en) continue;
            std::sort(placeholders.begin(), placeholders.end());
            if (placeholders != englishPlaceholders) {
                problems.push_back(where + "placeholders differ from the English text");
            }
            auto count = [](const char* s, char c) { return std::count(s, s + std::strlen(s), c); };
            if (count(text, '&') != count(row.en, '&')) {
                problems.push_back(where + "'&' shortcut marks differ from the English text");
            }
            if (count(text, '\n') != count(row.en, '\n')) {
                problems.push_back(where + "line breaks differ from the English text");
            }
            if (markupTags(text) != markupTags(row.en)) {
                problems.push_back(where + "markup tags differ from the English text");
            }
        }
    }
    return problems;
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

// Formats `text` with one argument for each argument that the English placeholders use (a string
// for %S, an unsigned value for %X, a signed one for %D) and returns whether the formatter
// accepted every placeholder: a rejected one shows as "%%" in the result.
inline bool formatsCleanly(const char* text, const std::vector<std::string>& englishPlaceholders) {
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
    plat::String result = formatString(text, args.empty() ? nullptr : &args[0]);
    return std::strstr(result.c_str(), "%%") == nullptr;
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

    Localize& registry = Localize::instance();
    for (const CatalogueLanguage& language : kCatalogueLanguages) {
        LocaleSetter setter(language.code);
        for (std::size_t i = 0; i < catalogue.rowCount; ++i) {
            const CatalogueRow& row = catalogue.rows[i];
            const char* expected = row.*language.text;
            // Texts with placeholders are fetched raw, as their callers format them; plain
            // texts are fetched for display.
            std::vector<std::string> placeholders;
            collectPlaceholders(expected, placeholders);
            const bool raw = !placeholders.empty();
            const char* found = registry.findTranslation(row.key, raw);
            ASSERT_NE(found, nullptr) << row.key << " [" << language.code << "]";
            EXPECT_EQ(found, raw ? std::string(expected) : displayForm(expected))
                << row.key << " [" << language.code << "]";
            if (raw) {
                std::vector<std::string> englishPlaceholders;
                collectPlaceholders(row.en, englishPlaceholders);
                EXPECT_TRUE(formatsCleanly(found, englishPlaceholders))
                    << row.key << " [" << language.code << "]: " << found;
            }
        }
    }
}

}  // namespace loc::test
