#include "calc/roll_plan.h"

namespace {

// The canvases with the side `across` across the roll's usable width.
// Each canvas after the first in a row takes its side and one gap, and so
// does each row after the first along the roll.
RollPlan LayOut(Nanometres across, Nanometres along, const Order& order, Nanometres usable) {
    RollPlan plan;
    if (across > usable) return plan;
    plan.fits = true;
    plan.sideBySide = (usable + order.gap) / (across + order.gap);
    plan.rows = DivideUp(order.count, plan.sideBySide);
    plan.rollUsed = plan.rows * along + (plan.rows - 1) * order.gap;
    return plan;
}

// An unsigned 128-bit number: the 32-bit Windows compiler has no __int128.
struct Wide {
    uint64_t high;
    uint64_t low;
};

Wide Multiply(uint64_t a, uint64_t b) {
    const uint64_t half = 0xFFFFFFFF;
    const uint64_t lowLow = (a & half) * (b & half);
    const uint64_t lowHigh = (a & half) * (b >> 32);
    const uint64_t highLow = (a >> 32) * (b & half);
    const uint64_t middle = (lowLow >> 32) + (lowHigh & half) + (highLow & half);
    return {(a >> 32) * (b >> 32) + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
            (middle << 32) | (lowLow & half)};
}

bool Below(Wide a, Wide b) {
    return a.high != b.high ? a.high < b.high : a.low < b.low;
}

// The waste 1 - canvas area / roll area, in tenths of a percent rounded
// up: the least t with 1000 x canvas >= (1000 - t) x roll area. The canvas
// side is at most 1006 in (25.6 x 10^9 nm), the roll 64 in and the roll
// used at most 10^4 rows of 1016 in: 1000 x count x width and (1000 - t) x
// roll stay below 2^63, and each times the other length below 2^128.
int64_t WasteTenths(const Order& order, Nanometres roll, Nanometres used) {
    const Wide canvas = Multiply(static_cast<uint64_t>(1000 * order.count * order.canvas.width),
                                 static_cast<uint64_t>(order.canvas.length));
    int64_t low = 0;
    int64_t high = 1000;
    while (low < high) {
        const int64_t t = (low + high) / 2;
        if (Below(canvas, Multiply(static_cast<uint64_t>((1000 - t) * roll), static_cast<uint64_t>(used)))) {
            low = t + 1;
        } else {
            high = t;
        }
    }
    return low;
}

}  // namespace

RollPlan PlanRoll(const Order& order, Nanometres roll) {
    const Nanometres usable = roll - 2 * order.margin;
    const Canvas& canvas = order.canvas;
    const RollPlan widthAcross = LayOut(canvas.width, canvas.length, order, usable);
    RollPlan plan = LayOut(canvas.length, canvas.width, order, usable);
    plan.lengthAcross = plan.fits;
    if (widthAcross.fits && (!plan.fits || widthAcross.rollUsed < plan.rollUsed ||
                             (widthAcross.rollUsed == plan.rollUsed && canvas.width >= canvas.length))) {
        plan = widthAcross;
    }
    if (plan.fits) plan.wasteTenths = WasteTenths(order, roll, plan.rollUsed);
    return plan;
}
