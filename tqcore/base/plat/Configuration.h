// plat::Configuration: a registry of configuration parameters, found by name without regard
// to ASCII case, with alias names, child configurations searched after its own parameters, the
// command-line parser and the parameter help.
//
// Parameters link themselves in when they are constructed, at the head of the list, so the
// list runs from the most recently registered parameter to the first and, of two names that
// differ only in case, the later one is found. Beside the list, which help, dumps and writers
// walk, a hash index keeps the parameter each name finds, so that a look-up by name and
// registration cost constant time on average however many parameters there are (parameter
// files set thousands of keys by name, and run-time descriptions create as many parameters).
// A configuration frees only the parameters it created or adopted; static parameters live
// until the process ends. The global configuration, which receives every parameter not given
// another, is created by its first user (as a rule a parameter's static initialiser, in
// whatever order those run) and is never destroyed, so that static destructors and other
// threads may still read parameters while the process exits.
//
// No locking: registration happens during static initialisation, all other use on the main
// thread. Child configurations must form a tree: a configuration that is its own descendant
// makes every recursive walk endless.
#pragma once

#include "plat/CallbackLink.h"
#include "plat/Exception.h"
#include "plat/String.h"
#include "plat/StringList.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <vector>

namespace plat {

class ConfigParameter;
class BoolParameter;
class IntParameter;
class EnumParameter;
class StringParameter;
class S64Parameter;
class BinaryParameter;
class Configuration;

// Orders texts by strcmp after folding ASCII letters to lower case (null first); also compares
// with plain C strings, so that look-ups need no copy.
struct NoCaseLess {
    using is_transparent = void;
    bool operator()(const String& a, const String& b) const { return less(a.get(), b.get()); }
    bool operator()(const char* a, const String& b) const { return less(a, b.get()); }
    bool operator()(const String& a, const char* b) const { return less(a.get(), b); }
    static bool less(const char* a, const char* b);
};

// Texts by name, names compared ignoring ASCII case.
using NoCaseStringMap = std::map<String, String, NoCaseLess>;

// A second name for one or more parameters: setting the alias sets every target, by name, in the
// configuration where the alias is registered (so targets may be aliases or live in children).
class ParameterAlias {
public:
    // An alias for `target` alone, registered under `aliasName` in `configuration` (null: the
    // global one). `aliasName` must outlive the alias only until the call returns.
    ParameterAlias(const char* aliasName, const ConfigParameter& target,
                   Configuration* configuration = nullptr);
    // Records up to three target names (null where not used); register it with
    // Configuration::addAlias.
    explicit ParameterAlias(const char* target1 = nullptr, const char* target2 = nullptr,
                            const char* target3 = nullptr);
    virtual ~ParameterAlias() = default;
    ParameterAlias(const ParameterAlias&) = delete;
    ParameterAlias& operator=(const ParameterAlias&) = delete;

    // Puts `value` (null for a name given alone) under every target name in `values`, replacing
    // a different text already there. Returns true; an override that refuses the value returns
    // false.
    virtual bool expand(const char* aliasName, const char* value, NoCaseStringMap& values) const;

    void addTarget(const char* name);
    const StringList& targets() const { return targets_; }

private:
    StringList targets_;
};

// A key-value store whose keys can be renamed through the aliases of a configuration
// (Configuration::migrateAliases).
class KeyValueStore {
public:
    virtual ~KeyValueStore() = default;
    // Fills `text` and returns true when the store holds `name`.
    virtual bool get(const char* name, String& text) = 0;
    virtual void set(const char* name, const char* text) = 0;
    virtual void remove(const char* name) = 0;
};

// A command-line argument that is no setting. Type name "BadCmdLineArg"; the message is the
// translated "Bad argument '<argument>'.", followed with `withHelpHint` by two blanks and the
// translated "Run with -help for usage.".
class BadCmdLineArg : public Exception {
public:
    BadCmdLineArg(const char* argument, bool withHelpHint);
};

class Configuration {
public:
    // Help modes given to the exit callback: "-help", "-help all", "-help xml".
    static constexpr int kHelpNormal = 0;
    static constexpr int kHelpAll = 1;
    static constexpr int kHelpXml = 2;
    // Called for a help word on the command line; as a rule prints the help and ends the
    // process.
    using ExitCallback = void (*)(int mode, Configuration* configuration);

    // Copies `name`; `titleKey` (the translation key of the help title, or null) must outlive
    // the configuration. Change logging starts on.
    explicit Configuration(const char* name, const char* titleKey = nullptr);
    // Takes the other's name and title key, shares its aliases and holds clones of the
    // parameters of the other and of its descendants, in its own list; no children.
    Configuration(const Configuration& other);
    // Adds the other's aliases this one lacks, then copies values as copyValues(other, true,
    // true) does; the name and title key stay.
    Configuration& operator=(const Configuration& other);
    // Frees the owned parameters (unless another holder shares them); leaves the others alone.
    ~Configuration();

    // The global configuration ("Global", title key "plat_configuration_global_params").
    static Configuration* global();

    const char* getName() const { return name_.get(); }
    const char* getTitleKey() const { return titleKey_; }

    // ---- Parameters, children and aliases

    // Takes shared ownership of `param`, one of this configuration's own parameters: it is freed
    // with the configuration or by removeAllParams (a parameter built with array-new strings
    // calls adoptStrings() too). Adopting a parameter already owned here does nothing.
    void adoptParam(ConfigParameter* param);
    // Create an owned parameter in this configuration, described by the translation key
    // `locDesc`. The name, key and name table are borrowed unless the caller calls
    // adoptStrings() on the result.
    BoolParameter* addBoolParam(const char* name, const char* locDesc, bool defaultValue,
                                bool advanced = false, const char* tags = nullptr);
    IntParameter* addIntParam(const char* name, const char* locDesc, int defaultValue,
                              bool advanced = false, int min = INT_MIN, int max = INT_MAX,
                              const char* tags = nullptr);
    StringParameter* addStringParam(const char* name, const char* locDesc, const char* defaultValue,
                                    bool advanced = false, const char* tags = nullptr);
    EnumParameter* addEnumParam(const char* name, const char* locDesc, const char* defaultName,
                                const char* const* names, bool advanced = false,
                                const char* tags = nullptr);
    BinaryParameter* addBinaryParam(const char* name, const char* locDesc, int length,
                                    const void* bytes, bool advanced = false,
                                    const char* tags = nullptr);
    S64Parameter* addS64Param(const char* name, const char* locDesc, int64_t defaultValue,
                              bool advanced = false, const char* tags = nullptr);
    // Frees the owned parameters (unless shared) and forgets every parameter of the list.
    void removeAllParams();

    // With `add`, appends `child` unless it is there already; without, removes it.
    void setChild(Configuration* child, bool add);
    const std::vector<Configuration*>& children() const { return children_; }

    // Registers `alias` (not owned) under a copy of `name`, replacing an entry of that name.
    void addAlias(const char* name, ParameterAlias* alias);

    // ---- Look-up and setting

    // The first parameter of the list whose name equals `name` ignoring ASCII case; otherwise,
    // with `recurse`, the children's, depth first in their order. Null when none (or for a null
    // name).
    ConfigParameter* findParam(const char* name, bool recurse = false) const;
    // findParam with recursion; never null: throws plat::Exception "Parameter <name> not found"
    // (no type name).
    ConfigParameter* getParam(const char* name) const;
    // getParam, then a parameter of another kind throws plat::AssertionFail for "p".
    BoolParameter* getBoolParam(const char* name) const;
    IntParameter* getIntParam(const char* name) const;  // enumerations are integers too
    StringParameter* getStringParam(const char* name) const;
    EnumParameter* getEnumParam(const char* name) const;
    BinaryParameter* getBinaryParam(const char* name) const;
    S64Parameter* getS64Param(const char* name) const;
    // The named boolean's value, or `fallback` when there is no such boolean.
    bool getBool(const char* name, bool fallback) const;

    // Sets by name from text at `priority`: an alias (ignoring case) sets each of its targets
    // this way and succeeds when any of them does (an expansion without targets succeeds; an
    // alias that reaches itself again fails on that path); else the first parameter of the list
    // of that name; else the first child that succeeds. False for a refused value or an unknown
    // name. Invalid UTF-8 for a string parameter throws plat::BadUtf8.
    bool setParam(const char* name, const char* value, int priority);
    // The same with the name given as `nameLength` bytes.
    bool setParamLen(const char* name, int nameLength, const char* value, int priority);
    // Applies one argument of the forms name=value, -name, -name=value, --name=value (a name
    // alone gives a null value, which booleans read as true). False for an argument that is no
    // setting (a bare word), an unknown name or a refused value.
    bool processArg(const char* argument, int priority);

    // ---- Command line, at priority 10

    // Applies the null-terminated `arguments` (null: none). A help word ("-help", "--help",
    // "-h", "/?" in any case, optionally followed by "all" or "xml") stops the parsing when
    // `exitCallback` is given and calls it; the arguments after the help word are not applied,
    // so settings that shape the help come before it ("-Locale=de -help"). The first argument
    // left over (a bad one, or a help word whose callback returned) throws BadCmdLineArg, with
    // the help hint when `exitCallback` is given; the arguments before it stay applied.
    void processArgs(const char* const* arguments, ExitCallback exitCallback);
    // The loop of processArgs without the throw: leaves `*cursor` on the first argument not
    // used (on the terminating null when all were). Returns false only after a help request
    // whose callback returned.
    bool parseArgs(const char* const** cursor, ExitCallback exitCallback);
    // One argument at `*cursor`: processArg; else, for an argument beginning with "-" and a
    // next argument, the name after that one "-" set to the next argument (moving `*cursor` onto
    // it); else an argument beginning with "-psn_" (added by the system launcher) is skipped.
    // Returns whether the argument was used.
    bool processArgAt(const char* const** cursor);
    // "-help", "--help", "-h" or "/?", ignoring case.
    static bool isHelpArg(const char* argument);

    // ---- Bulk operations
    //
    // Walks over a configuration and its descendants skip a parameter that a look-up by its name
    // would not reach (an earlier one of the list, or a child's, of the same name), so that they
    // agree with setting and finding by name.

    // For every parameter of `other` (and its descendants with `recurse`), the same-named one
    // here (found with `recurse`) takes the other's values; when there is none and
    // `cloneMissing` is set, a clone is added to this configuration and owned.
    void copyValues(const Configuration& other, bool cloneMissing, bool recurse);
    // Adds the alias entries of `other` whose names this configuration lacks (shared objects).
    void copyAliases(const Configuration& other);
    // For every parameter of `source` (descendants included) whose current text differs from
    // the same-named parameter of `reference` (skipped when there is none), sets that name here
    // to the source's text at the source's current priority.
    void applyChanges(const Configuration& source, const Configuration& reference);
    // Whether every parameter here (descendants included) has a same-named one in `other`
    // (recursively) with the same current text.
    bool sameValues(const Configuration& other) const;
    // The names of the parameters of `source` (descendants included) whose current text differs
    // from the same-named one of `reference` (names it lacks are left out), joined with ",".
    static String changedNames(const Configuration& source, const Configuration& reference);
    // Stores in `values` the text of every parameter (descendants included) that holds a value
    // at exactly `priority`, under its name, replacing what is there. Binary values are given
    // as hexadecimal.
    void getValuesAt(int priority, NoCaseStringMap& values) const;
    // Renames aliased keys of `store`: for each alias name the store holds, the alias expands the
    // stored text, each target the store lacks is set to its text, and the alias key is removed
    // (kept when the alias refuses the text). Then the children, in order.
    void migrateAliases(KeyValueStore& store) const;
    // Writes every parameter (descendants included) not beginning with "_", highest current
    // priority first, then by name, as "<name>=<value> (<source>)" on the "Configuration" log.
    void logValues() const;

    // ---- Help

    // Writes the title and one line per parameter, sorted by name (not hidden ones beginning
    // with "_"; advanced ones only with `all`), word-wrapped to `width` columns with the
    // descriptions after `nameWidth` columns, each with its current value when `showDefaults`;
    // then each child's lines the same way.
    void listParams(bool all, bool showDefaults, FILE* out, int width, int nameWidth) const;
    // The usage text and listParams on standard output, 79 columns wide; with `all` also the
    // names of the log sources and destinations.
    void printUsage(bool all, bool showDefaults) const;
    // The translated usage text of the command line.
    static const char* usageText();

    // ---- Misc

    // While on, parameters of this configuration log every value they store or remove.
    bool logChanges() const { return logChanges_; }
    void setLogChanges(bool on) { logChanges_ = on; }

    // Walks the parameters in list order (most recently registered first); with `recurse`, then
    // those of the descendants, breadth first:
    //   for (Configuration::ParamIterator it(config, true); it; ++it) use(*it);
    // The configurations must outlive the iterator.
    class ParamIterator {
    public:
        explicit ParamIterator(const Configuration& configuration, bool recurse = false);
        explicit operator bool() const { return param_ != nullptr; }
        ConfigParameter* param() const { return param_; }
        ConfigParameter& operator*() const { return *param_; }
        ConfigParameter* operator->() const { return param_; }
        // The configuration whose list holds the current parameter.
        const Configuration* configuration() const { return configuration_; }
        ParamIterator& operator++();

    private:
        // Moves to the first parameter of the next configuration of the queue that has one.
        void enterNextConfiguration();

        std::deque<const Configuration*> queue_;  // configurations still to visit
        ConfigParameter* param_ = nullptr;        // current parameter, null at the end
        const Configuration* configuration_ = nullptr;
        bool recurse_;
    };

private:
    friend class ConfigParameter;
    struct AliasVisit;
    void addParam(ConfigParameter* param);
    bool setParamVia(const char* name, const char* value, int priority, const AliasVisit* chain);
    // Whether a look-up of the parameter's name from here reaches the parameter itself.
    bool reaches(const ConfigParameter* param, bool recurse) const;

    // A hash set of pointers: open addressing with linear probing in a table at most half full.
    // Flat, so that indexing a hundred thousand parameters allocates nothing per entry; each
    // slot keeps its entry's hash, so growing never reads an entry. Entries are added or
    // replaced, and only ever removed all at once.
    template <typename T>
    class PointerIndex {
    public:
        // The entry of `hash` that `same` accepts, or null.
        template <typename Same>
        T* find(size_t hash, Same same) const;
        // Puts `entry` in place of the entry of `hash` that `same` accepts, or adds it. Returns
        // the entry replaced, or null.
        template <typename Same>
        T* put(size_t hash, T* entry, Same same);
        void clear();

    private:
        struct Slot {
            size_t hash;
            T* entry;  // null: free
        };
        void grow();
        std::vector<Slot> slots_;  // a power of two of them, or none
        size_t count_ = 0;
    };

    String name_;
    const char* titleKey_;                                   // not copied
    ConfigParameter* params_ = nullptr;                      // head of the list, most recent first
    // The list's parameters by name ignoring case: of namesakes the latest, the one a walk of
    // the list meets first.
    PointerIndex<ConfigParameter> byName_;
    std::vector<Configuration*> children_;                   // not owned, in order, no duplicates
    std::vector<CallbackLink<ConfigParameter>> owned_;       // parameters created at run time
    PointerIndex<const ConfigParameter> ownedSet_;           // the same, to refuse a second ring
    std::map<String, ParameterAlias*, NoCaseLess> aliases_;  // aliases not owned
    bool logChanges_ = true;
};

}  // namespace plat
