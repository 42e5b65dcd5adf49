// plat::XmlConfig: configuration parameters as an XML description, and back.
//
// The writer lists each parameter as one element named after its kind ("bool", "int", "enum",
// "string", "binary", "s64") with its name, description, advanced flag, tags, bounds, the value
// it holds at every priority and an enumeration's names; "-help xml" prints this for the global
// configuration. Every text it inserts is valid UTF-8 with the XML special characters escaped,
// so any parameter set reads back as itself. The reader rebuilds such a description as owned
// parameters of a configuration; a malformed description throws and never leaves a parameter
// that a later use could trip over. Both are linear in the size of the description.
#pragma once

#include "plat/Configuration.h"

namespace rdr {
class OutStream;
}

namespace plat {

class XmlConfig {
public:
    // Chooses which parameters are written or read.
    class ParamFilter {
    public:
        virtual ~ParamFilter() = default;
        // Whether the parameter `name` of kind `typeName` ("int", ...) is to be handled.
        virtual bool wanted(const char* name, const char* typeName, bool advanced) = 0;
    };

    // The whole description of `configuration` and its descendants: "<?xml version=\"1.0\"?>",
    // the "config" element holding writeParams(configuration, includeHidden, filter), and a
    // NUL. With `useLocDesc` a parameter described by a translation key is written with the key
    // ("locDesc") rather than its text ("description"). The caller frees the text with delete[].
    static char* write(const Configuration& configuration, bool includeHidden, bool useLocDesc,
                       ParamFilter* filter = nullptr);

    // Replaces the parameters of `configuration` with those described by the NUL-terminated
    // `text`: removeAllParams() first, then one owned parameter per child element of "config"
    // that `filter` (null: all) wants, with each listed value set at its priority (a value the
    // parameter refuses, bad UTF-8 included, is left unset). Throws plat::Exception "XML error <line>:<column>
    // <error text>" for a text the XML reader does not take cleanly, warnings included, and
    // "Incompatible XML config" for an element that is no parameter: an unknown kind, a missing
    // "name", no description or key, no "value", a value without "data" or "priority", a
    // number that is not one, an enumeration without names or a name without "data".
    // Parameters read before the fault stay, owned by the configuration.
    static void read(Configuration& configuration, const char* text,
                     ParamFilter* filter = nullptr);

    // Writes the header "<?xml version=\"1.0\"?>\n<config>\n" to `out`, which must outlive this
    // writer.
    XmlConfig(rdr::OutStream& out, bool useLocDesc);
    // Writes the footer "</config>\n"; a stream that fails here is ignored.
    ~XmlConfig();
    XmlConfig(const XmlConfig&) = delete;
    XmlConfig& operator=(const XmlConfig&) = delete;

    // Every parameter of `configuration` and its descendants, sorted by name ignoring case;
    // names beginning with "_" only with `includeHidden`. Stream failures propagate.
    void writeParams(const Configuration& configuration, bool includeHidden,
                     ParamFilter* filter = nullptr);
    // One parameter's element.
    void writeParam(const ConfigParameter& param);

private:
    rdr::OutStream& out_;
    bool useLocDesc_;  // write translation keys rather than their texts
};

}  // namespace plat
