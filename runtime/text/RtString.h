// The runtime string: a byte string that always keeps a terminating zero, so its buffer can go
// straight to C functions. Empty strings share one static buffer and cost no allocation; every
// other string owns its heap buffer alone (copies never share). Numbers join texts through
// NumberToText and come back through TextToNumber.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>

class RtString {
  public:
    RtString() = default;
    RtString(const char* text);
    RtString(const RtString& other);
    RtString(RtString&& other) noexcept;
    explicit RtString(int number);
    explicit RtString(float number);
    explicit RtString(double number);
    ~RtString();

    // Assignment keeps the target's buffer and grows it when the new text needs more room.
    RtString& operator=(const char* text);
    RtString& operator=(const RtString& other);
    RtString& operator=(RtString&& other) noexcept;
    RtString& operator=(int number);
    RtString& operator=(float number);
    RtString& operator=(double number);

    // Appends a text, or the text of a number.
    RtString& operator+=(const char* text);
    RtString& operator+=(const RtString& other);
    RtString& operator+=(int number);
    RtString& operator+=(float number);
    RtString& operator+=(double number);

    uint32_t Length() const { return length; }
    uint32_t Capacity() const { return capacity; }
    // The text for C functions; never null.
    const char* CText() const { return length ? data : ""; }
    // Makes room for at least n bytes plus the terminator (capacity strictly above n, in steps
    // of 512) and gives the buffer for writing; the length is unchanged, so call Recount after
    // a C function has written into it. Ends the program with runtime error 7 when the room
    // cannot be had.
    char* Reserve(uint32_t n);
    // Sets the length to the bytes in front of the first zero byte of the buffer.
    void Recount();
    // The byte at index i as a signed value (-128..127); 0 for an index outside the buffer.
    int CharAt(int index) const;
    // Writes one byte at index i; indices outside the writable buffer are ignored. The length
    // is unchanged.
    void SetCharAt(int index, int byte);
    // Cuts the text at index i (a zero byte there, then Recount); nothing happens beyond the
    // buffer.
    void TruncateAt(int index);

  private:
    void SetText(const char* bytes, uint32_t count);
    void AppendBytes(const char* bytes, uint32_t count);
    void SetNumber(double number);
    void FreeBuffer();
    bool PointsIntoBuffer(const char* bytes) const;

    char* data = EmptyBuffer;
    uint32_t capacity = 0;
    uint32_t length = 0;

    static char EmptyBuffer[1];
};

// Removes trailing control bytes (0..31) such as line ends: every line the runtime reads (line
// files, INI values, text lines) loses them; bytes 128..255 (letters of UTF-8 and code-page
// texts) stay.
void TrimControlTail(std::string& text);

// The number read from the front of a text, as C's atof: leading white space skipped, the
// longest numeric prefix converted; 0 when there is none.
double TextToNumber(const RtString& text);
double TextToNumber(const char* text);
// A number as text with 10 significant digits: whole numbers below 1e10 without a point
// ("12"), fractions in fixed form ("0.5") and very large or small values in exponent form
// ("5.e-002", "1.23456789e+010"). Not-a-number gives "nan", infinities "inf" and "-inf" (the
// texts TextToNumber reads back); negative zero gives "0".
RtString NumberToText(double number);

namespace rtstring_detail {

template <class T>
constexpr bool kIsText =
    std::is_same_v<std::decay_t<T>, RtString> || std::is_same_v<std::decay_t<T>, const char*> ||
    std::is_same_v<std::decay_t<T>, char*>;
template <class T>
constexpr bool kIsNumber =
    std::is_arithmetic_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>;
template <class T> constexpr bool kIsOperand = kIsText<T> || kIsNumber<T>;
template <class L, class R>
constexpr bool kJoinable = kIsOperand<L>&& kIsOperand<R> && (kIsText<L> || kIsText<R>);
// Operators need an RtString on one side, so that they never touch pointer arithmetic.
template <class L, class R>
constexpr bool kOperatorPair = kJoinable<L, R> &&
                               (std::is_same_v<L, RtString> || std::is_same_v<R, RtString>);

inline const char* TextOf(const RtString& text) {
    return text.CText();
}
inline const char* TextOf(const char* text) {
    return text ? text : "";
}
inline double NumberOf(const RtString& text) {
    return TextToNumber(text);
}
inline double NumberOf(const char* text) {
    return TextToNumber(text);
}
template <class T, std::enable_if_t<kIsNumber<T>, int> = 0> double NumberOf(T number) {
    return static_cast<double>(number);
}
// Integers that fit an int keep their own conversion (decimal digits); other numbers join as
// doubles.
template <class T> decltype(auto) AppendForm(const T& value) {
    if constexpr (kIsText<T>) {
        if constexpr (std::is_same_v<std::decay_t<T>, RtString>)
            return static_cast<const RtString&>(value);
        else
            return TextOf(value);
    } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T> && sizeof(T) <= sizeof(int)) {
        return static_cast<int>(value);
    } else if constexpr (std::is_same_v<T, float>) {
        return value;
    } else {
        return static_cast<double>(value);
    }
}

// Text with text compares bytes as unsigned (strcmp order); text with number compares the
// text's value with the number.
template <class L, class R, class Relation> double Relate(const L& left, const R& right) {
    bool holds;
    if constexpr (kIsText<L> && kIsText<R>)
        holds = Relation()(std::strcmp(TextOf(left), TextOf(right)), 0);
    else
        holds = Relation()(NumberOf(left), NumberOf(right));
    return holds ? 1.0 : 0.0;
}

} // namespace rtstring_detail

// Fills result with the left operand's text followed by the right operand's text (a number
// joins as its NumberToText text, an integer as its decimal digits). At least one operand is
// a text; result may be one of the operands.
template <class L, class R, std::enable_if_t<rtstring_detail::kJoinable<L, R>, int> = 0>
void JoinText(RtString& result, const L& left, const R& right) {
    using namespace rtstring_detail;
    if constexpr (std::is_same_v<R, RtString>) {
        if (&right == &result) {
            const RtString rightCopy(right);
            result = AppendForm(left);
            result += rightCopy;
            return;
        }
    } else if constexpr (kIsText<R>) {
        const char* text = TextOf(right);
        const std::less_equal<const char*> notAfter;
        if (notAfter(result.CText(), text) && notAfter(text, result.CText() + result.Length())) {
            const RtString rightCopy(text);
            result = AppendForm(left);
            result += rightCopy;
            return;
        }
    }
    result = AppendForm(left);
    result += AppendForm(right);
}

template <class L, class R, std::enable_if_t<rtstring_detail::kOperatorPair<L, R>, int> = 0>
RtString operator+(const L& left, const R& right) {
    RtString result;
    JoinText(result, left, right);
    return result;
}

// The six comparisons give 1 when they hold and 0 when not.
template <class L, class R, std::enable_if_t<rtstring_detail::kOperatorPair<L, R>, int> = 0>
double operator==(const L& left, const R& right) {
    return rtstring_detail::Relate<L, R, std::equal_to<>>(left, right);
}
template <class L, class R, std::enable_if_t<rtstring_detail::kOperatorPair<L, R>, int> = 0>
double operator!=(const L& left, const R& right) {
    return rtstring_detail::Relate<L, R, std::not_equal_to<>>(left, right);
}
template <class L, class R, std::enable_if_t<rtstring_detail::kOperatorPair<L, R>, int> = 0>
double operator<(const L& left, const R& right) {
    return rtstring_detail::Relate<L, R, std::less<>>(left, right);
}
template <class L, class R, std::enable_if_t<rtstring_detail::kOperatorPair<L, R>, int> = 0>
double operator>(const L& left, const R& right) {
    return rtstring_detail::Relate<L, R, std::greater<>>(left, right);
}
template <class L, class R, std::enable_if_t<rtstring_detail::kOperatorPair<L, R>, int> = 0>
double operator<=(const L& left, const R& right) {
    return rtstring_detail::Relate<L, R, std::less_equal<>>(left, right);
}
template <class L, class R, std::enable_if_t<rtstring_detail::kOperatorPair<L, R>, int> = 0>
double operator>=(const L& left, const R& right) {
    return rtstring_detail::Relate<L, R, std::greater_equal<>>(left, right);
}

// Three-way comparison. Text with text gives strcmp's result; text with number gives -1, 0 or
// 1 as the text's value is smaller than, equal to or larger than the number (0 when either is
// not a number).
template <class L, class R, std::enable_if_t<rtstring_detail::kJoinable<L, R>, int> = 0>
double CompareText(const L& left, const R& right) {
    using namespace rtstring_detail;
    if constexpr (kIsText<L> && kIsText<R>) {
        return std::strcmp(TextOf(left), TextOf(right));
    } else {
        const double a = NumberOf(left);
        const double b = NumberOf(right);
        return a < b ? -1.0 : (a > b ? 1.0 : 0.0);
    }
}
