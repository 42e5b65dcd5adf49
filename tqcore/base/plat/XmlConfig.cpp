#include "plat/XmlConfig.h"

#include "loc/Localize.h"
#include "plat/ConfigParameter.h"
#include "plat/DString.h"
#include "plat/NumParse.h"
#include "plat/StrUtil.h"
#include "rdr/MemOutStream.h"
#include "xml/Node.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace plat {

namespace {

constexpr char kIncompatible[] = "Incompatible XML config";

// Texts go in with write() rather than printf: a description has no length limit, and a
// stream with a fixed window could not take it in one piece.
void put(rdr::OutStream& out, const char* text) {
    out.write(text, int(std::strlen(text)));
}

bool sameName(const char* text, const char* name) {
    return text && strCaseCmpAscii(text, name) == 0;
}

// A decimal attribute: absent gives `fallback`; anything but one 32-bit number is no
// description we wrote.
int decimalAttribute(const xml::Node& node, const char* name, int fallback) {
    const char* text = node.getAttribute(name);
    if (!text) return fallback;
    int value = 0;
    const char* cursor = text;
    if (!parseInt(value, &cursor, 10) || *cursor != '\0') throw Exception(kIncompatible);
    return value;
}

// The names of an enumeration, checked before anything is allocated: a table without names
// could hold no value, and a missing "data" would end the table early.
std::vector<const char*> enumNames(const xml::Node& node) {
    std::vector<const char*> names;
    int index = 0;
    for (xml::Node opt = node.getChildNodeByName("opt", &index); !opt.isEmpty();
         opt = node.getChildNodeByName("opt", &index)) {
        const char* data = opt.getAttribute("data");
        if (!data) throw Exception(kIncompatible);
        names.push_back(data);
    }
    if (names.empty()) throw Exception(kIncompatible);
    return names;
}

const char* const* copyNameTable(const std::vector<const char*>& names) {
    const char** table = new const char*[names.size() + 1];
    for (size_t i = 0; i < names.size(); ++i)
        table[i] = strDup(names[i]);
    table[names.size()] = nullptr;
    return table;
}

void readParam(Configuration& configuration, const xml::Node& node, XmlConfig::ParamFilter* filter) {
    const char* name = node.getAttribute("name");
    const char* desc = node.getAttribute("description");
    const char* locDesc = node.getAttribute("locDesc");
    // Only for the log line a missing key gives; the parameter translates when it is shown.
    if (locDesc) loc::Localize::instance().translate(locDesc, nullptr, 0, false);
    const char* advancedText = node.getAttribute("advanced");
    bool advanced = sameName(advancedText, "true");
    const char* flags = node.getAttribute("flags");
    if (!name || node.nChildNode("value") == 0 || (!desc && !locDesc))
        throw Exception(kIncompatible);

    const char* kind = node.getName();
    if (filter && !filter->wanted(name, kind, advanced)) return;

    // Everything that can refuse the element is checked before the strings are copied.
    enum { kString, kBool, kInt, kEnum, kBinary, kS64 } which;
    int min = INT_MIN, max = INT_MAX;
    std::vector<const char*> names;
    if (sameName(kind, "string")) {
        which = kString;
    } else if (sameName(kind, "bool")) {
        which = kBool;
    } else if (sameName(kind, "int")) {
        which = kInt;
        min = decimalAttribute(node, "min", INT_MIN);
        max = decimalAttribute(node, "max", INT_MAX);
    } else if (sameName(kind, "enum")) {
        which = kEnum;
        names = enumNames(node);
    } else if (sameName(kind, "binary")) {
        which = kBinary;
    } else if (sameName(kind, "s64")) {
        which = kS64;
    } else {
        throw Exception(kIncompatible);
    }

    const char* ownedName = strDup(name);
    ParamDescription description =
        locDesc ? ParamDescription(LocDesc(strDup(locDesc))) : ParamDescription(strDup(desc));
    Configuration* into = &configuration;
    ConfigParameter* param = nullptr;
    switch (which) {
        case kString:
            param = new StringParameter(ownedName, description, "", advanced, into, flags);
            break;
        case kBool:
            param = new BoolParameter(ownedName, description, false, advanced, into, flags);
            break;
        case kInt:
            param = new IntParameter(ownedName, description, 0, advanced, into, min, max, flags);
            break;
        case kEnum:
            param = new EnumParameter(ownedName, description, "", copyNameTable(names), advanced,
                                      into, flags);
            break;
        case kBinary:
            param = new BinaryParameter(ownedName, description, 0, nullptr, advanced, into, flags);
            break;
        case kS64:
            param = new S64Parameter(ownedName, description, 0, advanced, into, flags);
            break;
    }
    param->adoptStrings();
    configuration.adoptParam(param);

    int index = 0;
    for (xml::Node value = node.getChildNodeByName("value", &index); !value.isEmpty();
         value = node.getChildNodeByName("value", &index)) {
        const char* data = value.getAttribute("data");
        if (!data || !value.getAttribute("priority")) throw Exception(kIncompatible);
        int priority = decimalAttribute(value, "priority", 0);
        try {
            param->setParam(data, priority);
        } catch (const BadUtf8&) {
            // Refused like any other value the parameter does not take: left unset.
        }
    }
}

}  // namespace

char* XmlConfig::write(const Configuration& configuration, bool includeHidden, bool useLocDesc,
                       ParamFilter* filter) {
    rdr::MemOutStream out;
    {
        XmlConfig writer(out, useLocDesc);
        writer.writeParams(configuration, includeHidden, filter);
    }
    DString text;
    out.takeString(text);
    return text.release();
}

void XmlConfig::read(Configuration& configuration, const char* text, ParamFilter* filter) {
    configuration.removeAllParams();
    xml::ParseResult result;
    xml::Node config = xml::Node::parseString(text, "config", &result);
    if (result.error != xml::kNoError)
        throw Exception(Format, "XML error %i:%i %s", result.line, result.column,
                        xml::getError(result.error));
    for (int i = 0; i < config.childCount(); ++i)
        readParam(configuration, config.getChildNode(i), filter);
}

XmlConfig::XmlConfig(rdr::OutStream& out, bool useLocDesc) : out_(out), useLocDesc_(useLocDesc) {
    put(out_, "<?xml version=\"1.0\"?>\n<config>\n");
}

XmlConfig::~XmlConfig() {
    try {
        put(out_, "</config>\n");
    } catch (...) {
        // A destructor that throws while a failure unwinds would end the process.
    }
}

void XmlConfig::writeParams(const Configuration& configuration, bool includeHidden,
                            ParamFilter* filter) {
    std::vector<const ConfigParameter*> chosen;
    for (Configuration::ParamIterator it(configuration, true); it; ++it) {
        const char* name = it->getName();
        if (!includeHidden && name && name[0] == '_') continue;
        if (filter && !filter->wanted(name, it->getTypeName(), it->isAdvanced())) continue;
        chosen.push_back(it.param());
    }
    // Of namesakes, the one a look-up finds comes first in the walk. Written last, it is the one
    // registered last when the description is read, so a look-up there finds it too.
    std::reverse(chosen.begin(), chosen.end());
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const ConfigParameter* a, const ConfigParameter* b) {
                         return NoCaseLess::less(a->getName(), b->getName());
                     });
    for (const ConfigParameter* param : chosen)
        writeParam(*param);
}

void XmlConfig::writeParam(const ConfigParameter& param) {
    xml::AutoText text;  // each text is written before the next one is escaped
    const char* type = param.getTypeName();
    const char* key = param.getLocDesc();
    bool writeKey = useLocDesc_ && key;

    out_.printf("<%-6s name=\"", type);
    put(out_, text.fromUtf8(param.getName()));
    put(out_, writeKey ? "\"\n        locDesc=\"" : "\"\n        description=\"");
    put(out_, text.fromUtf8(writeKey ? key : param.getDescription()));
    put(out_, param.isAdvanced() ? "\"\n        advanced=\"true\"" : "\"\n        advanced=\"false\"");
    const StringSet& tags = param.getTags();
    if (!tags.empty()) {
        std::string joined;
        for (const String& tag : tags) {
            if (&tag != &*tags.begin()) joined += ',';
            joined += tag.c_str();
        }
        put(out_, "\n        flags=\"");
        put(out_, text.fromUtf8(joined.c_str()));
        put(out_, "\"");
    }
    if (auto* integer = dynamic_cast<const IntParameter*>(&param))
        out_.printf("\n        min=\"%i\"\n        max=\"%i\"", integer->getMin(), integer->getMax());
    put(out_, ">\n");
    for (const auto& [priority, value] : param.getValues()) {
        put(out_, "    <value data=\"");
        put(out_, text.fromUtf8(value.get()));
        out_.printf("\" priority=\"%i\"/>\n", priority);
    }
    if (auto* enumeration = dynamic_cast<const EnumParameter*>(&param)) {
        const char* const* names = enumeration->getNames();
        for (int i = 0; names && names[i]; ++i) {
            put(out_, "    <opt data=\"");
            put(out_, text.fromUtf8(names[i]));
            put(out_, "\"/>\n");
        }
    }
    out_.printf("</%s>\n", type);
}

}  // namespace plat
