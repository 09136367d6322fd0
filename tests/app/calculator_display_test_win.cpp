// The calculator as it first shows itself, read from another process.
#include <gtest/gtest.h>

#include "calculator_driver_win.h"
#include "ui/ids.h"

namespace {

struct ControlRow {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
};

TEST(Calculator, FirstDisplayShowsTheStandardBarAt8By8) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    EXPECT_TRUE(IsChecked(calc, IDC_BAR_STANDARD));
    EXPECT_FALSE(IsChecked(calc, IDC_BAR_PRO));
    EXPECT_FALSE(IsChecked(calc, IDC_BAR_PRENOTCHED));
    for (int list : {IDC_WIDTH_LIST, IDC_LENGTH_LIST}) {
        EXPECT_EQ(ListEntries(calc.control(list)), OfferedSizes(BarType::Standard125));
        EXPECT_EQ(SelectedEntry(calc.control(list)), L"8");
    }
    EXPECT_EQ(ResultLabels(calc), (std::vector<std::wstring>{L"10.5", L"10.5", L"11.5", L"11.5", L"13 x 19",
                                                                      L"13 x 19", L"17", L"17"}));
}

TEST(Calculator, WindowHoldsItsControlsInCreationOrderWithTheirStyles) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    // The combo box hands WS_VSCROLL on to its drop-down; only the checked
    // option keeps WS_TABSTOP.
    const DWORD frame = 0x50000007, list = 0x50010003, checked = 0x50010009, unchecked = 0x50000009,
                label = 0x50000001;
    const ControlRow rows[] = {
        {IDC_FINISHED_FRAME, L"Button", L"Desired Finished Size", frame},
        {IDC_WIDTH_LIST, L"ComboBox", L"8", list},
        {IDC_WIDTH_FRAME, L"Button", L"Width (in)", frame},
        {IDC_LENGTH_FRAME, L"Button", L"Length (in)", frame},
        {IDC_LENGTH_LIST, L"ComboBox", L"8", list},
        {IDC_BARTYPE_FRAME, L"Button", L"Bar Type", frame},
        {IDC_BAR_STANDARD, L"Button", L"Corvalin 1.25\"", checked},
        {IDC_BAR_PRO, L"Button", L"Corvalin Pro 1.75\"", unchecked},
        {IDC_REGULAR_FRAME, L"Button", L"Regular Wrap Minimum Canvas Size", frame},
        {IDC_STAPLE_FRAME, L"Button", L"Staple Method Minimum Canvas Size", frame},
        {IDC_REGULAR_WIDTH_FRAME, L"Button", L"Width (in)", frame},
        {IDC_STAPLE_WIDTH_FRAME, L"Button", L"Width (in)", frame},
        {IDC_REGULAR_LENGTH_FRAME, L"Button", L"Length (in)", frame},
        {IDC_STAPLE_LENGTH_FRAME, L"Button", L"Length (in)", frame},
        {IDC_REGULAR_WIDTH, L"Static", L"10.5", label},
        {IDC_STAPLE_WIDTH, L"Static", L"11.5", label},
        {IDC_REGULAR_LENGTH, L"Static", L"10.5", label},
        {IDC_STAPLE_LENGTH, L"Static", L"11.5", label},
        {IDC_REGULAR_SHEET_FRAME, L"Button", L"Standard Sheet (in x in)", frame},
        {IDC_STAPLE_SHEET_FRAME, L"Button", L"Standard Sheet (in x in)", frame},
        {IDC_REGULAR_SHEET, L"Static", L"13 x 19", label},
        {IDC_STAPLE_SHEET, L"Static", L"13 x 19", label},
        {IDC_REGULAR_ROLL_FRAME, L"Button", L"Min. Roll Width (in)", frame},
        {IDC_STAPLE_ROLL_FRAME, L"Button", L"Min. Roll Width (in)", frame},
        {IDC_REGULAR_ROLL, L"Static", L"17", label},
        {IDC_STAPLE_ROLL, L"Static", L"17", label},
        {IDC_BAR_PRENOTCHED, L"Button", L"Pre-Notched Stretcher Bars", unchecked},
    };
    HWND child = GetWindow(calc.window(), GW_CHILD);
    for (const ControlRow& row : rows) {
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), row.id);
        EXPECT_EQ(ClassOf(child), row.className) << row.id;
        EXPECT_EQ(TextOf(child), row.text) << row.id;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)), row.style) << row.id;
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);
    EXPECT_EQ(SendMessageW(calc.control(IDC_WIDTH_LIST), CB_GETEXTENDEDUI, 0, 0), TRUE);
}

TEST(Calculator, WindowHasACaptionAMenuAndNoCloseBox) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    const LONG style = GetWindowLongW(calc.window(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    // Menus cannot be read from another process under Wine; the commands
    // are driven by the tests below.
    EXPECT_NE(GetMenu(calc.window()), nullptr);
    RECT client;
    GetClientRect(calc.window(), &client);
    // 324 x 211 dialog units in MS Sans Serif 8 are 486 x 343 pixels.
    EXPECT_EQ(client.right, 486);
    EXPECT_LT(client.bottom, 343);  // the menu bar took its height
    EXPECT_GT(client.bottom, 343 - 40);
}

}  // namespace
