#include "print/print_layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr int64_t kInch = 25400000;  // nanometres

auto Fields(const LayoutAxis& a) {
    return std::tuple(a.skip, a.face, a.band, a.margin, a.turnFold, a.faceFold);
}

// Worked out by hand from the rules in print_layout.h.
TEST(PrintLayout, EdgesKeepTheFaceWholeAndRoundEachBandUp) {
    // 8000 x 6000 over 25 x 18.75 in: 320 ppi exactly; 2.109375 in is 675 pixels.
    const int64_t side = kInch * 2109375 / 1000000;
    PrintLayout l = LayOut({8000, 6000, 25 * kInch, kInch * 75 / 4, side, 0, 0, EdgeKind::Mirror});
    EXPECT_EQ(Fields(l.x), std::tuple(0, 8000, 675, 0, 0, 675));
    EXPECT_EQ(Fields(l.y), std::tuple(0, 6000, 675, 0, 0, 675));
    EXPECT_EQ(l.x.Total(), 9350);
    EXPECT_EQ(l.ppi.numerator, 320);
    EXPECT_EQ(l.ppi.denominator, 1);
    // The staple method's half-inch turn-over: 160 more pixels each end; a
    // half-inch margin 160 beyond that.
    l = LayOut({8000, 6000, 25 * kInch, kInch * 75 / 4, side, kInch / 2, kInch / 2, EdgeKind::Stretch});
    EXPECT_EQ(Fields(l.x), std::tuple(0, 8000, 835, 160, 160, 835));
    EXPECT_EQ(l.y.Total(), 6000 + 2 * 835 + 2 * 160);

    // 1000 pixels over 3 in: 333.33 ppi; 1.25 in is 416.67 pixels and 0.5 in
    // 166.67, each rounded up: never narrower than asked.
    l = LayOut({1000, 1000, 3 * kInch, 3 * kInch, kInch * 5 / 4, kInch / 2, 0, EdgeKind::Solid});
    EXPECT_EQ(Fields(l.x), std::tuple(0, 1000, 417 + 167, 0, 167, 584));
    EXPECT_EQ(l.ppi.numerator, 1000);
    EXPECT_EQ(l.ppi.denominator, 3);
}

TEST(PrintLayout, CropsTheSpareSideCentredWithTheOddPixelAfter) {
    // 1000 across 4 in is 250 ppi, and 3 in down is 750 of the 800 rows.
    PrintLayout l = LayOut({1000, 800, 4 * kInch, 3 * kInch, kInch, 0, 0, EdgeKind::Mirror});
    EXPECT_EQ(Fields(l.y), std::tuple(25, 750, 250, 0, 0, 250));
    l = LayOut({1000, 801, 4 * kInch, 3 * kInch, kInch, 0, 0, EdgeKind::Mirror});
    EXPECT_EQ(Fields(l.y), std::tuple(25, 750, 250, 0, 0, 250));
    // 1001 across: 250.25 ppi; 750.75 rows are needed, 49.25 spare: 50 cut.
    l = LayOut({1001, 800, 4 * kInch, 3 * kInch, kInch * 5 / 4, 0, 0, EdgeKind::Mirror});
    EXPECT_EQ(Fields(l.y), std::tuple(25, 750, 313, 0, 0, 313));
    EXPECT_EQ(Fields(l.x), std::tuple(0, 1001, 313, 0, 0, 313));
    // An upright image on a wide face: 200 ppi across (below 333.33 down),
    // so 600 of the 1000 rows show, 200 cut above.
    l = LayOut({800, 1000, 4 * kInch, 3 * kInch, kInch, 0, 0, EdgeKind::Mirror});
    EXPECT_EQ(l.ppi.numerator, 200);
    EXPECT_EQ(l.ppi.denominator, 1);
    EXPECT_EQ(Fields(l.x), std::tuple(0, 800, 200, 0, 0, 200));
    EXPECT_EQ(Fields(l.y), std::tuple(200, 600, 200, 0, 0, 200));
}

TEST(PrintLayout, ImageEdgeCoversTheWholeCanvas) {
    // The canvas is 29.21875 x 22.96875 in; the height sets 6000 / 22.96875
    // = 12800/49 ppi, so the width needs 7632.65 of 8000 pixels: 368 cut,
    // 184 before. The side/face fold: 2.109375 in is 551.02 pixels, from a
    // canvas edge 0.33 pixel outside the kept image across: 550.69.
    const int64_t side = kInch * 2109375 / 1000000;
    const PrintLayout l = LayOut({8000, 6000, 25 * kInch, kInch * 75 / 4, side, 0, 0, EdgeKind::Image});
    EXPECT_EQ(Fields(l.x), std::tuple(184, 7632, 0, 0, 0, 551));
    EXPECT_EQ(Fields(l.y), std::tuple(0, 6000, 0, 0, 0, 551));
    EXPECT_EQ(l.ppi.numerator, 12800);
    EXPECT_EQ(l.ppi.denominator, 49);
}

// 999,983 pixels (a prime) over a hair more than an inch: a resolution whose
// terms do not shrink, 25,399,568,200,000 / 25,400,001 ppi, 999,982.96;
// an inch of side and of margin is 999,983 pixels each.
TEST(PrintLayout, LargeTermsStayExact) {
    const PrintLayout l = LayOut({999983, 999983, kInch + 1, kInch + 1, kInch, 0, kInch, EdgeKind::Mirror});
    EXPECT_EQ(Fields(l.x), std::tuple(0, 999983, 999983, 999983, 0, 999983));
    EXPECT_EQ(l.ppi.numerator, 25399568200000);
    EXPECT_EQ(l.ppi.denominator, 25400001);
}

TEST(PrintLayout, ClosestFractionWithinTheTermsATiffHolds) {
    const auto closest = [](int64_t n, int64_t d, int64_t limit) {
        const Resolution r = ClosestFraction({n, d}, limit);
        return std::tuple(r.numerator, r.denominator);
    };
    EXPECT_EQ(closest(12800, 49, 0xFFFFFFFF), std::tuple(12800, 49));
    // Pi: 355/113 within 1000; within 200 the semiconvergent 179/57 is
    // closer than the convergent 22/7.
    EXPECT_EQ(closest(314159265358979, 100000000000000, 1000), std::tuple(355, 113));
    EXPECT_EQ(closest(314159265358979, 100000000000000, 200), std::tuple(179, 57));
    // Above the limit: the limit itself.
    EXPECT_EQ(closest(30000000001, 3, 0xFFFFFFFF), std::tuple(0xFFFFFFFF, 1));
    EXPECT_EQ(RoundedRatio(7, 2), 4);
    EXPECT_EQ(RoundedRatio(13, 4), 3);
}

}  // namespace
