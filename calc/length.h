// Lengths as the print shop's figures are decided: whole nanometres, exact.
// An inch is 25,400,000 nm and a millimetre 1,000,000, so every length of
// the trade (a bar's depth, a sheet, a roll, a size in inches with up to 5
// decimals or in millimetres with up to 6) is a whole number of them, and
// sums, comparisons and quotients of lengths are integer arithmetic: no
// decision rests on a rounding error.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "toolkit/text.h"

using Nanometres = int64_t;

constexpr Nanometres kNanometresPerInch = 25400000;

enum class Unit { Inch, Millimetre, Centimetre };

// "in", "mm" or "cm", as options and suffixes name the unit.
const char* UnitName(Unit unit);

// The length typed as digits with at most one ".", at least one digit, no
// sign or exponent, then an optional unit suffix in any case ("280mm",
// "28CM", "11in"; none is inches). Read exactly, however many digits it has,
// and rounded up to whole nanometres. A length of 10^7 of its unit or more
// comes out as 10^7 of the unit: far beyond any length the program takes,
// and still small enough to add and multiply. Empty when the text is not a
// length.
std::optional<Nanometres> ReadLength(std::string_view text);

// The length rounded up to the step the unit is shown in: 0.00001 in (254
// nm) for inches; a nanometre for millimetres and centimetres, which show
// every nanometre. A length so rounded is shown exactly, and is what every
// figure is decided from.
Nanometres RoundUpToShown(Nanometres length, Unit unit);

// The length in the unit, trailing zeros dropped, no "0" before the point
// of a value below one: 343.5 mm, .5 in. Inches come rounded up to 0.00001
// in where the length is not a whole number of those.
Text LengthText(Nanometres length, Unit unit);

// value / 10^places as an exact decimal in the same form: 3302 and 1 give
// "330.2", 1500 and 1 give "150", 5 and 1 give ".5", 0 gives "0".
Text DecimalText(int64_t value, int places);

// numerator / denominator rounded up, for a numerator of 0 or more and a
// denominator above 0.
int64_t DivideUp(int64_t numerator, int64_t denominator);
