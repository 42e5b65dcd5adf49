#include "product/VersionInfo.h"

#include "loc/Localize.h"
#include "plat/DString.h"
#include "plat/LogDestFile.h"
#include "product/Product.h"
#include "product/ProductTranslations.h"

#include <sys/utsname.h>

namespace product {

namespace {

VersionInfo& record() {
    static VersionInfo* const info = new VersionInfo;  // never freed: static destructors may log
    return *info;
}

struct VersionBuild {
    plat::String version;
    plat::String build;
};

VersionBuild& fixedVersion() {
    static VersionBuild* const version = new VersionBuild;
    return *version;
}

const char* translated(const char* key) {
    return loc::Localize::instance().translate(key, __FILE__, __LINE__, false);
}

plat::String systemLine() {
    struct utsname name;
    if (uname(&name) != 0) return plat::String("OS: unknown");
    return plat::String::format("OS: %s %s %s", name.sysname, name.release, name.machine);
}

// The texts carry the legal signs as "(R)", "(C)" and "(TM)" already; the name users see comes
// from the program's display-name key.
void compose() {
    VersionInfo& info = record();
    const VersionBuild& fixed = fixedVersion();
    info.version = fixed.version.get();
    info.buildVersion = fixed.build.get();
    const char* key = displayNameKey();
    const char* name = key ? translated(key) : "";
    info.versionLine =
        plat::String::format("%s %s (build %s)", name, fixed.version.c_str(), fixed.build.c_str());
    info.copyright = translated("product_copyright");
    info.systemLine = systemLine();
    plat::DString text;
    for (const char* part :
         {info.versionLine.get(), info.copyright.get(), translated("product_trademarks"),
          translated("product_patents"), translated("product_further_info"),
          translated("product_ack_intro"), info.systemLine.get()}) {
        if (!text.empty()) text.append("\n");
        text.append(part);
    }
    info.productInfo = text.c_str();
    plat::LogDestFile::setHeader(info.productInfo.get());
}

[[maybe_unused]] const VersionInfo& emptyAtStartUp = (registerTranslations(nullptr), record());

}  // namespace

const VersionInfo& versionInfo() {
    return record();
}

void setVersion(const char* version, const char* buildVersion) {
    fixedVersion().version = version;
    fixedVersion().build = buildVersion;
    if (displayNameKey()) compose();
}

void updateVersionInfo() {
    compose();
}

}  // namespace product
