#include "cli/roll_plan.h"

#include <algorithm>

#include "cli/shown_lengths.h"

RollPlan PlanRoll(const Text& roll, const Text& width, const Text& length) {
    if (roll == "none") return {};
    RollPlan plan;
    const int64_t across = MicroInches(roll);
    const int64_t w = MicroInches(width);
    const int64_t l = MicroInches(length);
    plan.lengthAcross = std::max(w, l) <= across ? l > w : l < w;
    const int64_t side = plan.lengthAcross ? l : w;
    plan.fits = side <= across;
    plan.sideBySide = across / side;
    if (plan.fits) {
        plan.rollUsed = plan.lengthAcross ? width : length;
        plan.wasteTenths = DivideUp((across - side) * 1000, across);
    }
    return plan;
}
