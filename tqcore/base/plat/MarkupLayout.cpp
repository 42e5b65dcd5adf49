#include "plat/MarkupLayout.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace plat {
namespace Markup {
namespace {

int saturate(int64_t value) {
    return int(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

// Truncates like a cast, but a value outside the int range (a padding of 1e30 em) saturates
// instead of being undefined.
int toPixels(double value) {
    if (!(value == value)) return 0;
    return int(std::clamp<double>(value, INT_MIN, INT_MAX));
}

bool isWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isContinuation(const char* p) {
    return (static_cast<unsigned char>(*p) & 0xC0) == 0x80;
}

const char* wordEnd(const char* p, const char* end) {
    while (p < end && !isWhite(*p))
        ++p;
    return p;
}

const char* wordStart(const char* p, const char* low) {
    while (p > low && !isWhite(p[-1]))
        --p;
    return p;
}

const char* nextCharStart(const char* p, const char* end) {
    if (p < end) ++p;
    while (p < end && isContinuation(p))
        ++p;
    return p;
}

const char* charStart(const char* p, const char* low) {
    while (p > low && isContinuation(p))
        --p;
    return p;
}

const char* trimTrailingWhite(const char* p, const char* low) {
    while (p > low && isWhite(p[-1]))
        --p;
    return p;
}

}  // namespace

Layout::Layout(Target* target, int maxWidth)
    : target_(target), maxWidth_(maxWidth > 0 ? maxWidth : INT_MAX) {}

void Layout::beginBlock(int alignment, float leftPadding, float rightPadding) {
    target_->beginBlock(alignment, leftPadding, rightPadding);
    int h = target_->lineHeight();
    leftIndent_ = toPixels(double(leftPadding) * h);
    rightIndent_ = toPixels(double(rightPadding) * h);
    availableWidth_ = saturate(int64_t(maxWidth_) - leftIndent_ - rightIndent_);
    penX_ = leftIndent_;
    if (blockCount_ > 0) penY_ = saturate(int64_t(penY_) + lineHeight_ + target_->blockSpacing());
    ++blockCount_;
    ++lineCount_;
    lineHeight_ = 0;
}

void Layout::endBlock(bool) {
    target_->endBlock(leftIndent_, rightIndent_);
}

void Layout::text(const Style* style, const char* text) {
    target_->setStyle(style, nullptr, text);
    layOut(nullptr, text);
}

void Layout::link(const Style* style, const char* url, const char* text) {
    target_->setStyle(style, url, text);
    layOut(url, text ? text : url);
}

void Layout::end() {
    target_->end();
}

void Layout::newLine() {
    penX_ = leftIndent_;
    penY_ = saturate(int64_t(penY_) + lineHeight_);
    ++lineCount_;
    lineHeight_ = 0;
}

int Layout::roomLeft() const {
    return saturate(int64_t(availableWidth_) - (int64_t(penX_) - leftIndent_));
}

void Layout::layOut(const char* url, const char* text) {
    if (!text) return;
    int h = target_->lineHeight();
    const char* end = text + std::strlen(text);
    for (const char* p = text;;) {
        const char* stretchEnd = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        if (!stretchEnd) stretchEnd = end;
        const char* pieceEnd = p;
        // An empty stretch (a line feed at once) draws nothing, but the line it ends is as
        // high as the text's, so that a blank line shows.
        if (p == stretchEnd) {
            lineHeight_ = std::max(lineHeight_, h);
        } else {
            pieceEnd = fit(p, stretchEnd);
            if (pieceEnd == p) return;
            Rect rect{penX_, penY_, target_->measure(p, pieceEnd), h};
            if (url)
                target_->drawLink(url, p, pieceEnd, rect, lineCount_ - 1);
            else
                target_->drawText(p, pieceEnd, rect, lineCount_ - 1);
            penX_ = saturate(int64_t(rect.x) + rect.width);
            extentWidth_ = std::max(extentWidth_, penX_);
            extentHeight_ = std::max(extentHeight_, saturate(int64_t(rect.y) + h));
            lineHeight_ = std::max(lineHeight_, h);
        }
        if (pieceEnd == end) return;
        newLine();
        if (*pieceEnd == '\n') {
            p = pieceEnd + 1;
        } else {
            p = pieceEnd;
            while (p < end && isWhite(*p))
                ++p;
        }
    }
}

const char* Layout::fit(const char* start, const char* end) {
    const char* piece = search(start, end, roomLeft(), Breaks::kWords);
    if (piece == start && penX_ > leftIndent_) {
        newLine();
        piece = search(start, end, roomLeft(), Breaks::kWords);
    }
    if (piece == start) piece = search(start, end, roomLeft(), Breaks::kCharacters);
    return piece;
}

const char* Layout::search(const char* start, const char* end, int width, Breaks breaks) {
    bool words = breaks == Breaks::kWords;
    const char* low = start;
    int64_t count = end - start;
    while (count > 0) {
        double guess = width / averageCharWidth_;
        int64_t chars = guess <= 0 ? 0 : guess >= INT_MAX ? INT_MAX : int64_t(guess);
        const char* candidate = low + std::clamp<int64_t>(chars + (start - low), 0, count - 1);
        const char* after = words ? wordEnd(candidate, end) : nextCharStart(candidate, end);
        const char* before = words ? wordStart(candidate, low) : charStart(candidate, low);
        int w = target_->measure(start, after);
        if (after > start && w > 0)
            averageCharWidth_ = std::max(0.01, double(w) / double(after - start));
        if (w > width) {
            count = before - low;
        } else if (after == low + count) {
            return after;
        } else {
            const char* windowEnd = low + count;
            low = after + 1;
            count = std::max<int64_t>(0, windowEnd - low);
        }
    }
    // The window emptied: its start has not been measured with what precedes it, so step
    // back by whole words or characters until the piece fits.
    const char* answer = std::min(low, end);
    for (;;) {
        if (words && answer < end) answer = trimTrailingWhite(answer, start);
        if (!words) answer = charStart(answer, start);
        if (answer == start || target_->measure(start, answer) <= width) return answer;
        // Each step moves back at least one byte: over the blanks a whole stretch may end with,
        // then to the start of the word before them.
        answer = words ? wordStart(trimTrailingWhite(answer, start), start)
                       : charStart(answer - 1, start);
    }
}

}  // namespace Markup
}  // namespace plat
