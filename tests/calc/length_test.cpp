#include "calc/length.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// 1 in = 25,400,000 nm and 1 mm = 1,000,000 nm exactly; anything beyond
// whole nanometres rounds up, however far down it lies.
TEST(ReadLength, TakesTheTypedDecimalExactlyAndRoundsUpToWholeNanometres) {
    const std::pair<std::string, Nanometres> lengths[] = {
        {"1", 25400000},
        {"1IN", 25400000},
        {"1mm", 1000000},
        {"1Cm", 10000000},
        {"5.", 127000000},
        {".5", 12700000},
        {"0008.50", 215900000},
        {"0.00001", 254},
        {"0.000001", 26},  // 25.4 nm
        {"0.0000001", 3},  // 2.54 nm
        {"0.000000000000000000000000001mm", 1},
        {"280mm", 280000000},
        {"28.0cm", 280000000},
        // 280 mm as a metric user types it in inches: 279,999,999.99888 nm.
        {"11.0236220472", 280000000},
        // 735,811,115.9736564 nm: the digits past the 18th still count.
        {"28.968941573766", 735811116},
        {"1." + std::string(100000, '0') + "1", 25400001},
        {"0." + std::string(50, '9'), 25400000},
        {"25400mm", 25400000000},
        // Beyond 10^7 of the unit every length is 10^7 of it.
        {"99999999999999999999999", 10000000LL * 25400000},
        {"10000000.5mm", 10000000LL * 1000000},
    };
    for (const auto& [text, nanometres] : lengths) {
        EXPECT_EQ(ReadLength(text), std::optional<Nanometres>(nanometres)) << text.substr(0, 40);
    }
    for (const char* text : {"", ".", "mm", "in", "1.2.3", "1e2", "-1", "+1", " 1", "1 mm", "1mmm", "1ft", "1m",
                             "in1", "0x10", "1,5"}) {
        EXPECT_EQ(ReadLength(text), std::nullopt) << text;
    }
}

TEST(ReadLength, ShowsInchesRoundedUpToTheFifthDecimalAndMetricExactly) {
    EXPECT_EQ(RoundUpToShown(1, Unit::Inch), 254);
    EXPECT_EQ(RoundUpToShown(254, Unit::Inch), 254);
    EXPECT_EQ(RoundUpToShown(255, Unit::Inch), 508);
    EXPECT_EQ(RoundUpToShown(255, Unit::Millimetre), 255);
    EXPECT_EQ(RoundUpToShown(255, Unit::Centimetre), 255);
    const std::tuple<Nanometres, Unit, const char*> shown[] = {
        {254, Unit::Inch, ".00001"},
        {255, Unit::Inch, ".00002"},
        {799311116, Unit::Inch, "31.46895"},  // 31.468941573766 in, up
        {25400000000, Unit::Inch, "1000"},
        {0, Unit::Inch, "0"},
        {343500000, Unit::Millimetre, "343.5"},  // 280 mm + 2 x 1.25 in
        {63500003, Unit::Millimetre, "63.500003"},
        {3, Unit::Millimetre, ".000003"},
        {190754000, Unit::Centimetre, "19.0754"},
        {1, Unit::Centimetre, ".0000001"},
    };
    for (const auto& [length, unit, text] : shown) EXPECT_EQ(LengthText(length, unit), text) << length;
    EXPECT_EQ(DecimalText(3302, 1), "330.2");
    EXPECT_EQ(DecimalText(1500, 1), "150");
    EXPECT_EQ(DecimalText(5, 1), ".5");
    EXPECT_EQ(DecimalText(100, 2), "1");
    EXPECT_EQ(DecimalText(7, 0), "7");
}

}  // namespace
