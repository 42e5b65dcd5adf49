// Sets each kind of configuration parameter from arbitrary text.
//
// Input: byte 0 picks the kind, byte 1 the priority, the rest is the text (up to a NUL).
// Properties: nothing but plat::BadUtf8 (string parameters, invalid UTF-8 only) is thrown; a
// refused text leaves every stored value as it was; an accepted text's value, shown as text
// and set on a twin parameter, gives the same value again.
#include "plat/ConfigParameter.h"
#include "plat/Configuration.h"
#include "plat/Utf8.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

using namespace plat;

namespace {

const char* const kNames[] = {"Alt_L", "Alt_R", "ExtendedChars", nullptr};
const unsigned char kKey[] = {0xde, 0xad};

struct Pair {
    ConfigParameter* param;
    ConfigParameter* twin;  // same kind and bounds: parses the shown value back
};

Pair* pairs() {
    static Configuration* config = new Configuration("Fuzz");
    static Pair* all = new Pair[6]{
        {new BoolParameter("b", "d", false, false, config),
         new BoolParameter("b2", "d", false, false, config)},
        {new IntParameter("i", "d", 0, false, config, -1000, 1000),
         new IntParameter("i2", "d", 0, false, config, -1000, 1000)},
        {new EnumParameter("e", "d", nullptr, kNames, false, config),
         new EnumParameter("e2", "d", nullptr, kNames, false, config)},
        {new StringParameter("s", "d", "", false, config),
         new StringParameter("s2", "d", "", false, config)},
        {new S64Parameter("l", "d", 0, false, config),
         new S64Parameter("l2", "d", 0, false, config)},
        {new BinaryParameter("k", "d", 2, kKey, false, config),
         new BinaryParameter("k2", "d", 2, kKey, false, config)},
    };
    return all;
}

std::map<int, std::string> snapshot(const ConfigParameter& p) {
    std::map<int, std::string> out;
    for (const auto& [priority, text] : p.getValues())
        out[priority] = text.isNull() ? std::string("\x01null") : std::string(text.get());
    return out;
}

std::string textAt(const ConfigParameter& p, int priority) {
    String text = p.getValues()[priority];
    return text.isNull() ? std::string("\x01null") : std::string(text.get());
}

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    static const int kPriorities[] = {0, 10, 20, 30};
    Pair& pair = pairs()[data[0] % 6];
    int priority = kPriorities[data[1] % 4];
    std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const char* input = text.c_str();  // up to the first NUL, as a C caller would pass it

    std::map<int, std::string> before = snapshot(*pair.param);
    int priorityBefore = pair.param->getPriority();
    bool accepted = false;
    try {
        accepted = pair.param->setParam(input, priority);
    } catch (const BadUtf8&) {
        check(std::strcmp(pair.param->getTypeName(), "string") == 0 && !utf8IsValid(input));
    }
    if (!accepted) {
        check(snapshot(*pair.param) == before);
        check(pair.param->getPriority() == priorityBefore);
        return 0;
    }

    // The twin has taken every accepted value in its shown form, so both hold the same.
    std::string shown = textAt(*pair.param, priority);
    check(pair.twin->setParam(shown.c_str(), priority));
    check(snapshot(*pair.twin) == snapshot(*pair.param));
    check(pair.twin->getValueInt() == pair.param->getValueInt());

    if (auto* s64 = dynamic_cast<S64Parameter*>(pair.param)) {
        // The number read from any accepted form is written back in the canonical form.
        static S64Parameter* canonical =
            new S64Parameter("c", "d", 0, false, pair.param->getConfiguration());
        canonical->setValue(s64->getValue(), 10);
        std::string lower = s64->getValueStr().get();
        for (char& c : lower)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        check(canonical->getValueStr() == lower.c_str());
    }
    return 0;
}
