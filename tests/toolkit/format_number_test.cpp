#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "toolkit/exact_digits.h"
#include "toolkit/text.h"

namespace {

Text Shown(long double value, int digits) {
    return TrimBlanks(FormatNumber(value, digits));
}

TEST(FormatNumber, PutsABlankOrMinusInTheSignPositionOnly) {
    EXPECT_EQ(FormatNumber(8, 15), " 8");
    EXPECT_EQ(FormatNumber(10.5L, 7), " 10.5");
    EXPECT_EQ(FormatNumber(-10.5L, 7), "-10.5");
    EXPECT_EQ(FormatNumber(-0.5L, 7), "-.5");
    EXPECT_EQ(FormatNumber(0, 7), " 0");
    EXPECT_EQ(FormatNumber(-0.0L, 7), " 0");
}

TEST(FormatNumber, ShowsWholeNumbersAndFractionsWithoutTrailingZeros) {
    EXPECT_EQ(Shown(21, 7), "21");
    EXPECT_EQ(Shown(23.5L, 7), "23.5");
    EXPECT_EQ(Shown(63.5L, 7), "63.5");
    EXPECT_EQ(Shown(78, 7), "78");
    EXPECT_EQ(Shown(1000, 7), "1000");
    EXPECT_EQ(Shown(0.5L, 7), ".5");
    EXPECT_EQ(Shown(0.0000001L, 7), ".0000001");
    EXPECT_EQ(Shown(9999999, 7), "9999999");
    EXPECT_EQ(Shown(123456789012345, 15), "123456789012345");
    for (int n = 8; n <= 19; ++n) EXPECT_EQ(Shown(n, 15), std::to_string(n));
}

TEST(FormatNumber, UsesTheExponentFormWhenTheDigitsDoNotFit) {
    EXPECT_EQ(Shown(10000000, 7), "1E+7");
    EXPECT_EQ(Shown(12345678, 7), "1.234568E+7");
    EXPECT_EQ(Shown(0.00000001L, 7), "1E-8");
    EXPECT_EQ(Shown(1.5e-10L, 7), "1.5E-10");
    EXPECT_EQ(Shown(1234567890123456LL, 15), "1.23456789012346E+15");
    EXPECT_EQ(Shown(0.05L, 1), "5E-2");
    EXPECT_EQ(Shown(0.05L, 0), ".05");
    EXPECT_EQ(Shown(123, 2), "1.2E+2");
}

TEST(FormatNumber, RoundsByTheNextDigitAloneWithTiesToEven) {
    EXPECT_EQ(Shown(1234567.5L, 7), "1234568");
    EXPECT_EQ(Shown(1234568.5L, 7), "1234568");
    EXPECT_EQ(Shown(1234566.6L, 7), "1234567");
    // The digits after the eighth are never consulted: 1234566.569 rounds
    // down although it lies above the half-way point.
    EXPECT_EQ(Shown(1234566.569L, 7), "1234566");
    EXPECT_EQ(Shown(1234565.569L, 7), "1234566");
}

TEST(FormatNumber, CarriesOutOfTheFirstDigit) {
    EXPECT_EQ(Shown(1999999.5L, 7), "2000000");
    EXPECT_EQ(Shown(9999999.5L, 7), "1E+7");
    EXPECT_EQ(Shown(999999.95L, 7), "1000000");
    EXPECT_EQ(Shown(0.99999995L, 7), "1");
    EXPECT_EQ(Shown(9.6L, 1), "1E+1");
    EXPECT_EQ(Shown(0.096L, 1), ".1");
}

// Expected digits worked out with exact fractions.
TEST(FormatNumber, TakesEighteenDigitsOfTheExactBinaryValue) {
    // 1 + 2^-55 = 1.0000000000000000277...: digit 18 is rounded from it.
    EXPECT_EQ(Shown(1.0L + 0x1p-55L, 18), "1.00000000000000003");
    EXPECT_EQ(Shown(0x1p64L, 18), "1.84467440737095516E+19");
    EXPECT_EQ(Shown(0x1p100L, 18), "1.2676506002282294E+30");
    // Exact ties at digit 19 go to the even digit, above and below 1.
    EXPECT_EQ(Shown(1234567890123456785.0L, 18), "1.23456789012345678E+18");
    EXPECT_EQ(Shown(1234567890123456795.0L, 18), "1.2345678901234568E+18");
    EXPECT_EQ(Shown(12345678901234567850.0L, 18), "1.23456789012345678E+19");
    EXPECT_EQ(Shown(12345678901234567950.0L, 18), "1.2345678901234568E+19");
    EXPECT_EQ(Shown(123456789012345678.5L, 18), "123456789012345678");
    EXPECT_EQ(Shown(123456789012345679.5L, 18), "123456789012345680");
    // A 5 in the 19th place and only the 20th digit not 0: above half.
    EXPECT_EQ(Shown(12345678901234567851.0L, 18), "1.23456789012345679E+19");
    // 281474976710656006 5 00 244140625: above half only through the
    // lowest limb.
    EXPECT_EQ(Shown(0x80000000000000d5p-15L, 18), "281474976710656.007");
    // 163840000149685946 5 000000000 1455...: three limbs keep a tie that
    // is not one.
    EXPECT_EQ(Shown(0x80000001f6433fbdp-49L, 18), "16384.0000149685947");
    // The smallest denormal, and the largest: the longest product there is.
    EXPECT_EQ(Shown(std::numeric_limits<long double>::denorm_min(), 18), "3.6451995318824746E-4951");
    EXPECT_EQ(Shown(0xfffffffffffffffep-16446L, 18), "3.36210314311209351E-4932");
    // 1.447379073146129793506...E+3710: a bound that outgrew 64 bits once
    // let three limbs settle on ...978.
    EXPECT_EQ(Shown(0xeca9139aa6a62c2fp12261L, 18), "1.44737907314612979E+3710");
    EXPECT_EQ(Shown(0.1L, 18), ".1");
    // Single-precision values show their binary value to 18 digits.
    EXPECT_EQ(Shown(0.1f, 18), ".100000001490116119");
    EXPECT_EQ(Shown(0.1f, 7), ".1");
    EXPECT_EQ(Shown(0.1f, 9), ".100000001");
}

// However few limbs the first try keeps, the digits and the point are the
// full product's.
TEST(FirstDigits, AgreeWithTheFullProductForEveryKeptLimbCount) {
    std::vector<long double> values = {0xeca9139aa6a62c2fp12261L, 0x9437b0eb417386f0p-83L, 0x800000000002e198p10281L,
                                       std::numeric_limits<long double>::denorm_min(),
                                       std::numeric_limits<long double>::min(),
                                       std::numeric_limits<long double>::max()};
    for (int e = -16445; e <= 16383; e += 997) values.push_back(std::ldexp(1.0L, e));
    for (int e = -4950; e <= 4932; e += 331) values.push_back(std::pow(10.0L, e));
    // Every biased exponent is as likely: as many huge and tiny values as
    // ordinary ones.
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 3000; ++i) {
        const uint64_t mantissa = random() | uint64_t{1} << 63;
        const uint16_t field = static_cast<uint16_t>(1 + random() % 0x7FFE);
        unsigned char bytes[sizeof(long double)] = {};
        std::memcpy(bytes, &mantissa, 8);
        std::memcpy(bytes + 8, &field, 2);
        long double value;
        std::memcpy(&value, bytes, sizeof value);
        values.push_back(value);
    }
    for (const long double value : values) {
        const ExactDigits full = FirstDigits(value, kAllLimbs);
        for (int kept = 1; kept <= kFirstTryLimbs; ++kept) {
            const ExactDigits tried = FirstDigits(value, kept);
            ASSERT_EQ(std::string(tried.digits, 18), std::string(full.digits, 18)) << kept << " limbs, " << value;
            ASSERT_EQ(tried.point, full.point) << kept << " limbs, " << value;
            ASSERT_EQ(tried.count, 18);
            ASSERT_EQ(tried.digits[18], '0') << "the digit after the eighteen";
        }
    }
}

// Arguments the generator has no answer for give no digits, at once: no
// endless try with no limbs to grow, no digit read before the first.
TEST(FirstDigits, GiveNoDigitsForNoLimbsNoValueOrACountOutsideOneToEighteen) {
    const long double infinity = std::numeric_limits<long double>::infinity();
    for (const long double value : {0.0L, -0.0L, infinity, -infinity, std::nanl("")}) {
        EXPECT_EQ(FirstDigits(value).count, 0) << value;
        EXPECT_EQ(RoundedDigits(value, 7).count, 0) << value;
    }
    EXPECT_EQ(FirstDigits(1.5L, 0).count, 0);
    EXPECT_EQ(FirstDigits(1.5L, -3).count, 0);
    for (const int count : {0, -1, 19}) EXPECT_EQ(RoundedDigits(1.5L, count).count, 0) << count;
    const ExactDigits edges[] = {RoundedDigits(1.5L, 1), RoundedDigits(1.5L, 18)};
    EXPECT_EQ(std::string(edges[0].digits, edges[0].count) + ' ' + std::to_string(edges[0].point), "2 1");
    EXPECT_EQ(std::string(edges[1].digits, edges[1].count) + ' ' + std::to_string(edges[1].point), "15 1");
}

TEST(FormatNumber, CoversTheWholeExtendedRange) {
    const long double largest = std::numeric_limits<long double>::max();
    const long double tiniest = std::numeric_limits<long double>::denorm_min();
    EXPECT_EQ(FormatNumber(largest, 0), " 1.18973149535723177E+4932");
    EXPECT_EQ(FormatNumber(-largest, 18).size(), 26u);
    EXPECT_EQ(Shown(tiniest, 7), "3.6452E-4951");
    EXPECT_EQ(Shown(0x1p127L, 8), "1.7014118E+38");
    EXPECT_EQ(FormatNumber(std::numeric_limits<long double>::infinity(), 7), " Inf");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<long double>::infinity(), 7), "-Inf");
    EXPECT_EQ(FormatNumber(std::nanl(""), 7), " NaN");
}

}  // namespace
