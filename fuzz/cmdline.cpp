// Command lines: splitting arbitrary text is safe, and splitting what quoteArg built gives back
// the arguments. The input is cut into arguments at NUL bytes.
#include "plat/CmdLine.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    plat::StringList anyText;
    plat::splitArgs(anyText, input.c_str());

    std::vector<std::string> args;
    for (size_t start = 0; start <= size;) {
        size_t end = input.find('\0', start);
        if (end == std::string::npos) end = size;
        args.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    plat::DString line;
    for (const std::string& arg : args)
        plat::quoteArg(line, arg.c_str());
    plat::StringList split;
    plat::splitArgs(split, line.c_str());
    if (split.size() != args.size()) std::abort();
    for (size_t i = 0; i < args.size(); ++i)
        if (split[i] != args[i].c_str()) std::abort();
    return 0;
}
