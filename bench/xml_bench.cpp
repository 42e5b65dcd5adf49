// The XML reader against TinyXML-2 and pugixml, each with its default options: a document is
// parsed into its full tree, every name, attribute and text read once, and the tree freed.
// Reading the tree back matters: TinyXML-2 decodes entities only when a text is first asked
// for, so a parse alone would leave part of its work undone. Three inputs, built here from fixed
// text: a 1 MiB package catalogue (attributes, entity-bearing texts, four levels of nesting), a
// 2 MiB news feed (texts in several languages, escaped markup, few attributes), and 1,000
// documents of about 1 KiB parsed one after the other, where the cost of each parse's set-up
// and of freeing small trees counts.
// Built only where both peers are installed.
#include "xml/Node.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <tinyxml2.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// One package record; the numbers make every record's text a little different.
void appendPackage(std::string& doc, int n) {
    std::string id = std::to_string(n);
    doc += "  <package id=\"pkg-" + id + "\" name=\"Connect component " + id +
           "\" kind=\"" + (n % 3 ? "library" : "server") + "\" size=\"" +
           std::to_string(48213376 + n * 7919) + "\" required='" + (n % 2 ? "true" : "false") +
           "'>\n"
           "    <title lang=\"en\">Remote access &amp; support, part " + id + "</title>\n"
           "    <description lang=\"en\">Installs the server &lt;QDX&gt; so that viewers can "
           "connect &amp; work; it&apos;s started at login by &quot;launchd&quot; and keeps "
           "running in the background.</description>\n"
           "    <files count=\"3\">\n"
           "      <file path=\"/Applications/Tessary Connect.app/Contents/MacOS/qdx" + id +
           "\" mode=\"0755\" size=\"" + std::to_string(1234567 + n) +
           "\" sha256=\"9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08\"/>\n"
           "      <file path=\"/Library/LaunchDaemons/com.tessary.qdx" + id + ".plist\" "
           "mode=\"0644\" size=\"912\" sha256=\"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934"
           "ca495991b7852b855\"/>\n"
           "      <file path=\"/Library/Application Support/Tessary/qdx" + id + "/config.xml\" "
           "mode=\"0600\" size=\"2048\" sha256=\"2c26b46b68ffc68ff99b453c1d30413413422d706483bf"
           "a0f98a5e886266e7ae\"/>\n"
           "    </files>\n"
           "    <settings>\n"
           "      <setting key=\"Authentication\" type=\"enum\" default=\"SingleSignOn\">"
           "SingleSignOn,Password,SystemAuth</setting>\n"
           "      <setting key=\"Encryption\" type=\"string\">AlwaysOn</setting>\n"
           "      <setting key=\"IdleTimeout\" type=\"int\" min=\"0\" max=\"86400\">3600</setting>\n"
           "      <setting key=\"Banner\" type=\"string\">Welcome to &lt;host&gt; &#x2D; "
           "&#169; Tessary</setting>\n"
           "    </settings>\n"
           "  </package>\n";
}

std::string catalogue() {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<catalogue version=\"3.0.0\" generated=\"2026-12-06T21:00:00Z\">\n";
    const std::string close = "</catalogue>\n";
    for (int n = 1; text.size() + close.size() < (1u << 20); ++n) appendPackage(text, n);
    return text + close;
}

// One entry of a news feed: mostly text, in several languages, with markup escaped inside it.
void appendEntry(std::string& doc, int n) {
    static const char* const kTitles[] = {
        "Release notes: remote sessions now reconnect after sleep",
        "Mise à jour de sécurité : les sessions chiffrées de bout en bout",
        "Neue Funktion: Dateiübertragung während der Sitzung",
        "Actualización: el asistente detecta la configuración del proxy",
        "Atualização: suporte a vários monitores em alta resolução",
    };
    static const char* const kAuthors[] = {"Ana Souza", "Jörg Müller", "Élise Durand",
                                           "Kenji Watanabe", "María García"};
    std::string id = std::to_string(n);
    std::string day = std::to_string(10 + n % 18);
    doc += "  <entry>\n"
           "    <title type=\"text\">";
    doc += kTitles[n % 5];
    doc += " (#" + id + ")</title>\n"
           "    <link rel=\"alternate\" type=\"text/html\" href=\"https://news.example.com/"
           "2026/11/" + day + "/post-" + id + ".html\"/>\n"
           "    <id>urn:uuid:6f1c2a3e-41d7-4c8a-9b0e-" + std::to_string(100000000000 + n) +
           "</id>\n"
           "    <published>2026-11-" + day + "T08:" + std::to_string(10 + n % 50) +
           ":00Z</published>\n"
           "    <updated>2026-11-" + day + "T09:30:00Z</updated>\n"
           "    <author>\n      <name>";
    doc += kAuthors[n % 5];
    doc += "</name>\n      <email>editor" + std::to_string(n % 7) +
           "@example.com</email>\n    </author>\n"
           "    <category term=\"" + std::string(n % 2 ? "release" : "security") +
           "\" label=\"Product news\"/>\n"
           "    <summary type=\"html\">&lt;p&gt;The viewer &amp; the server agree on a new "
           "session key every hour; earlier builds kept one key for the whole session.&lt;/p&gt;"
           "</summary>\n"
           "    <content type=\"html\">&lt;p&gt;Entry " + id + " describes what changed since "
           "the last build. Sessions that were interrupted by a network change or by the "
           "computer going to sleep now reconnect on their own, and the viewer shows "
           "&quot;Reconnecting…&quot; while it waits.&lt;/p&gt;\n"
           "&lt;ul&gt;&lt;li&gt;Faster screen updates on high-resolution displays&lt;/li&gt;"
           "&lt;li&gt;Clipboard transfer of text and files up to 2&#160;GB&lt;/li&gt;"
           "&lt;li&gt;Fixes for keyboard layouts with dead keys (é, ü, ñ)&lt;/li&gt;&lt;/ul&gt;\n"
           "&lt;p&gt;Administrators can roll the change out with the usual policy file; "
           "nothing needs to be done on the viewers. &#169; 2026 Tessary&lt;/p&gt;"
           "</content>\n"
           "  </entry>\n";
}

std::string feed(size_t size) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<feed xmlns=\"http://www.w3.org/2005/Atom\" xml:lang=\"en\">\n"
        "  <title>Tessary Connect news</title>\n"
        "  <subtitle>Releases, security notes and tips</subtitle>\n"
        "  <link rel=\"self\" href=\"https://news.example.com/feed.atom\"/>\n"
        "  <updated>2026-12-06T21:00:00Z</updated>\n"
        "  <id>urn:uuid:60a76c80-d399-11d9-b93C-0003939e0af6</id>\n";
    const std::string close = "</feed>\n";
    for (int n = 1; text.size() + close.size() < size; ++n) appendEntry(text, n);
    return text + close;
}

// The inputs of a run: one large document or many small ones.
const std::vector<std::string>& documents(int which) {
    static const std::vector<std::string> sets[] = {
        {catalogue()},
        {feed(2u << 20)},
        [] {
            // Feeds of one entry each (about 1 KiB), every one a little different.
            std::vector<std::string> small;
            for (int n = 0; n < 1000; ++n) {
                std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<feed>\n";
                appendEntry(text, n);
                small.push_back(text + "</feed>\n");
            }
            return small;
        }(),
    };
    return sets[which];
}

// What a walk of the tree saw; the three readers must agree on it, or they did not do the
// same work. The timed walks only measure each text; the check before them also counts its
// non-blank bytes, which must agree although the readers trim blanks differently.
struct Summary {
    bool check = false;  // count non-blank bytes too
    long elements = 0;
    long attributes = 0;
    long texts = 0;
    size_t bytes = 0;
    long nonBlank = 0;

    void add(const char* text) {
        if (!text) return;
        bytes += std::strlen(text);
        for (; check && *text; ++text)
            nonBlank += *text != ' ' && *text != '\t' && *text != '\n' && *text != '\r';
    }
    bool operator==(const Summary& o) const {
        return elements == o.elements && attributes == o.attributes && texts == o.texts &&
               nonBlank == o.nonBlank;
    }
};

void walk(const xml::Node& node, Summary& s) {
    if (node.declaration()) {
        for (int i = 0; i < node.childCount(); ++i) walk(node.getChildNode(i), s);
        return;
    }
    ++s.elements;
    s.add(node.getName());
    for (int i = 0; i < node.attributeCount(); ++i) {
        ++s.attributes;
        s.add(node.getAttributeName(i));
        s.add(node.getAttributeValue(i));
    }
    for (int i = 0; i < node.textCount(); ++i) {
        ++s.texts;
        s.add(node.getText(i));
    }
    for (int i = 0; i < node.childCount(); ++i) walk(node.getChildNode(i), s);
}

void walk(const tinyxml2::XMLNode* node, Summary& s) {
    for (const tinyxml2::XMLNode* child = node->FirstChild(); child;
         child = child->NextSibling()) {
        if (const tinyxml2::XMLElement* e = child->ToElement()) {
            ++s.elements;
            s.add(e->Name());
            for (const tinyxml2::XMLAttribute* a = e->FirstAttribute(); a; a = a->Next()) {
                ++s.attributes;
                s.add(a->Name());
                s.add(a->Value());
            }
            walk(e, s);
        } else if (const tinyxml2::XMLText* t = child->ToText()) {
            ++s.texts;
            s.add(t->Value());
        }
    }
}

void walk(const pugi::xml_node& node, Summary& s) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            ++s.elements;
            s.add(child.name());
            for (pugi::xml_attribute a = child.first_attribute(); a; a = a.next_attribute()) {
                ++s.attributes;
                s.add(a.name());
                s.add(a.value());
            }
            walk(child, s);
        } else if (child.type() == pugi::node_pcdata) {
            ++s.texts;
            s.add(child.value());
        }
    }
}

Summary parseOurs(const std::string& text, bool check) {
    Summary s;
    s.check = check;
    xml::ParseResult result;
    xml::Node root = xml::Node::parseString(text.c_str(), nullptr, &result);
    if (result.error == xml::kNoError) walk(root, s);
    return s;
}

Summary parseTinyXml2(const std::string& text, bool check) {
    Summary s;
    s.check = check;
    tinyxml2::XMLDocument doc;
    if (doc.Parse(text.data(), text.size()) == tinyxml2::XML_SUCCESS) walk(&doc, s);
    return s;
}

Summary parsePugixml(const std::string& text, bool check) {
    Summary s;
    s.check = check;
    pugi::xml_document doc;
    if (doc.load_buffer(text.data(), text.size())) walk(doc, s);
    return s;
}

// Argument: the input (0 the catalogue, 1 the feed, 2 the small documents).
template <Summary (*parse)(const std::string&, bool)>
void BM_XmlParse(benchmark::State& state) {
    const std::vector<std::string>& docs = documents(int(state.range(0)));
    // The reference is ours: a peer that sees a different tree is not measured.
    int64_t bytes = 0;
    long elements = 0;
    for (const std::string& text : docs) {
        const Summary expected = parseOurs(text, true);
        if (expected.elements == 0 || !(parse(text, true) == expected)) {
            state.SkipWithError("the readers disagree on the tree");
            return;
        }
        bytes += int64_t(text.size());
        elements += expected.elements;
    }
    for (auto _ : state) {
        for (const std::string& text : docs) {
            Summary s = parse(text, false);
            benchmark::DoNotOptimize(s.bytes);
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["elements"] = double(elements);
}

BENCHMARK_TEMPLATE(BM_XmlParse, parseOurs)->Name("BM_XmlParse/ours")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_XmlParse, parseTinyXml2)->Name("BM_XmlParse/tinyxml2")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_XmlParse, parsePugixml)->Name("BM_XmlParse/pugixml")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
