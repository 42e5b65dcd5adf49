#include "loc/PoFile.h"

#include "loc/LocInternal.h"
#include "loc/Localize.h"
#include "plat/BuiltinData.h"
#include "plat/DString.h"
#include "plat/Exception.h"
#include "plat/File.h"
#include "rdr/FileStream.h"
#include "rdr/MemInStream.h"

#include <cctype>
#include <climits>
#include <cstring>

namespace loc {

namespace {

// The escapes of the subset, and what each gives.
constexpr char kEscapeLetters[] = "\"'?\\abfnrtv";
constexpr char kEscapedChars[] = "\"'?\\\a\b\f\n\r\t\v";

// A locale becomes part of a file or resource name: letters and "_" only, so that no locale
// reaches another directory or another file ("..", "/", "." and "-" are refused).
bool isFileNameLocale(const char* locale) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(locale); *p; ++p) {
        bool letter = *p < 128 ? (*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z')
                               : std::isalpha(*p) != 0;  // the thread's character classes
        if (!letter && *p != '_') return false;
    }
    return true;
}

class PoParser {
public:
    PoParser(const char* displayName, const char* locale, const PoEntrySink& store)
        : displayName_(displayName), locale_(locale), store_(store) {}

    void parse(rdr::InStream& in) {
        plat::DString line;
        for (lineNumber_ = 1;; ++lineNumber_) {
            bool sawNul = false;
            bool validUtf8 = true;
            try {
                validUtf8 = in.readLine(line, 0, &sawNul, true);
            } catch (const rdr::EndOfStream&) {
                break;
            } catch (const rdr::EndOfMsg&) {
                break;
            }
            if (!validUtf8)
                localizeLog().error("%s:%d Bad UTF-8 (%s) for '%s' locale", displayName_,
                                    lineNumber_, msgid_.c_str(), locale_);
            handleLine(line.c_str(), sawNul);
        }
        endEntry();
    }

private:
    enum State { kOutside, kAfterMsgid, kAfterMsgstr };

    void handleLine(const char* text, bool sawNul) {
        if (!sawNul && text[0] == '\0') return endEntry();
        bool isKeywordLine = text[0] != '#' && text[0] != '"';
        // A rejected keyword line opens an entry of its own (say msgctxt before a msgid), so that
        // the strings after it are not taken for stray ones.
        bool inEntry = state_ != kOutside || sawRejectedLine_ || isKeywordLine;
        try {
            if (sawNul) throw plat::Exception("NUL byte in line");
            if (text[0] == '#') return;
            if (text[0] == '"') {
                if (!inEntry) throw plat::Exception("String outside an entry");
                // A string after a rejected line may continue that line's text (a msgid that
                // came where a msgstr was due, say): stored, it would join two entries' texts.
                if (sawRejectedLine_) entryFailed_ = true;
                return parsePoString(text, state_ == kAfterMsgid ? msgid_ : msgstr_);
            }
            handleKeyword(text);
        } catch (const plat::Exception& e) {
            localizeLog().error("%s:%d %s", displayName_, lineNumber_, e.message());
            if (inEntry) sawRejectedLine_ = true;
        }
    }

    void handleKeyword(const char* text) {
        const char* blank = std::strchr(text, ' ');
        if (!blank || state_ == kAfterMsgstr) throw plat::Exception("Bad command or string");
        const char* expected = state_ == kOutside ? "msgid" : "msgstr";
        size_t keywordLength = size_t(blank - text);
        if (keywordLength != std::strlen(expected) ||
            std::strncmp(text, expected, keywordLength) != 0)
            throw plat::Exception(plat::Format, "Expected %s", expected);
        state_ = state_ == kOutside ? kAfterMsgid : kAfterMsgstr;
        parsePoString(blank + 1, state_ == kAfterMsgid ? msgid_ : msgstr_);
    }

    // At an empty line and at the end of the input.
    void endEntry() {
        if (!entryFailed_ && state_ == kAfterMsgid) {
            localizeLog().error("%s:%d %s", displayName_, lineNumber_, "Expected msgstr");
            return;
        }
        if (!entryFailed_ && !msgid_.empty()) store_(msgid_.c_str(), msgstr_.c_str());
        msgid_.clear();
        msgstr_.clear();
        state_ = kOutside;
        sawRejectedLine_ = false;
        entryFailed_ = false;
    }

    const char* displayName_;
    const char* locale_;
    const PoEntrySink& store_;
    int lineNumber_ = 1;
    State state_ = kOutside;
    bool sawRejectedLine_ = false;  // the open entry saw a rejected line
    bool entryFailed_ = false;      // and a string after it: it is dropped at its end
    std::string msgid_;
    std::string msgstr_;
};

}  // namespace

void parsePoString(const char* text, std::string& buffer) {
    buffer.reserve(buffer.size() + std::strlen(text) + 1);
    const char* p = text;
    while (*p == ' ')
        ++p;
    if (*p == '\0') throw plat::Exception("Junk following string data");
    if (*p != '"') throw plat::Exception("Junk preceding string data");
    ++p;
    for (;;) {
        size_t plain = std::strcspn(p, "\"\\");
        buffer.append(p, plain);
        p += plain;
        if (*p == '\0') throw plat::Exception("Missing terminator");
        if (*p == '"') break;
        if (p[1] == '\0') throw plat::Exception("Invalid escape at end");
        const char* letter = std::strchr(kEscapeLetters, p[1]);
        if (!letter) throw plat::Exception("Invalid escape code");
        buffer.push_back(kEscapedChars[letter - kEscapeLetters]);
        p += 2;
    }
    if (p[1] != '\0') throw plat::Exception("Junk following string data");
}

void parsePo(rdr::InStream& in, const char* displayName, const char* locale,
             const PoEntrySink& store) {
    PoParser(displayName, locale, store).parse(in);
}

void parsePo(rdr::InStream& in, const char* displayName, const char* locale, Localize& registry) {
    parsePo(in, displayName, locale, [&](const char* key, const char* text) {
        registry.addPoTranslation(locale, key, text);
    });
}

bool Localize::loadBuiltinPo(const char* locale) {
    plat::String name = plat::String::format("strings.%s.po", locale);
    plat::BuiltinData data = plat::getBuiltinData(name.get());
    if (!data.data) return false;
    MutexLock lock(registryMutex());
    plat::String displayName = plat::String::format("built-in resource %s", name.get());
    try {
        rdr::MemInStream in(data.data, data.size > INT_MAX ? INT_MAX : int(data.size));
        parsePo(in, displayName.get(), locale, *this);
    } catch (const plat::Exception& e) {
        localizeLog().error("Error loading strings from %s: %s", displayName.get(), e.message());
        return false;
    }
    localizeLog().info("Loaded strings from %s", displayName.get());
    return true;
}

bool Localize::loadPoFile(const char* directory, const char* locale) {
    if (!isFileNameLocale(locale)) return false;
    plat::String path = plat::String::format("%s%cstrings.%s.po", directory, '/', locale);
    if (!plat::fileExistsNoThrow(path.get())) return false;
    MutexLock lock(registryMutex());
    try {
        rdr::FileInStream in(path.get());
        parsePo(in, path.get(), locale, *this);
    } catch (const plat::Exception& e) {
        localizeLog().error("Error loading strings from %s: %s", path.get(), e.message());
        return false;
    }
    localizeLog().info("Loaded strings from %s", path.get());
    return true;
}

bool Localize::loadTranslationFiles(const char* locale) {
    bool loaded = loadBuiltinPo(locale);
    for (const plat::String& directory : resourceDirs_)
        if (loadPoFile(directory.get(), locale)) loaded = true;
    return loaded;
}

}  // namespace loc
