#include "plat/Records.h"

#include "plat/ConfigParameter.h"
#include "rdr/Exception.h"
#include "rdr/InStream.h"
#include "rdr/OutStream.h"

#include <cstring>

namespace plat {

namespace {

// The escape of a byte, or null for one written as it is.
const char* escapeOf(char c) {
    switch (c) {
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    case '\\':
        return "\\\\";
    default:
        return nullptr;
    }
}

// Writes runs of plain bytes in one call each, so a value without escapes costs one write.
void writeEscaped(rdr::OutStream& out, const char* text) {
    const char* run = text;
    for (const char* p = text; *p; p++) {
        const char* escape = escapeOf(*p);
        if (!escape) continue;
        if (p > run) out.write(run, int(p - run));
        out.write(escape, 2);
        run = p + 1;
    }
    size_t rest = std::strlen(run);
    if (rest) out.write(run, int(rest));
}

size_t escapedLength(const char* text) {
    size_t length = 0;
    for (const char* p = text; *p; p++)
        length += escapeOf(*p) ? 2 : 1;
    return length;
}

template <typename Map>
void writeMap(rdr::OutStream& out, const Map& map) {
    for (const auto& [key, value] : map) {
        if (key.get()) writeEscaped(out, key.get());
        if (value.get()) {
            out.write("=", 1);
            writeEscaped(out, value.get());
        }
        out.write("\n", 1);
    }
}

// Trims ASCII white space and unescapes in place; returns the start of the cleaned text. The
// locale's isspace would take bytes of UTF-8 characters for blanks on some systems (0x85 and
// 0xA0 in Latin-1 locales), and the last byte of "à" is 0xA0.
char* cleanLine(char* line) {
    while (asciiIsSpace(*line))
        line++;
    char* end = line + std::strlen(line);
    while (end > line && asciiIsSpace(end[-1]))
        end--;
    char* to = line;
    for (const char* from = line; from < end; from++) {
        if (*from == '\\' && from + 1 < end) {
            char next = from[1];
            if (next == 'n' || next == 'r' || next == '\\') {
                *to++ = next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
                from++;
                continue;
            }
        }
        *to++ = *from;
    }
    *to = '\0';
    return line;
}

template <typename Map>
void storeRecord(Map& map, const char* key, const char* value) {
    auto slot = map.try_emplace(String(key)).first;
    slot->second = value;  // leaves an equal text alone
}

}  // namespace

String escapeRecordValue(const char* text) {
    if (!text) return String();
    DString escaped;
    escaped.reserve(int(std::strlen(text)) + 1);
    for (const char* p = text; *p; p++) {
        const char* escape = escapeOf(*p);
        escaped.append(escape ? escape : p, escape ? 2 : 1);
    }
    return String::adopt(escaped.release());
}

size_t recordLineLength(const char* key, const char* value) {
    return (key ? escapedLength(key) : 0) + (value ? 1 + escapedLength(value) : 0);
}

void writeRecords(rdr::OutStream& out, const StringMap& map) {
    writeMap(out, map);
}

void writeRecords(rdr::OutStream& out, const NoCaseStringMap& map) {
    writeMap(out, map);
}

bool readRecord(rdr::InStream& in, DString& line, const char** key, const char** value) {
    try {
        in.readLine(line, kMaxRecordLine);
    } catch (const rdr::EndOfStream&) {
        return false;
    } catch (const rdr::EndOfMsg&) {
        return false;
    }
    char* text = line.buf();
    if (!text) {
        // An empty line leaves the buffer unallocated.
        line.reserve(1);
        text = line.buf();
        *text = '\0';
    }
    text = cleanLine(text);
    char* equals = std::strchr(text, '=');
    if (equals) *equals = '\0';
    *key = text;
    *value = equals ? equals + 1 : nullptr;
    return true;
}

void readRecords(rdr::InStream& in, StringMap& map, const RecordHandlers* handlers) {
    DString line;
    const char* key;
    const char* value;
    while (readRecord(in, line, &key, &value)) {
        if (handlers) {
            auto handler = handlers->find(key);
            if (handler != handlers->end() && handler->second) {
                handler->second->handleRecord(key, value, map);
                continue;
            }
        }
        storeRecord(map, key, value);
    }
}

void readRecords(rdr::InStream& in, NoCaseStringMap& map) {
    DString line;
    const char* key;
    const char* value;
    while (readRecord(in, line, &key, &value))
        storeRecord(map, key, value);
}

bool collectChangedParams(const Configuration& configuration, const Configuration& reference,
                          NoCaseStringMap& map) {
    bool stored = false;
    for (Configuration::ParamIterator it(configuration, true); it; ++it) {
        // A parameter hidden behind another of the same name is not what its name sets.
        if (configuration.findParam(it->getName(), true) != it.param()) continue;
        const ConfigParameter* other = reference.findParam(it->getName(), true);
        if (!other) continue;
        String text = it->getValueStr();
        if (strCmpNull(text.get(), other->getValueStr().get()) == 0) continue;
        auto slot = map.try_emplace(String(it->getName())).first;
        slot->second = std::move(text);
        stored = true;
    }
    return stored;
}

}  // namespace plat
