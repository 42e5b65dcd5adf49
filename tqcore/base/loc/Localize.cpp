#include "loc/Localize.h"

#include "loc/Format.h"
#include "loc/LocInternal.h"
#include "loc/LocTranslations.h"
#include "loc/LocaleChoice.h"
#include "plat/Utf8.h"

#include <cstring>
#include <iterator>
#include <tuple>

// A throwing assertion whose message carries a formatted detail after the expression.
#define LOC_CHECK(expr, ...)                                                                       \
    do {                                                                                           \
        if (!(expr)) {                                                                             \
            ::plat::AssertionFail failure(#expr, __FILE__, __LINE__);                              \
            failure.appendDetail(__VA_ARGS__);                                                     \
            throw failure;                                                                         \
        }                                                                                          \
    } while (0)

namespace loc {

namespace {

// The innermost thread view of each thread; null while the thread uses the process view.
thread_local TransMap* threadView = nullptr;

bool isValidUtf8(const char* str) {
    return str && plat::utf8IsValid(str);
}

bool sameList(const plat::StringList& a, const plat::StringList& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (plat::strCmpNull(a[i].get(), b[i].get()) != 0) return false;
    return true;
}

// The library's static initialiser: everything that later code assumes to exist is made here,
// on the main thread, before anything can translate.
struct LibraryInit {
    LibraryInit() {
        registerTranslations(nullptr);
        registryMutex();
        localizeLog();
        Localize::localeParameter();
    }
} libraryInit;

}  // namespace

plat::LogSrc& localizeLog() {
    static plat::LogSrc* const log = new plat::LogSrc("Localize");
    return *log;
}

Mutex& registryMutex() {
    static Mutex* const mutex = new Mutex;
    return *mutex;
}

const char* Translation::get(bool raw, const char* key) {
    if (state == TR_NEW) {
        state = raw ? TR_RAW : TR_FORMATTED;
        if (!raw && std::strchr(text, '%')) {
            plat::String formatted;
            formatTranslation(formatted, text, nullptr);
            if (owned) Localize::instance().retire(text);
            text = formatted.release();
            owned = true;
        }
        return text;
    }
    LOC_CHECK((raw == (state == TR_RAW)), "Can't use same string as both raw and formatted - %s",
              key ? key : "(null)");
    return text;
}

TransMap::TransMap() : previous_(threadView), isProcess_(false) {
    threadView = this;
}

TransMap::TransMap(ProcessTag) : previous_(nullptr), isProcess_(true) {}

TransMap::~TransMap() {
    if (isProcess_) return;
    TransMap* thrInst = threadView;
    TQ_ASSERT(thrInst == this);
    threadView = previous_;
}

TransMap* TransMap::current() {
    return threadView ? threadView : process();
}

TransMap* TransMap::process() {
    static TransMap* const view = new TransMap(ProcessTag{});
    return view;
}

Translation* TransMap::find(const char* key) const {
    auto it = entries_.find(TransKey(key, false));
    return it == entries_.end() ? nullptr : it->second;
}

Localize& Localize::instance() {
    static Localize* const registry = new Localize;
    return *registry;
}

plat::StringParameter& Localize::localeParameter() {
    static plat::StringParameter* const parameter =
        new plat::StringParameter("Locale", plat::LocDesc("loc_param_locale"), "");
    return *parameter;
}

void Localize::addTranslation(const char* language, const char* key, const char* text) {
    const char* str = text;
    LOC_CHECK(isValidUtf8(str), "Bad UTF-8 in %s", key ? key : "(null)");
    if (!cachedMap_ || plat::strCmpNull(cachedLanguage_, language) != 0) {
        auto entry = store_.try_emplace(plat::String(language)).first;
        cachedLanguage_ = entry->first.get();
        cachedMap_ = &entry->second;
        cachedHint_ = cachedMap_->end();
    }
    // The hint is the position after the previous row, where an ascending row belongs.
    auto position = cachedMap_->emplace_hint(
        cachedHint_, std::piecewise_construct, std::forward_as_tuple(key, false),
        std::forward_as_tuple(Translation{text, false, Translation::TR_NEW}));
    cachedHint_ = std::next(position);
}

void Localize::addPoTranslation(const char* language, const char* key, const char* text) {
    MutexLock lock(registryMutex());
    LanguageMap& texts = store_[plat::String(language)];
    auto it = texts.find(TransKey(key, false));
    if (it == texts.end()) {
        texts.emplace(
            std::piecewise_construct, std::forward_as_tuple(plat::strDup(key), true),
            std::forward_as_tuple(Translation{plat::strDup(text), true, Translation::TR_NEW}));
        return;
    }
    Translation& record = it->second;
    if (record.owned) retire(record.text);
    record.text = plat::strDup(text);
    record.owned = true;
    record.state = Translation::TR_NEW;
}

void Localize::retire(const char* text) {
    MutexLock lock(registryMutex());
    retired_.push_back(text);
}

const char* Localize::translate(const char* key, const char* file, int line, bool raw) {
    MutexLock lock(registryMutex());
    if (Translation* record = TransMap::current()->find(key)) return record->get(raw, key);
    return reportMissing("Missing translation", key, file, line);
}

const char* Localize::findTranslation(const char* key, bool raw) {
    MutexLock lock(registryMutex());
    Translation* record = TransMap::current()->find(key);
    return record ? record->get(raw, key) : nullptr;
}

const char* Localize::translatePlural(const char* key, uint32_t count, const char* file, int line) {
    MutexLock lock(registryMutex());
    for (const plat::String& locale : TransMap::current()->locales_) {
        auto language = store_.find(locale);
        if (language == store_.end()) {
            LocaleParts parts = splitLocaleName(locale.get());
            if (parts.separator == '\0') continue;
            language = store_.find(plat::String(parts.language, int(parts.languageLength)));
            if (language == store_.end()) continue;
        }
        char pluralKey[256];
        plat::formatToBuffer256(pluralKey, "%s_%s", key ? key : "",
                                pluralForm(locale.get(), count));
        auto entry = language->second.find(TransKey(pluralKey, false));
        if (entry != language->second.end()) return entry->second.get(true, pluralKey);
    }
    return reportMissing("Missing plural translation", key, file, line);
}

const char* Localize::reportMissing(const char* what, const char* key, const char* file, int line) {
    const char* shown = key ? key : "(null)";
    if (file)
        localizeLog().error("%s for \"%s\" (%s:%d)", what, shown, file, line);
    else
        localizeLog().error("%s for \"%s\"", what, shown);
    return key;
}

void Localize::setLocales(const plat::StringList& list, TransMap* view) {
    plat::StringList expanded;
    expandLocaleList(list, expanded);
    bool changed = loadLocales(expanded);
    MutexLock lock(registryMutex());
    if (!view) view = TransMap::current();
    if (!changed && sameList(expanded, view->locales_)) return;
    view->locales_ = std::move(expanded);
    rebuildTransMap(view);
}

bool Localize::loadLocales(const plat::StringList& list) {
    MutexLock lock(registryMutex());
    bool changed = false;
    for (const plat::String& locale : list)
        if (loadedLocales_.insert(locale).second && loadTranslationFiles(locale.get()))
            changed = true;
    return changed;
}

void Localize::rebuildTransMap(TransMap* view) {
    MutexLock lock(registryMutex());
    view->entries_.clear();
    plat::LogSrc& log = localizeLog();
    log.verbose("Updating %s TransMap with locales:", view->isProcess_ ? "process" : "thread");
    for (const plat::String& locale : view->locales_)
        log.verbose(" %s", locale.get());
    for (const plat::String& locale : view->locales_) {
        auto language = store_.find(locale);
        if (language == store_.end()) continue;
        // Keys come in ascending order: the position after the last one is the right hint.
        auto hint = view->entries_.begin();
        for (auto& [key, record] : language->second)
            hint =
                std::next(view->entries_.try_emplace(hint, TransKey(key.text(), false), &record));
    }
}

void Localize::registerResourceDirs(const plat::StringList& dirs) {
    if (!callbackRegistered_) {
        localeParameter().addCallback(this);
        callbackRegistered_ = true;
    }
    setResourceDirs(dirs);
}

void Localize::setResourceDirs(const plat::StringList& dirs) {
    {
        MutexLock lock(registryMutex());
        resourceDirs_ = dirs;
        loadedLocales_.clear();
    }
    updateLocales();
}

plat::String Localize::getLocales() {
    MutexLock lock(registryMutex());
    plat::DString joined;
    for (const plat::String& locale : locales_) {
        if (!joined.empty()) joined.append(":");
        joined.append(locale.get());
    }
    return plat::String(joined.c_str());
}

void Localize::parameterChanged(plat::ConfigParameter*, int) {
    updateLocales();
}

const char* pluralForm(const char* locale, uint32_t count) {
    LocaleParts parts = splitLocaleName(locale);
    auto languageIs = [&](const char* code) {
        return parts.languageLength == std::strlen(code) &&
               std::strncmp(parts.language, code, parts.languageLength) == 0;
    };
    bool zeroIsSingular =
        languageIs("fr") ||
        (languageIs("pt") &&
         (parts.territoryLength == 0 ||
          (parts.territoryLength == 2 && std::strncmp(parts.territory, "BR", 2) == 0)));
    if (zeroIsSingular) return count <= 1 ? "sing" : "many";
    if (languageIs("ja") || languageIs("vi") || languageIs("ko") || languageIs("zh")) return "many";
    return count == 1 ? "sing" : "many";
}

}  // namespace loc
