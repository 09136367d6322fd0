#include "calc/wrap.h"

#include <gtest/gtest.h>

#include <string>

#include "support/golden_table.h"

namespace {

TEST(CalculateWrap, GivesTheGoldenResultsForEveryOfferedCombination) {
    const std::vector<GoldenRow> rows = GoldenRows();
    ASSERT_EQ(rows.size(), 12u * 12 + 24 * 24 + 25 * 25);
    for (const GoldenRow& row : rows) {
        EXPECT_EQ(ResultTexts(CalculateWrap(row.bar, row.width, row.length)), row.results)
            << BarTitle(row.bar) << ' ' << row.width << " x " << row.length;
    }
}

// The 1.25" bar's regular wrap adds 2.5 to each side, so a canvas of any
// size can be asked for.
WrapResults RegularCanvas(double width, double length) {
    return CalculateWrap(BarType::Standard125, std::to_string(width - 2.5), std::to_string(length - 2.5));
}

TEST(CalculateWrap, EachSheetHoldsACanvasUpToItsSidesAndIsNeverTurned) {
    struct Sheet {
        double shortSide, longSide;
        const char* text;
        const char* next;  // the next larger sheet
    };
    for (const Sheet& sheet : {Sheet{8.5, 11, "8.5 x 11", "13 x 19"}, Sheet{13, 19, "13 x 19", "17 x 22"},
                               Sheet{17, 22, "17 x 22", "none"}}) {
        EXPECT_EQ(RegularCanvas(sheet.shortSide, sheet.longSide).regularSheet, sheet.text);
        EXPECT_EQ(RegularCanvas(sheet.shortSide + 0.5, sheet.longSide).regularSheet, sheet.next);
        EXPECT_EQ(RegularCanvas(sheet.shortSide, sheet.longSide + 0.5).regularSheet, sheet.next);
    }
    EXPECT_EQ(RegularCanvas(22, 17).regularSheet, "none");
}

TEST(CalculateWrap, EachRollHoldsACanvasWhoseSmallerSideIsUpToItsWidth) {
    const char* const rolls[] = {"17", "24", "36", "42", "44", "50", "54", "60", "64", "none"};
    for (int i = 0; i < 9; ++i) {
        const double width = std::stod(rolls[i]);
        EXPECT_EQ(RegularCanvas(width, 500).regularRoll, rolls[i]);
        EXPECT_EQ(RegularCanvas(500, width).regularRoll, rolls[i]);
        EXPECT_EQ(RegularCanvas(width + 0.5, 500).regularRoll, rolls[i + 1]);
    }
}

TEST(CalculateWrap, TextsWithoutANumberCountAsZero) {
    EXPECT_EQ(ResultTexts(CalculateWrap(BarType::Standard125, "", "")),
              (std::vector<Text>{"2.5", "2.5", "3.5", "3.5", "8.5 x 11", "8.5 x 11", "17", "17"}));
}

TEST(CalculateWrap, SizesBeyondSinglePrecisionStayAtItsLargestValue) {
    WrapResults r = CalculateWrap(BarType::Pro175, "1E4000", "-1E4000");
    EXPECT_EQ(r.regularWidth, "3.402823E+38");
    EXPECT_EQ(r.stapleLength, "-3.402823E+38");
    EXPECT_EQ(r.regularSheet, "none");
    EXPECT_EQ(r.regularRoll, "17");  // the negative length fits any roll
}

TEST(CalculateWrap, DimensionsAreSinglePrecisionSumsOfTheExtendedValue) {
    // 6 + 2^-20 + 2^-22 + 2^-40: rounded to single precision first, the
    // width would be 6 + 3 x 2^-21 and the sum 8.5 + 2^-19 (a tie rounded to
    // even); formed in extended precision and rounded once it is 8.5 + 2^-20.
    WrapResults r = CalculateWrap(BarType::Standard125, "6.000001192093805002514", "8");
    EXPECT_EQ(r.regularWidth, "8.500001");
    EXPECT_EQ(r.stapleWidth, "9.500001");
    // A side just over a sheet's by less than single precision holds: the
    // stored value is 17 exactly.
    EXPECT_EQ(CalculateWrap(BarType::Standard125, "14.5000000001", "8").regularSheet, "17 x 22");
    EXPECT_EQ(CalculateWrap(BarType::Standard125, "14.5001", "8").regularSheet, "none");
}

}  // namespace
