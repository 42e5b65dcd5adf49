// The configuration store of the running program: which parameter files, in which directories
// and at which priority, make up its settings, and which file takes the user's own changes.
//
// Preferences (priority 10) come from the "config.d" directories of the installation and of the
// system configuration directory ("common", "common.custom", the program's file) and then from
// the user's configuration directory ("common", the program's file); policies (priority 30)
// from the "policy.d" directories of the installation and the system ("common", the program's
// file). A later file overrides an earlier one of the same priority, and a policy overrides
// every preference. Missing files and directories are normal. A bad file is reported, but only
// after every other file of the load was read, so that it can never keep a policy out.
#pragma once

#include "plat/Configuration.h"
#include "plat/StringList.h"

#include <map>

namespace plat {
class ConfigParameter;
}

namespace tqutil {

class ConfigStore {
public:
    // Unregisters the store when it is the process-wide one.
    virtual ~ConfigStore();

    // load at priority 5, then 10, then with `withPolicy` 30; every priority is loaded even when
    // an earlier one failed, and the first failure is thrown at the end.
    virtual void loadAll(bool withPolicy, plat::Configuration* configuration) = 0;
    // Reads the files of `priority` into `configuration` (null: the global one).
    virtual void load(int priority, plat::Configuration* configuration) = 0;
    // Writes to the user's own file what differs between `configuration` and `baseline`.
    virtual void save(const plat::Configuration& configuration,
                      const plat::Configuration& baseline) = 0;
    // Writes the parameter's current text under its name into the user's own file.
    virtual void setValue(const plat::ConfigParameter& parameter) = 0;
    // Removes the parameter's record from the user's own file.
    virtual void removeValue(const plat::ConfigParameter& parameter) = 0;
    // Whether the user's own file exists.
    virtual bool exists() = 0;

    // The store made last, null when there is none.
    static ConfigStore* instance();

protected:
    // Becomes the process-wide store.
    ConfigStore();
};

class ConfigStoreFile : public ConfigStore {
public:
    // Builds the list of files from the program's identity and the configuration directories of
    // os/AppInfo.h, as product start-up has set them: the installation layer is the executable's
    // directory, '/' and the application's path component, used when both are known; the user
    // layer is left out when the user's configuration directory is unset. The program name must
    // be set (os::getAppName's fatal assertion otherwise).
    ConfigStoreFile();

    // A failure to read a file (other than a missing file or directory) is remembered and the
    // remaining files are read all the same; the first one is then thrown as plat::Exception
    // "Error reading <path>: <message>".
    void loadAll(bool withPolicy, plat::Configuration* configuration) override;
    void load(int priority, plat::Configuration* configuration) override;
    // Failures of the rewrite pass on (plat::FileConfig).
    void save(const plat::Configuration& configuration,
              const plat::Configuration& baseline) override;
    void setValue(const plat::ConfigParameter& parameter) override;
    void removeValue(const plat::ConfigParameter& parameter) override;
    // Throws as plat::fileExists for errors other than a missing file or directory.
    bool exists() override;

    // The files read at each priority, in reading order.
    const std::map<int, plat::StringList>& layers() const { return layers_; }

private:
    // Adds "<directory>/common", with `custom` "<directory>/common.custom", and the program's
    // file in `directory` to the list of `priority`.
    void addLayer(int priority, const char* directory, bool custom);

    std::map<int, plat::StringList> layers_;  // priority to the paths read there, in order
};

// The user's configuration directory joined with `name`; "/" is put between them unless the
// directory ends in one.
plat::String configFilePath(const char* name);

// Sets `key` to `value` in the parameter file `path` (plat::FileConfig::setValue, permissions 0).
void setConfigValue(const char* path, const char* key, const char* value);
// Sets every pair of `values` in the parameter file `path` in one rewrite: the file takes all of
// them or, when the rewrite fails, keeps what it had.
void setConfigValues(const char* path, const plat::StringMap& values);

}  // namespace tqutil
