#include "plat/Configuration.h"

#include "loc/Format.h"
#include "loc/Localize.h"
#include "plat/ConfigParameter.h"
#include "plat/DString.h"
#include "plat/LogDest.h"
#include "plat/LogSrc.h"
#include "plat/PlatTranslations.h"
#include "plat/StrUtil.h"
#include "plat/Utf8.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {

// Built on first use and never destroyed, like the global configuration.
LogSrc& configurationLog() {
    static LogSrc* const log = new LogSrc("Configuration");
    return *log;
}

// The help and the argument errors translate: the plat texts must be there whichever static
// initialiser runs first.
[[maybe_unused]] const bool registryReady =
    (registerPlatTranslations(nullptr), configurationLog(), true);

constexpr int kCommandLinePriority = ConfigParameter::kPreferencePriority;

// Plain texts are fetched for display, texts with placeholders raw: a key is always fetched the
// same way.
const char* translated(const char* key) {
    return loc::Localize::instance().translate(key, __FILE__, __LINE__, false);
}
const char* translatedRaw(const char* key) {
    return loc::Localize::instance().translate(key, __FILE__, __LINE__, true);
}

String badArgumentMessage(const char* argument, bool withHelpHint) {
    loc::FormatArg arg = loc::FormatArg::ofString(argument ? argument : "");
    String message;
    loc::formatTranslation(message, translatedRaw("plat_bad_argument"), &arg);
    if (!withHelpHint) return message;
    return String::format("%s  %s", message.c_str(), translated("plat_run_with_help"));
}

bool sameText(const String& a, const String& b) {
    return strCmpNull(a.get(), b.get()) == 0;
}

const char* shownText(const String& text) {
    return text.isNull() ? "(null)" : text.get();
}

bool isHidden(const ConfigParameter& param) {
    return param.getName()[0] == '_';
}

bool isBinary(const ConfigParameter& param) {
    return dynamic_cast<const BinaryParameter*>(&param) != nullptr;
}

bool nameLess(const ConfigParameter* a, const ConfigParameter* b) {
    return strCaseCmpAscii(a->getName(), b->getName()) < 0;
}

template <typename Kind>
Kind* ofKind(ConfigParameter* param) {
    Kind* p = dynamic_cast<Kind*>(param);
    TQ_CHECK(p);
    return p;
}

const char* priorityLabel(const ConfigParameter& param, int priority, String& buffer) {
    switch (priority) {
    case ConfigParameter::kDefaultPriority:
        return "Default";
    case ConfigParameter::kPreferencePriority:
        return "Preference";
    case ConfigParameter::kPolicyPriority:
        return param.hasValueAt(ConfigParameter::kPreferencePriority)
                   ? "Policy overriding preference"
                   : "Policy";
    default:
        buffer = String::format("Priority %d", priority);
        return buffer.get();
    }
}

// FNV-1a over the bytes folded as strCaseCmpAscii folds them: names equal for it hash alike.
size_t nameHash(const char* name) {
    uint64_t hash = 14695981039346656037ULL;
    for (const char* c = name; *c; ++c) {
        hash ^= static_cast<unsigned char>(asciiToLower(*c));
        hash *= 1099511628211ULL;
    }
    return size_t(hash);
}

auto sameName(const char* name) {
    return [name](const ConfigParameter* param) {
        return strCaseCmpAscii(param->getName(), name) == 0;
    };
}

// Addresses differ in their high and low bits alike; mix them into the low ones, which pick
// the slot.
size_t addressHash(const void* address) {
    uint64_t hash = reinterpret_cast<uintptr_t>(address);
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    return size_t(hash);
}

auto sameAddress(const ConfigParameter* address) {
    return [address](const ConfigParameter* param) { return param == address; };
}

}  // namespace

// ---- Configuration::PointerIndex

template <typename T>
template <typename Same>
T* Configuration::PointerIndex<T>::find(size_t hash, Same same) const {
    if (slots_.empty()) return nullptr;
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (!slot.entry) return nullptr;
        if (slot.hash == hash && same(slot.entry)) return slot.entry;
    }
}

template <typename T>
template <typename Same>
T* Configuration::PointerIndex<T>::put(size_t hash, T* entry, Same same) {
    if (2 * (count_ + 1) > slots_.size()) grow();
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (!slot.entry) {
            slot = {hash, entry};
            ++count_;
            return nullptr;
        }
        if (slot.hash == hash && same(slot.entry)) {
            T* replaced = slot.entry;
            slot.entry = entry;
            return replaced;
        }
    }
}

template <typename T>
void Configuration::PointerIndex<T>::grow() {
    std::vector<Slot> old(std::max<size_t>(16, 2 * slots_.size()), Slot{0, nullptr});
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (!slot.entry) continue;
        size_t i = slot.hash & mask;
        while (slots_[i].entry)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

template <typename T>
void Configuration::PointerIndex<T>::clear() {
    std::vector<Slot>().swap(slots_);
    count_ = 0;
}

bool NoCaseLess::less(const char* a, const char* b) {
    if (!a || !b) return !a && b;
    return strCaseCmpAscii(a, b) < 0;
}

// ---- ParameterAlias

ParameterAlias::ParameterAlias(const char* aliasName, const ConfigParameter& target,
                               Configuration* configuration) {
    addTarget(target.getName());
    (configuration ? configuration : Configuration::global())->addAlias(aliasName, this);
}

ParameterAlias::ParameterAlias(const char* target1, const char* target2, const char* target3) {
    for (const char* target : {target1, target2, target3})
        if (target) addTarget(target);
}

bool ParameterAlias::expand(const char*, const char* value, NoCaseStringMap& values) const {
    for (const String& target : targets_)
        values[target] = value;
    return true;
}

void ParameterAlias::addTarget(const char* name) {
    targets_.emplace_back(name);
}

// ---- BadCmdLineArg

BadCmdLineArg::BadCmdLineArg(const char* argument, bool withHelpHint)
    : Exception(badArgumentMessage(argument, withHelpHint).get()) {
    formatCode(typeName_, "BadCmdLineArg");
}

// ---- Configuration: construction and ownership

// One alias being expanded, on the stack of the setParam calls that expand it: an alias met
// again on its own chain would expand for ever.
struct Configuration::AliasVisit {
    const void* entry;  // the alias entry of its configuration
    const AliasVisit* outer;
};

Configuration::Configuration(const char* name, const char* titleKey)
    : name_(name), titleKey_(titleKey) {}

Configuration::Configuration(const Configuration& other)
    : name_(other.name_), titleKey_(other.titleKey_) {
    copyAliases(other);
    copyValues(other, true, true);
}

Configuration& Configuration::operator=(const Configuration& other) {
    if (this != &other) {
        copyAliases(other);
        copyValues(other, true, true);
    }
    return *this;
}

Configuration::~Configuration() = default;

Configuration* Configuration::global() {
    // Built by whichever static initialiser asks first, and never destroyed: parameters of
    // other files may be read by static destructors or other threads after main returns.
    static Configuration* const globalConfiguration =
        (registerPlatTranslations(nullptr),
         new Configuration("Global", "plat_configuration_global_params"));
    return globalConfiguration;
}

void Configuration::addParam(ConfigParameter* param) {
    param->next_ = params_;
    params_ = param;
    const char* name = param->name_;
    if (name) byName_.put(nameHash(name), param, sameName(name));  // a null name is never found
}

void Configuration::adoptParam(ConfigParameter* param) {
    // A second ring for the same object would delete it twice.
    if (!param || ownedSet_.put(addressHash(param), param, sameAddress(param))) return;
    owned_.emplace_back(param);
}

BoolParameter* Configuration::addBoolParam(const char* name, const char* locDesc, bool defaultValue,
                                           bool advanced, const char* tags) {
    auto* param = new BoolParameter(name, LocDesc(locDesc), defaultValue, advanced, this, tags);
    adoptParam(param);
    return param;
}

IntParameter* Configuration::addIntParam(const char* name, const char* locDesc, int defaultValue,
                                         bool advanced, int min, int max, const char* tags) {
    auto* param =
        new IntParameter(name, LocDesc(locDesc), defaultValue, advanced, this, min, max, tags);
    adoptParam(param);
    return param;
}

StringParameter* Configuration::addStringParam(const char* name, const char* locDesc,
                                               const char* defaultValue, bool advanced,
                                               const char* tags) {
    auto* param = new StringParameter(name, LocDesc(locDesc), defaultValue, advanced, this, tags);
    adoptParam(param);
    return param;
}

EnumParameter* Configuration::addEnumParam(const char* name, const char* locDesc,
                                           const char* defaultName, const char* const* names,
                                           bool advanced, const char* tags) {
    auto* param =
        new EnumParameter(name, LocDesc(locDesc), defaultName, names, advanced, this, tags);
    adoptParam(param);
    return param;
}

BinaryParameter* Configuration::addBinaryParam(const char* name, const char* locDesc, int length,
                                               const void* bytes, bool advanced, const char* tags) {
    auto* param = new BinaryParameter(name, LocDesc(locDesc), length, bytes, advanced, this, tags);
    adoptParam(param);
    return param;
}

S64Parameter* Configuration::addS64Param(const char* name, const char* locDesc,
                                         int64_t defaultValue, bool advanced, const char* tags) {
    auto* param = new S64Parameter(name, LocDesc(locDesc), defaultValue, advanced, this, tags);
    adoptParam(param);
    return param;
}

void Configuration::removeAllParams() {
    params_ = nullptr;
    byName_.clear();
    ownedSet_.clear();
    owned_.clear();
}

void Configuration::setChild(Configuration* child, bool add) {
    auto found = std::find(children_.begin(), children_.end(), child);
    if (add) {
        if (child && found == children_.end()) children_.push_back(child);
    } else {
        children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
    }
}

void Configuration::addAlias(const char* name, ParameterAlias* alias) {
    aliases_[String(name)] = alias;
}

// ---- Look-up and setting

ConfigParameter* Configuration::findParam(const char* name, bool recurse) const {
    if (!name) return nullptr;
    if (ConfigParameter* param = byName_.find(nameHash(name), sameName(name))) return param;
    if (recurse) {
        for (const Configuration* child : children_)
            if (ConfigParameter* param = child->findParam(name, true)) return param;
    }
    return nullptr;
}

ConfigParameter* Configuration::getParam(const char* name) const {
    ConfigParameter* param = findParam(name, true);
    if (!param) throw Exception(Format, "Parameter %s not found", name ? name : "(null)");
    return param;
}

BoolParameter* Configuration::getBoolParam(const char* name) const {
    return ofKind<BoolParameter>(getParam(name));
}

IntParameter* Configuration::getIntParam(const char* name) const {
    return ofKind<IntParameter>(getParam(name));
}

StringParameter* Configuration::getStringParam(const char* name) const {
    return ofKind<StringParameter>(getParam(name));
}

EnumParameter* Configuration::getEnumParam(const char* name) const {
    return ofKind<EnumParameter>(getParam(name));
}

BinaryParameter* Configuration::getBinaryParam(const char* name) const {
    return ofKind<BinaryParameter>(getParam(name));
}

S64Parameter* Configuration::getS64Param(const char* name) const {
    return ofKind<S64Parameter>(getParam(name));
}

bool Configuration::getBool(const char* name, bool fallback) const {
    try {
        return getBoolParam(name)->getValueInt() != 0;
    } catch (const Exception&) {
        return fallback;
    }
}

bool Configuration::reaches(const ConfigParameter* param, bool recurse) const {
    return findParam(param->getName(), recurse) == param;
}

bool Configuration::setParam(const char* name, const char* value, int priority) {
    return setParamVia(name, value, priority, nullptr);
}

bool Configuration::setParamLen(const char* name, int nameLength, const char* value, int priority) {
    if (!name || nameLength < 0) return false;
    return setParam(String(name, nameLength).get(), value, priority);
}

bool Configuration::setParamVia(const char* name, const char* value, int priority,
                                const AliasVisit* chain) {
    if (!name) return false;
    auto alias = aliases_.find(name);
    if (alias != aliases_.end()) {
        for (const AliasVisit* visit = chain; visit; visit = visit->outer)
            if (visit->entry == &*alias) return false;
        const AliasVisit visit{&*alias, chain};
        NoCaseStringMap targets;
        if (!alias->second || !alias->second->expand(alias->first.get(), value, targets))
            return false;
        if (targets.empty()) return true;
        bool any = false;
        for (const auto& [target, text] : targets)
            any |= setParamVia(target.get(), text.get(), priority, &visit);
        return any;
    }
    if (ConfigParameter* param = findParam(name, false)) return param->setParam(value, priority);
    for (Configuration* child : children_)
        if (child->setParamVia(name, value, priority, chain)) return true;
    return false;
}

bool Configuration::processArg(const char* argument, int priority) {
    if (!argument) return false;
    const char* rest = argument;
    if (*rest == '-') {
        ++rest;
        if (*rest == '-') ++rest;
    } else if (!std::strchr(rest, '=')) {
        return false;
    }
    if (const char* equals = std::strchr(rest, '='))
        return setParamLen(rest, int(equals - rest), equals + 1, priority);
    return setParam(rest, nullptr, priority);
}

// ---- Command line

bool Configuration::isHelpArg(const char* argument) {
    if (!argument) return false;
    for (const char* word : {"-help", "--help", "-h", "/?"})
        if (strCaseCmpAscii(argument, word) == 0) return true;
    return false;
}

bool Configuration::processArgAt(const char* const** cursor) {
    const char* argument = **cursor;
    if (!argument) return false;
    if (processArg(argument, kCommandLinePriority)) return true;
    const char* next = (*cursor)[1];
    // The whole rest after one "-" is the name: "--name value" is no pair.
    if (argument[0] == '-' && next && setParam(argument + 1, next, kCommandLinePriority)) {
        ++*cursor;
        return true;
    }
    return std::strncmp(argument, "-psn_", 5) == 0;
}

bool Configuration::parseArgs(const char* const** cursor, ExitCallback exitCallback) {
    while (**cursor && processArgAt(cursor))
        ++*cursor;
    const char* const* stop = *cursor;
    if (!*stop || !exitCallback || !isHelpArg(*stop)) return true;

    // The word after the help word may choose the mode; nothing after them is applied.
    const char* next = stop[1];
    int mode = kHelpNormal;
    if (next && strCaseCmpAscii(next, "all") == 0)
        mode = kHelpAll;
    else if (next && strCaseCmpAscii(next, "xml") == 0)
        mode = kHelpXml;
    exitCallback(mode, this);
    return false;
}

void Configuration::processArgs(const char* const* arguments, ExitCallback exitCallback) {
    if (!arguments) return;
    const char* const* cursor = arguments;
    parseArgs(&cursor, exitCallback);
    if (*cursor) throw BadCmdLineArg(*cursor, exitCallback != nullptr);
}

// ---- Bulk operations

void Configuration::copyValues(const Configuration& other, bool cloneMissing, bool recurse) {
    for (ParamIterator it(other, recurse); it; ++it) {
        ConfigParameter* theirs = it.param();
        if (!other.reaches(theirs, recurse)) continue;
        if (ConfigParameter* mine = findParam(theirs->getName(), recurse))
            mine->copyValuesFrom(*theirs);
        else if (cloneMissing)
            adoptParam(theirs->clone(this));
    }
}

void Configuration::copyAliases(const Configuration& other) {
    for (const auto& [name, alias] : other.aliases_)
        aliases_.emplace(name, alias);
}

void Configuration::applyChanges(const Configuration& source, const Configuration& reference) {
    for (ParamIterator it(source, true); it; ++it) {
        if (!source.reaches(it.param(), true)) continue;
        const ConfigParameter* before = reference.findParam(it->getName(), true);
        if (!before) continue;
        String text = it->getValueStr();
        if (!sameText(text, before->getValueStr()))
            setParam(it->getName(), text.get(), it->getPriority());
    }
}

bool Configuration::sameValues(const Configuration& other) const {
    for (ParamIterator it(*this, true); it; ++it) {
        if (!reaches(it.param(), true)) continue;
        const ConfigParameter* theirs = other.findParam(it->getName(), true);
        if (!theirs || !sameText(it->getValueStr(), theirs->getValueStr())) return false;
    }
    return true;
}

String Configuration::changedNames(const Configuration& source, const Configuration& reference) {
    DString names;
    for (ParamIterator it(source, true); it; ++it) {
        if (!source.reaches(it.param(), true)) continue;
        const ConfigParameter* before = reference.findParam(it->getName(), true);
        if (!before || sameText(it->getValueStr(), before->getValueStr())) continue;
        if (!names.empty()) names.append(",");
        names.append(it->getName());
    }
    return String(names.c_str());
}

void Configuration::getValuesAt(int priority, NoCaseStringMap& values) const {
    for (ParamIterator it(*this, true); it; ++it) {
        if (!reaches(it.param(), true) || !it->hasValueAt(priority)) continue;
        // getValues rather than getValueStrAt: the caller stores these, binary ones included.
        std::map<int, String> held = it->getValues();
        auto entry = values.find(it->getName());
        if (entry == values.end())
            values.emplace(String(it->getName()), std::move(held[priority]));
        else
            entry->second = std::move(held[priority]);
    }
}

void Configuration::migrateAliases(KeyValueStore& store) const {
    for (const auto& [name, alias] : aliases_) {
        String stored;
        if (!alias || !store.get(name.get(), stored)) continue;
        NoCaseStringMap targets;
        if (!alias->expand(name.get(), stored.get(), targets)) continue;
        for (const auto& [target, text] : targets) {
            String present;
            if (!store.get(target.get(), present)) store.set(target.get(), text.get());
        }
        store.remove(name.get());
    }
    for (const Configuration* child : children_)
        child->migrateAliases(store);
}

void Configuration::logValues() const {
    struct Entry {
        const ConfigParameter* param;
        int priority;
    };
    std::vector<Entry> entries;
    for (ParamIterator it(*this, true); it; ++it)
        if (!isHidden(*it)) entries.push_back({it.param(), it->getPriority()});
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.priority != b.priority) return a.priority > b.priority;
        return nameLess(a.param, b.param);
    });
    for (const Entry& e : entries) {
        String text = e.param->getValueStrAt(e.priority);
        String buffer;
        const char* label = priorityLabel(*e.param, e.priority, buffer);
        int level =
            e.priority <= ConfigParameter::kDefaultPriority ? LogSrc::kDebug : LogSrc::kInfo;
        configurationLog().writeAtLevel(level, "%s=%s (%s)", e.param->getName(), shownText(text),
                                        label);
    }
}

// ---- Help

void Configuration::listParams(bool all, bool showDefaults, FILE* out, int width,
                               int nameWidth) const {
    if (titleKey_)
        std::fprintf(out, "%s:\n", translated(titleKey_));
    else
        std::fprintf(out, "%s Parameters:\n", name_.c_str());

    std::vector<const ConfigParameter*> shown;
    for (const ConfigParameter* param = params_; param; param = param->next_)
        if (!isHidden(*param) && (all || !param->isAdvanced())) shown.push_back(param);
    std::stable_sort(shown.begin(), shown.end(), nameLess);

    const int indent = nameWidth + 5;  // "  ", the name, " - "
    for (const ConfigParameter* param : shown) {
        DString line("  %-*s - %s", nameWidth, param->getName(), param->getDescription());
        loc::wrapText(line, width, indent);
        if (showDefaults && !isBinary(*param)) {
            String defaultPart =
                String::format("(%s=%s)", translated("plat_configuration_help_default"),
                               param->getValueStr().c_str());
            const char* lastLine = std::strrchr(line.c_str(), '\n');
            size_t lastBytes = std::strlen(lastLine ? lastLine + 1 : line.c_str());
            if (int(lastBytes) + utf8DisplayWidth(defaultPart.get()) >= width)
                line.appendFormat("%-*c%s", indent + 1, '\n', defaultPart.get());
            else
                line.appendFormat(" %s", defaultPart.get());
            loc::wrapText(line, width, indent);
        }
        std::fprintf(out, "%s\n", line.c_str());
    }
    for (const Configuration* child : children_)
        child->listParams(all, showDefaults, out, width, nameWidth);
}

void Configuration::printUsage(bool all, bool showDefaults) const {
    DString usage;
    usage.append(usageText());
    loc::wrapText(usage, 79, 0);
    std::printf("%s\n\n", usage.c_str());
    listParams(all, showDefaults, stdout, 79, 14);
    if (all) {
        std::printf("\n%s\n", translated("plat_configuration_log_names_title"));
        LogSrc::printSourceNames(79, stdout);
        std::printf("\n%s\n", translated("plat_configuration_log_dests_title"));
        LogDest::printDestNames(stdout);
    }
    std::fflush(stdout);
}

const char* Configuration::usageText() {
    return translated("plat_configuration_param_usage");
}

// ---- ParamIterator

Configuration::ParamIterator::ParamIterator(const Configuration& configuration, bool recurse)
    : recurse_(recurse) {
    queue_.push_back(&configuration);
    enterNextConfiguration();
}

void Configuration::ParamIterator::enterNextConfiguration() {
    while (!param_ && !queue_.empty()) {
        configuration_ = queue_.front();
        queue_.pop_front();
        if (recurse_)
            queue_.insert(queue_.end(), configuration_->children_.begin(),
                          configuration_->children_.end());
        param_ = configuration_->params_;
    }
}

Configuration::ParamIterator& Configuration::ParamIterator::operator++() {
    if (param_) param_ = param_->next_;
    if (!param_) enterNextConfiguration();
    return *this;
}

}  // namespace plat
