// How a canvas goes on a roll: which way across, how much roll it takes,
// how many fit side by side, and how much of what it takes is waste.
#pragma once

#include <cstdint>

#include "toolkit/text.h"

struct RollPlan {
    bool fits = false;
    bool lengthAcross = false;  // the canvas length lies across the roll, else its width
    Text rollUsed;              // the canvas side that runs along the roll, in inches
    int64_t sideBySide = 0;     // canvases of this size that fit across the roll
    int64_t wasteTenths = 0;    // of the roll one canvas takes, the share beside it, in
                                // tenths of a percent, rounded up
};

// The canvas `width` x `length` (shown inch texts) on the roll named `roll`,
// or on none when it is "none". Where both ways fit, the longer side goes
// across: it takes less roll.
RollPlan PlanRoll(const Text& roll, const Text& width, const Text& length);
