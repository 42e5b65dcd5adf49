// plat::Configuration: a registry of configuration parameters, found by name without regard
// to ASCII case.
//
// Parameters link themselves in when they are constructed, at the head of the list, so the
// list runs from the most recently registered parameter to the first and, of two names that
// differ only in case, the later one is found. The global configuration, which receives every
// parameter not given another, is created by its first user (as a rule a parameter's static
// initialiser, in whatever order those run) and is never destroyed, so that static destructors
// and other threads may still read parameters while the process exits.
//
// No locking: registration happens during static initialisation, all other use on the main
// thread.
#pragma once

#include "plat/String.h"

namespace plat {

class ConfigParameter;

class Configuration {
public:
    // Copies `name`; `titleKey` (the translation key of the help title, or null) must outlive
    // the configuration. Change logging starts on.
    explicit Configuration(const char* name, const char* titleKey = nullptr);
    // Leaves the registered parameters alone: they are owned by whoever created them.
    ~Configuration() = default;
    Configuration(const Configuration&) = delete;
    Configuration& operator=(const Configuration&) = delete;

    // The global configuration ("Global", title key "plat_configuration_global_params").
    static Configuration* global();

    const char* getName() const { return name_.get(); }
    const char* getTitleKey() const { return titleKey_; }

    // The first parameter of the list whose name equals `name` ignoring ASCII case, or null
    // (also for a null name).
    ConfigParameter* findParam(const char* name) const;

    // While on, parameters of this configuration log every value they store or remove.
    bool logChanges() const { return logChanges_; }
    void setLogChanges(bool on) { logChanges_ = on; }

    // Walks the parameters in list order (most recently registered first):
    //   for (Configuration::ParamIterator it(config); it; ++it) use(*it);
    class ParamIterator {
    public:
        explicit ParamIterator(const Configuration& configuration)
            : param_(configuration.params_) {}
        explicit operator bool() const { return param_ != nullptr; }
        ConfigParameter* param() const { return param_; }
        ConfigParameter& operator*() const { return *param_; }
        ConfigParameter* operator->() const { return param_; }
        ParamIterator& operator++();

    private:
        ConfigParameter* param_;  // current parameter, null at the end
    };

private:
    friend class ConfigParameter;
    void addParam(ConfigParameter* param);

    String name_;
    const char* titleKey_;               // not copied
    ConfigParameter* params_ = nullptr;  // head of the list, most recent first
    bool logChanges_ = true;
};

}  // namespace plat
