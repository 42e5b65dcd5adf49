#include "plat/ConfigParameter.h"

#include "loc/Localize.h"
#include "plat/Configuration.h"
#include "plat/Hex.h"
#include "plat/LogSrc.h"
#include "plat/NumParse.h"
#include "plat/Utf8.h"

#include <cstring>

namespace plat {

namespace {

// Built on first use and never destroyed, like the parameters that write to it: a parameter
// may be set by another file's static initialiser or destructor.
LogSrc& paramLog() {
    static LogSrc* const log = new LogSrc("ConfigParameter");
    return *log;
}
// Joins the list of sources during static initialisation, so that the Log setting finds it.
[[maybe_unused]] LogSrc& registeredParamLog = paramLog();

// The one place that turns a description key into text. Descriptions are fetched for display,
// never raw: the registry refuses a key fetched both ways.
const char* translateDescription(const char* key) {
    return loc::Localize::instance().translate(key, nullptr, 0, false);
}

const char* shownText(const String& text) {
    return text.isNull() ? "(null)" : text.get();
}

char* dupIfOwned(const char* text, bool owned) {
    return owned ? strDup(text) : const_cast<char*>(text);
}

// Equality of stored values: setting an equal value again is not a change.
bool sameValue(bool a, bool b) {
    return a == b;
}
bool sameValue(int a, int b) {
    return a == b;
}
bool sameValue(const String& a, const String& b) {
    return strCmpNull(a.get(), b.get()) == 0;
}
bool sameValue(const ByteBuf& a, const ByteBuf& b) {
    return a.size() == b.size() &&
           (a.size() == 0 || std::memcmp(a.data(), b.data(), size_t(a.size())) == 0);
}

template <typename T>
T copyValue(const T& value) {
    return value;
}
// A copy keeps the wipe flag: a secret stays protected wherever it is stored.
ByteBuf copyValue(const ByteBuf& value) {
    ByteBuf copy;
    copy.assign(value);
    copy.setWipe(value.wipe());
    return copy;
}

String valueText(const ConfigParameter&, bool value) {
    return String(value ? "1" : "0");
}
String valueText(const ConfigParameter& param, int value) {
    return param.intToStr(value);
}
String valueText(const ConfigParameter&, const String& value) {
    return value;
}
String valueText(const ConfigParameter&, const ByteBuf& value) {
    return binToHex(size_t(value.size()), value.data());
}

ByteBuf bytesCopy(int length, const void* bytes) {
    ByteBuf buffer;
    if (bytes && length > 0) buffer.assign(static_cast<const unsigned char*>(bytes), length);
    return buffer;
}

String s64Text(int64_t value) {
    return String::format("int64:%016llx", static_cast<unsigned long long>(value));
}

constexpr char kS64Prefix[] = "int64:";
constexpr size_t kS64PrefixLength = sizeof kS64Prefix - 1;
constexpr size_t kS64TextLength = kS64PrefixLength + 16;

}  // namespace

// ---- ConfigParameter

ConfigParameter::ConfigParameter(const char* name, ParamDescription description, bool advanced,
                                 Configuration* configuration, const char* tags)
    : configuration_(configuration ? configuration : Configuration::global()), next_(nullptr),
      name_(name), desc_(description.desc), locDesc_(description.locDesc), advanced_(advanced) {
    const char* desc = desc_;
    const char* locDesc = locDesc_;
    TQ_ASSERT(desc || locDesc);
    addTags(tags);
    configuration_->addParam(this);
}

ConfigParameter::ConfigParameter(const ConfigParameter& other, Configuration* configuration)
    : NonCopyable(), configuration_(configuration ? configuration : Configuration::global()),
      next_(nullptr), name_(dupIfOwned(other.name_, other.ownsStrings_)),
      desc_(dupIfOwned(other.desc_, other.ownsStrings_)),
      locDesc_(dupIfOwned(other.locDesc_, other.ownsStrings_)), advanced_(other.advanced_),
      ownsStrings_(other.ownsStrings_), tags_(other.tags_) {
    configuration_->addParam(this);
}

ConfigParameter::~ConfigParameter() {
    if (ownsStrings_) {
        delete[] name_;
        delete[] desc_;
        delete[] locDesc_;
    }
}

bool ConfigParameter::setParamInt(int, int) {
    return false;
}

int ConfigParameter::getValueInt() const {
    return 0;
}

String ConfigParameter::intToStr(int value) const {
    return String::format("%d", value);
}

const char* ConfigParameter::getDescription() const {
    return desc_ ? desc_ : translateDescription(locDesc_);
}

bool ConfigParameter::isAdvanced() const {
    return advanced_ || dynamic_cast<const BinaryParameter*>(this) != nullptr;
}

void ConfigParameter::addTags(const char* list) {
    StringSet added = splitToSet(list, ',');
    tags_.insert(added.begin(), added.end());
}

bool ConfigParameter::hasTag(const char* tag) const {
    return tags_.count(String(tag)) != 0;
}

void ConfigParameter::addCallback(ParameterChangedCallback* callback) {
    callbacks_.push_back(callback);
}

void ConfigParameter::notifyCallbacks(int priority) {
    // By index: a callback may register another one.
    for (size_t i = 0; i < callbacks_.size(); ++i)
        callbacks_[i]->parameterChanged(this, priority);
}

void ConfigParameter::valueStored(int priority) {
    int level = priority <= 0 ? LogSrc::kVerbose : LogSrc::kDebug;
    if (configuration_->logChanges() && paramLog().enabled(level)) {
        String text = getValueStrAt(priority);
        paramLog().writeAtLevel(level, "set %s(%s) to %s, priority %d", name_, getTypeName(),
                                shownText(text), priority);
    }
    notifyCallbacks(priority);
}

void ConfigParameter::valueRemoved(int priority, bool notify) {
    if (configuration_->logChanges() && paramLog().enabled(LogSrc::kDebug)) {
        int now = getPriority();
        String text = getValueStrAt(now);
        paramLog().writeAtLevel(LogSrc::kDebug, "unset %s(%s) priority %d, now %s, priority %d",
                                name_, getTypeName(), priority, shownText(text), now);
    }
    if (notify) notifyCallbacks(priority);
}

bool ConfigParameter::resetToDefault(bool notify) {
    if (getPriority() == kDefaultPriority) return false;
    for (const auto& [priority, text] : getValues())
        if (priority > kDefaultPriority) unsetParam(priority, false);
    if (notify) notifyCallbacks(kDefaultPriority);
    return true;
}

int ConfigParameter::notifyIfDefault() {
    int priority = getPriority();
    if (priority == kDefaultPriority) notifyCallbacks(kDefaultPriority);
    return priority;
}

void ConfigParameter::copyValuesFrom(const ConfigParameter& other) {
    if (&other == this) return;
    std::map<int, String> theirs = other.getValues();
    for (const auto& [priority, text] : getValues())
        if (theirs.count(priority) == 0) unsetParam(priority, true);
    for (const auto& [priority, text] : theirs)
        setParam(text.get(), priority);
}

// ---- TypedParameter

template <typename T>
TypedParameter<T>::TypedParameter(const char* name, ParamDescription description, T defaultValue,
                                  bool advanced, Configuration* configuration, const char* tags)
    : ConfigParameter(name, description, advanced, configuration, tags) {
    values_.emplace(kDefaultPriority, std::move(defaultValue));
}

template <typename T>
TypedParameter<T>::TypedParameter(const TypedParameter& other, Configuration* configuration)
    : ConfigParameter(other, configuration) {
    for (const auto& [priority, value] : other.values_)
        values_.emplace(priority, copyValue(value));
}

template <typename T>
bool TypedParameter<T>::setValue(const T& value, int priority) {
    if (priority == kPolicyPriority && hasTag("noPolicy")) return false;
    auto held = values_.find(priority);
    if (held != values_.end() && sameValue(held->second, value)) return true;
    T copy = copyValue(value);
    // Erase rather than assign, so that a flagged old value is wiped and the new one keeps its
    // own flag.
    if (held != values_.end()) values_.erase(held);
    values_.emplace(priority, std::move(copy));
    valueStored(priority);
    return true;
}

template <typename T>
void TypedParameter<T>::unsetParam(int priority, bool notify) {
    if (priority == kDefaultPriority) return;
    auto held = values_.find(priority);
    if (held == values_.end()) return;
    values_.erase(held);
    valueRemoved(priority, notify);
}

template <typename T>
String TypedParameter<T>::getValueStr() const {
    return textOf(currentValue());
}

template <typename T>
int TypedParameter<T>::getPriority() const {
    return values_.rbegin()->first;
}

template <typename T>
bool TypedParameter<T>::hasValueAt(int priority) const {
    return values_.count(priority) != 0;
}

template <typename T>
const T* TypedParameter<T>::valueAt(int priority) const {
    auto held = values_.find(priority);
    return held == values_.end() ? nullptr : &held->second;
}

template <typename T>
String TypedParameter<T>::getValueStrAt(int priority) const {
    const T* value = valueAt(priority);
    return value ? textOf(*value) : String();
}

template <typename T>
std::map<int, String> TypedParameter<T>::getValues() const {
    std::map<int, String> texts;
    for (const auto& [priority, value] : values_)
        texts.emplace(priority, textOf(value));
    return texts;
}

template <typename T>
String TypedParameter<T>::textOf(const T& value) const {
    return valueText(*this, value);
}

template class TypedParameter<bool>;
template class TypedParameter<int>;
template class TypedParameter<String>;
template class TypedParameter<ByteBuf>;

// ---- BoolParameter

BoolParameter::BoolParameter(const char* name, ParamDescription description, bool defaultValue,
                             bool advanced, Configuration* configuration, const char* tags)
    : TypedParameter(name, description, defaultValue, advanced, configuration, tags) {}

bool BoolParameter::setParam(const char* text, int priority) {
    static const char* const trueWords[] = {"1", "on", "true", "yes"};
    static const char* const falseWords[] = {"0", "off", "false", "no"};
    // A name alone on the command line turns a boolean on.
    if (!text || !*text) return setValue(true, priority);
    for (const char* word : trueWords)
        if (strCaseCmpAscii(text, word) == 0) return setValue(true, priority);
    for (const char* word : falseWords)
        if (strCaseCmpAscii(text, word) == 0) return setValue(false, priority);
    paramLog().error("Bool parameter %s: invalid value '%s'", getName(), text);
    return false;
}

bool BoolParameter::setParamInt(int value, int priority) {
    return setValue(value != 0, priority);
}

int BoolParameter::getValueInt() const {
    return currentValue() ? 1 : 0;
}

BoolParameter* BoolParameter::clone(Configuration* configuration) const {
    return new BoolParameter(*this, configuration);
}

// ---- IntParameter

IntParameter::IntParameter(const char* name, ParamDescription description, int defaultValue,
                           bool advanced, Configuration* configuration, int min, int max,
                           const char* tags)
    : TypedParameter(name, description, defaultValue, advanced, configuration, tags), min_(min),
      max_(max) {}

bool IntParameter::setParam(const char* text, int priority) {
    if (!text) return false;
    int value = 0;
    const char* cursor = text;
    if (!parseInt(value, &cursor, 0) || *cursor != '\0') return false;
    return setParamInt(value, priority);
}

bool IntParameter::setParamInt(int value, int priority) {
    if (value < min_ || value > max_) return false;
    return setValue(value, priority);
}

IntParameter* IntParameter::clone(Configuration* configuration) const {
    return new IntParameter(*this, configuration);
}

// ---- EnumParameter

namespace {

const char* const* copyNames(const char* const* names, bool owned) {
    if (!owned || !names) return names;
    int count = EnumParameter::maxIndex(names) + 1;
    const char** copy = new const char*[size_t(count) + 1];
    for (int i = 0; i < count; ++i)
        copy[i] = strDup(names[i]);
    copy[count] = nullptr;
    return copy;
}

}  // namespace

EnumParameter::EnumParameter(const char* name, ParamDescription description,
                             const char* defaultName, const char* const* names, bool advanced,
                             Configuration* configuration, const char* tags)
    : IntParameter(name, description, findName(defaultName, names, 0), advanced, configuration, 0,
                   maxIndex(names), tags),
      names_(names) {}

EnumParameter::EnumParameter(const EnumParameter& other, Configuration* configuration)
    : IntParameter(other, configuration), names_(copyNames(other.names_, other.ownsStrings())) {}

EnumParameter::~EnumParameter() {
    if (!ownsStrings() || !names_) return;
    for (int i = 0; names_[i]; ++i)
        delete[] names_[i];
    delete[] names_;
}

int EnumParameter::findName(const char* name, const char* const* names, int fallback) {
    if (!name || !names) return fallback;
    for (int i = 0; names[i]; ++i)
        if (strCaseCmpAscii(names[i], name) == 0) return i;
    return fallback;
}

int EnumParameter::maxIndex(const char* const* names) {
    int count = 0;
    while (names && names[count])
        ++count;
    return count - 1;
}

bool EnumParameter::setParam(const char* text, int priority) {
    if (!text) return false;
    int index = findName(text, names_, -1);
    if (index < 0) return false;
    return setParamInt(index, priority);
}

String EnumParameter::intToStr(int value) const {
    // A default or a clone may hold an index the table does not name: show the number rather
    // than read past the table.
    if (value < 0 || value > maxIndex(names_)) return IntParameter::intToStr(value);
    return String(names_[value]);
}

EnumParameter* EnumParameter::clone(Configuration* configuration) const {
    return new EnumParameter(*this, configuration);
}

// ---- StringParameter

StringParameter::StringParameter(const char* name, ParamDescription description,
                                 const char* defaultValue, bool advanced,
                                 Configuration* configuration, const char* tags)
    : TypedParameter(name, description, String(defaultValue), advanced, configuration, tags) {
    const char* v = defaultValue;
    if (!v) {
        AssertionFail failure("v", __FILE__, __LINE__);
        failure.appendDetail("Default value <null> for %s not allowed", name);
        AssertionFail::fatal(failure);
    }
}

bool StringParameter::setParam(const char* text, int priority) {
    if (!text) return false;
    if (!utf8IsValid(text)) throw BadUtf8(Format, "Bad UTF-8 string for %s", getName());
    return setValue(String(text), priority);
}

StringParameter* StringParameter::clone(Configuration* configuration) const {
    return new StringParameter(*this, configuration);
}

// ---- S64Parameter

S64Parameter::S64Parameter(const char* name, ParamDescription description, int64_t defaultValue,
                           bool advanced, Configuration* configuration, const char* tags)
    : TypedParameter(name, description, s64Text(defaultValue), advanced, configuration, tags) {}

bool S64Parameter::setParam(const char* text, int priority) {
    if (!text) return false;
    size_t length = std::strlen(text);
    if (length == kS64TextLength && std::strncmp(text, kS64Prefix, kS64PrefixLength) == 0) {
        uint32_t ignored = 0;
        for (size_t i = kS64PrefixLength; i < length; ++i)
            if (!hexDigitValue(text[i], ignored)) return false;
        return TypedParameter::setValue(String(text), priority);
    }
    // Otherwise the 8 bytes of the number, least significant first.
    unsigned char bytes[8];
    if (length != 2 * sizeof bytes || !hexToBin(text, sizeof bytes, bytes)) return false;
    uint64_t value = 0;
    for (int i = int(sizeof bytes) - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return setValue(int64_t(value), priority);
}

bool S64Parameter::setValue(int64_t value, int priority) {
    return TypedParameter::setValue(s64Text(value), priority);
}

int64_t S64Parameter::getValue() const {
    const char* text = currentValue().get();
    unsigned char bytes[8];
    if (strLen(text) != kS64TextLength || !strBeginsWith(text, kS64Prefix) ||
        !hexToBin(text + kS64PrefixLength, sizeof bytes, bytes))
        return 0;
    uint64_t value = 0;
    for (unsigned char byte : bytes)
        value = (value << 8) | byte;
    return int64_t(value);
}

S64Parameter* S64Parameter::clone(Configuration* configuration) const {
    return new S64Parameter(*this, configuration);
}

// ---- BinaryParameter

BinaryParameter::BinaryParameter(const char* name, ParamDescription description, int length,
                                 const void* bytes, bool advanced, Configuration* configuration,
                                 const char* tags)
    : TypedParameter(name, description, bytesCopy(length, bytes), advanced, configuration, tags) {}

bool BinaryParameter::setParam(const char* text, int priority) {
    if (!text) return false;
    ByteBuf bytes;
    if (!hexToBin(text, bytes)) return false;
    return setValue(bytes, priority);
}

String BinaryParameter::getValueStrAt(int priority) const {
    return hasValueAt(priority) ? String("<binary>") : String();
}

bool BinaryParameter::setValue(int length, const void* bytes, int priority) {
    return TypedParameter::setValue(bytesCopy(length, bytes), priority);
}

void BinaryParameter::getValueBin(ByteBuf& out) const {
    const ByteBuf& value = currentValue();
    out.assign(value);
    out.setWipe(value.wipe());
}

BinaryParameter* BinaryParameter::clone(Configuration* configuration) const {
    return new BinaryParameter(*this, configuration);
}

}  // namespace plat
