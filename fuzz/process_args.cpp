// Applies arbitrary command lines to a configuration.
//
// Input: the arguments, separated by NUL bytes.
// Properties: only plat::Exception escapes; parseArgs stops at the argument that processArgs
// reports, as "BadCmdLineArg" with the message "Bad argument '<argument>'." (cut to the
// exception's size); any other exception is plat::BadUtf8 for a string value, thrown by both.
#include "loc/Localize.h"
#include "plat/ConfigParameter.h"
#include "plat/Configuration.h"
#include "plat/Utf8.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace plat;

namespace {

const char* const kNames[] = {"Alt_L", "Alt_R", "ExtendedChars", nullptr};
const unsigned char kKey[] = {0xde, 0xad};

// Never the global configuration, and a child and aliases (a looping one among them) so that
// every path of setting by name is taken.
Configuration& config() {
    static Configuration* const root = [] {
        StringList english;
        english.emplace_back("en");
        loc::Localize::instance().setLocales(english, nullptr);
        auto* c = new Configuration("Fuzz");
        auto* child = new Configuration("Child");
        c->setChild(child, true);
        c->setLogChanges(false);
        child->setLogChanges(false);
        new BoolParameter("Flag", "d", false, false, c);
        new IntParameter("Count", "d", 0, false, c, -100, 100);
        new EnumParameter("Key", "d", nullptr, kNames, false, c);
        new StringParameter("Name", "d", "", false, c);
        new S64Parameter("Big", "d", 0, false, c);
        new BinaryParameter("Bytes", "d", 2, kKey, false, c);
        new IntParameter("Depth", "d", 0, false, child);
        c->addAlias("Both", new ParameterAlias("Flag", "Count", "Depth"));
        c->addAlias("Loop", new ParameterAlias("Loop", "Name"));
        return c;
    }();
    return *root;
}

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words;
    const char* p = reinterpret_cast<const char*>(data);
    const char* end = p + size;
    while (p < end) {
        const char* nul = static_cast<const char*>(std::memchr(p, '\0', size_t(end - p)));
        const char* stop = nul ? nul : end;
        words.emplace_back(p, stop);
        p = stop + 1;
    }
    std::vector<const char*> args;
    for (const std::string& w : words)
        args.push_back(w.c_str());
    args.push_back(nullptr);

    Configuration& c = config();
    const char* const* cursor = args.data();
    bool parseThrew = false;
    try {
        check(c.parseArgs(&cursor, nullptr));
    } catch (const BadUtf8&) {
        parseThrew = true;
    }

    try {
        c.processArgs(args.data(), nullptr);
        check(!parseThrew && *cursor == nullptr);
    } catch (const BadCmdLineArg& e) {
        check(!parseThrew && *cursor != nullptr);
        check(std::strcmp(e.typeName(), "BadCmdLineArg") == 0);
        std::string expected = std::string("Bad argument '") + *cursor + "'.";
        if (expected.size() < Exception::kMessageSize)
            check(expected == e.message());
        else
            check(expected.compare(0, std::strlen(e.message()), e.message()) == 0);
    } catch (const BadUtf8&) {
        check(parseThrew);
    }
    return 0;
}
