#include "calc/finished_sizes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using Entries = std::vector<Text>;

TEST(FinishedSizeEntries, StandardBarsOfferTheWholeNumbers8To19) {
    EXPECT_EQ(FinishedSizeEntries(BarType::Standard125),
              (Entries{"8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19"}));
}

TEST(FinishedSizeEntries, ProBarsSkip15And17) {
    EXPECT_EQ(FinishedSizeEntries(BarType::Pro175),
              (Entries{"8",  "9",  "10", "11", "12", "13", "14", "16", "18", "19", "20", "24",
                       "26", "28", "30", "32", "36", "40", "42", "44", "48", "50", "54", "60"}));
}

TEST(FinishedSizeEntries, PreNotchedBarsSkip13AndOffer17Point5) {
    Entries entries = FinishedSizeEntries(BarType::PreNotched);
    EXPECT_EQ(entries, (Entries{"8",  "9",  "10", "11", "12", "14", "15", "16", "17.5",
                                "18", "20", "22", "24", "26", "28", "30", "32", "36",
                                "38", "40", "42", "48", "54", "60", "72"}));
}

TEST(FinishedSizeEntries, EveryEntryParsesBackToItsNumberInAscendingOrder) {
    for (BarType bar : {BarType::Standard125, BarType::Pro175, BarType::PreNotched}) {
        Entries entries = FinishedSizeEntries(bar);
        EXPECT_EQ(std::set<Text>(entries.begin(), entries.end()).size(), entries.size());
        long double previous = 0;
        for (const Text& entry : entries) {
            long double value = ParseNumber(entry);
            EXPECT_GT(value, previous) << entry;
            EXPECT_EQ(TrimBlanks(FormatNumber(value, 15)), entry);
            previous = value;
        }
    }
    EXPECT_EQ(ParseNumber("17.5"), 17.5L);
}

}  // namespace
