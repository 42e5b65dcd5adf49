#include "product/Product.h"

#include "loc/Localize.h"
#include "os/AppInfo.h"
#include "plat/ConfigParameter.h"
#include "plat/DString.h"
#include "plat/Exception.h"
#include "plat/LogDestFile.h"
#include "plat/LogSrc.h"
#include "plat/String.h"
#include "product/VersionInfo.h"
#include "tqutil/ConfigStoreFile.h"

#include <csignal>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace product {

namespace {

const char* displayName = nullptr;                     // set once by init
std::unique_ptr<tqutil::ConfigStoreFile> configStore;  // the process-wide store

// The configuration directories: "/etc/qdx" and the profile directory's "config.d", where the
// program's own file takes the user's changes. The profile directory is QDX_PROFILE_DIR, which
// this process and its children take to be "$HOME/.qdx" unless it is set; without HOME there
// is no user layer.
void setConfigDirs(const char* programName) {
    if (!std::getenv("QDX_PROFILE_DIR")) {
        plat::DString profileDir;
        try {
            plat::expandEnvVars(profileDir, "$HOME/.qdx", nullptr, true, true);
            setenv("QDX_PROFILE_DIR", profileDir.c_str(), 1);
        } catch (const plat::Exception&) {
        }
    }
    const char* profileDir = std::getenv("QDX_PROFILE_DIR");
    plat::String userDir, userFile;
    if (profileDir && *profileDir) {
        userDir = plat::String::format("%s/config.d", profileDir);
        userFile = plat::String::format("%s/%s", userDir.get(), programName);
    }
    os::setConfigDirs("/etc/qdx", userDir.get(), userFile.get());
}

// Keeps the version information (whose notices are translated) in step with the locale.
class LocaleChangedCallback : public plat::ParameterChangedCallback {
public:
    void parameterChanged(plat::ConfigParameter*, int) override { updateVersionInfo(); }
};

// Under a file size limit (ulimit -f) a write past it raises SIGXFSZ, which by default ends the
// process, often while its own report of the failure goes to a standard error that is a file.
// Ignored, the write fails with EFBIG and every writer reports it and keeps what it stored. A
// disposition the process chose itself is left alone.
void ignoreFileSizeSignal() {
    struct sigaction action;
    if (sigaction(SIGXFSZ, nullptr, &action) == 0 && action.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace

void init(const InitOptions& options) {
    TQ_ASSERT(options.programName);
    ignoreFileSizeSignal();
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

    setConfigDirs(options.programName);
    configStore.reset();  // the old store unregisters before the new one registers
    configStore = std::make_unique<tqutil::ConfigStoreFile>();
}

const char* displayNameKey() {
    return displayName;
}

}  // namespace product
