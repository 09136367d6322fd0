#include <gtest/gtest.h>

#include "toolkit/text.h"

namespace {

TEST(ParseNumber, ReadsTheNumberAtTheStartAndIgnoresTheRest) {
    EXPECT_EQ(ParseNumber("8"), 8.0L);
    EXPECT_EQ(ParseNumber("17.5"), 17.5L);
    EXPECT_EQ(ParseNumber("  12abc"), 12.0L);
    EXPECT_EQ(ParseNumber("\t\r\n 3"), 3.0L);
    EXPECT_EQ(ParseNumber("1.2.3"), 1.2L);
    EXPECT_EQ(ParseNumber("007"), 7.0L);
    EXPECT_EQ(ParseNumber("+.5"), 0.5L);
    EXPECT_EQ(ParseNumber("-10.5"), -10.5L);
    EXPECT_EQ(ParseNumber("0.05"), 0.05L);
    EXPECT_EQ(ParseNumber("100"), 100.0L);
}

TEST(ParseNumber, GivesZeroWhenNoDigitLeadsTheText) {
    EXPECT_EQ(ParseNumber(""), 0.0L);
    EXPECT_EQ(ParseNumber("   "), 0.0L);
    EXPECT_EQ(ParseNumber("-"), 0.0L);
    EXPECT_EQ(ParseNumber("."), 0.0L);
    EXPECT_EQ(ParseNumber("x1"), 0.0L);
    EXPECT_EQ(ParseNumber("- 5"), 0.0L);
    EXPECT_EQ(ParseNumber("\v5"), 0.0L);
    EXPECT_EQ(ParseNumber("E5"), 0.0L);
    EXPECT_EQ(ParseNumber("&H1F"), 0.0L);
}

TEST(ParseNumber, ReadsExponentsAfterEOrD) {
    EXPECT_EQ(ParseNumber("1e2"), 100.0L);
    EXPECT_EQ(ParseNumber("1E+2"), 100.0L);
    EXPECT_EQ(ParseNumber("1D-1"), 0.1L);
    EXPECT_EQ(ParseNumber("25d-1x"), 2.5L);
    EXPECT_EQ(ParseNumber("3e"), 3.0L);
    EXPECT_EQ(ParseNumber("3e+"), 3.0L);
    EXPECT_EQ(ParseNumber(".5e1"), 5.0L);
}

TEST(ParseNumber, KeepsEighteenSignificantDigitsAndDropsTheRest) {
    EXPECT_EQ(ParseNumber("12345678901234567890"), 12345678901234567800.0L);
    EXPECT_EQ(ParseNumber("1234567890123456789"), 1234567890123456780.0L);
    EXPECT_EQ(ParseNumber("0.000123456789012345678999"), 123456789012345678.0L / 1e21L);
    EXPECT_EQ(ParseNumber("9999999999999999999999"), 9999999999999999990000.0L);
}

TEST(ParseNumber, ClampsHugeAndTinyValues) {
    EXPECT_EQ(ParseNumber("1E5000"), 0x1p127L);
    EXPECT_EQ(ParseNumber("-1E5000"), -0x1p127L);
    EXPECT_EQ(ParseNumber("1E4933"), 0x1p127L);
    EXPECT_EQ(ParseNumber("1E99999999999"), 0x1p127L);
    EXPECT_EQ(ParseNumber("1E-5000"), 0.0L);
    EXPECT_EQ(ParseNumber("1E-4934"), 0.0L);
    EXPECT_EQ(ParseNumber("1E4932"), 0x1p127L);
    EXPECT_EQ(ParseNumber("0.01E-4932"), 0.0L);
    // Just inside the clamps the values are close to what long double holds.
    EXPECT_NEAR(static_cast<double>(ParseNumber("9.5E4931") / 9.5e4931L), 1.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(ParseNumber("3.5E-4932") / 3.5e-4932L), 1.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(ParseNumber("1.5E-4932") / 1.5e-4932L), 1.0, 1e-15);
    EXPECT_GT(ParseNumber("123456789012345678E-4950"), 0.0L);
    // The exponent is capped at 9999 before it meets the digit count.
    EXPECT_EQ(ParseNumber("0.00001E9999"), 0x1p127L);
    const auto below1 = [](size_t zeros) { return Text(".").append(zeros, '0').append("1E10000"); };
    EXPECT_EQ(ParseNumber(below1(5067)), ParseNumber("1E4931"));
    EXPECT_EQ(ParseNumber(below1(5066)), 0x1p127L);
    // 10^4932 is the largest power of ten long double holds; below it the
    // division goes in two steps.
    EXPECT_NEAR(static_cast<double>(ParseNumber("1E-4932") / 1e-4932L), 1.0, 1e-3);
    EXPECT_NEAR(static_cast<double>(ParseNumber("1E-4933") / 1e-4933L), 1.0, 1e-2);
    // At exactly 10^-4932 one division, which rounds 999E-4932 correctly;
    // two steps would land one unit above.
    EXPECT_EQ(ParseNumber("999E-4932"), 0x9.49156212a9cfc2ap-16377L);
}

}  // namespace
