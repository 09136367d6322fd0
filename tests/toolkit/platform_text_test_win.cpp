#include "toolkit/platform_text_win.h"

#include <gtest/gtest.h>

namespace {

TEST(WideText, CrossesEveryMappedByteOfTheCodePageBothWays) {
    int mapped = 0;
    for (int byte = 1; byte <= 255; ++byte) {
        const Text text = CharText(byte);
        const std::wstring wide = ToWideText(text);
        ASSERT_EQ(wide.size(), 1u) << byte;
        wchar_t expected = 0;
        MultiByteToWideChar(CP_ACP, 0, text.data(), 1, &expected, 1);
        EXPECT_EQ(wide[0], expected) << byte;
        if (FromWideText(wide.c_str()) == text) ++mapped;
    }
    // Windows-1252 leaves five bytes undefined; all others come back.
    EXPECT_GE(mapped, 250);
    EXPECT_EQ(ToWideText("\x80"), L"\u20AC");
    EXPECT_EQ(FromWideText(L"\u00E9t\u00E9"), "\xE9t\xE9");
}

TEST(WideText, EmptyAndUnconvertibleTexts) {
    EXPECT_EQ(ToWideText(""), L"");
    EXPECT_EQ(FromWideText(L""), "");
    EXPECT_EQ(FromWideText(nullptr), "");
    EXPECT_EQ(ToWideText(Text("a\0b", 3)), std::wstring(L"a\0b", 3));
    EXPECT_EQ(FromWideText(L"\u4E2D"), "?");
    const Text caption = "Corvalin Calculator - v1.0";
    EXPECT_EQ(FromWideText(ToWideText(caption).c_str()), caption);
}

TEST(CurrentDateText, IsMonthDayYearFromTheLocalClock) {
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    const Text date = CurrentDateText();
    GetLocalTime(&after);
    ASSERT_EQ(date.size(), 10u);
    EXPECT_EQ(date[2], '-');
    EXPECT_EQ(date[5], '-');
    char expected[16];
    snprintf(expected, sizeof expected, "%02u-%02u-%04u", unsigned{before.wMonth}, unsigned{before.wDay},
             unsigned{before.wYear});
    if (before.wDay == after.wDay) {
        EXPECT_EQ(date, expected);
    }
    EXPECT_EQ(RightPart(date, 4), std::to_string(before.wYear));
}

}  // namespace
