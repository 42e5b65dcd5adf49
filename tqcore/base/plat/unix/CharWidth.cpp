// Display widths from the C library's wcwidth, read in a UTF-8 locale of our own so that the
// answer does not depend on the locale the process or thread happens to be in.
#include "plat/Utf8.h"

#include <clocale>
#include <cwchar>
#include <locale.h>

namespace plat {

namespace {

locale_t utf8Locale() {
    static const locale_t locale = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"})
            if (locale_t l = newlocale(LC_CTYPE_MASK, name, locale_t(0))) return l;
        return locale_t(0);
    }();
    return locale;
}

}  // namespace

int charDisplayWidth(int codePoint) {
    if (codePoint < 0x7F) return codePoint < 0x20 ? -1 : 1;
    locale_t utf8 = utf8Locale();
    if (!utf8) return -1;
    locale_t previous = uselocale(utf8);
    int width = wcwidth(wchar_t(codePoint));
    uselocale(previous);
    return width;
}

}  // namespace plat
