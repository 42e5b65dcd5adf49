// Named colours, the terminal colour helpers of the standard-error log, and the display
// parameters used for scaling.
//
// A colour name is a user-interface role ("contentBg", "selectedText", "statusRed"...), a CSS
// colour name of a small fixed set, or "#" and six hexadecimal digits. Names are resolved by the
// installed system-colour provider first, which knows the platform's own role colours, and
// otherwise by a built-in table filled for the current appearance (light or dark) and refilled
// when it changes. Look-ups are case-sensitive and cost one map search.
//
// Main thread only: the table and the provider have no lock.
#pragma once

#include <cstdint>
#include <cstdio>

namespace plat {

class IntParameter;

struct Color {
    uint32_t red = 0;  // each component 0..255
    uint32_t green = 0;
    uint32_t blue = 0;
};

// The platform's colours and appearance, supplied by the user-interface back end.
class SysColors {
public:
    virtual ~SysColors() = default;
    // True, filling `out`, when the provider knows the name.
    virtual bool getColor(const char* name, Color& out) = 0;
    virtual bool isDarkMode() = 0;
};

// Installs the provider, which must live for the rest of the process. A second installation is
// a fatal assertion failure "!sysColorsImpl".
void setSysColorsImpl(SysColors* provider);

// Resolves `name` (provider, then the built-in rules); false, leaving `out` alone, when neither
// knows it. A null name is no colour and never reaches the provider.
bool getColor(const char* name, Color& out);
// The colour, or `fallback` when the name is unknown.
Color getColorOr(const char* name, const Color& fallback);
// The colour of `name`, else of `fallbackName`, else black.
Color getColorWithFallback(const char* name, const char* fallbackName);
// Whether the dark appearance is in force: the provider's answer, false without one.
bool isDarkMode();

// Whether the descriptor is a terminal.
bool isTty(int fd);
// A terminal whose "TERM" names "xterm", "ansi" or "color" somewhere.
bool ttySupportsColour(int fd);
// Writes the attribute sequence "\033[<attributes>m" ("31;1", "36", "0"...), flushing the
// stream when `flush` is set.
void ttySetColour(FILE* stream, const char* attributes, bool flush);

// "ppmm" (4, 1..32): physical units per millimetre.
IntParameter& ppmmParam();
// "TextSizeFactor" (115, 1..1000): the text size factor of this system, 100 being normal.
IntParameter& textSizeFactorParam();

// For tests only: forgets the installed provider (without deleting it), so that another can be
// installed.
void resetSysColorsImplForTesting();

}  // namespace plat
