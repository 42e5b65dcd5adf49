// Translated-message formatting on arbitrary formats and argument lists: it never throws and
// always ends, a format without '%' comes back unchanged, and the result is valid UTF-8
// whenever the format and every string argument are.
//
// Input: the format up to the first NUL byte, then the arguments, each a kind byte (0 signed,
// 1 unsigned, 2 string, 3 a string whose text is null, anything else an unknown kind) followed
// by 4 value bytes, or for a string a length byte and that many bytes.
#include "loc/Format.h"
#include "plat/LogSrc.h"
#include "plat/Utf8.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Bad placeholders are logged; with no destination the lines are dropped at the gate.
    plat::initLogging();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    size_t formatLength = strnlen(bytes, size);
    std::string format(bytes, formatLength);
    size_t pos = formatLength + 1;

    std::vector<std::string> texts;
    std::vector<loc::FormatArg> args;
    texts.reserve(16);
    args.reserve(16);
    bool validInput = plat::utf8IsValid(format.c_str());
    while (pos < size && args.size() < 16) {
        loc::FormatArg arg;
        uint8_t kind = data[pos++];
        arg.kind = kind;
        if (kind == 2 || kind == 3) {
            size_t length = pos < size ? data[pos++] : 0;
            if (length > size - pos) length = size - pos;
            texts.emplace_back(bytes + pos, length);
            pos += length;
            arg.kind = loc::FormatArg::kString;
            arg.strValue = kind == 2 ? texts.back().c_str() : nullptr;
            if (kind == 2) validInput = validInput && plat::utf8IsValid(arg.strValue);
        } else {
            uint32_t value = 0;
            for (int i = 0; i < 4 && pos < size; ++i)
                value = value << 8 | data[pos++];
            arg.intValue = int32_t(value);
            arg.uintValue = value;
        }
        args.push_back(arg);
    }
    for (size_t i = 0; i + 1 < args.size(); ++i)
        args[i].next = &args[i + 1];

    plat::String out;
    try {
        loc::formatTranslation(out, format.c_str(), args.empty() ? nullptr : &args[0]);
    } catch (...) {
        std::abort();
    }
    require(!out.isNull());
    if (format.find('%') == std::string::npos) require(format == out.get());
    if (validInput) require(plat::utf8IsValid(out.get()));
    return 0;
}
