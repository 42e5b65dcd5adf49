// Configuration parameters: named, typed tunables with a description, a default, optional
// bounds and tags, registered in a plat::Configuration (the global one unless another is given).
//
// A parameter holds one value per priority: 0 the default it was built with, 10 a preference
// (command line, parameter files, user settings), 30 a policy. The value at the highest priority
// held is the current one, and the default is never removed. Every stored change is written to
// the "ConfigParameter" log (unless the configuration's change logging is off) and announced to
// the parameter's change callbacks, also when a higher priority keeps the current value; setting
// the value a priority already holds does nothing at all.
//
// Parameters are as a rule static objects of the library that owns them, and live until the
// process ends: they register themselves during static initialisation and are never unlinked.
// No locking: they are set and read on the main thread.
#pragma once

#include "plat/MBuf.h"
#include "plat/NonCopyable.h"
#include "plat/String.h"
#include "plat/StringList.h"

#include <climits>
#include <cstdint>
#include <map>
#include <vector>

namespace plat {

class ConfigParameter;
class Configuration;

// Told of every value set or removed at any priority. Registered on a parameter right after its
// construction and never removed, so it must live as long as the parameter.
class ParameterChangedCallback {
public:
    virtual ~ParameterChangedCallback() = default;
    // Called after a value at `priority` was set or removed.
    virtual void parameterChanged(ConfigParameter* parameter, int priority) = 0;
};

// Marks a description argument as a translation key ("plat_param_log") rather than a text.
struct LocDesc {
    explicit constexpr LocDesc(const char* key) : key(key) {}
    const char* key;
};

// The description argument of the parameter constructors: a plain text, or LocDesc(key).
struct ParamDescription {
    constexpr ParamDescription(const char* desc) : desc(desc), locDesc(nullptr) {}
    constexpr ParamDescription(LocDesc key) : desc(nullptr), locDesc(key.key) {}
    const char* desc;
    const char* locDesc;
};

class ConfigParameter : private NonCopyable {
public:
    static constexpr int kDefaultPriority = 0;
    static constexpr int kPreferencePriority = 10;
    static constexpr int kPolicyPriority = 30;

    // Frees owned strings, tags, callback list and values. The parameter stays linked in its
    // configuration: a static parameter is only destroyed when nothing looks it up any more.
    virtual ~ConfigParameter();

    // Parses `text` and sets the value at `priority`. Returns false, changing nothing, for text
    // the kind refuses or for priority 30 on a "noPolicy" parameter. Invalid UTF-8 for a string
    // parameter throws plat::BadUtf8.
    virtual bool setParam(const char* text, int priority) = 0;
    // Removes the value at `priority`; nothing for priority 0 or one that holds no value.
    // With `notify`, the callbacks are told.
    virtual void unsetParam(int priority, bool notify) = 0;
    // Sets from an integer where the kind has integer values; false otherwise.
    virtual bool setParamInt(int value, int priority);
    // The text of the current value (a string parameter's null value gives a null String).
    virtual String getValueStr() const = 0;
    // The current value as an integer where the kind has one; 0 otherwise.
    virtual int getValueInt() const;
    // The highest priority that holds a value: 0 or more.
    virtual int getPriority() const = 0;
    virtual bool hasValueAt(int priority) const = 0;
    // The text of the value at exactly `priority`, null when there is none. Binary values show
    // as "<binary>", so that they never reach a log.
    virtual String getValueStrAt(int priority) const = 0;
    // Every priority held with the text of its value (binary values as hexadecimal).
    virtual std::map<int, String> getValues() const = 0;
    virtual const char* getTypeName() const = 0;
    // A new parameter of the same kind, name, descriptions, flags, tags and values, registered
    // in `configuration` (null: the global one), without callbacks. The caller owns it.
    virtual ConfigParameter* clone(Configuration* configuration) const = 0;
    // The text of an integer value of this kind: "%d" unless the kind names its values.
    virtual String intToStr(int value) const;

    const char* getName() const { return name_; }
    Configuration* getConfiguration() const { return configuration_; }
    // The plain description when there is one, else the translation of the description key.
    const char* getDescription() const;
    // The translation key of the description, or null for a plain description.
    const char* getLocDesc() const { return locDesc_; }
    // Advanced parameters are listed only in the full help; binary ones always count as such.
    bool isAdvanced() const;

    // Adds the items of a comma-separated list (untrimmed; empty items are empty tags).
    void addTags(const char* list);
    bool hasTag(const char* tag) const;
    const StringSet& getTags() const { return tags_; }
    // Appends a callback (not owned) for the rest of the parameter's life.
    void addCallback(ParameterChangedCallback* callback);

    // Returns false when only the default is held. Otherwise removes every value above
    // priority 0 without notification, then with `notify` tells each callback once, with
    // priority 0, and returns true.
    bool resetToDefault(bool notify);
    // Tells the callbacks (priority 0) when the current priority is 0; returns the current
    // priority.
    int notifyIfDefault();
    // Makes this parameter hold the other's values: priorities the other lacks are removed (with
    // notification), then each of the other's values is set here from its text, lowest priority
    // first. Nothing happens when `other` is this parameter.
    void copyValuesFrom(const ConfigParameter& other);

    // From now on the name, descriptions (and an enumeration's name table) are owned: freed
    // with the parameter (delete[]) and duplicated by clone. For creators that built the
    // parameter from array-new copies; a parameter built from literals never calls it.
    void adoptStrings() { ownsStrings_ = true; }
    bool ownsStrings() const { return ownsStrings_; }

protected:
    // Fills the fields and links the parameter at the head of the configuration's list. A
    // description of neither kind is a fatal assertion failure "desc || locDesc".
    ConfigParameter(const char* name, ParamDescription description, bool advanced,
                    Configuration* configuration, const char* tags);
    // For clone: copies everything but the callbacks (strings duplicated when owned) and links
    // the copy into `configuration`.
    ConfigParameter(const ConfigParameter& other, Configuration* configuration);

    // A value was stored at `priority`: writes the "set" line and calls every callback.
    void valueStored(int priority);
    // A value was removed at `priority`: writes the "unset" line and, with `notify`, calls every
    // callback.
    void valueRemoved(int priority, bool notify);
    void notifyCallbacks(int priority);

private:
    friend class Configuration;

    Configuration* configuration_;  // never null
    ConfigParameter* next_;         // next (earlier registered) parameter of the configuration
    const char* name_;
    const char* desc_;     // plain description, or null
    const char* locDesc_;  // translation key of the description, or null
    bool advanced_;
    bool ownsStrings_ = false;  // name_, desc_, locDesc_ are array-new copies
    StringSet tags_;
    std::vector<ParameterChangedCallback*> callbacks_;  // not owned, in registration order
};

// The values of a parameter kind, one per priority.
template <typename T>
class TypedParameter : public ConfigParameter {
public:
    // Stores a copy of `value` at `priority`, then logs the change and calls the callbacks
    // (even when a higher priority keeps the current value). Returns false, storing nothing,
    // for priority 30 on a parameter tagged "noPolicy". When the priority already holds an
    // equal value, returns true and does nothing else.
    bool setValue(const T& value, int priority);

    void unsetParam(int priority, bool notify) override;
    String getValueStr() const override;
    int getPriority() const override;
    bool hasValueAt(int priority) const override;
    String getValueStrAt(int priority) const override;
    std::map<int, String> getValues() const override;

protected:
    TypedParameter(const char* name, ParamDescription description, T defaultValue, bool advanced,
                   Configuration* configuration, const char* tags);
    TypedParameter(const TypedParameter& other, Configuration* configuration);

    const T& currentValue() const { return values_.rbegin()->second; }
    const T* valueAt(int priority) const;
    // How getValueStr and getValues show a value.
    String textOf(const T& value) const;

private:
    std::map<int, T> values_;  // by priority; never empty, since the default at 0 stays
};

extern template class TypedParameter<bool>;
extern template class TypedParameter<int>;
extern template class TypedParameter<String>;
extern template class TypedParameter<ByteBuf>;

// Text: "1", "on", "true", "yes" and null or empty (a name alone on the command line) turn it
// on; "0", "off", "false", "no" turn it off, in any letter case. Other text is refused with the
// error "Bool parameter <name>: invalid value '<text>'" on the "ConfigParameter" log.
class BoolParameter : public TypedParameter<bool> {
public:
    BoolParameter(const char* name, ParamDescription description, bool defaultValue,
                  bool advanced = false, Configuration* configuration = nullptr,
                  const char* tags = nullptr);

    bool setParam(const char* text, int priority) override;
    // Any non-zero value is true.
    bool setParamInt(int value, int priority) override;
    int getValueInt() const override;
    const char* getTypeName() const override { return "bool"; }
    BoolParameter* clone(Configuration* configuration) const override;

private:
    BoolParameter(const BoolParameter& other, Configuration* configuration)
        : TypedParameter(other, configuration) {}
};

// Text: one number as strtol reads it with base 0 ("0x" hexadecimal, a leading "0" octal),
// fitting 32 bits, with nothing after it. Values set from text or integers must lie within
// [min, max]; the default need not.
class IntParameter : public TypedParameter<int> {
public:
    IntParameter(const char* name, ParamDescription description, int defaultValue,
                 bool advanced = false, Configuration* configuration = nullptr, int min = INT_MIN,
                 int max = INT_MAX, const char* tags = nullptr);

    bool setParam(const char* text, int priority) override;
    // False outside [min, max].
    bool setParamInt(int value, int priority) override;
    int getValueInt() const override { return currentValue(); }
    const char* getTypeName() const override { return "int"; }
    IntParameter* clone(Configuration* configuration) const override;

    int getMin() const { return min_; }
    int getMax() const { return max_; }

protected:
    IntParameter(const IntParameter& other, Configuration* configuration)
        : TypedParameter(other, configuration), min_(other.min_), max_(other.max_) {}

private:
    int min_;  // inclusive bounds of values set from text or integers
    int max_;
};

// An index into a null-terminated table of names; set and shown by name (the first match
// ignoring ASCII case). An index the table does not name shows as its number.
class EnumParameter : public IntParameter {
public:
    // The default is the index of `defaultName`, or 0 when it is null or names nothing.
    EnumParameter(const char* name, ParamDescription description, const char* defaultName,
                  const char* const* names, bool advanced = false,
                  Configuration* configuration = nullptr, const char* tags = nullptr);
    ~EnumParameter() override;

    bool setParam(const char* text, int priority) override;
    const char* getTypeName() const override { return "enum"; }
    EnumParameter* clone(Configuration* configuration) const override;
    String intToStr(int value) const override;

    const char* const* getNames() const { return names_; }

    // The index of the first name equal to `name` ignoring ASCII case, else `fallback`.
    static int findName(const char* name, const char* const* names, int fallback);
    // The number of names minus 1 (-1 for an empty or null table).
    static int maxIndex(const char* const* names);

private:
    EnumParameter(const EnumParameter& other, Configuration* configuration);

    const char* const* names_;  // null-terminated; owned with the strings when ownsStrings()
};

// UTF-8 text. A null text is refused; invalid UTF-8 throws plat::BadUtf8
// "Bad UTF-8 string for <name>". A null default is a fatal assertion failure.
class StringParameter : public TypedParameter<String> {
public:
    StringParameter(const char* name, ParamDescription description, const char* defaultValue,
                    bool advanced = false, Configuration* configuration = nullptr,
                    const char* tags = nullptr);

    bool setParam(const char* text, int priority) override;
    const char* getTypeName() const override { return "string"; }
    StringParameter* clone(Configuration* configuration) const override;

private:
    StringParameter(const StringParameter& other, Configuration* configuration)
        : TypedParameter(other, configuration) {}
};

// A signed 64-bit number, held as the text "int64:" and 16 hexadecimal digits, most significant
// first (written in lower case). Text: that form (digits of either case, stored as given), or
// 16 hexadecimal digits giving the 8 bytes least significant first.
class S64Parameter : public TypedParameter<String> {
public:
    S64Parameter(const char* name, ParamDescription description, int64_t defaultValue,
                 bool advanced = false, Configuration* configuration = nullptr,
                 const char* tags = nullptr);

    bool setParam(const char* text, int priority) override;
    const char* getTypeName() const override { return "s64"; }
    S64Parameter* clone(Configuration* configuration) const override;

    bool setValue(int64_t value, int priority);
    // The current value (0 if the stored text is not of the "int64:" form).
    int64_t getValue() const;

private:
    S64Parameter(const S64Parameter& other, Configuration* configuration)
        : TypedParameter(other, configuration) {}
};

// Bytes, set and shown as hexadecimal. A value whose wipe flag is set is zeroed when it is
// replaced or removed. Counted as advanced, and shown as "<binary>" in log lines.
class BinaryParameter : public TypedParameter<ByteBuf> {
public:
    // The default is a copy of `length` bytes (wipe flag clear).
    BinaryParameter(const char* name, ParamDescription description, int length, const void* bytes,
                    bool advanced = false, Configuration* configuration = nullptr,
                    const char* tags = nullptr);

    // Text: an even number of hexadecimal digits of either case (empty: no bytes).
    bool setParam(const char* text, int priority) override;
    String getValueStrAt(int priority) const override;
    const char* getTypeName() const override { return "binary"; }
    BinaryParameter* clone(Configuration* configuration) const override;

    // Keeps the buffer's wipe flag with the stored copy.
    using TypedParameter::setValue;
    // Stores a copy of the bytes with the wipe flag clear.
    bool setValue(int length, const void* bytes, int priority);
    // Copies the current bytes and their wipe flag into `out`.
    void getValueBin(ByteBuf& out) const;
    int getValueLength() const { return currentValue().size(); }

private:
    BinaryParameter(const BinaryParameter& other, Configuration* configuration)
        : TypedParameter(other, configuration) {}
};

}  // namespace plat
