#include "calc/roll_plan.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

Nanometres Inches(const char* text) {
    return *ReadLength(text);
}

// Worked out by hand. Across a roll R less two margins M, n canvases of
// side a with gaps G take n x a + (n - 1) x G, so n = (R - 2M + G) / (a + G)
// rounded down; the rows take their lengths and a gap between each two;
// the waste is 1 - count x width x length / (R x roll used), rounded up.
TEST(RollPlan, LaysTheOrderTheWayThatTakesTheLeastRoll) {
    struct Case {
        const char *roll, *width, *length;
        int64_t count;
        const char *gap, *margin;
        bool fits, lengthAcross;
        int64_t sideBySide, rows;
        const char* used;
        int64_t wasteTenths;
    };
    const Case cases[] = {
        // Exactly across the roll; the other way does not fit.
        {"17", "17", "22", 1, "0", "0", true, false, 1, 1, "22", 0},
        // Exactly across what half an inch at each edge leaves: 30 / 720 = 4.17%.
        {"24", "23", "30", 1, "0", ".5", true, false, 1, 1, "30", 42},
        {"24", "23", "30", 1, "0", ".50001", false, false, 0, 0, "0", 0},
        // One canvas takes least roll with its longer side across:
        // 2 x 12.5 across, 10.5 along; 1 - 131.25 / 378 = 65.28%.
        {"36", "10.5", "12.5", 1, "0", "0", true, true, 2, 1, "10.5", 653},
        // Six take 3 rows of 10.5 that way (31.5) but 2 rows of 12.5 turned
        // (25): 1 - 787.5 / 900 = 12.5%.
        {"36", "10.5", "12.5", 6, "0", "0", true, false, 3, 2, "25", 125},
        // 11.9 + .2 + 11.9 = 24: two across, two rows, 60.2 of roll;
        // 1 - 1428 / 1444.8 = 1.16%.
        {"24", "11.9", "30", 4, ".2", "0", true, false, 2, 2, "60.2", 12},
        // A gap a hair wider leaves one across: 4 x 30 + 3 x .20001.
        {"24", "11.9", "30", 4, ".20001", "0", true, false, 1, 4, "120.60003", 507},
        // Seven at three a row: two full rows and one of one; 1 - 1680 / 2160.
        {"36", "12", "20", 7, "0", "0", true, false, 3, 3, "60", 223},
        // Three where six fit: one row; 1 - 330.75 / 672 = 50.78%.
        {"64", "10.5", "10.5", 3, "0", "0", true, false, 6, 1, "10.5", 508},
        // Two across in one row of 20, or two rows of 10 turned: the same
        // roll, so the longer side goes across. 1 - 400 / 480.
        {"24", "10", "20", 2, "0", "0", true, true, 1, 2, "20", 167},
        // Margins that leave less than nothing.
        {"17", "8", "8", 1, "0", "9", false, false, 0, 0, "0", 0},
    };
    for (const Case& c : cases) {
        const RollPlan p = PlanRoll(
            {{Inches(c.width), Inches(c.length)}, c.count, Inches(c.gap), Inches(c.margin)}, Inches(c.roll));
        EXPECT_EQ(std::tuple(p.fits, p.lengthAcross, p.sideBySide, p.rows, p.rollUsed, p.wasteTenths),
                  std::tuple(c.fits, c.lengthAcross, c.sideBySide, c.rows, p.fits ? Inches(c.used) : 0, c.wasteTenths))
            << c.count << " of " << c.width << " x " << c.length << " on " << c.roll << ", gap " << c.gap
            << ", margin " << c.margin;
    }
    // The largest order, whose areas pass 2^63 nm^2 many times: 10,000 rows
    // of 1006 in with 9,999 gaps of 10 in take 10,159,990 in;
    // 1 - 603,600,000 / (64 x 10,159,990) = 7.17%.
    const RollPlan largest = PlanRoll({{Inches("60"), Inches("1006")}, 10000, Inches("10"), Inches("2")}, Inches("64"));
    EXPECT_EQ(std::tuple(largest.fits, largest.sideBySide, largest.rows, largest.rollUsed, largest.wasteTenths),
              std::tuple(true, 1, 10000, 10159990 * kNanometresPerInch, 72));
}

}  // namespace
