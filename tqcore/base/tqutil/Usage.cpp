#include "tqutil/Usage.h"

#include "plat/XmlConfig.h"
#include "product/VersionInfo.h"

#include <cstdio>
#include <cstdlib>

namespace tqutil {

void printUsageAndExit(int mode, plat::Configuration* configuration) {
    if (!configuration) configuration = plat::Configuration::global();
    if (mode == plat::Configuration::kHelpXml) {
        printParamsXml(configuration);
    } else {
        printProductInfo();
        configuration->printUsage(mode == plat::Configuration::kHelpAll, true);
    }
    std::fflush(stdout);
    std::exit(1);
}

void printParamsXml(plat::Configuration* configuration) {
    if (!configuration) configuration = plat::Configuration::global();
    char* text = plat::XmlConfig::write(*configuration, false, false);
    std::fputs(text, stdout);
    delete[] text;
}

void printProductInfo() {
    std::printf("%s\n\n", product::versionInfo().productInfo.c_str());
}

}  // namespace tqutil
