#include "calc/wrap.h"

#include <algorithm>
#include <limits>

namespace {

struct Sheet {
    float shortSide;
    float longSide;
    const char* text;
};

// Largest first: the last sheet that holds the canvas is the smallest one.
constexpr Sheet kSheets[] = {{17, 22, "17 x 22"}, {13, 19, "13 x 19"}, {8.5f, 11, "8.5 x 11"}};

struct Roll {
    float width;
    const char* text;
};

// Widest first: the last roll that holds the canvas is the narrowest one.
constexpr Roll kRolls[] = {{64, "64"}, {60, "60"}, {54, "54"}, {50, "50"}, {44, "44"},
                           {42, "42"}, {36, "36"}, {24, "24"}, {17, "17"}};

const char* const kNone = "none";

// The canvas is never turned to fit a sheet.
Text SheetFor(float width, float length) {
    const char* found = kNone;
    for (const Sheet& sheet : kSheets) {
        if (sheet.shortSide >= width && sheet.longSide >= length) found = sheet.text;
    }
    return found;
}

// A roll takes the canvas either way across.
Text RollFor(float width, float length) {
    const char* found = kNone;
    for (const Roll& roll : kRolls) {
        if (roll.width >= width || roll.width >= length) found = roll.text;
    }
    return found;
}

// Stores an extended sum in single precision. Sizes too large for it (only
// from hand-typed texts) stay at the largest single value instead of
// becoming infinite.
float StoreSingle(long double inches) {
    constexpr long double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(inches, -largest, largest));
}

Text InchText(float inches) {
    return TrimBlanks(FormatNumber(inches, 7));
}

}  // namespace

BarConstants BarConstantsOf(BarType bar) {
    switch (bar) {
    case BarType::Pro175: return {1.75f, 1.0f, false};
    case BarType::PreNotched: return {1.5f, 3.0f, true};
    case BarType::Standard125: break;
    }
    return {1.25f, 1.0f, false};
}

const char* BarTitle(BarType bar) {
    switch (bar) {
    case BarType::Pro175: return "Corvalin Pro 1.75\"";
    case BarType::PreNotched: return "Pre-Notched Stretcher Bars";
    case BarType::Standard125: break;
    }
    return "Corvalin 1.25\"";
}

WrapResults CalculateWrap(BarType bar, const Text& widthText, const Text& lengthText) {
    const BarConstants constants = BarConstantsOf(bar);
    const long double width = ParseNumber(widthText);
    const long double length = ParseNumber(lengthText);
    const long double depth = constants.depth;
    const long double extra = constants.stapleExtra;

    // Each sum in extended precision, stored once in single precision; every
    // later comparison and text uses the stored value.
    const float regularWidth = StoreSingle(width + 2 * depth);
    const float regularLength = StoreSingle(length + 2 * depth);
    const float stapleWidth = StoreSingle((extra + width) + 2 * depth);
    const float stapleLength = StoreSingle((extra + length) + 2 * depth);

    WrapResults results;
    results.stapleWidth = InchText(stapleWidth);
    results.stapleLength = InchText(stapleLength);
    results.stapleSheet = SheetFor(stapleWidth, stapleLength);
    results.stapleRoll = RollFor(stapleWidth, stapleLength);
    if (!constants.preNotched) {
        results.regularWidth = InchText(regularWidth);
        results.regularLength = InchText(regularLength);
        results.regularSheet = SheetFor(regularWidth, regularLength);
        results.regularRoll = RollFor(regularWidth, regularLength);
    }
    return results;
}
