#include "plat/MarkupLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using plat::Markup::Layout;

// Every character 10 pixels wide and lines 10 high; records each piece drawn.
struct FakeTarget : Layout::Target {
    std::string drawn;
    int measures = 0;
    void beginBlock(int, float, float) override { drawn += "["; }
    void endBlock(int l, int r) override {
        drawn += "]" + std::to_string(l) + "," + std::to_string(r) + " ";
    }
    void setStyle(const plat::Markup::Style*, const char*, const char*) override {}
    int lineHeight() override { return 10; }
    int blockSpacing() override { return 5; }
    int measure(const char* b, const char* e) override {
        ++measures;
        return 10 * int(std::count_if(b, e, [](char c) { return (c & 0xC0) != 0x80; }));
    }
    void drawText(const char* b, const char* e, const Layout::Rect& r, int line) override {
        drawn += "L" + std::to_string(line) + "@" + std::to_string(r.x) + "," +
                 std::to_string(r.y) + "'" + std::string(b, e) + "' ";
    }
    void drawLink(const char* url, const char* b, const char* e, const Layout::Rect& r,
                  int line) override {
        drawn += std::string(url) + ":";
        drawText(b, e, r, line);
    }
    void end() override { drawn += "end"; }
};

std::string laidOut(const char* markup, int width) {
    FakeTarget target;
    Layout layout(&target, width);
    EXPECT_TRUE(plat::Markup::ParserHtml::instance()->parse(markup, &layout)) << markup;
    return target.drawn;
}

TEST(MarkupLayout, BreaksLinesAtWordsThenCharacters) {
    struct Case {
        const char* fault;
        const char* markup;
        int width;
        const char* expected;
    } cases[] = {
        {"breaks at the blank", "hello world", 60, "[L0@0,0'hello' L1@0,10'world' ]0,0 end"},
        {"a word longer than the line is cut", "abcdefghij", 35,
         "[L0@0,0'abc' L1@0,10'def' L2@0,20'ghi' L3@0,30'j' ]0,0 end"},
        {"a multi-byte character is never split", "\xC3\xA9\xC3\xA9\xC3\xA9", 25,
         "[L0@0,0'\xC3\xA9\xC3\xA9' L1@0,10'\xC3\xA9' ]0,0 end"},
        {"an empty line still breaks", "a<br/><br/>b", 100, "[L0@0,0'a' L2@0,20'b' ]0,0 end"},
        {"a word that does not fit after a run moves down", "abc<b> defghi</b>", 60,
         "[L0@0,0'abc' L1@0,10' defgh' L2@0,20'i' ]0,0 end"},
        {"nothing fits: the layout stops", "ab", 5, "[]0,0 end"},
        {"a trailing blank that does not fit ends the search", "ab ", 25, "[L0@0,0'ab' ]0,0 end"},
        {"second block below the first with its spacing, indents from paddings",
         "<div>a</div><div style=\"padding-left:2;padding-right:1\"><a href=\"u\">b c</a></div>",
         60, "[L0@0,0'a' ]0,0 [u:L1@20,15'b c' ]20,10 end"},
        {"a huge padding saturates instead of overflowing",
         "<div style=\"padding-left:1e30;padding-right:-1e30\">a</div>", 60,
         "[L0@2147483647,0'a' ]2147483647,-2147483648 end"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(laidOut(c.markup, c.width), c.expected) << c.fault;
}

// The fit search guesses from the average width: a long text costs a few measurements a line.
TEST(MarkupLayout, FewMeasurementsPerLine) {
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "word" + std::to_string(i % 97) + " ";
    FakeTarget target;
    Layout layout(&target, 400);
    ASSERT_TRUE(plat::Markup::ParserHtml::instance()->parse(text.c_str(), &layout));
    EXPECT_GT(layout.lineCount(), 200);
    EXPECT_LT(target.measures, layout.lineCount() * 12);
    EXPECT_LE(layout.extentWidth(), 400);
}

}  // namespace
