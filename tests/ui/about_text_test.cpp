#include "ui/about_text.h"

#include <gtest/gtest.h>

namespace {

const Text kCaption = "Corvalin Calculator - v1.0";

TEST(BuildAboutText, InTheReferenceYearShowsTheYearAloneAndAnEmptyLine) {
    EXPECT_EQ(BuildAboutText(kCaption, "06-30-2017"),
              "Corvalin Calculator - v1.0\r"
              "Copyright (c) 2017 Maplestead, Inc.\r"
              "\r"
              "Corvalin is a product line of Maplestead, Inc.\r"
              "www.maplestead.example");
}

TEST(BuildAboutText, InAnyOtherYearShowsTheRangeWithoutTheEmptyLine) {
    EXPECT_EQ(BuildAboutText(kCaption, "12-07-2026"),
              "Corvalin Calculator - v1.0\r"
              "Copyright (c) 2017-2026 Maplestead, Inc.\r"
              "Corvalin is a product line of Maplestead, Inc.\r"
              "www.maplestead.example");
    EXPECT_NE(BuildAboutText(kCaption, "01-01-2016").find("2017-2016 "), Text::npos);
}

TEST(BuildAboutText, TakesAShortDateTextWholeAsTheYear) {
    EXPECT_NE(BuildAboutText(kCaption, "017").find("(c) 2017-017 "), Text::npos);
    EXPECT_NE(BuildAboutText(kCaption, "").find("(c) 2017- "), Text::npos);
}

TEST(BuildAboutText, BreaksLinesWithLoneCarriageReturns) {
    for (const char* date : {"06-30-2017", "12-07-2026"}) {
        const Text text = BuildAboutText(kCaption, date);
        EXPECT_EQ(text.find('\n'), Text::npos);
        EXPECT_EQ(text.rfind(kCaption, 0), 0u);
        EXPECT_NE(text.back(), '\r');
    }
}

}  // namespace
