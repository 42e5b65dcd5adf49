#include "plat/Json.h"

#include "plat/tests/HeapInUse.h"
#include "plat/tests/JsonTestUtil.h"
#include "rdr/BufferedOutStream.h"
#include "rdr/Exception.h"
#include "rdr/MemIoStream.h"
#include "rdr/MemOutStream.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <malloc.h>
#include <pthread.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>
#include <vector>

namespace {

using plat::JsonException;
using plat::JsonValue;
using plat::JsonValuePtr;

JsonValuePtr parse(const std::string& text, const char* contentType = nullptr) {
    return JsonValue::parseHttpBody(contentType, text.data(), text.size());
}

// The message of the JsonException that parsing throws, or "" when it parses.
std::string parseError(const std::string& text, const char* contentType = nullptr) {
    try {
        parse(text, contentType);
        return "";
    } catch (const JsonException& e) {
        EXPECT_STREQ(e.typeName(), "JsonException") << e.message();
        return e.message();
    }
}

std::string written(const std::string& text) {
    return JsonValue::reformat("application/json", text.data(), text.size()).get();
}

// "[0,1,...,n-1" without the closing bracket.
std::string numbers(int n) {
    std::string text = "[";
    for (int i = 0; i < n; i++)
        text += (i ? "," : "") + std::to_string(i);
    return text;
}

// An object of `n` members k0, k1, ..., whose last one repeats the name of member `repeated`
// when that is below n - 1.
std::string objectWithKeys(int n, int repeated) {
    std::string text = "{";
    for (int i = 0; i < n; i++)
        text += (i ? ",\"k" : "\"k") + std::to_string(i + 1 < n || repeated >= n - 1 ? i : repeated) +
                "\":" + std::to_string(i);
    return text + "}";
}

TEST(Json, ParseErrorsNameTheRuleAndLine) {
    using std::string;
    // Input is taken with its length: a NUL is a byte to refuse, not the end.
    const std::pair<const char*, std::vector<string>> cases[] = {
        {"Unsupported number at line 0",
         {"1.5", "1e3", "-1.0", "0.5", "9223372036854775808", "-9223372036854775809"}},
        {"Bad value at line 0", {"-0", "+1", "trux", "\f1", string("[1,\0]", 5)}},
        {"Bad value at line 2", {"[1,\n2,\n]"}},
        {"Bad value at line 3", {"\n\n[1,\n x]"}},
        {"Trailing bytes after JSON at line 0", {"01", string("1\0", 2)}},
        {"Truncated JSON at line 0", {"", "[1", "\"abc", "-", "tru", "\"\\u00", "{\"a\""}},
        {"Unsupported object at line 0",
         {"{\"a\":1,\"a\":2}", objectWithKeys(17, 0), objectWithKeys(40, 20), objectWithKeys(100, 50)}},
        // Past 16 members, names go to a hash table as they come, and it grows at 32.
        {"Unsupported object at line 0",
         [] {
             std::vector<string> objects;
             for (int members = 17; members <= 34; members++)
                 for (int repeated = 0; repeated < members - 1; repeated++)
                     objects.push_back(objectWithKeys(members, repeated));
             return objects;
         }()},
        // Values pending in more than one chunk of the parser's stack are released.
        {"Bad array at line 0", {numbers(150000) + " 1]", "[" + numbers(70000) + "],[" + numbers(70000) + "] 1]"}},
        {"Unsupported string at line 0", {string("\"a\0b\"", 5), "\"\\u0000\""}},
        {"Bad string at line 0",
         {"\"\t\"", "\"\x1F\"", "\"\\n\x1F\"", "\"\\x\"", "\"\xC3\x28\"", "\"\\u00C3\xA9\"",
          "\"\\uFFFF\"", "{1:2}", "{\"a\":1,}"}},
        {"Bad string hex escape at line 0", {"\"\\u12G4\""}},
        {"Illegal low surrogate at line 0", {"\"\\uDC00\""}},
        // Whatever stands after a high surrogate but a whole low one, the end of the text too.
        {"Unterminated surrogate pair at line 0",
         {"\"\\uD800x\"", "\"\\uD800\\u0041\"", "\"\\uD800\"", "\"\\uD800", "\"\\uD800\\",
          "\"\\uD800\\uDC", "\"\\uD800\\uDCxx\""}},
        {"Bad object at line 0", {"{\"a\" 1}", "{\"a\":1 \"b\":2}"}},
        {"Bad array at line 0", {"[1 2]"}},
    };
    for (const auto& [message, inputs] : cases)
        for (const string& input : inputs)
            EXPECT_EQ(parseError(input), message) << input;

    // Strings are scanned 16 bytes at a time: a byte that is no UTF-8 is refused wherever it
    // falls in a block, the one with the closing quote included, and so after an escape.
    for (const string head : {"", "\\n"})
        for (int before = 0; before < 32; before++)
            for (int after : {0, 1, 14, 15, 16, 31}) {
                auto text = [&](const string& middle) {
                    return "[\"" + head + string(size_t(before), 'a') + middle +
                           string(size_t(after), 'b') + "\"" + string(20, ' ') + "]";
                };
                EXPECT_EQ(parseError(text("\xFF")), "Bad string at line 0")
                    << before << " " << after;
                EXPECT_EQ(parse(text("\xC3\xA9"))->asArray().get(0)->asString().get(),
                          (head.empty() ? "" : "\n") + string(size_t(before), 'a') + "\xC3\xA9" +
                              string(size_t(after), 'b'));
            }
}

TEST(Json, WrittenForms) {
    const std::pair<const char*, const char*> cases[] = {
        {"{\"a\":1,\"b\":[true,null]}", "{\n  \"a\":1,\n  \"b\":[\n    true,\n    null\n  ]\n}"},
        {" [ ] ", "[]"},
        {"{}", "{}"},
        {"\n 42 \n", "42"},
        {"9223372036854775807", "9223372036854775807"},
        {"-9223372036854775808", "-9223372036854775808"},
        {"[[],{\"\":false}]", "[\n  [],\n  {\n    \"\":false\n  }\n]"},
        {"\"\\ud83d\\ude00\"", "\"\\uD83D\\uDE00\""},
        {"\"\\b\\f\\/\\t\\n\\r\\\"\\\\\\u007f\\u001F\"",
         "\"\\u0008\\u000C/\\t\\n\\r\\\"\\\\\\u007F\\u001F\""},
        {"\"caf\xC3\xA9 \xE2\x82\xAC\"", "\"caf\xC3\xA9 \xE2\x82\xAC\""},
        {"[1,", "<not JSON-encoded data: Truncated JSON at line 0>"},
    };
    for (const auto& [input, output] : cases)
        EXPECT_EQ(written(input), output) << input;
    EXPECT_EQ(parse("\"\\ud83d\\ude00\"")->asString().length(), 4u);

    // Texts are scanned 16, 8 and 4 bytes at a time: one byte that needs care, at every place
    // of texts of every length across those sizes, is still written with care and reads back;
    // the bytes at either edge of the plain ones are written as they are.
    struct Special {
        const char* text;
        const char* written;
        const char* read;
    };
    const Special specials[] = {
        {"\"", "\\\"", "\""},          {"\\", "\\\\", "\\"},
        {"\x01", "\\u0001", "\x01"},   {"\x1F", "\\u001F", "\x1F"},
        {" ", " ", " "},                {"~", "~", "~"},
        {"\x7F", "\\u007F", "\x7F"},   {"\xC3\xA9", "\xC3\xA9", "\xC3\xA9"},
        {"\xFF", "\xEF\xBF\xBD", "\xEF\xBF\xBD"}};
    for (int length = 1; length <= 34; length++)
        for (int at = 0; at < length; at++)
            for (const Special& special : specials) {
                std::string text(size_t(length), 'a'), expected = text, read = text;
                text.replace(size_t(at), 1, special.text);
                expected.replace(size_t(at), 1, special.written);
                read.replace(size_t(at), 1, special.read);
                JsonValuePtr value(new plat::JsonString(text.c_str()));
                const std::string written = JsonValue::toString(value).get();
                ASSERT_EQ(written, "\"" + expected + "\"") << length << " " << at << " " << expected;
                ASSERT_EQ(parse(written)->asString().get(), read) << written;
            }

    // The text goes into the stream's window in place, and what a short window cannot take
    // whole goes through write(): every stream gets the same bytes, however small its buffers,
    // indents beyond the one-piece width included, and a limit one byte short refuses them.
    std::string input = "{\"list\":[";
    for (int i = 0; i < 300; i++)
        input += (i ? ",{\"n\":" : "{\"n\":") + std::to_string(i) + ",\"s\":\"" +
                 std::string(size_t(i % 41), 'x') + "\\u00e9\"}";
    input += "],\"deep\":[[[[[[[[[[\"end\"]]]]]]]]]]}";
    JsonValuePtr tree = parse(input);
    rdr::MemOutStream whole(1 << 20);
    tree->write(whole, 110);
    const std::string text(reinterpret_cast<const char*>(whole.data()), size_t(whole.length()));
    ASSERT_NE(text.find(std::string(130, ' ') + "\"end\""), std::string::npos);
    rdr::MemOutStream grown(1);
    tree->write(grown, 110);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(grown.data()), size_t(grown.length())), text);
    rdr::MemIoStream pipe(nullptr, -1, 16);
    tree->write(pipe, 110);
    pipe.flush();
    std::string piped(text.size(), '\0');
    EXPECT_EQ(std::memcmp(pipe.readBytes(&piped[0], int(text.size())), text.data(), text.size()), 0);
    EXPECT_EQ(pipe.length(), int(text.size()));
    rdr::NullOutStream null;
    tree->write(null, 110);
    EXPECT_EQ(null.length(), int(text.size()));
    rdr::MemOutStream exact(16, int(text.size()));
    tree->write(exact, 110);
    EXPECT_EQ(exact.length(), int(text.size()));
    rdr::MemOutStream tooSmall(16, int(text.size()) - 1);
    EXPECT_THROW(tree->write(tooSmall, 110), rdr::OutStreamFull);
}

// A string that did not come from the parser may hold malformed UTF-8: the writer used to stop
// there and lose the rest of the text, and a clone with it.
TEST(Json, MalformedUtf8IsWrittenAsReplacementAndKept) {
    plat::JsonObjectPtr object(new plat::JsonObject);
    object->setString("k\xFF", "a\xC3(b\xED\xA0\x80z");
    const char* expected = "{\n  \"k\xEF\xBF\xBD\":\"a\xEF\xBF\xBD(b\xEF\xBF\xBDz\"\n}";
    EXPECT_STREQ(JsonValue::toString(object).get(), expected);
    JsonValuePtr copy = JsonValue::clone(object);
    EXPECT_STREQ(copy.asObject()->get("k\xEF\xBF\xBD")->asString().get(),
                 "a\xEF\xBF\xBD(b\xEF\xBF\xBDz");
}

// The error names the line of the refused value, also where line feeds stand between it and
// the colon before it.
TEST(Json, NestingIsBoundedAt32LevelsBelowTheTop) {
    for (std::string open : {"[", "{\"k\":", "[\n", "{\"k\":\n"}) {
        const std::string line = open.back() == '\n' ? "33" : "0";
        for (int containers : {33, 34}) {
            std::string text;
            for (int i = 1; i < containers; i++)
                text += open;
            text += std::string(size_t(containers), open[0] == '[' ? ']' : '}');
            text.insert(text.size() - size_t(containers), 1, open[0]);
            EXPECT_EQ(parseError(text),
                      containers == 33 ? "" : "Unsupported nesting at line " + line)
                << open << " x" << containers;
        }
    }
    static_assert(std::is_abstract_v<JsonValue>, "only its kinds are values");
}

// Runs `body` on a thread with a stack of 512 KiB, what secondary threads get on the product's
// system.
void onSmallStack(const std::function<void()>& body) {
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, size_t(512) << 10), 0);
    pthread_t thread;
    auto run = [](void* call) -> void* {
        try {
            (*static_cast<const std::function<void()>*>(call))();
        } catch (const plat::Exception& e) {
            ADD_FAILURE() << e.message();
        }
        return nullptr;
    };
    void* call = const_cast<std::function<void()>*>(&body);
    ASSERT_EQ(pthread_create(&thread, &attributes, run, call), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

// A chain of `depth` containers, arrays and objects in turn, each the only value of the one
// before it (the member "k" of an object) or, with `leaves`, between a number and a string.
JsonValuePtr chain(int depth, bool leaves = false) {
    JsonValuePtr top;
    JsonValue* last = nullptr;
    for (int level = 0; level < depth; level++) {
        JsonValuePtr next(level % 2 ? static_cast<JsonValue*>(new plat::JsonObject)
                                    : static_cast<JsonValue*>(new plat::JsonArray));
        if (!last) {
            top = next;
        } else if (last->kind() == JsonValue::Kind::Array) {
            plat::JsonArray& array = last->asArray();
            if (leaves) array.append(JsonValuePtr(new plat::JsonNumber(level)));
            array.append(next);
            if (leaves) array.append(JsonValuePtr(new plat::JsonString("after")));
        } else {
            plat::JsonObject& object = last->asObject();
            if (leaves) object.set("a", JsonValuePtr(new plat::JsonNumber(level)));
            object.set("k", next);
            if (leaves) object.setString("z", "after");
        }
        last = next.get();
    }
    return top;
}

// The container inside `value` in the chain above, or an empty reference.
JsonValuePtr inner(const JsonValuePtr& value) {
    if (value->kind() == JsonValue::Kind::Object) return value->asObject().getOptional("k");
    const plat::JsonArray& array = value->asArray();
    for (int i = 0; i < array.size(); i++)
        if (array.get(i)->kind() == JsonValue::Kind::Array ||
            array.get(i)->kind() == JsonValue::Kind::Object)
            return array.get(i);
    return JsonValuePtr();
}

// The text that chain(depth) is written as.
std::string chainText(int depth) {
    std::string text;
    for (int level = 0; level < depth; level++) {
        if (level > 0)
            text += "\n" + std::string(size_t(2 * level), ' ') + (level % 2 ? "" : "\"k\":");
        text += level % 2 ? "{" : "[";
    }
    for (int level = depth - 1; level >= 0; level--) {
        if (level < depth - 1) text += "\n" + std::string(size_t(2 * level), ' ');
        text += level % 2 ? "}" : "]";
    }
    return text;
}

// A program may build trees far deeper than the parser reads. Released recursively, 300,000
// levels overflowed a thread's 512 KiB stack, and so did a few thousand written.
TEST(Json, TreesDeeperThanTheParserReadsNeitherOverflowNorLeak) {
    const int depth = 300000;
    onSmallStack([] {
        chain(depth, true).reset();
        // Through a container's own destructor, and through the replacement of a member.
        {
            plat::JsonObject holder;
            holder.set("deep", chain(depth));
            holder.set("other", chain(depth, true));
            holder.set("other", JsonValuePtr(new plat::JsonNull));
            holder.remove("deep");
            holder.set("again", chain(depth));
        }
        // A part held from outside outlives the rest, whole.
        JsonValuePtr top = chain(depth, true), part = top;
        for (int level = 0; level < depth / 2; level++)
            part = inner(part);
        top.reset();
        int levels = 0;
        for (JsonValuePtr at = part; at; at = inner(at))
            levels++;
        EXPECT_EQ(levels, depth - depth / 2);
        EXPECT_EQ(part->asArray().get(0)->asNumber().value(), depth / 2 + 1);
    });

    // Writing follows no call depth either; clone, which parses what it wrote, refuses a tree
    // the parser would refuse, with the parser's error, before it writes the rest.
    onSmallStack([] {
        // Indents past 32 spaces and the writer's own stack past the parser's 32 levels take
        // other ways; what the parser reads comes back as it was.
        for (int levels = 1; levels <= 40; levels++) {
            EXPECT_EQ(JsonValue::toString(chain(levels)).get(), chainText(levels)) << levels;
            if (levels > JsonValue::kMaxDepth + 1) continue;
            JsonValuePtr tree = chain(levels, true);
            plat::String text = JsonValue::toString(tree);
            EXPECT_TRUE(jsontest::sameTree(*tree, *parse(text.get()))) << levels;
        }
        EXPECT_EQ(JsonValue::toString(chain(4000)).get(), chainText(4000));
        EXPECT_EQ(JsonValue::toString(JsonValue::clone(chain(33))).get(), chainText(33));
        const std::string refused = parseError(chainText(34));
        EXPECT_EQ(refused, "Unsupported nesting at line 33");
        for (int levels : {34, 4000, depth}) {
            std::string error;
            try {
                JsonValue::clone(chain(levels));
            } catch (const JsonException& e) {
                error = e.message();
            }
            EXPECT_EQ(error, refused) << levels;
        }
    });
}

TEST(Json, ContentTypes) {
    for (const char* type : {"application/json", " Application/JSON ; CharSet=UTF-8 "})
        EXPECT_EQ(parseError("1", type), "") << type;
    for (const char* type : {"application/json; charset=latin1", "text/json", "application/json;"})
        EXPECT_EQ(parseError("1", type), std::string("Unknown Content-Type '") + type + "'");

    // The forms without a length read up to the NUL.
    EXPECT_EQ(JsonValue::parseHttpBody("application/json", "[1, 2]\0 3")->asArray().size(), 2);
    EXPECT_STREQ(JsonValue::reformat(nullptr, "{\"a\" : 1}").get(), "{\n  \"a\":1\n}");
    EXPECT_STREQ(JsonValue::reformat("text/json", "1").get(),
                 "<not JSON-encoded data: Unknown Content-Type 'text/json'>");
    EXPECT_STREQ(JsonValue::reformat(nullptr, nullptr).get(),
                 "<not JSON-encoded data: Truncated JSON at line 0>");
}

// A value that counts its destructions, to see when the ring lets go of it.
struct Counted : plat::JsonNull {
    explicit Counted(int* deaths) : deaths(deaths) {}
    ~Counted() override { ++*deaths; }
    int* deaths;
};

TEST(Json, ReferenceRingDeletesWithTheLastReference) {
    int deaths = 0;
    {
        JsonValuePtr a(new Counted(&deaths));
        JsonValuePtr b = a, c;
        c = b;
        JsonValuePtr d(std::move(b));
        a.reset();
        c = JsonValuePtr();
        d = d;
        EXPECT_TRUE(!b && deaths == 0);
    }
    EXPECT_EQ(deaths, 1);

    // A typed reference keeps the object alive alone; assigning a reference that lives inside
    // the value being released must copy it first.
    JsonValuePtr tree = parse("{\"list\":[[7]]}");
    plat::JsonArrayPtr list = tree.asObject()->getArray("list");
    tree.reset();
    JsonValuePtr inner = list;
    list = plat::JsonArrayPtr();
    inner = inner.asArray()->get(0);
    inner = inner.asArray()->get(0);
    EXPECT_EQ(inner->asNumber().value(), 7);
}

TEST(Json, AccessorsAndTheirFailures) {
    JsonValuePtr tree = parse(
        "{\"n\":-5000000000,\"s\":\"2024-05-06T07:08:09Z\",\"b64\":\"aGk=\",\"t\":[\"b\",\"a\"]}");
    plat::JsonObject& object = tree->asObject();
    plat::JsonNumber& n = object.get("n")->asNumber();
    EXPECT_EQ(n.getInt(), INT_MIN);
    EXPECT_EQ(n.getInRange(-5000000000, 0), -5000000000);
    EXPECT_EQ(object.get("s")->asTime(), (int64_t(1714979289) + 11644473600) * 10000000);
    plat::ByteBuf bytes = object.get("b64")->asBytes();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()), size_t(bytes.size())), "hi");
    EXPECT_EQ(object.getArray("t")->toStringSet().begin()->get(), std::string("a"));
    EXPECT_EQ(object.findArray("t"), &object.get("t")->asArray());
    EXPECT_TRUE(!object.findArray("n") && !object.getOptional("missing"));

    const std::pair<std::function<void()>, const char*> failures[] = {
        {[&] { n.getInRange(1, 2); },
         "[JsonException] Unexpected value: -5000000000 out of range [1,2]"},
        {[&] { object.get("n")->asString(); }, "[Json] Unexpected JSON type"},
        {[&] { object.get("b64")->asTime(); }, "[Json] Unexpected JSON type"},
        {[&] { object.get("s")->asBytes(); }, "[Json] Unexpected JSON type"},
        {[&] { parse("[1]")->asArray().toStrings(); }, "[Json] Unexpected JSON type"},
        {[&] { object.getArray("n"); }, "[Json] Unexpected JSON type"},
        {[&] { object.get("x"); }, "[JsonException] JSON object property 'x' not found"},
        {[&] { object.get("t")->asArray().get(2); },
         "[JsonException] JSON array index 2 not found"},
        {[&] { object.get("t")->asArray().get(-1); },
         "[JsonException] JSON array index -1 not found"},
        {[&] { object.get("s")->asString().checkLength(19); }, "Unexpected value: string too long"},
        {[&] { object.get("s")->asString().checkLength(20); }, ""},
    };
    for (const auto& [call, text] : failures) {
        std::string got;
        try {
            call();
        } catch (const plat::Exception& e) {
            got = std::string(e.typeName()[0] ? "[" + std::string(e.typeName()) + "] " : "") +
                  e.message();
        }
        EXPECT_EQ(got, text);
    }
}

// Objects past the short-scan size look names up through an index, which removal and
// replacement must keep true.
TEST(Json, ObjectMembersKeepOrderThroughSetAndRemove) {
    plat::JsonObject object;
    for (int i = 0; i < 20; i++)
        object.set(std::to_string(i).c_str(), JsonValuePtr(new plat::JsonNumber(i)));
    object.set("3", JsonValuePtr(new plat::JsonBool(true)));
    object.remove("0");
    object.remove("absent");
    object.setString("new", "v");
    ASSERT_EQ(object.size(), 20);
    EXPECT_STREQ(object.members()[2].name.get(), "3");
    EXPECT_TRUE(object.get("3")->asBool().value());
    for (int i = 0; i < 20; i++)
        EXPECT_EQ(object.has(std::to_string(i).c_str()), i > 0) << i;
    EXPECT_STREQ(object.get("new")->asString().get(), "v");
    std::string members;
    for (int i = 0; i < 12; i++)
        members += "\"k" + std::to_string(i) + "\":0,";
    EXPECT_EQ(parseError("{" + members + "\"k11\":1}"), "Unsupported object at line 0");

    // Names that differ in one byte only, the last one past the 8 compared first included, are
    // two names, in a short object and past 16 members, where a hash table finds them.
    for (size_t length = 1; length <= 40; length++)
        for (size_t at : {size_t(0), size_t(7), size_t(8), length - 1}) {
            if (at >= length) continue;
            std::string name(length, 'n'), other = name;
            other[at] = 'o';
            for (int before : {0, 20}) {
                std::string text = "{";
                for (int i = 0; i < before; i++)
                    text += "\"" + std::to_string(i) + "\":0,";
                text += "\"" + name + "\":1,\"" + other + "\":2}";
                ASSERT_EQ(parseError(text), "") << length << " " << at << " " << before;
                JsonValuePtr pair = parse(text);
                EXPECT_EQ(pair->asObject().get(name.c_str())->asNumber().value(), 1);
                EXPECT_EQ(pair->asObject().get(other.c_str())->asNumber().value(), 2);
            }
        }

    // A parsed object keeps its names in one block: edits must free only the names they made,
    // and a name stays where it is while the members move.
    JsonValuePtr tree = parse(objectWithKeys(30, 29));
    plat::JsonObject& parsed = tree->asObject();
    const char* first = parsed.members()[0].name.get();
    for (int i = 0; i < 40; i++)
        parsed.set(("new" + std::to_string(i)).c_str(), JsonValuePtr(new plat::JsonNumber(i)));
    parsed.remove("k0");
    parsed.remove("new0");
    parsed.set("k0", JsonValuePtr(new plat::JsonNull));
    parsed.set("k1", JsonValuePtr(new plat::JsonNull));
    EXPECT_STREQ(first, "k0");
    ASSERT_EQ(parsed.size(), 69);
    EXPECT_STREQ(parsed.members()[0].name.get(), "k1");
    EXPECT_STREQ(parsed.members()[68].name.get(), "k0");
    EXPECT_EQ(parsed.get("k29")->asNumber().value(), 29);
    EXPECT_EQ(parsed.get("new39")->asNumber().value(), 39);
    EXPECT_TRUE(!parsed.has("new0") && parsed.get("k1")->kind() == JsonValue::Kind::Null);
}

// A large object finds its members through the index that the parser built for its duplicate
// check; set and remove keep it true. Objects below, at and above the scan limit, parsed alone,
// nested after other keys and after a large sibling at the same depth, or built by set, go
// through the same edits as a list of names in order, and every look-up must agree with a scan
// of that list.
TEST(Json, KeyIndexAgreesWithAScanThroughEdits) {
    using Model = std::vector<std::pair<std::string, int64_t>>;
    auto modelled = [](const Model& model, const std::string& name) -> const int64_t* {
        for (const auto& [key, value] : model)
            if (key == name) return &value;
        return nullptr;
    };
    auto checkAll = [](const plat::JsonObject& object, const Model& model) {
        ASSERT_EQ(object.size(), int(model.size()));
        for (size_t i = 0; i < model.size(); i++) {
            ASSERT_EQ(object.members()[i].name.get(), model[i].first) << i;
            ASSERT_EQ(object.get(model[i].first.c_str())->asNumber().value(), model[i].second)
                << model[i].first;
        }
    };
    // `text` parsed; `path` the member names down to the object edited.
    struct Case {
        int members;
        std::string before, after;  // around the object in the text
        std::vector<std::string> path;
    };
    auto keys = [](int n, const char* prefix) {
        std::string text = "{";
        for (int i = 0; i < n; i++)
            text += std::string(i ? ",\"" : "\"") + prefix + std::to_string(i) + "\":" + std::to_string(i);
        return text + "}";
    };
    std::vector<Case> cases;
    for (int members : {0, 15, 16, 17, 18, 33, 3000}) {
        cases.push_back({members, "", "", {}});
        cases.push_back({members, "{\"a\":0,\"b\":1,\"c\":", "}", {"c"}});
        cases.push_back({members, "[" + keys(500, "s") + ",{\"x\":", "}]", {"x"}});
    }
    for (size_t c = 0; c < cases.size(); c++) {
        const Case& test = cases[c];
        SCOPED_TRACE(testing::Message() << "members " << test.members << ", case " << c % 3);
        Model model;
        for (int i = 0; i < test.members; i++)
            model.emplace_back("k" + std::to_string(i), i);
        JsonValuePtr tree = parse(test.before + keys(test.members, "k") + test.after);
        JsonValuePtr at = tree->kind() == JsonValue::Kind::Array ? tree->asArray().get(1) : tree;
        for (const std::string& name : test.path)
            at = at->asObject().get(name.c_str());
        plat::JsonObject& object = at->asObject();
        ASSERT_NO_FATAL_FAILURE(checkAll(object, model));
        // Longer than every name: a comparison must stop at the name's end, the block's last.
        for (int i = 0; i < 300; i++)
            ASSERT_FALSE(object.has(("absent, and longer than any name " + std::to_string(i)).c_str()));
        if (c % 3 == 0 && test.members > 1) {
            EXPECT_EQ(parseError(objectWithKeys(test.members + 1, test.members - 1)),
                      "Unsupported object at line 0");
        }

        // Edits that cross the scan limit both ways and grow the index, with look-ups between.
        uint32_t seed = uint32_t(c) + 1;
        auto random = [&seed](uint32_t n) { return ((seed = seed * 1103515245u + 12345u) >> 8) % n; };
        for (int step = 0; step < 600; step++) {
            const std::string name = "k" + std::to_string(random(uint32_t(test.members) + 40));
            const int64_t value = 1000000 + step;
            switch (random(step < 300 ? 4 : 3)) {
            case 0:
            case 3:
                object.set(name.c_str(), JsonValuePtr(new plat::JsonNumber(value)));
                if (int64_t* known = const_cast<int64_t*>(modelled(model, name)))
                    *known = value;
                else
                    model.emplace_back(name, value);
                break;
            case 1:
                object.remove(name.c_str());
                for (auto it = model.begin(); it != model.end(); ++it)
                    if (it->first == name) {
                        model.erase(it);
                        break;
                    }
                break;
            default:
                break;
            }
            const int64_t* expected = modelled(model, name);
            ASSERT_EQ(object.has(name.c_str()), expected != nullptr) << step << " " << name;
            if (expected) {
                ASSERT_EQ(object.get(name.c_str())->asNumber().value(), *expected);
            }
            if (step % 100 == 99) {
                ASSERT_NO_FATAL_FAILURE(checkAll(object, model)) << step;
            }
        }
        ASSERT_NO_FATAL_FAILURE(checkAll(object, model));
    }

    // An object built by set alone, past the limit and back down by removal.
    plat::JsonObject built;
    Model model;
    for (int i = 0; i < 100; i++) {
        built.set(("b" + std::to_string(i)).c_str(), JsonValuePtr(new plat::JsonNumber(i)));
        model.emplace_back("b" + std::to_string(i), i);
        ASSERT_NO_FATAL_FAILURE(checkAll(built, model)) << i;
    }
    for (int i = 99; i >= 0; i -= 2) {
        built.remove(("b" + std::to_string(i)).c_str());
        model.erase(model.begin() + i);
        ASSERT_FALSE(built.has(("b" + std::to_string(i)).c_str()));
        ASSERT_NO_FATAL_FAILURE(checkAll(built, model)) << i;
    }
}

// `count` names of 9 bytes that fall on one slot of the index of `count` members under the
// standard library's string hash: its seed is the same in every process, so such a list made
// once works everywhere.
std::vector<std::string> namesOnOneSlotOfAnUnkeyedHash(size_t count) {
    size_t slots = 64;
    while (2 * count > slots)
        slots *= 2;
    std::vector<std::string> names;
    char name[9] = {'k'};
    for (uint32_t i = 0; names.size() < count; i++) {
        for (int digit = 0; digit < 8; digit++)
            name[8 - digit] = "0123456789abcdef"[(i >> (4 * digit)) & 15];
        const uint64_t hash = std::hash<std::string_view>()(std::string_view(name, 9));
        if (((hash ^ (hash >> 32)) & (slots - 1)) == 0) names.emplace_back(name, 9);
    }
    return names;
}

// Names chosen to share a slot of an unkeyed hash cost no more than any others: the keyed hash
// spreads them, so a large object still parses in time linear in its text.
TEST(Json, ChosenNamesParseAsFastAsAnyOthers) {
    constexpr size_t kMembers = 2048;
    const std::vector<std::string> chosen = namesOnOneSlotOfAnUnkeyedHash(kMembers);
    std::vector<std::string> ordinary;
    for (size_t i = 0; i < kMembers; i++)
        ordinary.push_back("k" + std::to_string(10000000 + i));
    auto object = [](const std::vector<std::string>& names) {
        std::string text = "{";
        for (const std::string& name : names)
            text += (text.size() > 1 ? ",\"" : "\"") + name + "\":0";
        return text + "}";
    };
    auto bestParseTime = [](const std::string& text) {
        auto best = std::chrono::steady_clock::duration::max();
        for (int round = 0; round < 7; round++) {
            const auto start = std::chrono::steady_clock::now();
            JsonValuePtr tree = parse(text);
            best = std::min(best, std::chrono::steady_clock::now() - start);
            EXPECT_EQ(tree->asObject().size(), int(kMembers));
        }
        return std::chrono::duration<double>(best).count();
    };
    const std::string chosenText = object(chosen), ordinaryText = object(ordinary);
    ASSERT_EQ(chosenText.size(), ordinaryText.size());
    const double ratio = bestParseTime(chosenText) / bestParseTime(ordinaryText);
    // One slot for all would make it about 50 times slower here.
    EXPECT_LT(ratio, 4.0);
    EXPECT_TRUE(parse(chosenText)->asObject().has(chosen[kMembers / 2].c_str()));
}

// The names' hash reads every byte and the length, and its key is drawn in each process: a
// name hashes differently in three.
TEST(Json, KeyHashReadsEveryByteAndDiffersBetweenProcesses) {
    using plat::JsonKeyIndex;
    const std::string name = "abcdefghijklmnopqrstuvwx";
    for (size_t length = 1; length <= name.size(); length++) {
        EXPECT_NE(JsonKeyIndex::hash(name.data(), length), JsonKeyIndex::hash(name.data(), length - 1));
        for (size_t at = 0; at < length; at++) {
            std::string changed = name;
            changed[at] ^= 0x20;
            EXPECT_NE(JsonKeyIndex::hash(name.data(), length), JsonKeyIndex::hash(changed.data(), length))
                << length << " " << at;
        }
    }

    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, not a fork of this one
    auto hashInAFreshProcess = [] {
        std::string printed;
        EXPECT_EXIT(
            {
                std::fprintf(stderr, "hash %08x\n", plat::JsonKeyIndex::hash("member", 6));
                std::_Exit(0);
            },
            testing::ExitedWithCode(0), testing::Truly([&printed](const std::string& err) {
                printed = err;
                return true;
            }));
        const size_t at = printed.find("hash ");
        EXPECT_NE(at, std::string::npos) << printed;
        return at == std::string::npos ? 0ul : std::stoul(printed.substr(at + 5, 8), nullptr, 16);
    };
    const unsigned long first = hashInAFreshProcess(), second = hashInAFreshProcess();
    EXPECT_NE(first, second);
    EXPECT_NE(first, plat::JsonKeyIndex::hash("member", 6));
    EXPECT_EQ(plat::JsonKeyIndex::hash("member", 6), plat::JsonKeyIndex::hash("member", 6));
}

// Elements wait on a stack of chunks until their container closes, and reach it in order.
TEST(Json, LongContainersKeepTheirOrder) {
    JsonValuePtr tree = parse("[" + numbers(70000) + "]," + numbers(140000) + "]," + objectWithKeys(300, 299) + "]");
    const plat::JsonArray& outer = tree->asArray();
    ASSERT_EQ(outer.size(), 3);
    for (int list = 0; list < 2; list++) {
        const plat::JsonArray& inner = outer.get(list)->asArray();
        ASSERT_EQ(inner.size(), 70000 * (list + 1));
        for (int i = 0; i < inner.size(); i++)
            ASSERT_EQ(inner.get(i)->asNumber().value(), i) << list;
    }
    const plat::JsonObject& object = outer.get(2)->asObject();
    ASSERT_EQ(object.size(), 300);
    for (int i = 0; i < 300; i++) {
        ASSERT_EQ(object.members()[size_t(i)].name.get(), "k" + std::to_string(i));
        ASSERT_EQ(object.get(("k" + std::to_string(i)).c_str())->asNumber().value(), i);
    }
}

// A tree is released on whichever thread drops its last reference, and a thread keeps about
// 1 MiB of emptied blocks: the rest goes back, also when the thread that built the tree is
// gone by then.
TEST(Json, TreesReleasedOnAnyThreadGiveTheirMemoryBack) {
    std::string text = "[";
    for (int i = 0; i < 50000; i++)
        text += std::string(i ? "," : "") + "{\"id\":" + std::to_string(i) + ",\"tags\":[\"a\",\"b\"]}";
    text += "]";
    const size_t before = heapInUse();
    JsonValuePtr trees[2];
    std::thread builder([&] {
        for (JsonValuePtr& tree : trees)
            tree = parse(text);
    });
    builder.join();
    EXPECT_GT(heapInUse(), before + (20u << 20));
    // Two threads release the records of both trees at once, while this one parses more.
    std::vector<JsonValuePtr> halves[2];
    for (JsonValuePtr& tree : trees) {
        for (int i = 0; i < tree->asArray().size(); i++)
            halves[i % 2].push_back(tree->asArray().get(i));
        tree.reset();
    }
    std::thread releasers[2];
    for (int half = 0; half < 2; half++)
        releasers[half] = std::thread([&halves, half] { std::vector<JsonValuePtr>().swap(halves[half]); });
    for (int i = 0; i < 2000; i++) {
        JsonValuePtr small = parse("{\"id\":" + std::to_string(i) + ",\"tags\":[\"a\"]}");
        ASSERT_EQ(small->asObject().get("id")->asNumber().value(), i);
    }
    for (std::thread& releaser : releasers)
        releaser.join();
    EXPECT_LT(heapInUse(), before + (3u << 20));
}

// The blocks a thread keeps for its next trees pin the runs they were cut from: whatever the
// order in which blocks empty, the thread holds two runs (1 MiB) once everything is freed.
TEST(Json, HeapKeepsAboutOneMebibyteWhateverTheOrderOfFrees) {
    using namespace plat::jsonheap;
    constexpr size_t kPiece = 4096, kBlocks = 320, kRun = 8 * kBlockSize;  // 40 runs of 8 blocks
    // Blocks are numbered in the order they were first cut from, and freed in the order of
    // each function.
    const std::pair<const char*, std::function<bool(size_t, size_t)>> orders[] = {
        {"as allocated", [](size_t a, size_t b) { return a < b; }},
        {"reversed", [](size_t a, size_t b) { return a > b; }},
        {"one block of eight first",
         [](size_t a, size_t b) {
             return std::make_pair(a % 8 != 0, a) < std::make_pair(b % 8 != 0, b);
         }},
        {"one block of seven first",
         [](size_t a, size_t b) { return std::make_pair(a % 7, a) < std::make_pair(b % 7, b); }},
    };
    for (const auto& [name, before] : orders) {
        std::thread([&, name = name, before = before] {
            // Pieces are cut from a block front to back: a block's pieces follow each other.
            std::vector<void*> pieces;
            std::vector<size_t> blockStarts, order;
            pieces.reserve(kBlocks * 16);
            blockStarts.reserve(kBlocks + 1);
            order.reserve(kBlocks);
            const size_t start = heldBytes();
            auto blockOf = [](void* p) {
                return reinterpret_cast<uintptr_t>(p) & ~uintptr_t(kBlockSize - 1);
            };
            // Up to the last piece of the last block of a run, so that no block of the current
            // block's run waits to be handed out.
            size_t perBlock = 0;
            while (blockStarts.size() < kBlocks || pieces.size() - blockStarts.back() < perBlock) {
                pieces.push_back(allocate(kPiece));
                if (pieces.size() > 1 &&
                    blockOf(pieces.back()) == blockOf(pieces[pieces.size() - 2]))
                    continue;
                blockStarts.push_back(pieces.size() - 1);
                if (blockStarts.size() == 2) perBlock = blockStarts[1];
            }
            blockStarts.push_back(pieces.size());
            for (size_t i = 0; i < kBlocks; i++)
                order.push_back(i);
            std::sort(order.begin(), order.end(), before);
            for (size_t block : order)
                for (size_t i = blockStarts[block]; i < blockStarts[block + 1]; i++)
                    deallocate(pieces[i], kPiece);
            // The frees into one block are counted at the next free into another: the thread
            // goes on with one more value.
            deallocate(allocate(8), 8);
            EXPECT_LE(heldBytes() - start, 2 * kRun)
                << name << ": " << (heldBytes() - start) / 1024 << " KiB";
        }).join();
    }
}

// A destructor of a thread-local made before the thread's first tree runs after the thread's
// heap and parser storage have ended (as a static destructor does after exit()): it still
// parses, its values take about the room they take on a live thread, and what it allocates
// goes back with the values, also when they are freed on another thread (a short one, whose
// own cache goes when it ends).
TEST(Json, ValuesMadeAfterTheThreadEndedKeepNoBlock) {
    static JsonValuePtr handedOut;
    static size_t lateGrowth;
    struct LateParser {
        ~LateParser() {
            EXPECT_EQ(parse("{\"late\":[1,\"two\\n\"]}")->asObject().get("late")->asArray().size(),
                      2);
            handedOut = parse("[\"kept\\tby another thread\"," + numbers(100) + "]]");
            const size_t start = plat::jsonheap::heldBytes();
            JsonValuePtr many = parse(numbers(5000) + "]");
            lateGrowth = plat::jsonheap::heldBytes() - start;
        }
    };
    size_t liveGrowth = 0;
    std::thread([&liveGrowth] {
        const size_t start = plat::jsonheap::heldBytes();
        JsonValuePtr many = parse(numbers(5000) + "]");
        liveGrowth = plat::jsonheap::heldBytes() - start;
    }).join();
    const size_t before = heapInUse();
    std::thread([] {
        thread_local LateParser late;
        (void)late;
        EXPECT_EQ(parse("[\"first\\n\"]")->asArray().size(), 1);
    }).join();
    // A block a value would be 300 MiB.
    EXPECT_GT(liveGrowth, 0u);
    EXPECT_LE(lateGrowth, 2 * liveGrowth) << lateGrowth / 1024 << " KiB against "
                                          << liveGrowth / 1024 << " KiB";
    ASSERT_TRUE(handedOut);
    EXPECT_STREQ(handedOut->asArray().get(0)->asString().get(), "kept\tby another thread");
    EXPECT_EQ(handedOut->asArray().get(1)->asArray().get(99)->asNumber().value(), 99);
    std::thread([] { handedOut.reset(); }).join();
    EXPECT_LT(heapInUse(), before + (16u << 10));
}

// The scratch text of escaped strings starts empty on a new thread, and grows to fit a plain
// run before the first escape, and after each later one: escapes of 1 to 4 bytes after runs
// that leave from 0 to 4 bytes of room, around the inline room and the first grown one.
TEST(Json, EscapedStringsGrowTheirTextOnAFreshThread) {
    std::vector<std::pair<std::string, std::string>> cases = {
        {std::string(2000, 'a') + "\\n", std::string(2000, 'a') + "\n"},
        {"\\t" + std::string(2000, 'b') + "\\u00e9", "\t" + std::string(2000, 'b') + "\xC3\xA9"},
        {std::string(300, 'c') + "\\/" + std::string(5000, 'd') + "\\\"",
         std::string(300, 'c') + "/" + std::string(5000, 'd') + "\""},
    };
    const std::pair<const char*, const char*> escapes[] = {
        {"\\n", "\n"}, {"\\u00e9", "\xC3\xA9"}, {"\\u20ac", "\xE2\x82\xAC"},
        {"\\ud83d\\ude00", "\xF0\x9F\x98\x80"}};
    // Alone, or after a first escape that grew the room onto the heap (to 512 bytes).
    const std::pair<std::string, std::string> before[] = {
        {"", ""}, {std::string(300, 'p') + "\\n", std::string(300, 'p') + "\n"}};
    for (const auto& [start, startDecoded] : before)
        for (auto [from, to] : {std::pair<size_t, size_t>{0, 8}, {200, 215}, {248, 262}, {500, 520}})
            for (size_t run = from; run <= to; run++)
                for (const auto& [escape, decoded] : escapes)
                    cases.emplace_back(start + std::string(run, 'e') + escape + "z",
                                       startDecoded + std::string(run, 'e') + decoded + "z");
    for (const auto& [text, expected] : cases)
        std::thread([&text = text, &expected = expected] {
            EXPECT_EQ(parse("\"" + text + "\"")->asString().get(), expected);
        }).join();
}

// Every n_ file is refused; every y_ file is accepted but for the rules of this parser below;
// each i_ file has the outcome these rules give. Whatever parses writes a text that parses to
// the same tree.
TEST(Json, JsonTestSuite) {
    // The project's copy of Nicolas Seriot's JSONTestSuite (MIT, its LICENSE beside it).
    const std::filesystem::path dir = TQ_JSON_TEST_SUITE;
    ASSERT_TRUE(std::filesystem::is_directory(dir)) << dir;
    // Outcomes other than acceptance, each with the rule that gives it.
    const std::pair<const char*, const char*> rules[] = {
        // Numbers are 64-bit integers: fractions, exponents and larger values are refused.
        {"Unsupported number",
         "y_number y_number_0e+1 y_number_0e1 y_number_int_with_exp y_number_real_capital_e "
         "y_number_real_capital_e_neg_exp y_number_real_capital_e_pos_exp y_number_real_exponent "
         "y_number_real_fraction_exponent y_number_real_neg_exp y_number_real_pos_exponent "
         "y_number_simple_real y_object_extreme_numbers i_number_double_huge_neg_exp "
         "i_number_huge_exp i_number_neg_int_huge_exp i_number_pos_double_huge_exp "
         "i_number_real_neg_overflow i_number_real_pos_overflow i_number_real_underflow "
         "i_number_too_big_neg_int i_number_too_big_pos_int i_number_very_big_negative_int"},
        // A minus sign before 0 is refused at once, whatever follows; so is any byte that
        // starts no token (UTF-16 text, a byte order mark).
        {"Bad value",
         "y_number_minus_zero y_number_negative_zero y_number_double_close_to_zero "
         "y_structure_lonely_negative_real i_string_UTF-16LE_with_BOM i_string_utf16BE_no_BOM "
         "i_string_utf16LE_no_BOM i_structure_UTF-8_BOM_empty_object"},
        // Texts never hold NUL.
        {"Unsupported string", "y_string_null_escape y_object_escaped_null_in_key"},
        // Texts are valid UTF-8 by the strict decoder, which also refuses non-characters.
        {"Bad string",
         "y_string_escaped_noncharacter y_string_last_surrogates_1_and_2 "
         "y_string_nonCharacterInUTF-8_U+10FFFF y_string_nonCharacterInUTF-8_U+FFFF "
         "y_string_unicode_U+10FFFE_nonchar y_string_unicode_U+1FFFE_nonchar "
         "y_string_unicode_U+FDD0_nonchar y_string_unicode_U+FFFE_nonchar "
         "i_string_UTF-8_invalid_sequence i_string_UTF8_surrogate_U+D800 i_string_invalid_utf-8 "
         "i_string_iso_latin_1 i_string_lone_utf8_continuation_byte i_string_not_in_unicode_range "
         "i_string_overlong_sequence_2_bytes i_string_overlong_sequence_6_bytes "
         "i_string_overlong_sequence_6_bytes_null i_string_truncated-utf-8"},
        // Keys are unique.
        {"Unsupported object", "y_object_duplicated_key y_object_duplicated_key_and_value"},
        // Escaped surrogates must come as whole pairs.
        {"Illegal low surrogate",
         "i_object_key_lone_2nd_surrogate i_string_incomplete_surrogate_pair "
         "i_string_inverted_surrogates_U+1D11E i_string_lone_second_surrogate"},
        {"Unterminated surrogate pair",
         "i_string_1st_surrogate_but_2nd_missing i_string_1st_valid_surrogate_2nd_invalid "
         "i_string_incomplete_surrogate_and_escape_valid "
         "i_string_incomplete_surrogates_escape_valid i_string_invalid_lonely_surrogate "
         "i_string_invalid_surrogate"},
        {"Unsupported nesting", "i_structure_500_nested_arrays"},
    };
    std::map<std::string, std::string> refused;
    for (const auto& [message, names] : rules) {
        std::istringstream words(names);
        for (std::string name; words >> name;)
            refused[name + ".json"] = std::string(message) + " at line 0";
    }
    int counts[3] = {};  // n_ refused, y_ and i_ accepted
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        std::ifstream file(entry.path(), std::ios::binary);
        std::stringstream content;
        content << file.rdbuf();
        const std::string text = content.str();
        const std::string error = parseError(text);
        if (name[0] == 'n') {
            EXPECT_THAT(error, testing::MatchesRegex(".+ at line [0-9]+")) << name;
            counts[0]++;
            continue;
        }
        auto rule = refused.find(name);
        EXPECT_EQ(error, rule == refused.end() ? "" : rule->second) << name;
        if (!error.empty()) continue;
        counts[name[0] == 'y' ? 1 : 2]++;
        JsonValuePtr tree = parse(text);
        std::string again = JsonValue::toString(tree).get();
        EXPECT_TRUE(jsontest::sameTree(*tree, *parse(again))) << name;
    }
    EXPECT_EQ(counts[0], 188);
    EXPECT_EQ(counts[1], 95 - 29);  // 29 y_ files refused above
    EXPECT_EQ(counts[2], 0);
}

}  // namespace
