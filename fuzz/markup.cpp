// Markup parsing of arbitrary bytes: only plat::Exception escapes, parse() agrees with
// parseBlocks(), valid UTF-8 in gives valid UTF-8 texts, URLs and colours out, the stripped text
// is the runs' texts joined, the layout measures and draws only inside the text it lays out,
// and escaped text parses back to itself.
#include "plat/Markup.h"
#include "plat/LogSrc.h"
#include "plat/MarkupLayout.h"
#include "plat/Utf8.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace plat::Markup;

void require(bool condition) {
    if (!condition) std::abort();
}

// Widths from the bytes themselves, so that the fit search meets uneven characters; checks that
// every range lies inside the run's text.
struct CheckingTarget : Layout::Target {
    const char* text = nullptr;
    const char* textEnd = nullptr;
    unsigned widthSeed;

    explicit CheckingTarget(unsigned seed) : widthSeed(seed) {}
    void inside(const char* b, const char* e) const {
        require(text && text <= b && b <= e && e <= textEnd);
    }
    void beginBlock(int, float, float) override {}
    void endBlock(int, int) override {}
    void setStyle(const Style*, const char* url, const char* t) override {
        text = t ? t : url;
        textEnd = text ? text + std::strlen(text) : nullptr;
    }
    int lineHeight() override { return int(widthSeed % 7); }
    int blockSpacing() override { return 2; }
    int measure(const char* b, const char* e) override {
        inside(b, e);
        int w = 0;
        for (const char* p = b; p < e; ++p)
            w += 1 + (static_cast<unsigned char>(*p) ^ widthSeed) % 9;
        return w;
    }
    void drawText(const char* b, const char* e, const Layout::Rect&, int) override { inside(b, e); }
    void drawLink(const char*, const char* b, const char* e, const Layout::Rect&, int) override {
        inside(b, e);
    }
    void end() override {}
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Bad markup is logged; with no destination the lines are dropped at the gate.
    plat::initLogging();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    unsigned seed = data[0];
    std::string markup(reinterpret_cast<const char*>(data + 1), size - 1);
    markup = markup.c_str();  // the parser takes NUL-terminated text
    bool validInput = plat::utf8IsValid(markup.c_str());

    std::vector<Block> blocks;
    bool good = true;
    try {
        ParserHtml::instance()->parseBlocks(markup.c_str(), blocks);
    } catch (const plat::Exception&) {
        good = false;
    }
    require(ParserHtml::instance()->parse(markup.c_str(), nullptr) == good);
    if (good) {
        std::string joined;
        for (const Block& block : blocks) {
            for (const Run& run : block.runs) {
                joined += run.text.c_str();
                if (validInput) {
                    require(plat::utf8IsValid(run.text.c_str()));
                    require(plat::utf8IsValid(run.url.c_str()));
                    require(plat::utf8IsValid(run.style.color.c_str()));
                }
            }
        }
        require(joined == Stripper(markup.c_str()).c_str());
        CheckingTarget target(seed);
        Layout layout(&target, int(seed) * 3);
        require(ParserHtml::instance()->parse(markup.c_str(), &layout));
    }

    // Escaped text is markup whose plain text is the text made valid UTF-8.
    plat::DString escaped;
    appendText(escaped, markup.c_str());
    plat::String expected =
        validInput ? plat::String(markup.c_str()) : plat::singleByteToUtf8(markup.c_str(), -1);
    require(std::string(Stripper(escaped.c_str()).c_str()) == expected.c_str());
    return 0;
}
