// Base64 for byte data carried in XML text: the standard alphabet with "=" padding, optional
// line breaks after every 72 characters on encoding, blanks skipped anywhere on decoding.
//
// Decoding never writes past the caller's output size and reports every fault in the optional
// error out-parameter (codes 17 to 20 of xml::ErrorCode). The codec keeps one output buffer
// that grows as needed and never shrinks; results point into it until the next call.
#pragma once

namespace xml {

class Base64Codec {
public:
    Base64Codec() = default;
    Base64Codec(const Base64Codec&) = delete;
    Base64Codec& operator=(const Base64Codec&) = delete;
    ~Base64Codec();

    // Room for the text of `count` bytes, the NUL included: ((count - 1) / 3) * 4 + 5, plus
    // count / 54 newlines with `lineBreaks`; -1 when that is more than an int holds.
    static int encodedLength(int count, bool lineBreaks);
    // The base64 text of `count` bytes, with a newline after every 72 characters when asked;
    // null when its length is -1.
    const char* encode(const unsigned char* bytes, int count, bool lineBreaks = false);

    // The number of bytes `text` decodes to, at most INT_MAX. An illegal character gives 0 and
    // error 18; a count of data characters that is not a multiple of 4 gives warning 17 with
    // the size.
    static int decodedSize(const char* text, int* error = nullptr);
    // Decodes into `out` of `outSize` bytes and returns the number written. More bytes than
    // fit: error 20 and -1 (nothing beyond `outSize` is written); an illegal character: error
    // 18 and -1; a group cut short by the end of the text or by "=": warning 19 and the bytes
    // decoded so far.
    static int decode(const char* text, unsigned char* out, int outSize, int* error = nullptr);
    // Decodes into the codec's own buffer; null on failure (error 20 for INT_MAX bytes or
    // more). `size` receives the byte count.
    const unsigned char* decode(const char* text, int* size = nullptr, int* error = nullptr);

private:
    void reserve(int bytes);

    unsigned char* buffer_ = nullptr;
    int capacity_ = 0;  // bytes allocated at buffer_
};

}  // namespace xml
