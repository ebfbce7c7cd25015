#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/Number.h"
#include "text/TextCommands.h"

namespace {

constexpr int kMaxFormatWidth = 255;
constexpr int kMaxFormatDecimals = 100;

// The text with every byte passed through change.
template <class Change> RtString MapBytes(const RtString& text, Change change) {
    RtString result(text);
    for (uint32_t i = 0; i < result.Length(); ++i)
        result.SetCharAt(i, change(text.CharAt(i)));
    return result;
}

double PositionOf(const char* text, const char* find) {
    const char* found = std::strstr(text, find);
    return found ? static_cast<double>(found - text) : -1.0;
}

} // namespace

double Len(const RtString& text) {
    return text.Length();
}

double LenOfNumber(double number) {
    return NumberToText(number).Length();
}

double Asc(const RtString& text) {
    return text.Length() ? text.CharAt(0) : 0.0;
}

RtString Chr(double n) {
    const char byte[2] = {static_cast<char>(ToInt(n) & 0xFF), '\0'};
    return RtString(byte);
}

RtString LowerCase(const RtString& text) {
    return MapBytes(text, [](int byte) { return byte >= 'A' && byte <= 'Z' ? byte + 32 : byte; });
}

RtString UpperCase(const RtString& text) {
    return MapBytes(text, [](int byte) { return byte >= 'a' && byte <= 'z' ? byte - 32 : byte; });
}

double InStr(const char* text, const char* find) {
    return PositionOf(text ? text : "", find ? find : "");
}
double InStr(const RtString& text, const RtString& find) {
    return PositionOf(text.CText(), find.CText());
}
double InStr(const RtString& text, const char* find) {
    return InStr(text.CText(), find);
}
double InStr(const char* text, const RtString& find) {
    return InStr(text, find.CText());
}

RtString HexOfBytes(const void* bytes, double count) {
    static const char kDigits[] = "0123456789ABCDEF";
    RtString result;
    const int64_t byteCount = ToInt64(count);
    if (!bytes || byteCount <= 0) return result;
    const auto* source = static_cast<const unsigned char*>(bytes);
    char pair[3] = {};
    for (int64_t i = 0; i < byteCount; ++i) {
        pair[0] = kDigits[source[i] >> 4];
        pair[1] = kDigits[source[i] & 15];
        result += pair;
    }
    return result;
}

RtString FormatNumber(double width, double decimals, double x) {
    const int fieldWidth = std::max(-kMaxFormatWidth, std::min(ToInt(width), kMaxFormatWidth));
    const int precision = std::max(0, std::min(ToInt(decimals), kMaxFormatDecimals));
    char format[32];
    std::snprintf(format, sizeof(format), "%%%d.%df", fieldWidth, precision);
    // The largest doubles print with 309 whole digits; measure first so nothing is cut.
    const int needed = std::snprintf(nullptr, 0, format, x);
    RtString result;
    char* buffer = result.Reserve(static_cast<uint32_t>(std::max(needed, 256)));
    std::snprintf(buffer, result.Capacity(), format, x);
    result.Recount();
    return result;
}

double SplitString(const RtString& text, StrArray& parts, const RtString& delimiters) {
    // Copies, because the text or the delimiters may be elements of parts.
    const RtString source(text);
    const RtString separators(delimiters);
    const char* begin = source.CText();
    const char* set = separators.CText();

    int64_t count = 0;
    for (const char* cursor = begin + std::strspn(begin, set); *cursor;) {
        cursor += std::strcspn(cursor, set);
        ++count;
        cursor += std::strspn(cursor, set);
    }
    DimStringArray(parts, static_cast<double>(count), 0, 0, 0);

    int index = 0;
    for (const char* cursor = begin + std::strspn(begin, set); *cursor; ++index) {
        const size_t partLength = std::strcspn(cursor, set);
        RtString& part = ArrayElement(parts, index, 0, 0, 0);
        part = "";
        std::memcpy(part.Reserve(static_cast<uint32_t>(partLength)), cursor, partLength);
        part.TruncateAt(static_cast<int>(partLength));
        cursor += partLength;
        cursor += std::strspn(cursor, set);
    }
    return static_cast<double>(count);
}

RtString MidText(const RtString& text, double start, double count) {
    RtString result;
    const double length = text.Length();
    // A start that is no number counts as 0, as everywhere a Number becomes a position.
    if (std::isnan(start)) start = 0;
    // start and count stay fractional until they pick bytes: a count that reaches beyond the
    // end becomes what is left after the fractional start, so MidText("crab", 1.9, 3.5) takes
    // trunc(4 - 1.9) = 2 bytes from position 1.
    if (ToInt64(start + count) > length) count = length - start;
    if (!(count > 0) || start < 0 || start > length) return result;
    const int64_t first = ToInt64(start);
    const int64_t taken = std::min<int64_t>(ToInt64(count), text.Length() - first);
    // Like the C text it copies, the part ends at an embedded zero byte.
    const char* from = text.CText() + first;
    const size_t bytes = strnlen(from, static_cast<size_t>(taken));
    std::memcpy(result.Reserve(static_cast<uint32_t>(bytes)), from, bytes);
    result.TruncateAt(static_cast<int>(bytes));
    return result;
}

RtString ReplaceText(RtString& text, const RtString& find, const RtString& with) {
    const int64_t findLength = find.Length();
    const int64_t withLength = with.Length();
    if (findLength == 0) return text;
    // Copies, because find or with may be the text itself.
    const RtString findText(find);
    const RtString withText(with);

    int64_t position = 0;
    while (position <= text.Length()) {
        const double found = InStr(text.CText() + position, findText);
        if (found < 0) break;
        const int64_t at = position + static_cast<int64_t>(found);
        if (findLength == withLength) {
            for (int64_t i = 0; i < withLength; ++i)
                text.SetCharAt(static_cast<int>(at + i), withText.CharAt(static_cast<int>(i)));
            position = at + withLength;
        } else {
            RtString changed = MidText(text, 0, static_cast<double>(at));
            changed += withText;
            changed += MidText(text, static_cast<double>(at + findLength), text.Length());
            text = changed;
            // The next search starts findLength - 1 bytes before the end of the inserted text,
            // so a match may begin in the tail of `with`; never before the start of the text.
            position = std::max<int64_t>(0, at + withLength - findLength + 1);
        }
    }
    return text;
}
