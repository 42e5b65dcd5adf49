#include "plat/Json.h"

#include "crypto/RandomStream.h"
#include "plat/Base64.h"
#include "plat/Time.h"
#include "rdr/MemOutStream.h"

#include <climits>
#include <cstdarg>
#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>

namespace plat {

namespace {

template <typename T>
T* allocateArray(int count) {
    return static_cast<T*>(jsonheap::allocate(size_t(count) * sizeof(T)));
}

template <typename T>
void freeArray(T* array, int count) {
    if (array) jsonheap::deallocate(array, size_t(count) * sizeof(T));
}

// The next capacity of a growing array or object; counts are int.
int grownCapacity(int capacity) {
    if (capacity == INT_MAX) throw std::length_error("JSON container too large");
    return capacity < 4 ? 4 : capacity > INT_MAX / 2 ? INT_MAX : 2 * capacity;
}

// Moves `count` items to new storage of `capacity`, releasing the old one.
template <typename T>
T* moveTo(T* items, int count, int oldCapacity, int capacity) {
    T* moved = allocateArray<T>(capacity);
    for (int i = 0; i < count; i++) {
        new (moved + i) T(std::move(items[i]));
        items[i].~T();
    }
    freeArray(items, oldCapacity);
    return moved;
}

}  // namespace

JsonException::JsonException(const char* format, ...) {
    va_list args;
    va_start(args, format);
    strAppendVFormat(message_, sizeof message_, format, args);
    va_end(args);
    strCopy(typeName_, "JsonException", sizeof typeName_);
}

JsonException JsonException::unexpectedType() {
    JsonException e;
    strCopy(e.message_, "Unexpected JSON type", sizeof e.message_);
    strCopy(e.typeName_, "Json", sizeof e.typeName_);
    return e;
}

// ---- references

void JsonValuePtr::reset() {
    if (!value_) return;
    JsonValue* value = value_;
    value_ = nullptr;
    if (next_ == this) {
        delete value;
        return;
    }
    prev_->next_ = next_;
    next_->prev_ = prev_;
    prev_ = next_ = this;
}

void JsonValuePtr::join(const JsonValuePtr& other) noexcept {
    value_ = other.value_;
    if (!value_) return;
    prev_ = &other;
    next_ = other.next_;
    other.next_->prev_ = this;
    other.next_ = this;
}

void JsonValuePtr::takeOver(JsonValuePtr& other) noexcept {
    value_ = std::exchange(other.value_, nullptr);
    if (!value_ || other.next_ == &other) return;
    prev_ = other.prev_;
    next_ = other.next_;
    prev_->next_ = this;
    next_->prev_ = this;
    other.prev_ = other.next_ = &other;
}

// ---- release

namespace {
// Containers whose destructors are running on this thread, one inside another. Releasing a
// tree goes by recursion through them down to the depth that the parser makes, which keeps
// the common release as cheap as it was (dismantling every level made the benchmark's parse
// and release 3 to 8 % slower); deeper levels, which only a program builds, are dismantled in
// constant stack.
thread_local int tReleaseDepth;
}  // namespace

class JsonRelease {
public:
    // Counts a container's destructor in, unless as many run on the thread as the parser's
    // depth: false then, and its elements are to be released through element().
    static bool enter() {
        if (tReleaseDepth == JsonValue::kMaxDepth) return false;
        tReleaseDepth++;
        return true;
    }
    static void leave() { tReleaseDepth--; }

    // Releases the reference `slot` of a container that is going away; a container that only
    // it holds is dismantled.
    static void element(JsonValuePtr& slot) {
        if (ownsContainer(slot))
            dismantle(slot);
        else
            slot.reset();
    }

private:
    static bool isContainer(const JsonValue* value) {
        return value->kind() == JsonValue::Kind::Array || value->kind() == JsonValue::Kind::Object;
    }

    // Whether `slot` is the last reference to an array or an object.
    static bool ownsContainer(const JsonValuePtr& slot) {
        return slot.value_ && slot.next_ == &slot && isContainer(slot.value_);
    }

    // Releases the container held by `top` and everything that only it holds, depth first from
    // the last element. The containers being emptied form a chain from the innermost back to
    // `top` through the prev_ of the references that hold them: each is its value's only
    // reference, so its ring needs no links until it lets go.
    static void dismantle(JsonValuePtr& top) {
        JsonValuePtr* holder = &top;
        top.prev_ = nullptr;
        while (holder) {
            if (JsonValuePtr* nested = lastNested(*holder->value_)) {
                nested->prev_ = holder;
                holder = nested;
                continue;
            }
            JsonValuePtr* outer = const_cast<JsonValuePtr*>(holder->prev_);
            holder->prev_ = holder;
            holder->reset();  // empty by now: its destructor has nothing to release
            holder = outer;
        }
    }

    // Releases the elements of `container` from its last one on, up to one that is a container
    // to empty first, and returns that one's reference; null once the container is empty. The
    // count goes back to the container only then: the destructors between may run any code.
    static JsonValuePtr* lastNested(JsonValue& container) {
        if (container.kind() == JsonValue::Kind::Array) {
            JsonArray& array = static_cast<JsonArray&>(container);
            JsonValuePtr* elements = array.elements_;
            for (int left = array.size_; left > 0; left--) {
                JsonValuePtr& element = elements[left - 1];
                if (ownsContainer(element)) {
                    array.size_ = left;
                    return &element;
                }
                element.reset();
            }
            array.size_ = 0;
        } else {
            JsonObject& object = static_cast<JsonObject&>(container);
            JsonObject::Member* members = object.members_;
            for (int left = object.size_; left > 0; left--) {
                JsonObject::Member& member = members[left - 1];
                if (ownsContainer(member.value)) {
                    object.size_ = left;
                    return &member.value;
                }
                object.freeKey(member.name.get());
                member.value.reset();
            }
            object.size_ = 0;
        }
        return nullptr;
    }
};

// ---- values

JsonNumber& JsonValue::asNumber() {
    throw JsonException::unexpectedType();
}
JsonBool& JsonValue::asBool() {
    throw JsonException::unexpectedType();
}
JsonNull& JsonValue::asNull() {
    throw JsonException::unexpectedType();
}
JsonString& JsonValue::asString() {
    throw JsonException::unexpectedType();
}
JsonObject& JsonValue::asObject() {
    throw JsonException::unexpectedType();
}
JsonArray& JsonValue::asArray() {
    throw JsonException::unexpectedType();
}

int64_t JsonValue::asTime() {
    int64_t time;
    if (!Time::parseIso(time, asString().get())) throw JsonException::unexpectedType();
    return time;
}

MBuf<unsigned char> JsonValue::asBytes() {
    MBuf<unsigned char> bytes;
    if (!base64Decode(asString().get(), bytes)) throw JsonException::unexpectedType();
    return bytes;
}

String JsonValue::toString(const JsonValuePtr& value) {
    if (!value) return String("");
    rdr::MemOutStream out;
    value->write(out, 0);
    // Straight into the String: a DString would stop at 1 GiB, half what a parsed text holds.
    out.nulTerminate();
    return String::adopt(reinterpret_cast<char*>(out.release()));
}

JsonValuePtr JsonValue::parseHttpBody(const char* contentType, const char* text) {
    return parseHttpBody(contentType, text, text ? std::strlen(text) : 0);
}

String JsonValue::reformat(const char* contentType, const char* text, size_t length) {
    try {
        return toString(parseHttpBody(contentType, text, length));
    } catch (const Exception& e) {
        return String::format("<not JSON-encoded data: %s>", e.message());
    }
}

String JsonValue::reformat(const char* contentType, const char* text) {
    return reformat(contentType, text, text ? std::strlen(text) : 0);
}

int64_t JsonNumber::getInRange(int64_t min, int64_t max) const {
    if (value_ < min || value_ > max)
        throw JsonException("Unexpected value: %lld out of range [%lld,%lld]", (long long)value_,
                            (long long)min, (long long)max);
    return value_;
}

int JsonNumber::getInt() const {
    return value_ < INT_MIN ? INT_MIN : value_ > INT_MAX ? INT_MAX : int(value_);
}

void JsonString::checkLength(int max) const {
    if (length() > size_t(max < 0 ? 0 : max)) throw Exception("Unexpected value: string too long");
}

// ---- arrays

JsonArray::~JsonArray() {
    // Two loops, on copies of the fields, which the releases between would make the compiler
    // load again: the common release costs as much as one that knew no other way.
    JsonValuePtr* elements = elements_;
    const int size = size_;
    if (JsonRelease::enter()) {
        for (int i = 0; i < size; i++)
            elements[i].reset();
        JsonRelease::leave();
    } else {
        for (int i = 0; i < size; i++)
            JsonRelease::element(elements[i]);
    }
    freeArray(elements_, capacity_);
}

const JsonValuePtr& JsonArray::get(int index) const {
    if (index < 0 || index >= size_) throw JsonException("JSON array index %d not found", index);
    return elements_[index];
}

void JsonArray::append(JsonValuePtr value) {
    TQ_ASSERT(value);
    if (size_ == capacity_) {
        int capacity = grownCapacity(capacity_);
        elements_ = moveTo(elements_, size_, capacity_, capacity);
        capacity_ = capacity;
    }
    new (elements_ + size_) JsonValuePtr(std::move(value));
    size_++;
}

StringList JsonArray::toStrings() const {
    StringList texts;
    texts.reserve(size_t(size_));
    for (int i = 0; i < size_; i++)
        texts.emplace_back(elements_[i]->asString().get());
    return texts;
}

StringSet JsonArray::toStringSet() const {
    StringSet texts;
    for (int i = 0; i < size_; i++)
        texts.emplace(elements_[i]->asString().get());
    return texts;
}

void JsonArray::appendStrings(const StringList& texts) {
    for (const String& text : texts)
        append(JsonValuePtr(new JsonString(text.get())));
}

void JsonArray::appendStrings(const StringSet& texts) {
    for (const String& text : texts)
        append(JsonValuePtr(new JsonString(text.get())));
}

// ---- objects

JsonObject::~JsonObject() {
    // As for an array.
    Member* members = members_;
    const int size = size_;
    if (JsonRelease::enter()) {
        for (int i = 0; i < size; i++) {
            freeKey(members[i].name.get());
            members[i].value.reset();
        }
        JsonRelease::leave();
    } else {
        for (int i = 0; i < size; i++) {
            freeKey(members[i].name.get());
            JsonRelease::element(members[i].value);
        }
    }
    freeArray(members_, capacity_);
    if (keyBlock_) jsonheap::deallocate(keyBlock_, keyBlockSize_);
}

void JsonObject::freeKey(const char* key) {
    std::less_equal<const char*> atMost;
    if (keyBlock_ && atMost(keyBlock_, key) && !atMost(keyBlock_ + keyBlockSize_, key)) return;
    jsonheap::deallocate(const_cast<char*>(key), std::strlen(key) + 1);
}

uint32_t JsonObject::hashAt(size_t position) const {
    const char* name = members_[position].name.get();
    return JsonKeyIndex::hash(name, std::strlen(name));
}

int JsonObject::find(const char* name, uint32_t** slot) const {
    if (!name) name = "";
    const size_t n = size_t(size_);
    if (!index_ && n <= JsonKeyIndex::kScanLimit) {
        for (size_t i = 0; i < n; i++)
            if (std::strcmp(members_[i].name.get(), name) == 0) return int(i);
        return -1;
    }
    if (!index_) index_.build(n, [this](size_t i) { return hashAt(i); });
    uint32_t* at = index_.probe(JsonKeyIndex::hash(name, std::strlen(name)), [&](size_t i) {
        return std::strcmp(members_[i].name.get(), name) == 0;
    });
    if (slot) *slot = at;
    return int(*at) - 1;
}

const JsonValuePtr& JsonObject::get(const char* name) const {
    int i = find(name);
    if (i < 0) throw JsonException("JSON object property '%s' not found", name ? name : "");
    return members_[i].value;
}

JsonValuePtr JsonObject::getOptional(const char* name) const {
    int i = find(name);
    return i < 0 ? JsonValuePtr() : members_[i].value;
}

JsonArrayPtr JsonObject::getArray(const char* name) const {
    return get(name).asArray();
}

JsonArray* JsonObject::findArray(const char* name) const {
    int i = find(name);
    if (i < 0) return nullptr;
    JsonValue* value = members_[i].value.get();
    return value->kind() == Kind::Array ? static_cast<JsonArray*>(value) : nullptr;
}

void JsonObject::set(const char* name, JsonValuePtr value) {
    TQ_ASSERT(value);
    uint32_t* slot = nullptr;
    int i = find(name, &slot);
    if (i >= 0) {
        members_[i].value = std::move(value);
        return;
    }
    if (size_ == capacity_) {
        int capacity = grownCapacity(capacity_);
        members_ = moveTo(members_, size_, capacity_, capacity);
        capacity_ = capacity;
    }
    if (!name) name = "";
    const size_t length = std::strlen(name);
    // Everything that may fail comes before the member is added.
    if (index_ && index_.full(size_t(size_))) {
        index_.build(size_t(size_), [this](size_t at) { return hashAt(at); });
        slot = index_.probe(JsonKeyIndex::hash(name, length), [](size_t) { return false; });
    }
    char* key = static_cast<char*>(jsonheap::allocate(length + 1));
    std::memcpy(key, name, length);
    key[length] = '\0';
    new (members_ + size_) Member{JsonKey(key), std::move(value)};
    if (index_) JsonKeyIndex::insert(slot, size_t(size_));
    size_++;
}

void JsonObject::setString(const char* name, const char* text) {
    set(name, JsonValuePtr(new JsonString(text)));
}

void JsonObject::remove(const char* name) {
    uint32_t* slot = nullptr;
    int i = find(name, &slot);
    if (i < 0) return;
    if (index_) index_.erase(slot, size_t(i), [this](size_t at) { return hashAt(at); });
    // Released last, when the object is whole again: its destructors may run any code.
    JsonValuePtr removed = std::move(members_[i].value);
    freeKey(members_[i].name.get());
    for (; i + 1 < size_; i++) {
        members_[i].name = members_[i + 1].name;
        members_[i].value = std::move(members_[i + 1].value);
    }
    members_[size_ - 1].~Member();
    size_--;
}

// ---- key index

namespace {

// The names' hash key, drawn once per process: names that fall on one slot in one process
// are spread in any other.
struct HashKey {
    uint64_t k0, k1;
};

const HashKey& hashKey() {
    static const HashKey key = [] {
        HashKey drawn;
        crypto::fillSystemRandom(&drawn, sizeof drawn);
        return drawn;
    }();
    return key;
}

uint64_t rotateLeft(uint64_t x, int bits) {
    return (x << bits) | (x >> (64 - bits));
}

// The four words of SipHash, one compression round at a time.
struct SipState {
    uint64_t v0, v1, v2, v3;

    void round() {
        v0 += v1;
        v1 = rotateLeft(v1, 13) ^ v0;
        v0 = rotateLeft(v0, 32);
        v2 += v3;
        v3 = rotateLeft(v3, 16) ^ v2;
        v0 += v3;
        v3 = rotateLeft(v3, 21) ^ v0;
        v2 += v1;
        v1 = rotateLeft(v1, 17) ^ v2;
        v2 = rotateLeft(v2, 32);
    }
    void absorb(uint64_t word) {
        v3 ^= word;
        round();
        v0 ^= word;
    }
};

// The last length % 8 bytes of `bytes`, the first of them lowest, read in at most three loads
// that stay inside the text.
uint64_t tailBytes(const unsigned char* bytes, size_t length) {
    const size_t left = length & 7;
    const unsigned char* tail = bytes + length - left;
    if (left == 0) return 0;
    if (length >= 8) {
        uint64_t word;
        std::memcpy(&word, bytes + length - 8, 8);
        return word >> (64 - 8 * left);
    }
    if (left >= 4) {
        uint32_t low, high;
        std::memcpy(&low, tail, 4);
        std::memcpy(&high, tail + left - 4, 4);
        return low | uint64_t(high) << (8 * (left - 4));
    }
    return tail[0] | uint64_t(tail[left / 2]) << (8 * (left / 2)) |
           uint64_t(tail[left - 1]) << (8 * (left - 1));
}

}  // namespace

// SipHash-1-3 (one round a word, three to finish), folded to 32 bits: keyed, so that names
// cannot be chosen offline to collide, and cheap on the short names of most members. Words
// are read in the machine's order, which is little-endian on every target.
uint32_t JsonKeyIndex::hash(const char* name, size_t length) {
    const HashKey& key = hashKey();
    SipState s{key.k0 ^ 0x736f6d6570736575ULL, key.k1 ^ 0x646f72616e646f6dULL,
               key.k0 ^ 0x6c7967656e657261ULL, key.k1 ^ 0x7465646279746573ULL};
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(name);
    const size_t whole = length & ~size_t(7);
    for (size_t at = 0; at < whole; at += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + at, 8);
        s.absorb(word);
    }
    s.absorb(uint64_t(length) << 56 | tailBytes(bytes, length));
    s.v2 ^= 0xff;
    s.round();
    s.round();
    s.round();
    const uint64_t hash = s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
    return uint32_t(hash ^ (hash >> 32));
}

uint32_t* JsonKeyIndex::allocate(size_t size) {
    void* slots = jsonheap::allocate(size * sizeof(uint32_t));
    std::memset(slots, 0, size * sizeof(uint32_t));
    return static_cast<uint32_t*>(slots);
}

void JsonKeyIndex::deallocate(uint32_t* slots, size_t size) noexcept {
    jsonheap::deallocate(slots, size * sizeof(uint32_t));
}

void JsonKeyIndex::clear() noexcept {
    if (slots_) deallocate(std::exchange(slots_, nullptr), std::exchange(size_, 0));
}

}  // namespace plat
