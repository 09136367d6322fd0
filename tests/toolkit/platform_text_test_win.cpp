#include "toolkit/platform_text_win.h"

#include <gtest/gtest.h>

namespace {

// Windows-1252, the code page of the test prefix: the bytes 0x80 to 0x9F
// (0 for the five it leaves undefined); every other byte is its own code
// point.
constexpr wchar_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

TEST(WideText, CrossesEveryDefinedByteOfTheCodePageBothWays) {
    ASSERT_EQ(GetACP(), 1252u);
    for (int byte = 1; byte <= 255; ++byte) {
        const wchar_t expected = byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : static_cast<wchar_t>(byte);
        const Text text = CharText(byte);
        const std::wstring wide = ToWideText(text);
        ASSERT_EQ(wide.size(), 1u) << byte;
        if (expected == 0) continue;
        EXPECT_EQ(wide[0], expected) << byte;
        EXPECT_EQ(FromWideText(wide.c_str()), text) << byte;
    }
    EXPECT_EQ(FromWideText(L"\u00E9t\u00E9"), "\xE9t\xE9");
}

TEST(WideText, EmptyAndUnconvertibleTexts) {
    EXPECT_EQ(ToWideText(""), L"");
    EXPECT_EQ(FromWideText(L""), "");
    EXPECT_EQ(FromWideText(nullptr), "");
    EXPECT_EQ(ToWideText(Text("a\0b", 3)), std::wstring(L"a\0b", 3));
    EXPECT_EQ(FromWideText(L"\u4E2D"), "?");
}

// The platform's own formatting of its clock, month-day-year with leading
// zeros, whatever the user's settings.
std::wstring PlatformDate() {
    wchar_t date[16] = L"";
    GetDateFormatW(LOCALE_INVARIANT, 0, nullptr, L"MM-dd-yyyy", date, 16);
    return date;
}

TEST(CurrentDateText, IsTheLocalDateAsMonthDayYear) {
    // Read before and after: the date may turn in between.
    const std::wstring before = PlatformDate();
    const Text date = CurrentDateText();
    const std::wstring after = PlatformDate();
    const std::wstring shown(date.begin(), date.end());
    EXPECT_TRUE(shown == before || shown == after) << date << " is neither " << Text(before.begin(), before.end());
}

}  // namespace
