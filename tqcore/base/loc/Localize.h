// The process-wide registry of translated texts, and the merged views through which keys are
// looked up.
//
// Every library registers its texts at start-up, in every language, from a generated catalogue
// (keys and texts are borrowed, never copied); translation files can add or replace texts per
// locale. A view (loc::TransMap) holds for every key the text of the first locale of a locale
// list that has it, in a hash index built whenever the view is rebuilt, so a look-up hashes the
// key once and compares it with one entry in the common case. A text already fetched is found
// without taking the registry's lock; only a first fetch, a missing key and the changes take it.
// There is one view for the process and, while a loc::LocaleSetter names a locale, one for its
// thread. A key that no language has is logged and shown as itself.
//
// The registry, its lock and the process view are created on first use and never destroyed:
// other threads and static destructors may still translate while the process exits, and every
// text handed out stays valid until then, also after a translation file replaced it.
#pragma once

#include "plat/ConfigParameter.h"
#include "plat/String.h"
#include "plat/StringList.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <vector>

namespace loc {

// The key of every translation map: a UTF-8 text, owned (freed with the key, duplicated by
// copies) or borrowed (a constant of the program).
class TransKey {
public:
    TransKey(const char* text, bool owned) : text_(text), owned_(owned) {}
    TransKey(const TransKey& other)
        : text_(other.owned_ ? plat::strDup(other.text_) : other.text_), owned_(other.owned_) {}
    TransKey& operator=(const TransKey&) = delete;
    ~TransKey() {
        if (owned_) delete[] text_;
    }
    const char* text() const { return text_; }
    bool owned() const { return owned_; }

private:
    const char* text_;
    bool owned_;
};

// Byte-wise order, null first.
struct TransKeyLess {
    bool operator()(const TransKey& a, const TransKey& b) const {
        return plat::strCmpNull(a.text(), b.text()) < 0;
    }
};

// One translated text and how it has been fetched.
struct Translation {
    static constexpr uint32_t TR_NEW = 0;        // not fetched yet
    static constexpr uint32_t TR_RAW = 1;        // fetched for formatting by the caller
    static constexpr uint32_t TR_FORMATTED = 2;  // fetched for display, "%%" already turned to "%"

    Translation(const char* text, bool owned, uint32_t state)
        : text(text), owned(owned), state(state) {}

    // Text and state are changed under the registry's lock and read without it by look-ups of
    // texts already fetched.
    std::atomic<const char*> text;
    bool owned;  // allocated by the registry (never freed: callers may hold it)
    std::atomic<uint32_t> state;

    // The text fetched raw (placeholders kept, for formatting with arguments) or formatted (for
    // display). The first fetch decides: a formatted fetch passes a text holding '%' once through
    // the formatter with no arguments and keeps the result. A later fetch of the other kind
    // throws plat::AssertionFail "(raw == (state == TR_RAW))" with "Can't use same string as both
    // raw and formatted - <key>". Call with the registry's lock held.
    const char* get(bool raw, const char* key);
};

using LanguageMap = std::map<TransKey, Translation, TransKeyLess>;

// A merged view: for each key, the record of the first locale of `locales` that has it.
class TransMap {
public:
    // A thread view: becomes the calling thread's current view until it is destroyed, which
    // must happen on the same thread, innermost first (fatal assertion "thrInst == this").
    TransMap();
    ~TransMap();
    TransMap(const TransMap&) = delete;
    TransMap& operator=(const TransMap&) = delete;

    // The calling thread's innermost thread view, else the process view.
    static TransMap* current();
    // The process view, created on first use and never destroyed.
    static TransMap* process();

    // The record of `key`, or null. Call with the registry's lock held.
    Translation* find(const char* key) const;
    // The hash index of a view; defined with the registry.
    struct Index;
    bool isProcessView() const { return isProcess_; }
    // The expanded locale list the view was last built from.
    const plat::StringList& locales() const { return locales_; }

private:
    friend class Localize;
    struct ProcessTag {};
    explicit TransMap(ProcessTag);

    TransMap* previous_;  // the thread's current view when this one was made (thread views)
    bool isProcess_;
    // Replaced whole by a rebuild and read without the lock; null until the first build. Its
    // keys are borrowed from the store, whose keys are never freed.
    std::atomic<const Index*> index_{nullptr};
    plat::StringList locales_;
};

class Localize : public plat::ParameterChangedCallback {
public:
    // The registry; created on the first call, from any thread.
    static Localize& instance();

    // Registers `text` for `key` in `language`; all three are borrowed for the life of the
    // process. The first registration of a key in a language wins. Rows of one language given
    // in ascending key order insert in constant time each. Takes no lock and rebuilds no view:
    // for static initialisation, while the program is single-threaded. Invalid UTF-8 in the text
    // throws plat::AssertionFail "isValidUtf8(str)" with "Bad UTF-8 in <key>".
    void addTranslation(const char* language, const char* key, const char* text);
    // Adds or replaces the text of `key` in `language` (all three copied); a replaced text is
    // fetched anew and is seen at once through every view that holds the key, a new key after
    // the next rebuild. The replaced text stays valid for callers that hold it.
    void addPoTranslation(const char* language, const char* key, const char* text);

    // The text of `key` in the calling thread's current view, fetched raw or formatted (see
    // Translation::get, whose failure it throws). A missing key is logged at the error level as
    // "Missing translation for \"<key>\" (<file>:<line>)" (without the parenthesis when `file` is
    // null) and returned itself. The text is owned by the registry and valid until exit.
    const char* translate(const char* key, const char* file, int line, bool raw);
    // The same look-up without any message: null for a missing key.
    const char* findTranslation(const char* key, bool raw);
    // The raw text of the plural form of `key` for `count` ("<key>_sing" or "<key>_many", after
    // the rule of each locale), from the first locale of the current view's list whose
    // language has it (under the locale's own name, else its language alone). Missing: logged
    // as "Missing plural translation for \"<key>\"..." and the key is returned.
    const char* translatePlural(const char* key, uint32_t count, const char* file, int line);
    // Writes "<what> for \"<key>\"" (and " (<file>:<line>)" with a file) at the error level;
    // returns the key.
    const char* reportMissing(const char* what, const char* key, const char* file, int line);

    // Makes `view` (null: the calling thread's current view) show `list`, expanded for look-up
    // (each entry, then its language alone, then en_US and en). Loads the translation files of
    // locales not looked for yet. The view is rebuilt only when the expanded list or the loaded
    // texts changed.
    void setLocales(const plat::StringList& list, TransMap* view);
    // Looks for the translation files of each locale of `list` not looked for since the resource
    // directories were last set. Returns whether any texts were loaded.
    bool loadLocales(const plat::StringList& list);
    // Reads the translation file "strings.<locale>.po" of the built-in data (display name
    // "built-in resource strings.<locale>.po") or of `directory` (display name its path) into
    // the store under `locale` (see loc::parsePo), then logs "Loaded strings from <name>" at the
    // information level and returns true. False, with nothing logged, when there is no such
    // resource or file, or, for a file, when the locale holds anything but letters and "_"
    // (the built-in data never names a file outside the resource directory). A failure to open
    // or read logs "Error loading strings from <name>: <message>" at the error level and returns
    // false; the texts stored before it stay. Both hold the registry's lock while reading.
    bool loadBuiltinPo(const char* locale);
    bool loadPoFile(const char* directory, const char* locale);
    // Refills `view` from the store for its locale list, logging the list at the verbose level.
    void rebuildTransMap(TransMap* view);

    // Replace the directories searched for translation files, forget which locales were looked
    // for, and choose the locale list again. registerResourceDirs also makes every later change
    // of the `Locale` setting choose the list again; it is called once, early at start-up.
    void registerResourceDirs(const plat::StringList& dirs);
    void setResourceDirs(const plat::StringList& dirs);
    // Chooses the process locale list from the `Locale` setting, else from the user's preferred
    // languages, then rebuilds the process view (the "Locales <list>" line is written when the
    // list differs from the one last written).
    void updateLocales();
    // The process locale list joined with ":".
    plat::String getLocales();

    // The `Locale` setting changed.
    void parameterChanged(plat::ConfigParameter* parameter, int priority) override;

    // The `Locale` setting: a ':'-separated locale list, empty for the user's own choice.
    static plat::StringParameter& localeParameter();

private:
    Localize() = default;
    ~Localize() override = default;  // never called: the registry lives until the process ends
    // Looks for the translation files of one locale (built-in data, then each resource
    // directory in order, later ones replacing texts); true when a file was read.
    bool loadTranslationFiles(const char* locale);
    // Keeps a text that callers may still hold reachable until exit.
    void retire(const char* text);
    // The text of `key` in the calling thread's view when it was already fetched the way `raw`
    // asks, found without the lock; null when the lock must decide.
    static const char* unlockedLookUp(const char* key, bool raw);
    // The look-up of translate and findTranslation under the lock: first fetches, and texts
    // the unlocked look-up could not vouch for.
    const char* lockedLookUp(const char* key, bool raw, bool report, const char* file, int line);
    friend struct Translation;

    std::map<plat::String, LanguageMap, plat::StrLess> store_;  // language -> its texts
    plat::StringList locales_;          // the process locale list, before expansion
    plat::StringList resourceDirs_;     // searched for translation files, in order
    plat::StringSet loadedLocales_;     // locales whose files were looked for
    std::vector<const char*> retired_;  // replaced owned texts, kept for callers that hold them
    plat::String lastLoggedLocales_;    // the list in the last "Locales" line
    bool callbackRegistered_ = false;   // on the `Locale` setting
    // Registration cache of addTranslation: consecutive rows of one language in ascending order
    // insert in constant time with the position after the last insertion as hint.
    const char* cachedLanguage_ = nullptr;  // the store's own copy of the language name
    LanguageMap* cachedMap_ = nullptr;
    LanguageMap::iterator cachedHint_;
};

// "sing" or "many": the plural form of `locale` for `count`. French, and Portuguese alone or of
// Brazil, use "sing" for 0 and 1; Japanese, Vietnamese, Korean and Chinese always "many"; every
// other language "sing" for 1 only.
const char* pluralForm(const char* locale, uint32_t count);

}  // namespace loc
