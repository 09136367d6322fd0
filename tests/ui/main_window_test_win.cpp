// The main window as the program builds and runs it, in this process: a
// thread timer runs each test's steps inside the window's own modal loop,
// so every message is handled by the time its call returns.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/calculator_driver_win.h"
#include "support/golden_table.h"
#include "ui/ids.h"
#include "ui/main_window_win.h"
#include "ui/titles.h"

namespace {

std::function<void(HWND)> g_Steps;

VOID CALLBACK RunSteps(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_Steps(g_hDlg);
    SendMessageW(g_hDlg, WM_COMMAND, IDM_EXIT, 0);
}

// Shows the window as start-up does and runs `steps` once it is up; ends it
// with Exit afterwards, if the steps have not. Returns the window's result.
int32_t RunMainWindow(std::function<void(HWND)> steps) {
    g_Caption = "Corvalin Calculator - v1.0";
    g_Steps = std::move(steps);
    SetTimer(nullptr, 0, 0, RunSteps);
    return ShowMainDialog(nullptr);
}

LRESULT Send(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(GetDlgItem(dialog, id), message, wParam, lParam);
}

std::vector<std::wstring> Labels(HWND dialog) {
    return ResultLabels([dialog](int id) { return GetDlgItem(dialog, id); });
}

void Choose(HWND dialog, int list, const Text& entry) {
    ChooseEntry(dialog, GetDlgItem(dialog, list), Wide(entry));
}

struct Created {
    HWND parent;
    int id;
    std::wstring className, text;
    DWORD style, exStyle;
    RECT pixels;
};
std::vector<Created> g_Created;

LRESULT CALLBACK RecordCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW& c = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (!IS_INTRESOURCE(c.lpszClass)) {
            g_Created.push_back({c.hwndParent, static_cast<int>(reinterpret_cast<INT_PTR>(c.hMenu)), c.lpszClass,
                                 c.lpszName ? c.lpszName : L"<null>", static_cast<DWORD>(c.style), c.dwExStyle,
                                 RECT{c.x, c.y, c.x + c.cx, c.y + c.cy}});
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MainWindow, CreatesItsControlsInOrderWithTheirClassStyleTextAndPlace) {
    // The identifiers as numbers: they are part of what the window is.
    struct Control {
        int id;
        const wchar_t* className;
        const wchar_t* text;
        int x, y, width, height;
        DWORD style, exStyle;
    };
    const DWORD frame = 0x50000007, list = 0x50210003, option = 0x50010009, label = 0x50000001;
    const Control expected[] = {
        {1001, L"BUTTON", L"Desired Finished Size", 10, 45, 185, 50, frame, 0},
        {1002, L"COMBOBOX", L"", 20, 70, 75, 20, list, WS_EX_CLIENTEDGE},
        {1003, L"BUTTON", L"Width (in)", 15, 60, 85, 30, frame, 0},
        {1004, L"BUTTON", L"Length (in)", 105, 60, 85, 30, frame, 0},
        {1005, L"COMBOBOX", L"", 110, 70, 75, 15, list, WS_EX_CLIENTEDGE},
        {1011, L"BUTTON", L"Bar Type", 10, 5, 300, 40, frame, 0},
        {1012, L"BUTTON", L"Corvalin 1.25\"", 20, 20, 75, 10, option, 0},
        {1013, L"BUTTON", L"Corvalin Pro 1.75\"", 105, 15, 85, 20, option, 0},
        {1014, L"BUTTON", L"Regular Wrap Minimum Canvas Size", 15, 100, 295, 45, frame, 0},
        {1015, L"BUTTON", L"Staple Method Minimum Canvas Size", 15, 150, 295, 45, frame, 0},
        {1016, L"BUTTON", L"Width (in)", 20, 110, 55, 30, frame, 0},
        {1017, L"BUTTON", L"Width (in)", 20, 160, 55, 30, frame, 0},
        {1018, L"BUTTON", L"Length (in)", 80, 110, 55, 30, frame, 0},
        {1019, L"BUTTON", L"Length (in)", 80, 160, 55, 30, frame, 0},
        {1020, L"STATIC", L"9", 25, 120, 45, 15, label, 0},
        {1021, L"STATIC", L"9", 25, 170, 45, 15, label, 0},
        {1022, L"STATIC", L"9", 85, 120, 45, 15, label, 0},
        {1023, L"STATIC", L"9", 85, 170, 45, 15, label, 0},
        {1024, L"BUTTON", L"Standard Sheet (in x in)", 145, 110, 85, 30, frame, 0},
        {1025, L"BUTTON", L"Standard Sheet (in x in)", 145, 160, 85, 30, frame, 0},
        {1026, L"STATIC", L"", 150, 120, 75, 15, label, 0},
        {1027, L"STATIC", L"", 150, 170, 75, 15, label, 0},
        {1028, L"BUTTON", L"Min. Roll Width (in)", 235, 110, 70, 30, frame, 0},
        {1029, L"BUTTON", L"Min. Roll Width (in)", 235, 160, 70, 30, frame, 0},
        {1031, L"STATIC", L"", 240, 120, 60, 15, label, 0},
        {1032, L"STATIC", L"", 240, 170, 60, 15, label, 0},
        {1033, L"BUTTON", L"Pre-Notched Stretcher Bars", 200, 15, 105, 20, option, 0},
    };
    g_Created.clear();
    HHOOK hook = SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
    RunMainWindow([&](HWND dialog) {
        UnhookWindowsHookEx(hook);
        std::vector<Created> controls;
        for (const Created& c : g_Created) {
            if (c.parent == dialog) controls.push_back(c);
        }
        ASSERT_EQ(controls.size(), std::size(expected));
        for (size_t i = 0; i < controls.size(); ++i) {
            const Control& e = expected[i];
            const Created& c = controls[i];
            RECT place = {e.x, e.y, e.x + e.width, e.y + e.height};
            MapDialogRect(dialog, &place);
            EXPECT_EQ(c.id, e.id) << i;
            EXPECT_EQ(c.className, e.className) << e.id;
            EXPECT_EQ(c.text, e.text) << e.id;
            EXPECT_EQ(c.style, e.style) << e.id;
            EXPECT_EQ(c.exStyle, e.exStyle) << e.id;
            EXPECT_TRUE(EqualRect(&c.pixels, &place)) << e.id;
        }
        // The dialog itself: its client area 324 x 211 dialog units from
        // 70, 70 on the screen, so its frame just outside; no close box.
        RECT client, place = {70, 70, 324, 211}, border = {0, 0, 0, 0}, window;
        GetClientRect(dialog, &client);
        MapDialogRect(dialog, &place);
        AdjustWindowRectEx(&border, GetWindowLongW(dialog, GWL_STYLE), FALSE, GetWindowLongW(dialog, GWL_EXSTYLE));
        GetWindowRect(dialog, &window);
        EXPECT_EQ(window.left, place.left + border.left);
        EXPECT_EQ(window.top, place.top + border.top);
        EXPECT_EQ(client.right, place.right);
        EXPECT_LT(client.bottom, place.bottom) << "the menu bar takes its height from the client area";
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)) & ~WS_VISIBLE, 0x80C000D4u | WS_CLIPSIBLINGS);
        EXPECT_EQ(TextOf(dialog), L"Corvalin Calculator - v1.0");
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
    });
}

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[32] = L"";
    GetMenuStringW(menu, position, text, 32, MF_BYPOSITION);
    return text;
}

TEST(MainWindow, MenuBarHoldsExitAndAHelpPopupWithContentsAndAbout) {
    RunMainWindow([](HWND dialog) {
        HMENU bar = GetMenu(dialog);
        ASSERT_EQ(GetMenuItemCount(bar), 2);
        EXPECT_EQ(MenuText(bar, 0), L"Exit");
        EXPECT_EQ(GetMenuItemID(bar, 0), 1007u);
        EXPECT_EQ(MenuText(bar, 1), L"Help");
        HMENU help = GetSubMenu(bar, 1);
        ASSERT_EQ(GetMenuItemCount(help), 2);
        EXPECT_EQ(MenuText(help, 0), L"Contents");
        EXPECT_EQ(GetMenuItemID(help, 0), 1009u);
        EXPECT_EQ(MenuText(help, 1), L"About");
        EXPECT_EQ(GetMenuItemID(help, 1), 1010u);
        for (HMENU menu : {bar, help}) {
            for (UINT i = 0; i < 2; ++i) {
                EXPECT_EQ(GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED), 0u);
            }
        }
    });
}

TEST(MainWindow, ShowsTheGoldenResultsForEveryBarAndSizeChosen) {
    const std::vector<GoldenRow> rows = GoldenRows();
    RunMainWindow([&](HWND dialog) {
        EXPECT_EQ(Send(dialog, IDC_BAR_STANDARD, BM_GETCHECK), BST_CHECKED);
        EXPECT_EQ(Send(dialog, IDC_WIDTH_LIST, CB_GETEXTENDEDUI), TRUE);
        EXPECT_EQ(Send(dialog, IDC_LENGTH_LIST, CB_GETEXTENDEDUI), TRUE);
        const std::pair<BarType, int> bars[] = {
            {BarType::Standard125, IDC_BAR_STANDARD}, {BarType::Pro175, IDC_BAR_PRO},
            {BarType::PreNotched, IDC_BAR_PRENOTCHED}, {BarType::Standard125, IDC_BAR_STANDARD}};
        for (const auto& [bar, option] : bars) {
            // Choose a size, then the bar: the lists are refilled from the
            // first entry, even for the bar already checked.
            Choose(dialog, IDC_WIDTH_LIST, "12");
            Send(dialog, option, BM_CLICK);
            for (int other : {IDC_BAR_STANDARD, IDC_BAR_PRO, IDC_BAR_PRENOTCHED}) {
                EXPECT_EQ(Send(dialog, other, BM_GETCHECK), other == option ? BST_CHECKED : BST_UNCHECKED);
            }
            for (int list : {IDC_WIDTH_LIST, IDC_LENGTH_LIST}) {
                EXPECT_EQ(ListEntries(GetDlgItem(dialog, list)), Wide(GoldenSizes(bar))) << BarTitle(bar);
                EXPECT_EQ(Send(dialog, list, CB_GETCURSEL), 0) << BarTitle(bar);
            }
            Text width;  // chosen only when it changes: the rows go through every length of a width
            for (const GoldenRow& row : rows) {
                if (row.bar != bar) continue;
                if (width.empty()) {
                    EXPECT_EQ(Labels(dialog), Wide(row.results)) << "before any choice";
                }
                if (row.width != width) Choose(dialog, IDC_WIDTH_LIST, width = row.width);
                Choose(dialog, IDC_LENGTH_LIST, row.length);
                ASSERT_EQ(Labels(dialog), Wide(row.results)) << BarTitle(bar) << ' ' << row.width << " x " << row.length;
            }
        }
    });
}

TEST(MainWindow, OnlyExitAmongCommandsEndsTheWindowAndWithZero) {
    HWND window = nullptr;
    EXPECT_EQ(RunMainWindow([&](HWND dialog) {
                  window = dialog;
                  Choose(dialog, IDC_LENGTH_LIST, "19");
                  const std::vector<std::wstring> before = Labels(dialog);
                  for (WPARAM id : {WPARAM{IDOK}, WPARAM{IDCANCEL}, WPARAM{IDC_REGULAR_ROLL}, WPARAM{1006}}) {
                      EXPECT_EQ(SendMessageW(dialog, WM_COMMAND, id, 0), 0);
                  }
                  EXPECT_EQ(Labels(dialog), before);
                  EXPECT_EQ(Send(dialog, IDC_LENGTH_LIST, CB_GETCURSEL), 11);
                  EXPECT_TRUE(IsWindow(dialog));
                  SendMessageW(dialog, WM_COMMAND, IDM_EXIT, 0);
                  EXPECT_FALSE(IsWindow(dialog));
              }),
              0);
    EXPECT_FALSE(IsWindow(window));
    // Destroyed some other way, the window ends with the result it started with.
    EXPECT_EQ(RunMainWindow([](HWND dialog) { DestroyWindow(dialog); }), 0);
}

// The platform puts the focus back too when the window is activated, so the
// handler's own part is seen by calling it directly.
TEST(MainWindow, HandlerPutsTheFocusBackWhereItWasWhenActivationWasLost) {
    RunMainWindow([](HWND dialog) {
        HWND width = GetDlgItem(dialog, IDC_WIDTH_LIST);
        HWND length = GetDlgItem(dialog, IDC_LENGTH_LIST);
        HWND option = GetDlgItem(dialog, IDC_BAR_STANDARD);
        auto activate = [&](BOOL active) { EXPECT_EQ(MainDialogProc(dialog, WM_NCACTIVATE, active, 0), 0); };

        SetFocus(length);
        activate(FALSE);
        SetFocus(width);
        activate(TRUE);
        EXPECT_EQ(GetFocus(), length);
        // Restored once: the next activation leaves the focus alone.
        SetFocus(width);
        activate(TRUE);
        EXPECT_EQ(GetFocus(), width);

        // Two losses in a row: the later control counts.
        activate(FALSE);
        SetFocus(option);
        activate(FALSE);
        SetFocus(length);
        activate(TRUE);
        EXPECT_EQ(GetFocus(), option);

        // Nothing had the focus: nothing is restored.
        SetFocus(nullptr);
        activate(FALSE);
        SetFocus(width);
        activate(TRUE);
        EXPECT_EQ(GetFocus(), width);
    });
}

}  // namespace
