#include "plat/SysColors.h"

#include "plat/ConfigParameter.h"
#include "plat/Exception.h"
#include "plat/Hex.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <unistd.h>

namespace plat {

namespace {

SysColors* sysColorsImpl = nullptr;

struct NameLess {
    bool operator()(const char* a, const char* b) const { return std::strcmp(a, b) < 0; }
};

struct NamedColor {
    const char* name;
    uint32_t value;  // 0xRRGGBB
};

struct RoleColor {
    const char* name;
    uint32_t light;
    uint32_t dark;
};

constexpr RoleColor kRoleColors[] = {
    {"contentBg", 0xFFFFFF, 0x000000},    {"contentText", 0x000000, 0xFFFFFF},
    {"buttonBg", 0xECECEC, 0x404040},     {"buttonText", 0x404040, 0xECECEC},
    {"selectedBg", 0xD1E8FF, 0x41648A},   {"selectedBd", 0x66A7E8, 0x0E5CCD},
    {"selectedText", 0xFFFFFF, 0xFFFFFF}, {"inactiveBg", 0xF0F0F0, 0x323232},
    {"inactiveBd", 0xDEDEDE, 0x555555},   {"helpBg", 0xFFFFD3, 0x443322},
    {"helpText", 0x000000, 0xFFFFFF},
};

constexpr NamedColor kFixedColors[] = {
    {"disabledText", 0x808080},
    {"statusGreen", 0x048C00},
    {"statusYellow", 0xE6A000},
    {"statusRed", 0xC90000},
    {"statusText", 0xFFFFFF},
    {"customBigBtnBg", 0x1976D2},
    {"customBigBtnText", 0xFFFFFF},
    {"white", 0xFFFFFF},
    {"silver", 0xC0C0C0},
    {"gray", 0x808080},
    {"black", 0x000000},
    {"red", 0xFF0000},
    {"maroon", 0x800000},
    {"yellow", 0xFFFF00},
    {"olive", 0x808000},
    {"lime", 0x00FF00},
    {"green", 0x008000},
    {"aqua", 0x00FFFF},
    {"teal", 0x008080},
    {"blue", 0x0000FF},
    {"navy", 0x000080},
    {"fuchsia", 0xFF00FF},
    {"purple", 0x800080},
    {"orange", 0xFFA500},
};

struct BuiltinTable {
    std::map<const char*, uint32_t, NameLess> colors;
    bool dark = false;  // the appearance the table was filled for
};

// Created on first use and never destroyed: a static destructor may still draw something.
BuiltinTable& builtinTable() {
    static BuiltinTable* const table = new BuiltinTable;
    return *table;
}

Color splitRgb(uint32_t value) {
    Color color;
    color.red = (value >> 16) & 0xFF;
    color.green = (value >> 8) & 0xFF;
    color.blue = value & 0xFF;
    return color;
}

bool builtinColor(const char* name, Color& out) {
    if (!name) return false;
    unsigned char rgb[3];
    if (name[0] == '#' && std::strlen(name) == 7 && hexToBin(name + 1, sizeof rgb, rgb)) {
        out.red = rgb[0];
        out.green = rgb[1];
        out.blue = rgb[2];
        return true;
    }
    BuiltinTable& table = builtinTable();
    bool dark = isDarkMode();
    if (table.colors.empty() || table.dark != dark) {
        table.colors.clear();
        table.dark = dark;
        // emplace never replaces, so a role colour wins over a fixed colour of the same name.
        for (const RoleColor& role : kRoleColors)
            table.colors.emplace(role.name, dark ? role.dark : role.light);
        for (const NamedColor& fixed : kFixedColors)
            table.colors.emplace(fixed.name, fixed.value);
    }
    auto found = table.colors.find(name);
    if (found == table.colors.end()) return false;
    out = splitRgb(found->second);
    return true;
}

bool resolve(const char* name, Color& out) {
    // No provider is asked about a missing name.
    if (!name) return false;
    if (sysColorsImpl && sysColorsImpl->getColor(name, out)) return true;
    return builtinColor(name, out);
}

// Both are built by whichever static initialiser asks first and never destroyed.
[[maybe_unused]] IntParameter& registeredPpmm = ppmmParam();
[[maybe_unused]] IntParameter& registeredTextSizeFactor = textSizeFactorParam();

}  // namespace

void setSysColorsImpl(SysColors* provider) {
    TQ_ASSERT(!sysColorsImpl);
    sysColorsImpl = provider;
}

bool getColor(const char* name, Color& out) {
    return resolve(name, out);
}

Color getColorOr(const char* name, const Color& fallback) {
    Color color;
    return resolve(name, color) ? color : fallback;
}

Color getColorWithFallback(const char* name, const char* fallbackName) {
    Color color;
    if (resolve(name, color) || resolve(fallbackName, color)) return color;
    return Color();
}

bool isDarkMode() {
    return sysColorsImpl && sysColorsImpl->isDarkMode();
}

bool isTty(int fd) {
    return ::isatty(fd) == 1;
}

bool ttySupportsColour(int fd) {
    if (!isTty(fd)) return false;
    const char* term = std::getenv("TERM");
    return term &&
           (std::strstr(term, "xterm") || std::strstr(term, "ansi") || std::strstr(term, "color"));
}

void ttySetColour(FILE* stream, const char* attributes, bool flush) {
    std::fprintf(stream, "\033[%sm", attributes ? attributes : "");
    if (flush) std::fflush(stream);
}

IntParameter& ppmmParam() {
    static IntParameter* const param =
        new IntParameter("ppmm", "Physical units per mm", 4, true, nullptr, 1, 32);
    return *param;
}

IntParameter& textSizeFactorParam() {
    static IntParameter* const param =
        new IntParameter("TextSizeFactor", "Factor for text size on this system, normal being 100",
                         115, true, nullptr, 1, 1000);
    return *param;
}

void resetSysColorsImplForTesting() {
    sysColorsImpl = nullptr;
}

}  // namespace plat
