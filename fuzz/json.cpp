// JSON: parsing any bytes either fails with a JsonException "<known text> at line <n>" or gives
// a tree whose written text parses to an equal tree and is written again the same way, and in
// which every member of every object is found by its name, also after the first one is removed.
#include "plat/Json.h"
#include "plat/Utf8.h"
#include "plat/tests/JsonTestUtil.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

// Each object's look-up by name (through the index that the parser hands to a large object)
// agrees with its members in order; removing the first member keeps it so. Nested containers
// are visited through a worklist, as the tree may be as deep as the parser reads.
void checkLookUps(plat::JsonValue& top) {
    std::vector<plat::JsonValue*> pending{&top};
    while (!pending.empty()) {
        plat::JsonValue* value = pending.back();
        pending.pop_back();
        if (value->kind() == plat::JsonValue::Kind::Array) {
            plat::JsonArray& array = value->asArray();
            for (int i = 0; i < array.size(); i++)
                pending.push_back(array.get(i).get());
        } else if (value->kind() == plat::JsonValue::Kind::Object) {
            plat::JsonObject& object = value->asObject();
            for (const plat::JsonObject::Member& member : object.members()) {
                if (object.get(member.name.get()).get() != member.value.get()) std::abort();
                pending.push_back(member.value.get());
            }
            if (object.size() == 0) continue;
            std::string first = object.members()[0].name.get();
            plat::JsonValuePtr kept = object.members()[0].value;
            object.remove(first.c_str());
            if (object.has(first.c_str())) std::abort();
            for (const plat::JsonObject::Member& member : object.members())
                if (object.get(member.name.get()).get() != member.value.get()) std::abort();
            object.set(first.c_str(), kept);
        }
    }
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
    checkLookUps(*again);
    return 0;
}
