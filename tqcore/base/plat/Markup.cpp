#include "plat/Markup.h"

#include "os/OpenUrl.h"
#include "plat/Exception.h"
#include "plat/LogSrc.h"
#include "plat/NumParse.h"
#include "plat/StrUtil.h"
#include "plat/Utf8.h"
#include "xml/Node.h"
#include "xml/Options.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>

namespace plat {
namespace Markup {
namespace {

LogSrc markupLog("MarkupParser");

// a * numerator / denominator rounded half away from zero, in 64 bits and clamped to int: a
// size written as a huge percentage must not wrap round to a small or negative one.
int scaleRounded(int64_t a, int64_t numerator, int64_t denominator) {
    int64_t product = a * numerator;
    int64_t quotient = product / denominator, remainder = product % denominator;
    if (2 * (remainder < 0 ? -remainder : remainder) >= denominator)
        quotient += product < 0 ? -1 : 1;
    return int(quotient < INT_MIN ? INT_MIN : quotient > INT_MAX ? INT_MAX : quotient);
}

bool isTrimmed(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// One "name:value" declaration of a style attribute; the value trimmed of blanks.
struct Declaration {
    std::string name;
    std::string value;
};

std::vector<Declaration> splitDeclarations(const char* style) {
    std::vector<Declaration> out;
    if (!style) return out;
    for (const char* p = style;;) {
        const char* end = std::strchr(p, ';');
        if (!end) end = p + std::strlen(p);
        const char* colon = static_cast<const char*>(std::memchr(p, ':', size_t(end - p)));
        if (colon) {
            const char* v = colon + 1;
            const char* ve = end;
            while (v < ve && isTrimmed(*v))
                ++v;
            while (ve > v && isTrimmed(ve[-1]))
                --ve;
            out.push_back({std::string(p, colon), std::string(v, ve)});
        }
        if (!*end) break;
        p = end + 1;
    }
    return out;
}

bool contains(const std::string& name, const char* part) {
    return name.find(part) != std::string::npos;
}

// The leading decimal integer of `text` when it has one in int range.
bool leadingInt(const char* text, int& value, const char** after = nullptr) {
    const char* cursor = text;
    if (!parseInt(value, &cursor, 10)) return false;
    if (after) *after = cursor;
    return true;
}

void applyDeclaration(Style& style, const Declaration& d) {
    const char* value = d.value.c_str();
    if (contains(d.name, "font-style")) {
        if (!strCaseCmpAscii(value, "normal"))
            style.flags = 0;
        else if (!strCaseCmpAscii(value, "italic"))
            style.flags |= kItalic;
    } else if (contains(d.name, "font-size")) {
        int n;
        const char* after;
        if (leadingInt(value, n, &after))
            style.size = *after == '%' ? scaleRounded(n, kNormalSize, 100) : n;
    } else if (contains(d.name, "font-weight")) {
        int n;
        style.weight = leadingInt(value, n) ? n : 0;
    } else if (contains(d.name, "text-decoration")) {
        if (!strCaseCmpAscii(value, "underline")) style.flags |= kUnderline;
    } else if (contains(d.name, "color")) {
        // "background-color" lands here too: the markup sets only the text colour.
        style.color = value;
    }
}

void applyStyle(Style& style, const char* css) {
    for (const Declaration& d : splitDeclarations(css))
        applyDeclaration(style, d);
}

// Independent of the thread's locale, so that "1.5" is one and a half under a German one too;
// anything that is not a number a float can hold is 0, which keeps the layout's arithmetic
// defined.
float parsePadding(const std::string& text) {
    const char* p = text.c_str();
    const char* end = p + text.size();
    if (p < end && *p == '+') ++p;
    double value = 0;
    std::from_chars_result r = std::from_chars(p, end, value, std::chars_format::general);
    // Beyond the float range the conversion itself would be undefined.
    if (r.ec != std::errc() || !(std::fabs(value) <= FLT_MAX)) return 0;
    return float(value);
}

bool nameIs(const char* name, const char* expected) {
    return name && !strCaseCmpAscii(name, expected);
}

// An attribute written without a value ("<b bold>") reads as an empty one.
const char* orEmpty(const char* value) {
    return value ? value : "";
}

// Sets the XML reader's options for markup and gives the caller's back however the parse
// ends: they are process-wide, and a caller may have set its own. The public interface has
// only the setter, so they are read with the library's private getter.
struct XmlOptionsForMarkup {
    XmlOptionsForMarkup() : saved(xml::globalOptions()) {
        xml::setGlobalOptions(xml::kUtf8, true, false, true);
    }
    ~XmlOptionsForMarkup() {
        xml::setGlobalOptions(saved.encoding, saved.utf8BomOnly, saved.trimText,
                              saved.joinTextAcrossComments);
    }
    const xml::Options saved;
};

// What the walk of an element leaves to its parent once it is done.
enum class After { kNothing, kDiv, kSpan, kOther };

struct Frame {
    xml::Node element;
    int nextItem = 0;
    Style own;         // the element's style
    Style* enclosing;  // the style the element was walked with
    After after;
    bool ignoresOtherAttributes;
    const char* href;  // for text directly inside "a"
};

class Walker {
public:
    explicit Walker(std::vector<Block>& blocks) : blocks_(blocks) {}

    void walk(const xml::Node& body) {
        Style root;
        push(body, &root, After::kNothing);
        while (!stack_.empty()) {
            Frame& frame = stack_.back();
            if (frame.nextItem == frame.element.itemCount()) {
                After after = frame.after;
                stack_.pop_back();
                if (!stack_.empty()) finishChild(after, stack_.back());
                continue;
            }
            xml::Item item = frame.element.getItem(frame.nextItem++);
            switch (item.kind) {
            case xml::kAttributeItem:
                attribute(frame, item.attribute);
                break;
            case xml::kTextItem:
                text(frame, item.text);
                break;
            case xml::kElementItem:
                child(frame, item.element);
                break;
            default:
                throw ExceptionFmt("Unexpected node type %d", item.kind);
            }
        }
        if (!current_.runs.empty()) blocks_.push_back(std::move(current_));
    }

private:
    void push(const xml::Node& element, Style* enclosing, After after) {
        const char* name = element.getName();
        bool ignoresOtherAttributes = nameIs(name, "div") || nameIs(name, "span") ||
                                      nameIs(name, "a") || nameIs(name, "body");
        const char* href = nameIs(name, "a") ? orEmpty(element.getAttribute("href")) : nullptr;
        stack_.push_back(
            Frame{element, 0, *enclosing, enclosing, after, ignoresOtherAttributes, href});
    }

    void attribute(Frame& frame, const xml::Attr& attr) {
        const char* value = orEmpty(attr.value);
        if (nameIs(attr.name, "style")) {
            applyStyle(frame.own, value);
        } else if (nameIs(attr.name, "color")) {
            frame.own.color = value;
            frame.enclosing->color = value;
        } else if (nameIs(attr.name, "size")) {
            int size = 0;
            leadingInt(value, size);
            frame.own.size = size;
            frame.enclosing->size = size;
        } else if (!frame.ignoresOtherAttributes) {
            throw ExceptionFmt("Unexpected attribute (%s = %s)", attr.name ? attr.name : "", value);
        }
    }

    void text(Frame& frame, const char* text) {
        Run run;
        run.text.append(text);
        run.style = frame.own;
        if (frame.href) {
            run.url = frame.href;
            run.style.flags |= kLink;
        }
        current_.runs.push_back(std::move(run));
    }

    void flushBlock() {
        blocks_.push_back(std::move(current_));
        current_ = Block();
    }

    void child(Frame& frame, const xml::Node& element) {
        const char* name = element.getName();
        if (nameIs(name, "div")) {
            if (!current_.runs.empty()) {
                flushBlock();
                *frame.enclosing = Style();
            }
            for (const Declaration& d : splitDeclarations(element.getAttribute("style"))) {
                if (contains(d.name, "text-align")) {
                    const char* v = d.value.c_str();
                    if (!strCaseCmpAscii(v, "right"))
                        current_.alignment = kAlignRight;
                    else if (!strCaseCmpAscii(v, "center"))
                        current_.alignment = kAlignCenter;
                    else if (!strCaseCmpAscii(v, "justify"))
                        current_.alignment = kAlignJustify;
                } else if (contains(d.name, "padding-left") || contains(d.name, "padding-right")) {
                    float padding = parsePadding(d.value);
                    if (contains(d.name, "padding-right"))
                        current_.rightPadding = padding;
                    else
                        current_.leftPadding = padding;
                } else {
                    applyDeclaration(*frame.enclosing, d);
                }
            }
            push(element, frame.enclosing, After::kDiv);
            return;
        }
        if (nameIs(name, "span")) {
            applyStyle(*frame.enclosing, element.getAttribute("style"));
            push(element, frame.enclosing, After::kSpan);
            return;
        }
        if (nameIs(name, "br")) {
            if (current_.runs.empty()) {
                current_.runs.emplace_back();
                current_.runs.back().text.append("\n");
            } else {
                current_.runs.back().text.append("\n");
            }
        } else if (nameIs(name, "b")) {
            frame.own.weight = kBoldWeight;
        } else if (nameIs(name, "i")) {
            frame.own.flags |= kItalic;
        } else if (nameIs(name, "u")) {
            frame.own.flags |= kUnderline;
        } else if (nameIs(name, "a")) {
            // An empty href is still a link; what it leads to is the handler's concern.
            if (!element.isAttributeSet("href")) throw Exception("Invalid hyperlink spec!");
        } else if (!nameIs(name, "font")) {
            throw ExceptionFmt("Unexpected tag %s", name ? name : "");
        }
        push(element, &frame.own, After::kOther);
    }

    // `parent` is the frame whose child has just been walked.
    void finishChild(After after, Frame& parent) {
        switch (after) {
        case After::kDiv:
            flushBlock();
            *parent.enclosing = Style();
            break;
        case After::kSpan:
            *parent.enclosing = Style();
            break;
        case After::kOther:
            parent.own = *parent.enclosing;
            break;
        case After::kNothing:
            break;
        }
    }

    std::vector<Block>& blocks_;
    Block current_;            // shared by the whole walk
    std::deque<Frame> stack_;  // a deque: a frame's `enclosing` points into its parent
};

// Valid UTF-8 for the escaping: text that is not is read as the single-byte set.
DString& appendEscaped(DString& out, const char* text) {
    if (!text) return out;
    String converted;
    if (!utf8IsValid(text)) {
        converted = singleByteToUtf8(text, -1);
        text = converted.c_str();
    }
    xml::AutoText escaped;
    return out.append(escaped.escape(text));
}

const char* const kAlignNames[] = {"left", "center", "right", "justify"};

}  // namespace

bool Style::isDefault() const {
    return flags == 0 && size == kNormalSize && weight == kNormalWeight && color.isNull() &&
           background.isNull();
}

bool Parser::parse(const char* markup, Handler* handler) {
    std::vector<Block> blocks;
    try {
        parseBlocks(markup, blocks);
    } catch (const Exception& e) {
        markupLog.error("Invalid markup (%s): ### %s ###", e.message(), markup ? markup : "");
        return false;
    }
    if (!handler) return true;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const Block& block = blocks[i];
        handler->beginBlock(block.alignment, block.leftPadding, block.rightPadding);
        for (const Run& run : block.runs) {
            if (!run.url.isNull())
                handler->link(&run.style, run.url.get(), run.text.c_str());
            else
                handler->text(&run.style, run.text.c_str());
        }
        handler->endBlock(i + 1 == blocks.size());
    }
    handler->end();
    return true;
}

ParserHtml* ParserHtml::instance() {
    static ParserHtml* const parser = new ParserHtml;
    return parser;
}

void ParserHtml::parseBlocks(const char* markup, std::vector<Block>& blocks) {
    DString document;
    document.append("<?xml version=\"1.0\"?>\n\n<body class=\"mui-markup\">");
    document.append(markup);
    document.append("</body>");
    xml::ParseResult result;
    xml::Node body;
    {
        XmlOptionsForMarkup options;
        body = xml::Node::parseString(document.c_str(), "body", &result);
    }
    if (result.error > xml::kNoXmlTagWarning || body.isEmpty())
        throw ExceptionFmt("XML error %i:%i %s", result.line, result.column,
                           xml::getError(result.error));
    Walker(blocks).walk(body);
}

Stripper::Stripper(const char* markup) {
    reserve(int(strLen(markup) + 1));
    ParserHtml::instance()->parse(markup, this);
}

void Stripper::text(const Style*, const char* text) {
    append(text);
}

void Stripper::link(const Style*, const char* url, const char* text) {
    append(text ? text : url);
}

DString styleToCss(const Style& style) {
    DString css;
    css.appendFormat("font-size:%d%%;font-weight:%d;", scaleRounded(style.size, 100, kNormalSize),
                     style.weight);
    if (style.flags & kItalic) css.append("font-style:italic;");
    if (style.flags & kUnderline) css.append("text-decoration:underline;");
    if (!style.color.isNull()) css.append("color:").append(style.color.get()).append(";");
    if (!style.background.isNull())
        css.append("background-color:").append(style.background.get()).append(";");
    return css;
}

DString& appendText(DString& out, const char* text) {
    return appendEscaped(out, text);
}

DString& appendTextSpan(DString& out, const char* text, const char* color, int size) {
    DString escaped;
    appendEscaped(escaped, text);
    return appendSpanText(out, escaped.c_str(), color, size);
}

DString& appendSpanText(DString& out, const char* markup, const char* color, int size) {
    if (!color && size == kNormalSize) return out.append(markup);
    Style style;
    style.size = size;
    style.color = color;
    return appendSpan(out, markup, style);
}

DString& appendStyledText(DString& out, const char* text, const Style& style) {
    DString escaped;
    appendEscaped(escaped, text);
    return appendSpan(out, escaped.c_str(), style);
}

DString& appendSpan(DString& out, const char* markup, const Style& style) {
    if (style.isDefault()) return out.append(markup);
    String keep;
    markup = out.stableText(markup, keep);
    out.append("<span style=\"");
    appendEscaped(out, styleToCss(style).c_str());
    return out.append("\">").append(markup).append("</span>");
}

DString& appendDivStart(DString& out, int alignment, const Style* style) {
    out.append("<div style=\"text-align:");
    out.append(kAlignNames[alignment >= 0 && alignment < 3 ? alignment : 3]);
    if (style) appendEscaped(out.append(";"), styleToCss(*style).c_str());
    return out.append("\">");
}

DString& appendBoldText(DString& out, const char* text, const char* color, int size) {
    DString bold;
    appendEscaped(bold.append("<b>"), text).append("</b>");
    return appendSpanText(out, bold.c_str(), color, size);
}

namespace {

DString& appendLink(DString& out, const char* text, const char* url, const char* css) {
    String keepText, keepUrl, keepCss;
    text = out.stableText(text, keepText);
    url = out.stableText(url, keepUrl);
    css = out.stableText(css, keepCss);
    appendEscaped(out.append("<a href=\""), url).append("\"");
    if (css) appendEscaped(out.append(" style=\""), css).append("\"");
    return appendEscaped(out.append(">"), text ? text : url).append("</a>");
}

}  // namespace

DString& appendColoredLink(DString& out, const char* text, const char* url, const char* color) {
    if (!color) return appendLink(out, text, url, nullptr);
    DString css;
    css.append("color:").append(color);
    return appendLink(out, text, url, css.c_str());
}

DString& appendStyledLink(DString& out, const char* text, const char* url, const Style& style) {
    return appendLink(out, text, url, styleToCss(style).c_str());
}

}  // namespace Markup

LinkCbOpenUrl* LinkCbOpenUrl::instance() {
    static LinkCbOpenUrl* const callback = new LinkCbOpenUrl;
    return callback;
}

bool LinkCbOpenUrl::linkClicked(const char* url) {
    return os::openUrl(url);
}

}  // namespace plat
