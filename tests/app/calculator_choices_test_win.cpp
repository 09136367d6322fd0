// Choosing bars and sizes with clicks, notifications and keys.
#include <gtest/gtest.h>

#include "calculator_driver_win.h"
#include "ui/ids.h"

namespace {

TEST(Calculator, PreNotchedBarsRefillTheListsAndEmptyTheRegularWrap) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    calc.Click(IDC_BAR_PRENOTCHED);
    EXPECT_TRUE(IsChecked(calc, IDC_BAR_PRENOTCHED));
    EXPECT_FALSE(IsChecked(calc, IDC_BAR_STANDARD));
    for (int list : {IDC_WIDTH_LIST, IDC_LENGTH_LIST}) {
        EXPECT_EQ(ListEntries(calc.control(list)), OfferedSizes(BarType::PreNotched));
        EXPECT_EQ(SelectedEntry(calc.control(list)), L"8");
    }
    EXPECT_EQ(ResultLabels(calc),
              (std::vector<std::wstring>{L"", L"", L"14", L"14", L"", L"17 x 22", L"", L"17"}));
}

TEST(Calculator, SizeChoicesRecalculateAndABarChangeResetsBothSizes) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    calc.Click(IDC_BAR_PRO);
    EXPECT_EQ(ListEntries(calc.control(IDC_WIDTH_LIST)), OfferedSizes(BarType::Pro175));
    calc.Choose(IDC_WIDTH_LIST, L"60");
    calc.Choose(IDC_LENGTH_LIST, L"54");
    EXPECT_EQ(ResultLabels(calc), Labels(BarType::Pro175, "60", "54"));
    EXPECT_EQ(TextOf(calc.control(IDC_STAPLE_ROLL)), L"60");
    calc.Choose(IDC_LENGTH_LIST, L"60");
    EXPECT_EQ(TextOf(calc.control(IDC_STAPLE_ROLL)), L"none");

    // 60 is offered for pre-notched bars too, yet both lists go back to 8.
    calc.Click(IDC_BAR_PRENOTCHED);
    EXPECT_EQ(SelectedEntry(calc.control(IDC_WIDTH_LIST)), L"8");
    EXPECT_EQ(SelectedEntry(calc.control(IDC_LENGTH_LIST)), L"8");
    EXPECT_EQ(ResultLabels(calc), Labels(BarType::PreNotched, "8", "8"));
}

TEST(Calculator, ClickingTheCheckedBarAgainRefillsWithoutDuplicates) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    calc.Choose(IDC_WIDTH_LIST, L"19");
    calc.Choose(IDC_LENGTH_LIST, L"14");
    EXPECT_EQ(ResultLabels(calc), Labels(BarType::Standard125, "19", "14"));
    calc.Click(IDC_BAR_STANDARD);
    calc.Click(IDC_BAR_STANDARD);
    for (int list : {IDC_WIDTH_LIST, IDC_LENGTH_LIST}) {
        EXPECT_EQ(ListEntries(calc.control(list)), OfferedSizes(BarType::Standard125));
        EXPECT_EQ(SelectedEntry(calc.control(list)), L"8");
    }
    EXPECT_EQ(ResultLabels(calc), Labels(BarType::Standard125, "8", "8"));
}

TEST(Calculator, KeyboardMovesThroughTheTabStopsAndChoosesSizes) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return calc.FocusedWindow() == calc.control(IDC_WIDTH_LIST); }));
    // Checking an option makes it the only tab stop among the three.
    for (int next : {IDC_LENGTH_LIST, IDC_BAR_STANDARD, IDC_WIDTH_LIST}) {
        calc.PressKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return calc.FocusedWindow() == calc.control(next); })) << next;
    }
    calc.Click(IDC_BAR_PRENOTCHED);
    EXPECT_TRUE(WaitUntil([&] { return calc.FocusedWindow() == calc.control(IDC_BAR_PRENOTCHED); }));
    for (int next : {IDC_WIDTH_LIST, IDC_LENGTH_LIST, IDC_BAR_PRENOTCHED}) {
        calc.PressKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return calc.FocusedWindow() == calc.control(next); })) << next;
    }
    calc.Click(IDC_BAR_STANDARD);
    // Typing a digit in a list picks the next size starting with it.
    PostMessageW(calc.control(IDC_WIDTH_LIST), WM_CHAR, L'1', 1);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(calc.control(IDC_REGULAR_WIDTH)) == L"12.5"; }));
    EXPECT_EQ(SelectedEntry(calc.control(IDC_WIDTH_LIST)), L"10");
    EXPECT_EQ(ResultLabels(calc), Labels(BarType::Standard125, "10", "8"));
}

TEST(Calculator, FocusComesBackToItsControlWhenTheWindowIsActivatedAgain) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return calc.FocusedWindow() == calc.control(IDC_WIDTH_LIST); }));
    calc.PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return calc.FocusedWindow() == calc.control(IDC_LENGTH_LIST); }));

    // Another application's window takes the activation, then gives it back.
    HWND other = CreateWindowExW(0, L"STATIC", L"Another application", WS_POPUP | WS_CAPTION | WS_VISIBLE, 600, 100,
                                 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(WaitUntil([&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        return GetForegroundWindow() == other;
    }));
    EXPECT_EQ(calc.FocusedWindow(), nullptr);
    SetForegroundWindow(calc.window());
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == calc.window(); }));
    EXPECT_TRUE(WaitUntil([&] { return calc.FocusedWindow() == calc.control(IDC_LENGTH_LIST); }));
    DestroyWindow(other);
}

}  // namespace
