#include "plat/Json.h"

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

// Objects up to this size are searched by a scan, which beats hashing for the small records
// that most documents hold.
constexpr int kScanLimit = 8;

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
    DString text;
    out.takeString(text);
    return String::adopt(text.release());
}

String JsonValue::reformat(const char* contentType, const char* text, size_t length) {
    try {
        return toString(parseHttpBody(contentType, text, length));
    } catch (const Exception& e) {
        return String::format("<not JSON-encoded data: %s>", e.message());
    }
}

JsonValuePtr JsonValue::clone(const JsonValuePtr& value) {
    if (!value) return JsonValuePtr();
    String text = toString(value);
    return parseHttpBody(nullptr, text.get(), text.length());
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
    for (int i = 0; i < size_; i++)
        elements_[i].~JsonValuePtr();
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
    for (int i = 0; i < size_; i++) {
        freeKey(members_[i].name.get());
        members_[i].~Member();
    }
    freeArray(members_, capacity_);
    if (keyBlock_) jsonheap::deallocate(keyBlock_, keyBlockSize_);
}

void JsonObject::freeKey(const char* key) {
    std::less_equal<const char*> atMost;
    if (keyBlock_ && atMost(keyBlock_, key) && !atMost(keyBlock_ + keyBlockSize_, key)) return;
    jsonheap::deallocate(const_cast<char*>(key), std::strlen(key) + 1);
}

int JsonObject::find(std::string_view name) const {
    int n = size_;
    if (n <= kScanLimit) {
        for (int i = 0; i < n; i++) {
            const char* key = members_[i].name.get();
            if (std::strncmp(key, name.data(), name.size()) == 0 && key[name.size()] == '\0')
                return i;
        }
        return -1;
    }
    if (!index_) {
        index_ = std::make_unique<std::unordered_map<std::string_view, int>>(size_t(n) * 2);
        for (int i = 0; i < n; i++)
            index_->emplace(members_[i].name.get(), i);
    }
    auto it = index_->find(name);
    return it == index_->end() ? -1 : it->second;
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
    int i = find(name);
    if (i >= 0) {
        members_[i].value = std::move(value);
        return;
    }
    if (size_ == capacity_) {
        int capacity = grownCapacity(capacity_);
        members_ = moveTo(members_, size_, capacity_, capacity);
        capacity_ = capacity;
    }
    size_t length = std::strlen(name ? name : "");
    char* key = static_cast<char*>(jsonheap::allocate(length + 1));
    std::memcpy(key, name ? name : "", length);
    key[length] = '\0';
    new (members_ + size_) Member{JsonKey(key), std::move(value)};
    size_++;
    if (index_) index_->emplace(std::string_view(key, length), size_ - 1);
}

void JsonObject::setString(const char* name, const char* text) {
    set(name, JsonValuePtr(new JsonString(text)));
}

void JsonObject::remove(const char* name) {
    int i = find(name);
    if (i < 0) return;
    // Released last, when the object is whole again: its destructors may run any code.
    JsonValuePtr removed = std::move(members_[i].value);
    freeKey(members_[i].name.get());
    for (; i + 1 < size_; i++) {
        members_[i].name = members_[i + 1].name;
        members_[i].value = std::move(members_[i + 1].value);
    }
    members_[size_ - 1].~Member();
    size_--;
    index_.reset();
}

}  // namespace plat
