// The lengths the program shows, read as exact decimals and given in other
// units or in pixels: figures a print shop cuts by, so each is rounded the
// way that never leaves the canvas short.
#pragma once

#include <cstdint>

#include "calc/divide_up.h"
#include "toolkit/text.h"

enum class Unit { Inch, Millimetre, Centimetre };

// Lengths are worked in millionths of an inch: the results show at most
// seven significant digits of at least 2.5 in, so six places hold them exactly.
constexpr int64_t kMicroPerInch = 1000000;

const char* UnitName(Unit unit);

// A length as the results show it, a plain decimal, in millionths of an inch.
int64_t MicroInches(const Text& inches);

// value / 10^places in the program's number text: 3302 and 1 give "330.2",
// 1500 and 1 give "150", 5 and 1 give ".5".
Text ScaledText(int64_t value, int places);

// The length in the unit, rounded up to 0.1 mm or 0.01 cm (1 in is
// exactly 25.4 mm); an empty text stays empty.
Text LengthText(const Text& inches, Unit unit);

// A sheet or roll keeps its name, with its size in a metric unit beside
// it: "13 x 19 (330.2 x 482.6 mm)". "none" and the empty text stay as they are.
Text NameWithSize(const Text& name, Unit unit);

// The whole pixels that cover the length at `dpi` dots per inch.
Text PixelsAt(const Text& inches, int dpi);
