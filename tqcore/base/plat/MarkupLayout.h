// plat::Markup::Layout: a markup handler that breaks the text into lines of a given width and
// hands each piece, with its rectangle, to a drawing target.
//
// Lines break at white space, and inside a word only when a word alone does not fit; a line
// feed always breaks. The fit search guesses a length from the average character width seen so
// far and narrows a window of candidates, so a line costs a few measurements, not one per
// character. Multi-byte characters are never split. Arithmetic saturates at the int range, so
// paddings, widths and heights of any size give rectangles, never overflow.
#pragma once

#include "plat/Markup.h"

namespace plat {
namespace Markup {

class Layout : public Handler {
public:
    struct Rect {
        int x;
        int y;
        int width;
        int height;
    };

    // What the layout measures with and draws on. Byte ranges [begin, end) lie in the text
    // being laid out and are valid only during the call.
    class Target {
    public:
        virtual ~Target() = default;
        virtual void beginBlock(int alignment, float leftPadding, float rightPadding) = 0;
        virtual void endBlock(int leftIndent, int rightIndent) = 0;
        // Before the pieces of each run; `url` is null for plain text.
        virtual void setStyle(const Style* style, const char* url, const char* text) = 0;
        virtual int lineHeight() = 0;
        virtual int blockSpacing() = 0;
        // The width in pixels of the bytes [begin, end) in the current style.
        virtual int measure(const char* begin, const char* end) = 0;
        virtual void drawText(const char* begin, const char* end, const Rect& rect,
                              int lineIndex) = 0;
        virtual void drawLink(const char* url, const char* begin, const char* end, const Rect& rect,
                              int lineIndex) = 0;
        virtual void end() = 0;
    };

    // `maxWidth` 0 or negative means no limit. The target must outlive the layout.
    Layout(Target* target, int maxWidth);

    void beginBlock(int alignment, float leftPadding, float rightPadding) override;
    void endBlock(bool isLast) override;
    void text(const Style* style, const char* text) override;
    // Lays out the text, or the URL when the text is null.
    void link(const Style* style, const char* url, const char* text) override;
    void end() override;

    // The largest right and bottom edge drawn so far.
    int extentWidth() const { return extentWidth_; }
    int extentHeight() const { return extentHeight_; }
    int blockCount() const { return blockCount_; }
    int lineCount() const { return lineCount_; }

private:
    enum class Breaks { kWords, kCharacters };

    void layOut(const char* url, const char* text);
    void newLine();
    int roomLeft() const;
    // The end of the longest piece of [start, end) that fits `width`, at a break of the kind.
    const char* search(const char* start, const char* end, int width, Breaks breaks);
    // The piece of [start, end) to draw on this line, starting a new line when a word does not
    // fit after what the line already holds; `start` when nothing fits at all.
    const char* fit(const char* start, const char* end);

    Target* target_;
    int penX_ = 0;
    int penY_ = 0;
    int extentWidth_ = 0;
    int extentHeight_ = 0;
    int leftIndent_ = 0;
    int rightIndent_ = 0;
    int availableWidth_ = 0;  // the maximum width less both indents
    int maxWidth_;
    int blockCount_ = 0;
    int lineCount_ = 0;
    int lineHeight_ = 0;             // of the current line: its tallest piece
    double averageCharWidth_ = 3.0;  // bytes to pixels, learnt from each measurement
};

}  // namespace Markup
}  // namespace plat
