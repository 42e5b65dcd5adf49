// JSON: a tree of values held through shared references, a strict parser that names the line
// of every error, and a writer that indents by two spaces a level.
//
// Numbers are signed 64-bit integers only, and a parsed text is valid UTF-8 without NUL. The
// parser takes its input with its length, runs in time linear in it (large objects find
// duplicate keys through a hash index, which they keep for look-ups by name) and refuses
// values nested more than 32 levels below
// the top, so hostile input cannot exhaust the stack; every failure is a plat::JsonException
// "<what> at line <n>" and leaves no partial tree behind. The writer never drops text: a
// malformed UTF-8 sequence in a string is written as U+FFFD. A program may build trees of any
// depth: releasing and writing one take no stack in proportion to it (a written tree's text
// grows with the square of its depth, by its indentation), and clone, which goes through the
// parser, refuses one deeper than the parser reads with the parser's error. Values, their
// arrays and key texts live in the blocks of plat/JsonHeap.h (string texts are array-new, as
// plat::String frees them); the parser's scratch space is a pointer per pending value, handed
// back as each container closes. References are not locked: a tree belongs to one thread at a
// time, and it may be released on another thread than the one that built it.
#pragma once

#include "plat/Exception.h"
#include "plat/JsonHeap.h"
#include "plat/JsonKeyIndex.h"
#include "plat/MBuf.h"
#include "plat/NonCopyable.h"
#include "plat/String.h"
#include "plat/StringList.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace rdr {
class OutStream;
}

namespace plat {

class JsonValue;
class JsonNull;
class JsonBool;
class JsonNumber;
class JsonString;
class JsonArray;
class JsonObject;
class JsonParser;
class JsonRelease;

// Parse and access errors. Formatted messages carry the type name "JsonException"; the wrong
// kind of value carries "Json".
class JsonException : public Exception {
public:
    explicit JsonException(const char* format, ...) TQ_PRINTF_FORMAT(2, 3);
    // "Unexpected JSON type", type name "Json".
    static JsonException unexpectedType();

private:
    JsonException() = default;
};

template <typename T>
class JsonRef;
using JsonObjectPtr = JsonRef<JsonObject>;
using JsonArrayPtr = JsonRef<JsonArray>;

// A shared reference to a value. All references to one value form a ring; copying joins it,
// destroying or resetting leaves it, and the reference that leaves last deletes the value.
// Rings are not locked. A reference may be empty (no value). A container must not hold itself,
// directly or through others: such a ring is never freed, and writing it never ends.
class JsonValuePtr {
public:
    JsonValuePtr() noexcept : prev_(this), next_(this) {}
    // Takes ownership of `value` (null gives an empty reference).
    explicit JsonValuePtr(JsonValue* value) noexcept : value_(value), prev_(this), next_(this) {}
    JsonValuePtr(const JsonValuePtr& other) noexcept : prev_(this), next_(this) { join(other); }
    JsonValuePtr(JsonValuePtr&& other) noexcept : prev_(this), next_(this) { takeOver(other); }
    // Safe when `other` lives inside the value this reference releases.
    JsonValuePtr& operator=(const JsonValuePtr& other) {
        if (this != &other && value_ != other.value_) {
            JsonValuePtr keep(other);
            reset();
            takeOver(keep);
        }
        return *this;
    }
    JsonValuePtr& operator=(JsonValuePtr&& other) {
        if (this != &other) {
            JsonValuePtr keep(std::move(other));
            reset();
            takeOver(keep);
        }
        return *this;
    }
    ~JsonValuePtr() { reset(); }

    JsonValue* get() const { return value_; }
    JsonValue* operator->() const { return value_; }
    JsonValue& operator*() const { return *value_; }
    explicit operator bool() const { return value_ != nullptr; }

    // Leaves the ring, deleting the value when this was its last reference.
    void reset();

    // References of that kind sharing this one's ring. An empty reference or a value of
    // another kind throws JsonException "Unexpected JSON type".
    JsonObjectPtr asObject() const;
    JsonArrayPtr asArray() const;

protected:
    JsonValue* value_ = nullptr;
    mutable const JsonValuePtr* prev_;  // neighbours in the ring; itself when alone
    mutable const JsonValuePtr* next_;

private:
    friend class JsonRelease;

    void join(const JsonValuePtr& other) noexcept;
    // Takes `other`'s place in its ring, leaving `other` empty. This must be empty.
    void takeOver(JsonValuePtr& other) noexcept;
};

// A reference typed as an object or an array, in the same ring as the untyped ones.
template <typename T>
class JsonRef : public JsonValuePtr {
public:
    JsonRef() = default;
    explicit JsonRef(T* value) noexcept : JsonValuePtr(value) {}

    T* get() const { return static_cast<T*>(value_); }
    T* operator->() const { return get(); }
    T& operator*() const { return *get(); }

private:
    friend class JsonValuePtr;
    struct Checked {};
    JsonRef(Checked, const JsonValuePtr& other) noexcept : JsonValuePtr(other) {}
};

class JsonValue : private NonCopyable {
public:
    enum class Kind { Null, Bool, Number, String, Array, Object };
    // The deepest level that the parser reads; the top value is at level 0.
    static constexpr int kMaxDepth = 32;

    // Pure, so that only the kinds below are values.
    virtual ~JsonValue() = 0;

    // Values live in the JSON heap; the deleting destructor passes the size back.
    static void* operator new(size_t size) { return jsonheap::allocate(size); }
    static void operator delete(void* p, size_t size) noexcept { jsonheap::deallocate(p, size); }

    Kind kind() const { return kind_; }

    // The value as its own kind; any other kind throws JsonException "Unexpected JSON type".
    virtual JsonNumber& asNumber();
    virtual JsonBool& asBool();
    virtual JsonNull& asNull();
    virtual JsonString& asString();
    virtual JsonObject& asObject();
    virtual JsonArray& asArray();

    // Writes the value as text starting at column `indent` (0 or more): containers put each
    // element on its own line, indented 2 more; no line feed at the end. Strings are written
    // character by character, a malformed UTF-8 sequence as U+FFFD. Throws what `out` throws.
    virtual void write(rdr::OutStream& out, int indent) const;

    // Parses one value from `length` bytes at `text` (NUL is a byte like any other, and
    // refused). A `contentType` other than null, "application/json" or that type with the
    // parameter "charset=utf-8" (in any case, blanks around the parts) throws JsonException
    // "Unknown Content-Type '<contentType>'". Bad input throws JsonException "<what> at line
    // <n>", lines counted from 0; a string of 2 GiB or more is "Unsupported string", an array
    // of more than 2^31 - 1 elements "Unsupported array", an object of more members, or
    // member names of open objects that add up to 1 GiB (with a NUL each), "Unsupported object".
    static JsonValuePtr parseHttpBody(const char* contentType, const char* text, size_t length);
    // The same on the NUL-terminated `text` (null: empty).
    static JsonValuePtr parseHttpBody(const char* contentType, const char* text);
    // The value written with indent 0. An empty reference gives an empty string. A text that
    // with its NUL would pass 2 GiB less 1 byte cannot be held: it throws rdr::OutStreamFull
    // "OutStream full". So a string value the parser accepted (up to 2 GiB less 1 byte) is
    // written unless its quotes and escapes take it past that.
    static String toString(const JsonValuePtr& value);
    // parseHttpBody, then toString; a failure (a parse error, or toString's) gives
    // "<not JSON-encoded data: <message>>".
    static String reformat(const char* contentType, const char* text, size_t length);
    static String reformat(const char* contentType, const char* text);
    // A deep copy made by writing the value and parsing the text: strings come back repaired,
    // and a tree nested deeper than kMaxDepth throws the parser's JsonException "Unsupported
    // nesting at line <n>", found before the rest of the tree is written. An empty reference
    // gives an empty one.
    static JsonValuePtr clone(const JsonValuePtr& value);

    // The string value read as an RFC 3339 time (100 ns units since 1601); any other kind or a
    // text that is not such a time throws JsonException "Unexpected JSON type".
    int64_t asTime();
    // The string value decoded from base64; the same failure.
    MBuf<unsigned char> asBytes();

protected:
    explicit JsonValue(Kind kind) : kind_(kind) {}

private:
    const Kind kind_;
};

class JsonNull : public JsonValue {
public:
    JsonNull() : JsonValue(Kind::Null) {}
    JsonNull& asNull() override { return *this; }
};

class JsonBool : public JsonValue {
public:
    explicit JsonBool(bool value) : JsonValue(Kind::Bool), value_(value) {}
    JsonBool& asBool() override { return *this; }
    bool value() const { return value_; }

private:
    bool value_;
};

class JsonNumber : public JsonValue {
public:
    explicit JsonNumber(int64_t value) : JsonValue(Kind::Number), value_(value) {}
    JsonNumber& asNumber() override { return *this; }
    int64_t value() const { return value_; }
    // The value, or JsonException "Unexpected value: <v> out of range [<min>,<max>]".
    int64_t getInRange(int64_t min, int64_t max) const;
    // The value clamped to the 32-bit range.
    int getInt() const;

private:
    int64_t value_;
};

// A text without NUL (at most `length` bytes of `text`; negative: up to the NUL; null: empty).
class JsonString : public JsonValue, public String {
public:
    explicit JsonString(const char* text, int length = -1)
        : JsonValue(Kind::String), String(text ? text : "", length) {}
    JsonString& asString() override { return *this; }
    // Throws plat::Exception "Unexpected value: string too long" (no type name) when the text
    // is longer than `max` bytes.
    void checkLength(int max) const;

private:
    friend class JsonParser;
    // Takes a text already measured and copied.
    explicit JsonString(String&& text) : JsonValue(Kind::String), String(std::move(text)) {}
};

// An array or an object that a released container alone holds more than kMaxDepth levels
// below the first one released is emptied before its own destructor runs: the destructor of a
// class derived from them may find its elements released.
class JsonArray : public JsonValue {
public:
    JsonArray() : JsonValue(Kind::Array) {}
    ~JsonArray() override;
    JsonArray& asArray() override { return *this; }

    int size() const { return size_; }
    // The element, or JsonException "JSON array index <i> not found".
    const JsonValuePtr& get(int index) const;
    // Adds a reference to the end; an empty one is a fatal assertion failure.
    void append(JsonValuePtr value);

    // The texts of the elements, each of which must be a string ("Unexpected JSON type").
    StringList toStrings() const;
    StringSet toStringSet() const;
    // One string value per text, in the container's order.
    void appendStrings(const StringList& texts);
    void appendStrings(const StringSet& texts);

private:
    friend class JsonParser;
    friend class JsonRelease;
    friend class JsonWriter;

    JsonValuePtr* elements_ = nullptr;  // size_ references, room for capacity_
    int size_ = 0;
    int capacity_ = 0;
};

// A member's name: a NUL-terminated text owned by its object, at the same place for as long as
// the member lives.
class JsonKey {
public:
    const char* get() const { return text_; }
    const char* c_str() const { return text_; }

private:
    friend class JsonObject;
    friend class JsonParser;
    explicit JsonKey(const char* text) : text_(text) {}

    const char* text_;
};

// Members in the order of insertion, names unique and compared byte-wise.
class JsonObject : public JsonValue {
public:
    struct Member {
        JsonKey name;
        JsonValuePtr value;
    };
    // The members in order, valid until the object changes.
    class Members {
    public:
        const Member* begin() const { return begin_; }
        const Member* end() const { return end_; }
        size_t size() const { return size_t(end_ - begin_); }
        bool empty() const { return begin_ == end_; }
        const Member& operator[](size_t i) const { return begin_[i]; }

    private:
        friend class JsonObject;
        Members(const Member* begin, const Member* end) : begin_(begin), end_(end) {}
        const Member* begin_;
        const Member* end_;
    };

    JsonObject() : JsonValue(Kind::Object) {}
    ~JsonObject() override;
    JsonObject& asObject() override { return *this; }

    int size() const { return size_; }
    Members members() const { return Members(members_, members_ + size_); }

    // The value, or JsonException "JSON object property '<name>' not found".
    const JsonValuePtr& get(const char* name) const;
    bool has(const char* name) const { return find(name) >= 0; }
    // The value, or an empty reference.
    JsonValuePtr getOptional(const char* name) const;
    // get(name) as an array ("Unexpected JSON type" for another kind).
    JsonArrayPtr getArray(const char* name) const;
    // The member's array, or null when it is missing or of another kind.
    JsonArray* findArray(const char* name) const;

    // Replaces the value of the member `name` in its place, or appends a new member. An empty
    // reference is a fatal assertion failure.
    void set(const char* name, JsonValuePtr value);
    // set() with a new string value holding a copy of `text` (null: empty).
    void setString(const char* name, const char* text);
    // Removes the member when there is one.
    void remove(const char* name);

private:
    friend class JsonParser;
    friend class JsonRelease;

    // The position of the member, or -1. With an index (made here when the object has grown
    // past a scan), `*slot` is where the name is or would go.
    int find(const char* name, uint32_t** slot = nullptr) const;
    uint32_t hashAt(size_t position) const;
    // Frees a member's name, unless it lies in keyBlock_, which goes with the object.
    void freeKey(const char* key);

    Member* members_ = nullptr;  // size_ members, room for capacity_
    int size_ = 0;
    int capacity_ = 0;
    char* keyBlock_ = nullptr;   // the names of the members read by the parser, one block
    size_t keyBlockSize_ = 0;
    // Positions by name once the object is larger than a scan: the parser's, or made by the
    // first look-up after the object grew; kept when it shrinks again.
    mutable JsonKeyIndex index_;
};

inline JsonValue::~JsonValue() = default;

inline JsonObjectPtr JsonValuePtr::asObject() const {
    if (!value_) throw JsonException::unexpectedType();
    value_->asObject();
    return JsonObjectPtr(JsonObjectPtr::Checked(), *this);
}

inline JsonArrayPtr JsonValuePtr::asArray() const {
    if (!value_) throw JsonException::unexpectedType();
    value_->asArray();
    return JsonArrayPtr(JsonArrayPtr::Checked(), *this);
}

}  // namespace plat
