#include "loc/LocaleSetter.h"

#include "loc/LocInternal.h"
#include "loc/LocaleChoice.h"
#include "loc/Localize.h"
#include "plat/StrUtil.h"

#include <cstring>
#include <langinfo.h>
#include <map>

namespace loc {

namespace {

// The innermost setter of each thread.
thread_local LocaleSetter* threadSetter = nullptr;

// The POSIX locale recorded for the process at the last locale choice.
struct ProcessLocale {
    Mutex mutex;
    OsLocale locale{plat::String("C"), Charset::Other};
};
ProcessLocale& processLocaleState() {
    static ProcessLocale* const state = new ProcessLocale;
    return *state;
}

// Successful resolutions only; entries are never removed.
struct ResolutionCache {
    Mutex mutex;
    std::map<plat::String, OsLocale, plat::StrLess> entries;
};
ResolutionCache& resolutionCache() {
    static ResolutionCache* const cache = new ResolutionCache;
    return *cache;
}

const CodesetRow utf8Rows[] = {
    {"UTF-8", Charset::Utf8},
    {"utf-8", Charset::Utf8},
    {"UTF8", Charset::Utf8},
    {"utf8", Charset::Utf8},
};
const CodesetRow latin1Rows[] = {
    {"ISO-8859-1", Charset::Latin1}, {"ISO8859-1", Charset::Latin1},
    {"iso88591", Charset::Latin1},   {"ISO-8859-15", Charset::Latin1},
    {"ISO8859-15", Charset::Latin1}, {"US-ASCII", Charset::Ascii},
};

// The class of a codeset name, compared without case, "-" and "_".
Charset classifyCodeset(const char* codeset) {
    if (!codeset) return Charset::Other;
    plat::String folded(codeset);
    plat::strToLowerAscii(folded.buf());
    plat::strRemoveChars(folded.buf(), "-_");
    const char* c = folded.get();
    if (std::strcmp(c, "utf8") == 0) return Charset::Utf8;
    if (plat::strBeginsWith(c, "iso88591")) return Charset::Latin1;
    if (std::strstr(c, "ascii")) return Charset::Ascii;
    if (std::strcmp(c, "isoir6") == 0 || std::strcmp(c, "646") == 0 ||
        plat::strBeginsWith(c, "iso646") || plat::strBeginsWith(c, "ansix3.4"))
        return Charset::Ascii;
    return Charset::Other;
}

// A locale object of the system for `name`, or none. The C library reads a name with a '/' as
// the path of locale files, and the name may come from the command line of the privileged
// helper: only names of installed locales are asked for.
locale_t openSystemLocale(int mask, const char* name) {
    if (!name || std::strchr(name, '/')) return locale_t(0);
    return newlocale(mask, name, locale_t(0));
}

// Whether the system has `name` for the categories of `mask`, asked through a locale object of
// our own: switching the process locale to find out would change it under every other thread.
bool systemAccepts(int mask, const char* name) {
    locale_t probe = openSystemLocale(mask, name);
    if (!probe) return false;
    freelocale(probe);
    return true;
}

}  // namespace

const CodesetTable utf8Codesets{int(sizeof utf8Rows / sizeof utf8Rows[0]), utf8Rows};
const CodesetTable latin1Codesets{int(sizeof latin1Rows / sizeof latin1Rows[0]), latin1Rows};

ThreadLocale::ThreadLocale(const char* name)
    : previous_(uselocale(locale_t(0))), created_(openSystemLocale(LC_ALL_MASK, name)) {
    if (created_) uselocale(created_);
}

ThreadLocale::~ThreadLocale() {
    if (previous_) uselocale(previous_);
    if (created_) freelocale(created_);
}

LocaleSetter::LocaleSetter(const char* locale)
    : osLocale_{plat::String("C"), Charset::Other},
      requested_(locale && *locale ? locale : nullptr), previous_(threadSetter) {
    if (!requested_.isNull()) localizeLog().verbose("setting locale %s", requested_.get());
    threadSetter = this;
    try {
        if (!requested_.isNull()) {
            plat::StringList list;
            parseLocaleList(requested_.get(), list, nullptr, nullptr);
            chooseOsLocale(list, osLocale_);
            transMap_.reset(new TransMap);
            Localize::instance().setLocales(list, nullptr);
        } else {
            osLocale_ = previous_ ? previous_->osLocale_ : processLocale();
        }
        threadLocale_.reset(new ThreadLocale(osLocale_.name.get()));
    } catch (...) {
        transMap_.reset();
        threadSetter = previous_;
        throw;
    }
}

LocaleSetter::~LocaleSetter() {
    LocaleSetter* thrInst = threadSetter;
    TQ_ASSERT(thrInst == this);
    threadSetter = previous_;
    if (!requested_.isNull()) localizeLog().verbose("restoring locale");
    threadLocale_.reset();
    transMap_.reset();
}

OsLocale LocaleSetter::currentOsLocale() {
    if (threadSetter && !threadSetter->osLocale_.name.isNull()) return threadSetter->osLocale_;
    return OsLocale{plat::String("C"), Charset::Other};
}

plat::String LocaleSetter::currentLocaleName() {
    for (LocaleSetter* setter = threadSetter; setter; setter = setter->previous_)
        if (!setter->requested_.isNull()) return setter->requested_;
    return Localize::instance().getLocales();
}

OsLocale LocaleSetter::processLocale() {
    ProcessLocale& state = processLocaleState();
    MutexLock lock(state.mutex);
    return state.locale;
}

bool LocaleSetter::chooseOsLocale(const plat::StringList& list, OsLocale& record) {
    for (const plat::String& entry : list) {
        if (setOsLocale(entry.get(), record)) return true;
        localizeLog().info("No OS support for locale \"%s\"", entry.get());
    }
    return setOsLocale("C", record);
}

void LocaleSetter::setProcessLocale(const plat::StringList& list) {
    OsLocale record{plat::String("C"), Charset::Other};
    chooseOsLocale(list, record);
    ProcessLocale& state = processLocaleState();
    MutexLock lock(state.mutex);
    state.locale = record;
}

void LocaleSetter::useSystemLocale(plat::StringList& list) {
    OsLocale record{plat::String("C"), Charset::Other};
    systemOsLocale(record, list);
    ProcessLocale& state = processLocaleState();
    MutexLock lock(state.mutex);
    state.locale = record;
}

void systemOsLocale(OsLocale& record, plat::StringList& list) {
    systemPreferredLocales(list);
    for (const plat::String& entry : list) {
        if (setOsLocale(entry.get(), record)) return;
        LocaleParts parts = splitLocaleName(entry.get());
        plat::String language(parts.language, int(parts.languageLength));
        plat::String usual = makeLocaleName(language.get(), nullptr, nullptr, nullptr, "_");
        if (!usual.isNull() && setOsLocale(usual.get(), record)) return;
    }
    setOsLocale("C", record);
}

bool setOsLocale(const char* name, OsLocale& record) {
    if (!name) return false;
    ResolutionCache& cache = resolutionCache();
    {
        MutexLock lock(cache.mutex);
        auto it = cache.entries.find(plat::String(name));
        if (it != cache.entries.end()) {
            record = it->second;
            return true;
        }
    }
    plat::String base, modifier;
    OsLocale found{plat::String(name), probeLocale(name, base, modifier)};
    if (found.charset != Charset::Utf8) {
        OsLocale variant;
        if (tryUtf8Codesets(base.get(), modifier.get(), variant))
            found = variant;
        else if (found.charset == Charset::Other) {
            if (!tryLatin1Codesets(base.get(), modifier.get(), variant)) return false;
            found = variant;
        }
    }
    MutexLock lock(cache.mutex);
    cache.entries[plat::String(name)] = found;
    record = found;
    return true;
}

Charset probeLocale(const char* name, plat::String& base, plat::String& modifier) {
    base = plat::String();
    modifier = plat::String();
    if (!name) return Charset::Other;
    locale_t probe = openSystemLocale(LC_CTYPE_MASK, name);
    const char* separator = std::strpbrk(name, ".@");
    base = plat::String(name, separator ? int(separator - name) : -1);
    plat::String namedCodeset;
    if (separator) {
        const char* at = *separator == '@' ? separator : std::strchr(separator + 1, '@');
        if (*separator == '.')
            namedCodeset = plat::String(separator + 1, at ? int(at - separator - 1) : -1);
        if (at) modifier = plat::String(at + 1);
    }
    if (!probe) return Charset::Other;
    const char* systemCodeset = nl_langinfo_l(CODESET, probe);
    Charset charset =
        classifyCodeset(systemCodeset && *systemCodeset ? systemCodeset : namedCodeset.get());
    freelocale(probe);
    return charset;
}

bool tryCodesetVariants(const CodesetTable& table, const char* base, const char* modifier,
                        OsLocale& record) {
    for (int i = 0; i < table.count; ++i) {
        char candidate[256];
        plat::formatToBuffer256(candidate, "%s.%s", base ? base : "", table.rows[i].name);
        if (modifier) plat::appendFormat256(candidate, "@%s", modifier);
        if (systemAccepts(LC_MESSAGES_MASK, candidate)) {
            record.name = candidate;
            record.charset = table.rows[i].charset;
            return true;
        }
    }
    return false;
}

bool tryUtf8Codesets(const char* base, const char* modifier, OsLocale& record) {
    return tryCodesetVariants(utf8Codesets, base, modifier, record);
}

bool tryLatin1Codesets(const char* base, const char* modifier, OsLocale& record) {
    return tryCodesetVariants(latin1Codesets, base, modifier, record);
}

}  // namespace loc
