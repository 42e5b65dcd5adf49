#include "tqutil/ConfigStoreFile.h"

#include "os/AppInfo.h"
#include "plat/ConfigParameter.h"
#include "plat/Exception.h"
#include "plat/File.h"
#include "plat/FileConfig.h"

#include <cerrno>
#include <cstring>
#include <exception>

namespace tqutil {

namespace {

ConfigStore* currentStore = nullptr;  // the process-wide store; main thread only

constexpr int kPreferencePriority = plat::ConfigParameter::kPreferencePriority;
constexpr int kPolicyPriority = plat::ConfigParameter::kPolicyPriority;

bool isMissing(const plat::SystemException& e) {
    return e.errorNumber() == ENOENT || e.errorNumber() == ENOTDIR;
}

}  // namespace

ConfigStore::ConfigStore() {
    currentStore = this;
}

ConfigStore::~ConfigStore() {
    if (currentStore == this) currentStore = nullptr;
}

ConfigStore* ConfigStore::instance() {
    return currentStore;
}

ConfigStoreFile::ConfigStoreFile() {
    plat::String exeDir = os::getModuleRelativePath();
    const char* pathComponent = os::getAppPathComponent(true);
    if (exeDir.get() && *exeDir.get() && *pathComponent) {
        plat::String installation = plat::String::format("%s/%s", exeDir.get(), pathComponent);
        addLayer(kPreferencePriority, plat::String::format("%s/config.d", installation.get()).get(),
                 true);
        addLayer(kPolicyPriority, plat::String::format("%s/policy.d", installation.get()).get(),
                 false);
    }
    const char* systemDir = os::getSystemConfigDir();
    if (*systemDir)
        addLayer(kPreferencePriority, plat::String::format("%s/config.d", systemDir).get(), true);
    if (*os::getUserConfigDir()) addLayer(kPreferencePriority, os::getUserConfigDir(), false);
    if (*systemDir)
        addLayer(kPolicyPriority, plat::String::format("%s/policy.d", systemDir).get(), false);
}

void ConfigStoreFile::addLayer(int priority, const char* directory, bool custom) {
    plat::StringList& paths = layers_[priority];
    paths.push_back(plat::String::format("%s/common", directory));
    if (custom) paths.push_back(plat::String::format("%s/common.custom", directory));
    paths.push_back(plat::String::format("%s/%s", directory, os::getAppName(false)));
}

void ConfigStoreFile::load(int priority, plat::Configuration* configuration) {
    std::exception_ptr firstFailure;
    auto remember = [&firstFailure](const char* path, const char* message) {
        if (firstFailure) return;
        firstFailure = std::make_exception_ptr(
            plat::Exception(plat::Format, "Error reading %s: %s", path, message));
    };
    if (!configuration) configuration = plat::Configuration::global();
    auto layer = layers_.find(priority);
    if (layer != layers_.end()) {
        for (const plat::String& path : layer->second) {
            try {
                plat::FileConfig::read(*configuration, path.get(), priority);
            } catch (const plat::SystemException& e) {
                if (!isMissing(e)) remember(path.get(), e.message());
            } catch (const plat::Exception& e) {
                remember(path.get(), e.message());
            }
        }
    }
    if (firstFailure) std::rethrow_exception(firstFailure);
}

void ConfigStoreFile::loadAll(bool withPolicy, plat::Configuration* configuration) {
    std::exception_ptr firstFailure;
    for (int priority : {5, kPreferencePriority, kPolicyPriority}) {
        if (priority == kPolicyPriority && !withPolicy) break;
        try {
            load(priority, configuration);
        } catch (const plat::Exception&) {
            if (!firstFailure) firstFailure = std::current_exception();
        }
    }
    if (firstFailure) std::rethrow_exception(firstFailure);
}

void ConfigStoreFile::save(const plat::Configuration& configuration,
                           const plat::Configuration& baseline) {
    plat::FileConfig::update(configuration, os::getUserConfigFile(), baseline, 0);
}

void ConfigStoreFile::setValue(const plat::ConfigParameter& parameter) {
    plat::FileConfig::setValue(os::getUserConfigFile(), parameter.getName(),
                               parameter.getValueStr().get(), 0);
}

void ConfigStoreFile::removeValue(const plat::ConfigParameter& parameter) {
    plat::FileConfig::removeValue(os::getUserConfigFile(), parameter.getName(), 0);
}

bool ConfigStoreFile::exists() {
    return plat::fileExists(os::getUserConfigFile());
}

plat::String configFilePath(const char* name) {
    const char* directory = os::getUserConfigDir();
    size_t length = std::strlen(directory);
    if (length && directory[length - 1] == '/')
        return plat::String::format("%s%s", directory, name);
    return plat::String::format("%s%c%s", directory, '/', name);
}

void setConfigValue(const char* path, const char* key, const char* value) {
    plat::FileConfig::setValue(path, key, value, 0);
}

void setConfigValues(const char* path, const plat::StringMap& values) {
    plat::FileConfig::setValues(path, values, 0);
}

}  // namespace tqutil
