// Structural equality of JSON trees, for the tests and the fuzz target: same kinds, values,
// texts, element order and member order.
#pragma once

#include "plat/Json.h"

#include <cstring>

namespace jsontest {

inline bool sameTree(plat::JsonValue& a, plat::JsonValue& b) {
    using Kind = plat::JsonValue::Kind;
    if (a.kind() != b.kind()) return false;
    switch (a.kind()) {
    case Kind::Null:
        return true;
    case Kind::Bool:
        return a.asBool().value() == b.asBool().value();
    case Kind::Number:
        return a.asNumber().value() == b.asNumber().value();
    case Kind::String:
        return std::strcmp(a.asString().c_str(), b.asString().c_str()) == 0;
    case Kind::Array: {
        bool same = a.asArray().size() == b.asArray().size();
        for (int i = 0; same && i < a.asArray().size(); i++)
            same = sameTree(*a.asArray().get(i), *b.asArray().get(i));
        return same;
    }
    case Kind::Object: {
        const auto& m = a.asObject().members();
        const auto& n = b.asObject().members();
        bool same = m.size() == n.size();
        for (size_t i = 0; same && i < m.size(); i++)
            same = std::strcmp(m[i].name.c_str(), n[i].name.c_str()) == 0 &&
                   sameTree(*m[i].value, *n[i].value);
        return same;
    }
    }
    return false;
}

}  // namespace jsontest
