// An order of canvases of one size printed on a roll: which way they lie,
// how many side by side, how many rows, how much roll the order takes and
// how much of it is waste.
#pragma once

#include <cstdint>

#include "calc/canvas.h"

// The largest count of canvases in one order, and the largest gap and
// margin. Within them every product the plan forms stays within 64 bits
// but one, which is taken to 128 (see WasteTenths).
constexpr int64_t kLargestCount = 10000;
constexpr Nanometres kLargestGap = 10 * kNanometresPerInch;

struct Order {
    Canvas canvas;
    int64_t count;      // canvases of this size
    Nanometres gap;     // between canvases, across and along the roll
    Nanometres margin;  // left empty at each edge of the roll
};

struct RollPlan {
    bool fits = false;
    bool lengthAcross = false;  // the canvas length lies across the roll, else its width
    int64_t sideBySide = 0;     // canvases that fit across the roll in one row
    int64_t rows = 0;
    Nanometres rollUsed = 0;  // the rows and the gaps between them
    int64_t wasteTenths = 0;  // of the roll used, the share that is not canvas, in
                              // tenths of a percent, rounded up
};

// The order on a roll `roll` wide, the way that takes the least roll for
// the whole order; where both ways take the same, the longer side across.
// With one canvas, no gap and no margin, that is the longer side across
// wherever it fits, the figures of a single canvas.
RollPlan PlanRoll(const Order& order, Nanometres roll);
