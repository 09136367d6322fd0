// The canvas to print for a wrap, worked exactly in nanometres, and the
// standard sheet and roll that hold it: the window's calculation
// (calc/wrap.h) for a size of any length and digits.
#pragma once

#include <optional>
#include <span>

#include "calc/length.h"
#include "calc/wrap.h"

enum class WrapMethod { Regular, Staple };

struct Canvas {
    Nanometres width;
    Nanometres length;
};

// The canvas for the finished size `width` x `length`: the bar's depth on
// every side, and for the staple method its extra besides. None for the
// regular wrap on pre-notched bars, which take only staples.
std::optional<Canvas> CanvasFor(BarType bar, WrapMethod method, Nanometres width, Nanometres length);

// The canvas beyond the front face on each side: the bar's depth, and for
// the staple method half its extra (the extra is split between both sides).
Nanometres FaceMargin(BarType bar, WrapMethod method);

struct StockSheet {
    Nanometres shortSide;
    Nanometres longSide;
    const char* name;  // "13 x 19"
};

struct StockRoll {
    Nanometres width;
    const char* name;  // "36"
};

// The smallest standard sheet that holds the canvas, which is never turned
// on a sheet; null when none does.
const StockSheet* SheetFor(const Canvas& canvas);

// The standard roll widths, narrowest first.
std::span<const StockRoll> StandardRolls();

// The narrowest standard roll that holds the canvas one way or the other
// with `margin` left at each edge; null when none does.
const StockRoll* NarrowestRoll(const Canvas& canvas, Nanometres margin);
