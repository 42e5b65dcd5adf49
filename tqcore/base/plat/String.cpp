#include "plat/String.h"

#include "plat/DString.h"
#include "plat/StringList.h"

#include <cstring>

namespace plat {

String& String::operator=(const char* text) {
    if (strCmpNull(text_, text) == 0) return *this;
    char* copy = strDup(text);  // before freeing: `text` may be our own
    delete[] text_;
    text_ = copy;
    return *this;
}

String String::format(const char* format, ...) {
    DString result;
    va_list args;
    va_start(args, format);
    result.appendVFormat(format, args);
    va_end(args);
    return String::adopt(result.release());
}

void freeStringVector(StringList& list) {
    StringList().swap(list);
}

void addUniqueString(StringList& list, const char* text) {
    for (const String& s : list)
        if (strCmpNull(s.get(), text) == 0) return;
    list.emplace_back(text);
}

StringSet splitToSet(const char* text, char separator) {
    StringSet set;
    if (!text) return set;
    for (const char* p = text;;) {
        const char* end = std::strchr(p, separator);
        if (!end || separator == '\0') {
            set.emplace(p);
            break;
        }
        set.emplace(p, int(end - p));
        p = end + 1;
    }
    return set;
}

}  // namespace plat
