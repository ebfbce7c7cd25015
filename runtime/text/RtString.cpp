#include "text/RtString.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "text/NumberText.h"
#include "text/TextErrors.h"

namespace {

constexpr uint32_t kGrowthStep = 512;
constexpr uint32_t kIntegerTextRoom = 64;

uint32_t CheckedLength(size_t length) {
    if (length >= UINT32_MAX) text::EndWithRuntimeError(text::kOutOfMemoryError);
    return static_cast<uint32_t>(length);
}

// The length of the first `length` bytes of text without its trailing control bytes (0..31).
size_t LengthWithoutControlTail(const char* text, size_t length) {
    while (length > 0 && static_cast<unsigned char>(text[length - 1]) <= 31)
        --length;
    return length;
}

} // namespace

char RtString::EmptyBuffer[1] = {'\0'};

RtString::RtString(const char* text) {
    if (text) SetText(text, CheckedLength(std::strlen(text)));
}

RtString::RtString(const RtString& other) {
    SetText(other.data, other.length);
}

RtString::RtString(RtString&& other) noexcept
    : data(other.data), capacity(other.capacity), length(other.length) {
    other.data = EmptyBuffer;
    other.capacity = other.length = 0;
}

RtString::RtString(int number) {
    *this = number;
}
RtString::RtString(float number) {
    SetNumber(number);
}
RtString::RtString(double number) {
    SetNumber(number);
}

RtString::~RtString() {
    FreeBuffer();
    data = nullptr;
    capacity = length = 0;
}

void RtString::FreeBuffer() {
    if (capacity) std::free(data);
}

bool RtString::PointsIntoBuffer(const char* bytes) const {
    return capacity && bytes >= data && bytes < data + capacity;
}

char* RtString::Reserve(uint32_t n) {
    if (capacity > n) return data;
    const uint64_t newCapacity = uint64_t{n} / kGrowthStep * kGrowthStep + kGrowthStep;
    if (newCapacity > UINT32_MAX) text::EndWithRuntimeError(text::kOutOfMemoryError);
    // Zero-filled, so that every byte of the buffer reads as defined and its last byte stays a
    // terminator for C functions.
    char* buffer = static_cast<char*>(std::calloc(newCapacity, 1));
    if (!buffer) text::EndWithRuntimeError(text::kOutOfMemoryError);
    if (capacity) {
        std::memcpy(buffer, data, length);
        std::free(data);
    }
    data = buffer;
    capacity = static_cast<uint32_t>(newCapacity);
    return data;
}

void RtString::SetText(const char* bytes, uint32_t count) {
    // An empty text keeps the shared empty buffer: no allocation for nothing.
    if (count == 0 && capacity == 0) {
        length = 0;
        return;
    }
    if (PointsIntoBuffer(bytes)) {
        // A part of this string's own text: it already fits, move it to the front.
        std::memmove(data, bytes, count);
    } else {
        Reserve(count);
        std::memcpy(data, bytes, count);
    }
    length = count;
    data[length] = '\0';
}

void RtString::AppendBytes(const char* bytes, uint32_t count) {
    if (count == 0) return;
    const uint64_t newLength = uint64_t{length} + count;
    if (newLength >= UINT32_MAX) text::EndWithRuntimeError(text::kOutOfMemoryError);
    // The bytes may be this string's own text, which growing would free.
    const std::ptrdiff_t ownOffset = PointsIntoBuffer(bytes) ? bytes - data : -1;
    Reserve(static_cast<uint32_t>(newLength));
    if (ownOffset >= 0) bytes = data + ownOffset;
    std::memmove(data + length, bytes, count);
    length = static_cast<uint32_t>(newLength);
    data[length] = '\0';
}

void RtString::SetNumber(double number) {
    Reserve(text::kNumberTextRoom);
    length = text::WriteNumberText(number, data);
}

RtString& RtString::operator=(const char* text) {
    SetText(text ? text : "", text ? CheckedLength(std::strlen(text)) : 0);
    return *this;
}

RtString& RtString::operator=(const RtString& other) {
    if (&other != this) SetText(other.data, other.length);
    return *this;
}

RtString& RtString::operator=(RtString&& other) noexcept {
    if (&other == this) return *this;
    if (capacity > other.length) {
        SetText(other.data, other.length);
    } else {
        FreeBuffer();
        data = other.data;
        capacity = other.capacity;
        length = other.length;
        other.data = EmptyBuffer;
        other.capacity = other.length = 0;
    }
    return *this;
}

RtString& RtString::operator=(int number) {
    Reserve(kIntegerTextRoom);
    length = static_cast<uint32_t>(std::snprintf(data, kIntegerTextRoom, "%d", number));
    return *this;
}

RtString& RtString::operator=(float number) {
    SetNumber(number);
    return *this;
}

RtString& RtString::operator=(double number) {
    SetNumber(number);
    return *this;
}

RtString& RtString::operator+=(const char* text) {
    if (text) AppendBytes(text, CheckedLength(std::strlen(text)));
    return *this;
}

RtString& RtString::operator+=(const RtString& other) {
    AppendBytes(other.data, other.length);
    return *this;
}

RtString& RtString::operator+=(int number) {
    char text[kIntegerTextRoom];
    const int count = std::snprintf(text, sizeof(text), "%d", number);
    AppendBytes(text, static_cast<uint32_t>(count));
    return *this;
}

RtString& RtString::operator+=(float number) {
    return *this += static_cast<double>(number);
}

RtString& RtString::operator+=(double number) {
    char text[text::kNumberTextRoom];
    AppendBytes(text, text::WriteNumberText(number, text));
    return *this;
}

void RtString::Recount() {
    if (!capacity) {
        length = 0;
        return;
    }
    const void* zero = std::memchr(data, '\0', capacity);
    if (!zero) {
        // A C function filled the whole buffer: keep the terminator inside it.
        data[capacity - 1] = '\0';
        zero = data + capacity - 1;
    }
    length = static_cast<uint32_t>(static_cast<const char*>(zero) - data);
}

int RtString::CharAt(int index) const {
    if (index < 0 || static_cast<uint32_t>(index) >= capacity) return 0;
    return static_cast<signed char>(data[index]);
}

void RtString::SetCharAt(int index, int byte) {
    // The last byte of the buffer stays zero, so the text always ends inside the buffer.
    if (index < 0 || static_cast<uint32_t>(index) + 1 >= capacity) return;
    data[index] = static_cast<char>(byte);
}

void RtString::TruncateAt(int index) {
    if (index < 0 || static_cast<uint32_t>(index) >= capacity) return;
    data[index] = '\0';
    Recount();
}

void TrimControlTail(std::string& text) {
    text.resize(LengthWithoutControlTail(text.data(), text.size()));
}

double TextToNumber(const char* text) {
    return text ? std::strtod(text, nullptr) : 0.0;
}

double TextToNumber(const RtString& text) {
    return TextToNumber(text.CText());
}

RtString NumberToText(double number) {
    return RtString(number);
}
