// The XML configuration reader on arbitrary text.
//
// Input: byte 0 chooses how the result is written again (bit 0 hidden names too, bit 1
// translation keys rather than texts), the rest is the description (up to a NUL).
// Properties: nothing but the plat::Exception family is thrown; whatever was read, written
// out, reads back without error and is written the same way again (for input that is not UTF-8,
// once its names have been repaired).
#include "plat/ConfigParameter.h"
#include "plat/Configuration.h"
#include "plat/LogSrc.h"
#include "plat/Utf8.h"
#include "plat/XmlConfig.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

void require(bool condition, const char* what, const std::string& a, const std::string& b) {
    if (condition) return;
    std::fprintf(stderr, "%s\n  first:  %s\n  second: %s\n", what, a.c_str(), b.c_str());
    std::abort();
}

std::string written(const plat::Configuration& config, bool hidden, bool useLocDesc) {
    std::unique_ptr<char[]> text(plat::XmlConfig::write(config, hidden, useLocDesc));
    return text.get();
}

std::string readAndWrite(plat::Configuration& config, const std::string& text, bool hidden,
                         bool useLocDesc) {
    try {
        plat::XmlConfig::read(config, text.c_str());
    } catch (const plat::Exception& e) {
        require(false, "a written description does not read back", text, e.message());
    }
    return written(config, hidden, useLocDesc);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Missing translation keys are logged; with no destination the lines are dropped at the gate.
    plat::initLogging();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    bool hidden = data[0] & 1;
    bool useLocDesc = data[0] & 2;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    static plat::Configuration* const first = new plat::Configuration("First");
    static plat::Configuration* const second = new plat::Configuration("Second");
    try {
        plat::XmlConfig::read(*first, text.c_str());
    } catch (const plat::Exception&) {
        // Parameters read before the fault stay and must be as writable as any others.
    }
    std::string once = written(*first, hidden, useLocDesc);
    std::string twice = readAndWrite(*second, once, hidden, useLocDesc);
    // Invalid UTF-8 is repaired when written, and names sort by what they were before: the
    // order may change once.
    if (!plat::utf8IsValid(text.c_str())) {
        once = twice;
        twice = readAndWrite(*second, once, hidden, useLocDesc);
    }
    require(once == twice, "read back, the description is written differently", once, twice);
    return 0;
}
