#include "cli/roll_plan.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Worked out by hand: the waste is the share of roll width beside the one
// canvas, in tenths of a percent, rounded up.
TEST(RollPlan, LaysTheCanvasTheWayThatTakesLessRoll) {
    struct Case {
        const char *roll, *width, *length;
        bool fits, lengthAcross;
        const char* used;
        int64_t sideBySide, wasteTenths;
    };
    const Case cases[] = {
        {"36", "25.5", "33.5", true, true, "25.5", 1, 70},   // 2.5 / 36 = 6.94%
        {"36", "33.5", "25.5", true, false, "25.5", 1, 70},  // the same canvas turned
        {"17", "17", "22", true, false, "22", 1, 0},         // exactly across; 22 does not fit
        {"36", "12", "36", true, true, "12", 1, 0},          // the longer side exactly across
        {"36", "12", "18", true, true, "12", 2, 500},        // two exactly side by side
        {"24", "20", "20", true, false, "20", 1, 167},       // square: 4 / 24 = 16.67%
        {"64", "63.5", "70", true, false, "70", 1, 8},       // .5 / 64 = .78%
        {"24", "33.5", "25.5", false, true, "", 0, 0},       // neither side fits
        {"none", "64.5", "64.5", false, false, "", 0, 0},
    };
    for (const Case& c : cases) {
        const RollPlan p = PlanRoll(c.roll, c.width, c.length);
        EXPECT_EQ(std::tuple(p.fits, p.lengthAcross, p.rollUsed, p.sideBySide, p.wasteTenths),
                  std::tuple(c.fits, c.lengthAcross, Text(c.used), c.sideBySide, c.wasteTenths))
            << c.width << " x " << c.length << " on " << c.roll;
    }
}

}  // namespace
