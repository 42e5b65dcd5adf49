#include "tqKivSetup/SetupApp.h"

#include "plat/Configuration.h"
#include "plat/Exception.h"
#include "plat/LogDestFile.h"
#include "plat/LogSrc.h"
#include "product/Product.h"
#include "product/VersionInfo.h"
#include "tqKivSetup/SetupTranslations.h"
#include "tqutil/Usage.h"

#include <cstdio>
#include <cstring>

namespace tqKivSetup {

namespace {

plat::LogSrc setupAppLog("SetupApp");

constexpr const char* kProgramName = "tsryconnectsetup";
constexpr const char* kVersion = "3.0.0 (dev)";
constexpr const char* kBuildVersion = "3.0.0.0";

// The wizard's start-up as far as it is built: identity and logging, the command line, file
// logging and the replay of the lines held so far.
int runWizard(char** args) {
    product::init({kProgramName, "tqKivSetup_setupapp_name_r", "*:file:100"});
    plat::Configuration::global()->processArgs(args, tqutil::printUsageAndExit);
    plat::LogDestFile::enableFileLogging(true);
    plat::initLogging();
    return 0;
}

}  // namespace

int setupMain(int argc, char** argv) {
    product::setVersion(kVersion, kBuildVersion);
    const char* mode = argc > 1 ? argv[1] : nullptr;
    if (mode && (std::strcmp(mode, "-helper") == 0 || std::strcmp(mode, "-uri") == 0)) {
        std::fprintf(stderr, "%s: the %s mode is not available in this build\n", kProgramName,
                     mode);
        return 1;
    }
    try {
        return runWizard(argv + 1);
    } catch (const plat::Exception& e) {
        char text[plat::Exception::kMessageSize];
        plat::exceptionText(text, e, "");
        setupAppLog.error("%s", text);
        // Standard error stands in for the message box, which shows the message alone.
        std::fprintf(stderr, "%s\n", e.message());
        return 1;
    }
}

}  // namespace tqKivSetup
