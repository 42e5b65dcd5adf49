#include "plat/Configuration.h"

#include "plat/ConfigParameter.h"

namespace plat {

Configuration::Configuration(const char* name, const char* titleKey)
    : name_(name), titleKey_(titleKey) {}

Configuration* Configuration::global() {
    // Built by whichever static initialiser asks first, and never destroyed: parameters of
    // other files may be read by static destructors or other threads after main returns.
    static Configuration* const globalConfiguration =
        new Configuration("Global", "plat_configuration_global_params");
    return globalConfiguration;
}

ConfigParameter* Configuration::findParam(const char* name) const {
    if (!name) return nullptr;
    for (ConfigParameter* param = params_; param; param = param->next_)
        if (strCaseCmpAscii(param->name_, name) == 0) return param;
    return nullptr;
}

void Configuration::addParam(ConfigParameter* param) {
    param->next_ = params_;
    params_ = param;
}

Configuration::ParamIterator& Configuration::ParamIterator::operator++() {
    if (param_) param_ = param_->next_;
    return *this;
}

}  // namespace plat
