// Time::parseIso on arbitrary text. Whatever it accepts must print as UTC with milliseconds
// and parse back to the same time cut to milliseconds, unless the zone moved it out of the
// years that the text form can carry, in which case the printed text must be refused.
#include "plat/Time.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    int64_t time = 0;
    if (!plat::Time::parseIso(time, text.c_str())) return 0;

    int64_t remainder = time % plat::Time::kMillisecond;
    int64_t truncated = time - (remainder < 0 ? remainder + plat::Time::kMillisecond : remainder);
    plat::String printed = plat::Time::formatIsoUtc(time, true);
    int year = plat::Time::toCalendar(time).tm_year + 1900;
    int64_t back = 0;
    bool parsed = plat::Time::parseIso(back, printed.get());
    if (year >= 1 && year <= 9999) {
        if (!parsed || back != truncated) std::abort();
    } else if (parsed) {
        std::abort();
    }
    return 0;
}
