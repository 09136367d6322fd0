// The program's text value and the conversions between numbers and text.
//
// A Text is a counted sequence of bytes compared byte by byte; characters
// are read in the active ANSI code page only when a text crosses to the
// platform. Numbers are long double: x87 extended precision, 64-bit mantissa.
#pragma once

#include <string>

using Text = std::string;

// The number with `digits` significant digits (0 or above 18 means 18):
// a sign position (blank or "-") then the digits, "." as the decimal point,
// no trailing zeros, no "0" before the point of a value below one, and the
// form "1.5E-10" when the digits do not fit. Infinities come out as " Inf"
// and "-Inf", a NaN as " NaN".
Text FormatNumber(long double value, int digits);

// The text without blanks (code 32) at either end; tabs stay.
Text TrimBlanks(const Text& text);

// The value of the number at the start of the text, 0 when there is none.
// Leading blanks, tabs, CR and LF are skipped; then an optional sign, digits
// with at most one ".", and an optional exponent after E, e, D or d (capped
// at 9999). Only the first 18 significant digits count, the rest are dropped
// without rounding. Values from 1E4933 up give 2^127, from 1E-4933 down 0.
// Whatever follows the number is ignored. A text that starts with "&" has
// no number either (no other radix is read): 0.
long double ParseNumber(const Text& text);

// The last `count` characters; the whole text when count is at least its
// length, the empty text when count is 0 or negative.
Text RightPart(const Text& text, int count);

// A text of one character whose byte is the low 8 bits of `code`.
Text CharText(int code);

Text Concat(const Text& left, const Text& right);

// True when both texts hold the same bytes: case and blanks matter.
bool TextEquals(const Text& left, const Text& right);
