// JSON: parsing any bytes either fails with a JsonException "<known text> at line <n>" or gives
// a tree whose written text parses to an equal tree and is written again the same way.
#include "plat/Json.h"
#include "plat/Utf8.h"
#include "plat/tests/JsonTestUtil.h"

#include <cstdlib>
#include <cstring>

namespace {

bool knownError(const char* message) {
    static const char* const texts[] = {
        "Truncated JSON",
        "Trailing bytes after JSON",
        "Unsupported nesting",
        "Bad value",
        "Unsupported number",
        "Bad string hex escape",
        "Unsupported string",
        "Illegal low surrogate",
        "Unterminated surrogate pair",
        "Bad string",
        "Bad array",
        "Unsupported array",
        "Bad object",
        "Unsupported object",
    };
    for (const char* text : texts) {
        size_t n = std::strlen(text);
        if (std::strncmp(message, text, n) != 0 || std::strncmp(message + n, " at line ", 9) != 0)
            continue;
        const char* digits = message + n + 9;
        if (!*digits) return false;
        for (; *digits; digits++)
            if (*digits < '0' || *digits > '9') return false;
        return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    plat::JsonValuePtr tree;
    try {
        tree = plat::JsonValue::parseHttpBody(nullptr, reinterpret_cast<const char*>(data), size);
    } catch (const plat::JsonException& e) {
        if (!knownError(e.message()) || std::strcmp(e.typeName(), "JsonException") != 0)
            std::abort();
        return 0;
    }
    plat::String text = plat::JsonValue::toString(tree);
    if (!plat::utf8IsValid(text.get())) std::abort();
    plat::JsonValuePtr again = plat::JsonValue::parseHttpBody(nullptr, text.get(), text.length());
    if (!jsontest::sameTree(*tree, *again)) std::abort();
    if (std::strcmp(plat::JsonValue::toString(again).get(), text.get()) != 0) std::abort();
    return 0;
}
