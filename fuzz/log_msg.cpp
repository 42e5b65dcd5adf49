// "logMsg" bodies from the peer of the log channel: a body whose fields are whole and whose
// text is at most 1024 bytes becomes exactly one line of the receiving source, at the sent
// level, beginning with the sent source name (up to a NUL) and ": "; any other body becomes
// exactly one error line of the channel and no line of the source. Either way the channel
// reads the next message.
#include "log_channel.h"
#include "plat/LogSrcViaIpc.h"
#include "plat/Utf8.h"

#include <cstring>

namespace {

plat::LogSrcViaIpc admin("FuzzAdmin");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    static plat::test::CapturedLog* capture = [] {
        auto* c = new plat::test::CapturedLog("FuzzAdmin");
        plat::LogSrc::setLogSetting("FuzzAdmin:testcapture:2147483647,MsgIpc:testcapture:1000");
        return c;
    }();
    capture->clear();
    fuzzlog::deliver(
        "logMsg", data, size, [](io::MsgIpc* ipc) { admin.enableIpc(ipc, true, 1000); },
        [](io::MsgIpc* ipc) { admin.enableIpc(ipc, false); });

    uint32_t level = 0, textLength = 0;
    size_t sourceLength = size > 4 ? data[4] : 0;
    bool whole = fuzzlog::readU32(data, size, 0, &level) && size >= 5 &&
                 fuzzlog::readU32(data, size, 5 + sourceLength, &textLength) &&
                 textLength <= 1024 && size >= 9 + sourceLength + textLength;
    std::vector<std::string> adminLines = capture->texts("FuzzAdmin");
    std::vector<std::string> errors = capture->texts("MsgIpc");
    if (!whole) {
        if (!adminLines.empty() || errors.size() != 1) std::abort();
        if (errors[0].rfind("Fuzz: Bad message 'logMsg': ", 0) != 0) std::abort();
        return 0;
    }
    if (adminLines.size() != 1 || !errors.empty()) std::abort();
    const plat::test::LogLine line = capture->lines()[0];
    if (line.level != int(level)) std::abort();
    // The source name as the line shows it: up to a NUL, escaped like the rest of the line.
    std::string source(reinterpret_cast<const char*>(data + 5), sourceLength);
    source = source.substr(0, source.find('\0'));
    std::string prefix = plat::utf8Visible(source.c_str(), '~').get();
    bool plain = true;
    for (unsigned char c : source)
        plain = plain && c >= 32 && c <= 125;
    if (plain && line.text.rfind(prefix + ": ", 0) != 0) std::abort();
    if (!plat::utf8IsValid(line.text.c_str())) std::abort();
    return 0;
}
