#include "product/Product.h"

#include "loc/Localize.h"
#include "os/AppInfo.h"
#include "plat/ConfigParameter.h"
#include "plat/Exception.h"
#include "plat/LogDestFile.h"
#include "plat/LogSrc.h"
#include "plat/String.h"
#include "product/VersionInfo.h"

#include <unistd.h>

namespace product {

namespace {

const char* displayName = nullptr;  // set once by init

// Keeps the version information (whose notices are translated) in step with the locale.
class LocaleChangedCallback : public plat::ParameterChangedCallback {
public:
    void parameterChanged(plat::ConfigParameter*, int) override { updateVersionInfo(); }
};

}  // namespace

void init(const InitOptions& options) {
    TQ_ASSERT(options.programName);
    os::setAppName(options.programName);
    displayName = options.displayNameKey;

    // The destinations exist before the Log setting that names them is applied.
    plat::LogDestFile::stderrDest(options.programName);
    const char* logDir = options.logDir   ? options.logDir
                         : geteuid() == 0 ? "/Library/Logs"
                                          : "$HOME/Library/Logs/qdx";
    plat::LogDestFile::logDirParam().setParam(logDir, 0);
    plat::String logFile = options.logFile ? plat::String(options.logFile)
                                           : plat::String::format("%s.log", options.programName);
    plat::LogDestFile::logFileParam().setParam(logFile.get(), 0);
    plat::LogDestFile::fileDest(options.programName, options.enableFileLogging);
    plat::logParam().setParam(options.logSetting ? options.logSetting : "*:stderr:10", 0);

    // The first choice of the locale; from now on every change of Locale chooses again, and
    // then the version information follows it.
    loc::Localize::instance().registerResourceDirs(plat::StringList());
    loc::Localize::localeParameter().addCallback(new LocaleChangedCallback);
    updateVersionInfo();
}

const char* displayNameKey() {
    return displayName;
}

}  // namespace product
