// Commands on Numbers and texts: degree trigonometry, powers and remainders, text functions,
// the random generator. None reports an error; text results are new strings built in the
// caller's storage.
#pragma once

#include "text/NumArray.h"
#include "text/RtString.h"
#include "text/StrArray.h"

// Sine of an angle in degrees.
double SinDeg(double degrees);
// Cosine of an angle in degrees.
double CosDeg(double degrees);
// Tangent of an angle in degrees.
double TanDeg(double degrees);
// Arc sine in degrees; 90 for x >= 1, -90 for x <= -1.
double ASinDeg(double x);
// Arc cosine in degrees; 0 for x >= 1, 180 for x <= -1.
double ACosDeg(double x);
// Angle of the point (x, y) in degrees, -180..180.
double ATanDeg(double y, double x);
// a to the power b (not-a-number where C's pow gives it).
double Pow(double a, double b);
// Square root (not-a-number for negative x).
double Sqrt(double x);
// x without its sign.
double Abs(double x);
// Remainder of the whole part of a divided by the whole part of b, with the sign of a; 0 when
// the whole part of b is 0 or either is not a finite number.
double Mod(double a, double b);

// Length of the text in bytes.
double Len(const RtString& text);
// Length of the number's text (LenOfNumber(12.5) is 4).
double LenOfNumber(double number);
// First byte of the text as a signed value (-128..127); 0 for an empty text.
double Asc(const RtString& text);
// A text of one byte, the low 8 bits of the truncated n; empty when that byte is 0.
RtString Chr(double n);
// Copy with A..Z changed to a..z.
RtString LowerCase(const RtString& text);
// Copy with a..z changed to A..Z.
RtString UpperCase(const RtString& text);
// Zero-based position of the first occurrence of find in text (case matters); 0 when find is
// empty, -1 when it does not occur.
double InStr(const char* text, const char* find);
double InStr(const RtString& text, const RtString& find);
double InStr(const RtString& text, const char* find);
double InStr(const char* text, const RtString& find);
// The count bytes at bytes as upper-case hexadecimal pairs, high half first; empty for no
// bytes.
RtString HexOfBytes(const void* bytes, double count);
// x in fixed-point form with the given decimals, right-aligned with blanks to at least width
// characters (a negative width aligns left, as C's "%-8.2f"); FormatNumber(8, 2, 3.14159) is
// "    3.14". Negative decimals count as 0.
RtString FormatNumber(double width, double decimals, double x);
// Splits text at runs of delimiter bytes into parts (no empty parts), dimensions parts to
// their count and gives the count. The text is left as it is.
double SplitString(const RtString& text, StrArray& parts, const RtString& delimiters);
// At most count bytes of text from the zero-based position start; empty for a negative start,
// a start beyond the end or a count of 0 or less.
RtString MidText(const RtString& text, double start, double count);
// Replaces every occurrence of find in text by with, changing text itself, and gives a copy
// of the result. An empty find leaves the text as it is.
RtString ReplaceText(RtString& text, const RtString& find, const RtString& with);

// Seeds the runtime's random generator; start-up calls it once.
void SeedRandom(int seed);
// A random whole number from 0 to trunc(n); 0 for n < 0 or not a number (which still use up
// one draw, so the sequence stays in step).
double Random(double n);
