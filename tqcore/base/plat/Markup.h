// plat::Markup: the small HTML-like markup of every styled text the program shows, and the
// builders with which the program composes it.
//
// A text is parsed by the platform's XML reader inside a "body" element and walked into blocks
// (paragraphs) of styled runs; a handler receives them only when the whole text is valid, so bad
// markup shows nothing and is logged on "MarkupParser" instead. The walk keeps its own stack, so
// no nesting of outside input can exhaust the thread's stack. Parsing changes the XML reader's
// process-wide options for its duration and then gives the caller's back: markup is parsed on
// the user-interface thread only.
#pragma once

#include "plat/DString.h"
#include "plat/String.h"

#include <vector>

namespace plat {
namespace Markup {

// Bits of Style::flags.
constexpr unsigned kItalic = 1;
constexpr unsigned kUnderline = 2;
constexpr unsigned kLink = 4;

constexpr int kNormalSize = 120;  // the scale on which 120 is 100 %
constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;

// Alignment codes of a block.
enum Alignment { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2, kAlignJustify = 3 };

// The style of a stretch of text. Colours are kept as written (a role colour name such as
// "helpText", a colour name or value); the consumer resolves them.
struct Style {
    unsigned flags = 0;          // kItalic, kUnderline, kLink
    int size = kNormalSize;      // relative font size, 120 = 100 %
    int weight = kNormalWeight;  // 400 normal, 700 bold
    String color;                // null: the consumer's default
    String background;           // null: none

    // All five fields hold their defaults.
    bool isDefault() const;
};

struct Run {
    DString text;  // UTF-8
    String url;    // set for link text
    Style style;
};

// A paragraph. Paddings are in units of the font size: the consumer multiplies them by its
// line or font height.
struct Block {
    int alignment = kAlignLeft;
    float rightPadding = 0;
    float leftPadding = 0;
    std::vector<Run> runs;
};

// Receives parsed markup: each block with its runs in order, then end(). The pointers passed
// are valid only during the call.
class Handler {
public:
    virtual ~Handler() = default;
    virtual void beginBlock(int alignment, float leftPadding, float rightPadding) = 0;
    // `isLast`: this is the text's last block.
    virtual void endBlock(bool isLast) = 0;
    virtual void text(const Style* style, const char* text) = 0;
    virtual void link(const Style* style, const char* url, const char* text) = 0;
    // After the last block, also when there is none.
    virtual void end() = 0;
};

class Parser {
public:
    virtual ~Parser() = default;
    // Parses `markup` (UTF-8; null is empty) and hands it to `handler` (null: only validates).
    // Returns false for bad markup, which is logged on "MarkupParser" at error level as
    // "Invalid markup (<reason>): ### <markup> ###"; the handler is then not called at all.
    // Exceptions that are not plat::Exception pass through.
    virtual bool parse(const char* markup, Handler* handler);
    // Appends the blocks of `markup` to `blocks`. Bad markup throws plat::Exception with one of
    // "XML error <line>:<column> <text>" (the markup's first line is line 3), "Unexpected tag
    // <name>", "Unexpected attribute (<name> = <value>)", "Invalid hyperlink spec!" (an "a"
    // without an href; an empty one is a link to the empty URL) or "Unexpected node type <kind>"
    // (CDATA, a DOCTYPE, or a comment that joins no two texts); what was appended before the
    // failure stays in `blocks`. An XML warning (a misnested or unclosed element) is not a failure:
    // the reader's repaired tree is used.
    virtual void parseBlocks(const char* markup, std::vector<Block>& blocks) = 0;
};

// The markup parser over the platform's XML reader.
class ParserHtml : public Parser {
public:
    // The one process-wide instance, created on first use and never destroyed.
    static ParserHtml* instance();
    void parseBlocks(const char* markup, std::vector<Block>& blocks) override;
};

class LinkCallback {
public:
    virtual ~LinkCallback() = default;
    // Returns true when the link was handled.
    virtual bool linkClicked(const char* url) = 0;
};

// The plain text of markup: runs and link texts appended in order, blocks joined with no
// separator (a line break element gives its "\n"). Bad markup gives the empty text (and is
// logged as by Parser::parse).
class Stripper : public DString, public Handler {
public:
    explicit Stripper(const char* markup);

    void beginBlock(int, float, float) override {}
    void endBlock(bool) override {}
    void text(const Style* style, const char* text) override;
    // Appends the text, or the URL when the text is null.
    void link(const Style* style, const char* url, const char* text) override;
    void end() override {}
};

// "font-size:<percent>%;font-weight:<weight>;" with the size as a percentage of 120 rounded
// half away from zero, then "font-style:italic;", "text-decoration:underline;", "color:<c>;"
// and "background-color:<c>;" as the style has them. The link bit is not written.
DString styleToCss(const Style& style);

// Snippet builders: each appends to `out` and returns it. "Escaped" text is first made valid
// UTF-8 (text that is not is taken as the single-byte set, ISO 8859-1 with the euro sign at
// 0x80) and then has "&", "<", ">", "\"" and "'" written as entities; markup arguments are
// appended unchanged. Style texts placed inside an attribute are escaped the same way, so a
// colour holding a quote cannot end the attribute.

// The escaped text; nothing for null.
DString& appendText(DString& out, const char* text);
// As appendSpanText with the escaped text.
DString& appendTextSpan(DString& out, const char* text, const char* color, int size);
// The markup alone when `color` is null and `size` is 120; otherwise as appendSpan with a style
// of that colour and size.
DString& appendSpanText(DString& out, const char* markup, const char* color, int size);
// As appendSpan with the escaped text.
DString& appendStyledText(DString& out, const char* text, const Style& style);
// The markup alone for the default style, else "<span style=\"<css>\"><markup></span>".
DString& appendSpan(DString& out, const char* markup, const Style& style);
// "<div style=\"text-align:<left|center|right|justify>" (codes 0, 1, 2, any other), then
// ";<css>" when a style is given, then "\">"; the caller writes the closing "</div>".
DString& appendDivStart(DString& out, int alignment, const Style* style);
// "<b><escaped text></b>" passed as markup to appendSpanText.
DString& appendBoldText(DString& out, const char* text, const char* color, int size);
// "<a href=\"<escaped url>\"", then " style=\"color:<color>\"" when a colour is given, then
// "><escaped text></a>", the escaped URL standing for a null text.
DString& appendColoredLink(DString& out, const char* text, const char* url, const char* color);
// As appendColoredLink, with the attribute always " style=\"<css of the style>\"".
DString& appendStyledLink(DString& out, const char* text, const char* url, const Style& style);

}  // namespace Markup

// The link callback that opens a link's URL with the user's default application.
class LinkCbOpenUrl : public Markup::LinkCallback {
public:
    // The program's one such callback, whose address every widget showing links is given. It
    // stays valid until the process ends, static destruction included.
    static LinkCbOpenUrl* instance();

    // os::openUrl's result: false for a null or malformed URL or when it cannot be opened.
    bool linkClicked(const char* url) override;
};

}  // namespace plat
