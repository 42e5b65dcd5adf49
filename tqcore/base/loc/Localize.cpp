#include "loc/Localize.h"

#include "loc/Format.h"
#include "loc/LocInternal.h"
#include "loc/LocTranslations.h"
#include "loc/LocaleChoice.h"
#include "plat/Utf8.h"

#include <cstring>
#include <iterator>
#include <tuple>
#include <vector>

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

// Word-at-a-time hash of a key: keys share long prefixes ("plat_param_..."), so every byte
// counts, eight at a time.
uint64_t hashKey(const char* key, size_t length) {
    uint64_t hash = 0x9E3779B97F4A7C15u ^ length;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t word;
        std::memcpy(&word, key + i, 8);
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDu;
        hash ^= hash >> 32;
    }
    uint64_t tail = 0;
    std::memcpy(&tail, key + i, length - i);
    hash = (hash ^ tail) * 0xC4CEB9FE1A85EC53u;
    return hash ^ (hash >> 29);
}

// Reading a view's index without the lock. A reader announces the index it is about to use in
// a slot of its own and checks that the view still has it; a rebuild frees a replaced index
// only when no slot names it, and keeps it for the next rebuild otherwise. Slots are made once
// per thread and passed on to later threads, so their number stays that of the threads that
// ever looked up at the same time.
struct ReaderSlot {
    std::atomic<const TransMap::Index*> inUse{nullptr};
    std::atomic<bool> taken{true};
    ReaderSlot* next = nullptr;  // every slot ever made; never freed
};
std::atomic<ReaderSlot*> readerSlots{nullptr};

// The calling thread's slot; kThreadEnding once the thread has given it back on its way out,
// after which its look-ups take the lock.
thread_local ReaderSlot* threadSlot = nullptr;
ReaderSlot threadEndingMark;
ReaderSlot* const kThreadEnding = &threadEndingMark;

struct SlotReturn {
    ~SlotReturn() {
        ReaderSlot* slot = threadSlot;
        threadSlot = kThreadEnding;
        if (slot && slot != kThreadEnding) slot->taken.store(false, std::memory_order_release);
    }
};

ReaderSlot* takeReaderSlot() {
    static thread_local SlotReturn giveBack;  // returns the slot when the thread ends
    (void)giveBack;
    for (ReaderSlot* slot = readerSlots.load(std::memory_order_acquire); slot; slot = slot->next) {
        bool taken = false;
        if (!slot->taken.load(std::memory_order_relaxed) &&
            slot->taken.compare_exchange_strong(taken, true, std::memory_order_acquire))
            return threadSlot = slot;
    }
    auto* slot = new ReaderSlot;
    slot->next = readerSlots.load(std::memory_order_relaxed);
    while (!readerSlots.compare_exchange_weak(slot->next, slot, std::memory_order_release,
                                              std::memory_order_relaxed)) {
    }
    return threadSlot = slot;
}

// Indexes replaced while a reader still named them; guarded by the registry's lock.
std::vector<const TransMap::Index*>& retiredIndexes() {
    static auto* const indexes = new std::vector<const TransMap::Index*>;
    return *indexes;
}

// Bumped around every replacement of a text that may already have been fetched: an unlocked
// look-up that saw it move (or saw it odd) does not trust what it read.
std::atomic<uint32_t> textsVersion{0};

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

// Open addressing with linear probing, at most half full, so a search ends at an empty slot.
struct TransMap::Index {
    struct Slot {
        const char* key;  // null: empty
        Translation* record;
        uint32_t hashTag;  // the high half of the key's hash
        uint32_t length;
    };

    explicit Index(size_t keys) {
        size_t capacity = 8;
        while (capacity < 2 * keys)
            capacity *= 2;
        slots.assign(capacity, Slot{nullptr, nullptr, 0, 0});
        mask = capacity - 1;
    }

    Translation* find(const char* key) const {
        if (!key) return nullKeyRecord;
        size_t length = std::strlen(key);
        uint64_t hash = hashKey(key, length);
        for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots[i];
            if (!slot.key) return nullptr;
            if (slot.hashTag == uint32_t(hash >> 32) && slot.length == length &&
                std::memcmp(slot.key, key, length) == 0)
                return slot.record;
        }
    }

    // Adds the key unless it is there: the first locale to give a key supplies its text.
    void add(const char* key, Translation* record) {
        if (!key) {
            if (!nullKeyRecord) nullKeyRecord = record;
            return;
        }
        size_t length = std::strlen(key);
        uint64_t hash = hashKey(key, length);
        for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
            Slot& slot = slots[i];
            if (!slot.key) {
                slot = Slot{key, record, uint32_t(hash >> 32), uint32_t(length)};
                return;
            }
            if (slot.length == length && std::memcmp(slot.key, key, length) == 0) return;
        }
    }

    std::vector<Slot> slots;
    size_t mask;
    Translation* nullKeyRecord = nullptr;  // the record of a null key, which sorts first
};

namespace {

// Puts `fresh` in place of the view's index and frees every replaced index no reader names.
// Under the registry's lock.
void replaceIndex(std::atomic<const TransMap::Index*>& index, const TransMap::Index* fresh) {
    std::vector<const TransMap::Index*>& retired = retiredIndexes();
    if (const TransMap::Index* old = index.exchange(fresh)) retired.push_back(old);
    std::vector<const TransMap::Index*> named;
    for (ReaderSlot* slot = readerSlots.load(); slot; slot = slot->next)
        if (const TransMap::Index* inUse = slot->inUse.load()) named.push_back(inUse);
    size_t kept = 0;
    for (const TransMap::Index* old : retired) {
        bool inUse = false;
        for (const TransMap::Index* n : named)
            inUse = inUse || n == old;
        if (inUse)
            retired[kept++] = old;
        else
            delete old;
    }
    retired.resize(kept);
}

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
    if (state.load(std::memory_order_relaxed) == TR_NEW) {
        const char* current = text.load(std::memory_order_relaxed);
        if (!raw && std::strchr(current, '%')) {
            plat::String formatted;
            formatTranslation(formatted, current, nullptr);
            if (owned) Localize::instance().retire(current);
            current = formatted.release();
            text.store(current, std::memory_order_relaxed);
            owned = true;
        }
        // Published with the state: a reader without the lock trusts the text after it.
        state.store(raw ? TR_RAW : TR_FORMATTED, std::memory_order_release);
        return current;
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
    MutexLock lock(registryMutex());
    replaceIndex(index_, nullptr);
}

TransMap* TransMap::current() {
    return threadView ? threadView : process();
}

TransMap* TransMap::process() {
    static TransMap* const view = new TransMap(ProcessTag{});
    return view;
}

Translation* TransMap::find(const char* key) const {
    const Index* index = index_.load(std::memory_order_acquire);
    return index ? index->find(key) : nullptr;
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
        std::forward_as_tuple(text, false, Translation::TR_NEW));
    cachedHint_ = std::next(position);
}

void Localize::addPoTranslation(const char* language, const char* key, const char* text) {
    MutexLock lock(registryMutex());
    LanguageMap& texts = store_[plat::String(language)];
    auto it = texts.find(TransKey(key, false));
    if (it == texts.end()) {
        texts.emplace(std::piecewise_construct, std::forward_as_tuple(plat::strDup(key), true),
                      std::forward_as_tuple(plat::strDup(text), true, Translation::TR_NEW));
        return;
    }
    Translation& record = it->second;
    if (record.owned) retire(record.text.load());
    // Odd while the record changes: a look-up without the lock does not trust what it reads.
    uint32_t version = textsVersion.load();
    textsVersion.store(version + 1);
    record.state.store(Translation::TR_NEW);
    record.text.store(plat::strDup(text));
    record.owned = true;
    textsVersion.store(version + 2);
}

void Localize::retire(const char* text) {
    MutexLock lock(registryMutex());
    retired_.push_back(text);
}

const char* Localize::unlockedLookUp(const char* key, bool raw) {
    ReaderSlot* slot = threadSlot;
    if (!slot) slot = takeReaderSlot();
    if (slot == kThreadEnding) return nullptr;
    std::atomic<const TransMap::Index*>& index = TransMap::current()->index_;
    const TransMap::Index* seen = index.load(std::memory_order_acquire);
    for (;;) {
        slot->inUse.store(seen);
        const TransMap::Index* now = index.load();
        if (now == seen) break;
        seen = now;
    }
    // Sequentially consistent throughout (plain loads on x86): a text stored by a replacement
    // that began after the first version load is seen only with the version moved.
    const char* text = nullptr;
    uint32_t version = textsVersion.load();
    Translation* record = seen && !(version & 1) ? seen->find(key) : nullptr;
    uint32_t wanted = raw ? Translation::TR_RAW : Translation::TR_FORMATTED;
    if (record && record->state.load() == wanted) {
        text = record->text.load();
        if (textsVersion.load() != version) text = nullptr;
    }
    slot->inUse.store(nullptr, std::memory_order_release);
    return text;
}

const char* Localize::translate(const char* key, const char* file, int line, bool raw) {
    if (const char* text = unlockedLookUp(key, raw)) return text;
    return lockedLookUp(key, raw, true, file, line);
}

const char* Localize::findTranslation(const char* key, bool raw) {
    if (const char* text = unlockedLookUp(key, raw)) return text;
    return lockedLookUp(key, raw, false, nullptr, 0);
}

const char* Localize::lockedLookUp(const char* key, bool raw, bool report, const char* file,
                                   int line) {
    MutexLock lock(registryMutex());
    if (Translation* record = TransMap::current()->find(key)) return record->get(raw, key);
    return report ? reportMissing("Missing translation", key, file, line) : nullptr;
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
    plat::LogSrc& log = localizeLog();
    log.verbose("Updating %s TransMap with locales:", view->isProcess_ ? "process" : "thread");
    for (const plat::String& locale : view->locales_)
        log.verbose(" %s", locale.get());
    std::vector<LanguageMap*> languages;
    size_t keys = 0;
    for (const plat::String& locale : view->locales_) {
        auto language = store_.find(locale);
        if (language == store_.end()) continue;
        languages.push_back(&language->second);
        keys += language->second.size();
    }
    auto* index = new TransMap::Index(keys);
    for (LanguageMap* language : languages)
        for (auto& [key, record] : *language)
            index->add(key.text(), &record);
    replaceIndex(view->index_, index);
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
