#include "calc/canvas.h"

#include <algorithm>

namespace {

// Every figure below is a whole number of hundredths of an inch, 254,000 nm.
constexpr Nanometres kHundredth = kNanometresPerInch / 100;

struct BarLengths {
    Nanometres depth;
    Nanometres stapleExtra;
};

BarLengths LengthsOf(BarType bar) {
    switch (bar) {
    case BarType::Pro175: return {175 * kHundredth, 100 * kHundredth};
    case BarType::PreNotched: return {150 * kHundredth, 300 * kHundredth};
    case BarType::Standard125: break;
    }
    return {125 * kHundredth, 100 * kHundredth};
}

// Smallest first.
constexpr StockSheet kSheets[] = {{850 * kHundredth, 1100 * kHundredth, "8.5 x 11"},
                                  {1300 * kHundredth, 1900 * kHundredth, "13 x 19"},
                                  {1700 * kHundredth, 2200 * kHundredth, "17 x 22"}};

constexpr StockRoll kRolls[] = {{17 * kNanometresPerInch, "17"}, {24 * kNanometresPerInch, "24"},
                                {36 * kNanometresPerInch, "36"}, {42 * kNanometresPerInch, "42"},
                                {44 * kNanometresPerInch, "44"}, {50 * kNanometresPerInch, "50"},
                                {54 * kNanometresPerInch, "54"}, {60 * kNanometresPerInch, "60"},
                                {64 * kNanometresPerInch, "64"}};

}  // namespace

std::optional<Canvas> CanvasFor(BarType bar, WrapMethod method, Nanometres width, Nanometres length) {
    if (method == WrapMethod::Regular && bar == BarType::PreNotched) return std::nullopt;
    const BarLengths lengths = LengthsOf(bar);
    const Nanometres added = 2 * lengths.depth + (method == WrapMethod::Staple ? lengths.stapleExtra : 0);
    return Canvas{width + added, length + added};
}

Nanometres FaceMargin(BarType bar, WrapMethod method) {
    const BarLengths lengths = LengthsOf(bar);
    return lengths.depth + (method == WrapMethod::Staple ? lengths.stapleExtra / 2 : 0);
}

const StockSheet* SheetFor(const Canvas& canvas) {
    for (const StockSheet& sheet : kSheets) {
        if (canvas.width <= sheet.shortSide && canvas.length <= sheet.longSide) return &sheet;
    }
    return nullptr;
}

std::span<const StockRoll> StandardRolls() {
    return kRolls;
}

const StockRoll* NarrowestRoll(const Canvas& canvas, Nanometres margin) {
    for (const StockRoll& roll : kRolls) {
        if (std::min(canvas.width, canvas.length) <= roll.width - 2 * margin) return &roll;
    }
    return nullptr;
}
