#include "calc/wrap.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* regularWidth;
    const char* regularLength;
    const char* regularSheet;
    const char* regularRoll;
    const char* stapleWidth;
    const char* stapleLength;
    const char* stapleSheet;
    const char* stapleRoll;
};

void ExpectResults(const WrapResults& r, const Expected& e) {
    EXPECT_EQ(r.regularWidth, e.regularWidth);
    EXPECT_EQ(r.regularLength, e.regularLength);
    EXPECT_EQ(r.regularSheet, e.regularSheet);
    EXPECT_EQ(r.regularRoll, e.regularRoll);
    EXPECT_EQ(r.stapleWidth, e.stapleWidth);
    EXPECT_EQ(r.stapleLength, e.stapleLength);
    EXPECT_EQ(r.stapleSheet, e.stapleSheet);
    EXPECT_EQ(r.stapleRoll, e.stapleRoll);
}

TEST(CalculateWrap, SmallestStockSizeFitsThe13By19Sheet) {
    ExpectResults(CalculateWrap(BarType::Standard125, "8", "8"),
                  {"10.5", "10.5", "13 x 19", "17", "11.5", "11.5", "13 x 19", "17"});
}

TEST(CalculateWrap, SheetSearchEndsAtNoneWhenTheStapleCanvasOutgrowsEverySheet) {
    ExpectResults(CalculateWrap(BarType::Standard125, "14", "19"),
                  {"16.5", "21.5", "17 x 22", "17", "17.5", "22.5", "none", "24"});
}

TEST(CalculateWrap, CanvasIsNeverTurnedToFitASheetButARollTakesEitherSide) {
    ExpectResults(CalculateWrap(BarType::Standard125, "19", "14"),
                  {"21.5", "16.5", "none", "17", "22.5", "17.5", "none", "24"});
}

TEST(CalculateWrap, PreNotchedBarsLeaveTheRegularWrapEmptyAndEqualityHolds) {
    ExpectResults(CalculateWrap(BarType::PreNotched, "11", "16"),
                  {"", "", "", "", "17", "22", "17 x 22", "17"});
    ExpectResults(CalculateWrap(BarType::PreNotched, "17.5", "8"),
                  {"", "", "", "", "23.5", "14", "none", "17"});
}

TEST(CalculateWrap, RollIsNoneWhenNeitherSideFitsTheWidestRoll) {
    ExpectResults(CalculateWrap(BarType::Pro175, "60", "60"),
                  {"63.5", "63.5", "none", "64", "64.5", "64.5", "none", "none"});
    ExpectResults(CalculateWrap(BarType::PreNotched, "60", "72"),
                  {"", "", "", "", "66", "78", "none", "none"});
}

TEST(CalculateWrap, OneSideFittingIsEnoughForARoll) {
    EXPECT_EQ(CalculateWrap(BarType::Pro175, "60", "8").stapleRoll, "17");
    WrapResults r = CalculateWrap(BarType::Pro175, "60", "54");
    EXPECT_EQ(r.stapleWidth, "64.5");
    EXPECT_EQ(r.stapleLength, "58.5");
    EXPECT_EQ(r.stapleRoll, "60");
    EXPECT_EQ(CalculateWrap(BarType::Pro175, "60", "60").stapleRoll, "none");
}

TEST(CalculateWrap, TextsWithoutANumberCountAsZero) {
    ExpectResults(CalculateWrap(BarType::Standard125, "", ""),
                  {"2.5", "2.5", "8.5 x 11", "17", "3.5", "3.5", "8.5 x 11", "17"});
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
