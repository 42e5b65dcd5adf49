#include "tqutil/Usage.h"

#include "product/VersionInfo.h"

#include <cstdio>
#include <cstdlib>

namespace tqutil {

void printUsageAndExit(int mode, plat::Configuration* configuration) {
    if (!configuration) configuration = plat::Configuration::global();
    printProductInfo();
    configuration->printUsage(mode == plat::Configuration::kHelpAll, true);
    std::fflush(stdout);
    std::exit(1);
}

void printProductInfo() {
    std::printf("%s\n\n", product::versionInfo().productInfo.c_str());
}

}  // namespace tqutil
