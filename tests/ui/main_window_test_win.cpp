// The main window as the program builds and runs it, in this process: a
// thread timer runs each test's steps inside the window's own modal loop,
// so every message is handled by the time its call returns.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>

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

// The rectangle in dialog units whose edges the platform maps to these
// pixels: each edge is mapped on its own, so each comes back exactly.
RECT Units(HWND dialog, const RECT& pixels) {
    RECT base = {0, 0, 4, 8};
    MapDialogRect(dialog, &base);
    const auto back = [](LONG edge, LONG basePixels, int units) {
        LONG unit = MulDiv(edge, units, basePixels);
        while (MulDiv(unit, basePixels, units) < edge) ++unit;
        while (MulDiv(unit, basePixels, units) > edge) --unit;
        return unit;
    };
    return {back(pixels.left, base.right, 4), back(pixels.top, base.bottom, 8), back(pixels.right, base.right, 4),
            back(pixels.bottom, base.bottom, 8)};
}

// The window as its layout table has it: each control's identifier, kind,
// text and rectangle in dialog units, in creation order, which is the order
// the keyboard reaches them.
TEST(MainWindow, CreatesItsControlsAsTheLayoutTableHasThem) {
    // F a captioned group box, L a drop-down list that keeps its order, O an
    // automatic option button, R a centred result.
    const struct {
        int id;
        char kind;
        const wchar_t* text;
        RECT units;  // x, y, x + width, y + height
    } expected[] = {
        {1001, 'F', L"Desired Finished Size", {10, 45, 195, 95}},
        {1002, 'L', L"", {20, 70, 95, 90}},
        {1003, 'F', L"Width (in)", {15, 60, 100, 90}},
        {1004, 'F', L"Length (in)", {105, 60, 190, 90}},
        {1005, 'L', L"", {110, 70, 185, 85}},
        {1011, 'F', L"Bar Type", {10, 5, 310, 45}},
        {1012, 'O', L"Corvalin 1.25\"", {20, 20, 95, 30}},
        {1013, 'O', L"Corvalin Pro 1.75\"", {105, 15, 190, 35}},
        {1014, 'F', L"Regular Wrap Minimum Canvas Size", {15, 100, 310, 145}},
        {1015, 'F', L"Staple Method Minimum Canvas Size", {15, 150, 310, 195}},
        {1016, 'F', L"Width (in)", {20, 110, 75, 140}},
        {1017, 'F', L"Width (in)", {20, 160, 75, 190}},
        {1018, 'F', L"Length (in)", {80, 110, 135, 140}},
        {1019, 'F', L"Length (in)", {80, 160, 135, 190}},
        {1020, 'R', L"9", {25, 120, 70, 135}},
        {1021, 'R', L"9", {25, 170, 70, 185}},
        {1022, 'R', L"9", {85, 120, 130, 135}},
        {1023, 'R', L"9", {85, 170, 130, 185}},
        {1024, 'F', L"Standard Sheet (in x in)", {145, 110, 230, 140}},
        {1025, 'F', L"Standard Sheet (in x in)", {145, 160, 230, 190}},
        {1026, 'R', L"", {150, 120, 225, 135}},
        {1027, 'R', L"", {150, 170, 225, 185}},
        {1028, 'F', L"Min. Roll Width (in)", {235, 110, 305, 140}},
        {1029, 'F', L"Min. Roll Width (in)", {235, 160, 305, 190}},
        {1031, 'R', L"", {240, 120, 300, 135}},
        {1032, 'R', L"", {240, 170, 300, 185}},
        {1033, 'O', L"Pre-Notched Stretcher Bars", {200, 15, 305, 35}},
    };
    const std::map<char, std::tuple<std::wstring, DWORD, DWORD>> looks = {
        {'F', {L"BUTTON", 0x50000007, 0}}, {'O', {L"BUTTON", 0x50010009, 0}},
        {'L', {L"COMBOBOX", 0x50210003, WS_EX_CLIENTEDGE}}, {'R', {L"STATIC", 0x50000001, 0}}};
    g_Created.clear();
    HHOOK hook = SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
    const auto unhook = [&] {
        if (hook) UnhookWindowsHookEx(hook);
        hook = nullptr;
    };
    ScopeExit unhookAlways(unhook);
    RunMainWindow([&](HWND dialog) {
        unhook();
        std::vector<const Created*> controls;
        for (const Created& c : g_Created) {
            if (c.parent == dialog) controls.push_back(&c);
        }
        ASSERT_EQ(controls.size(), std::size(expected));
        for (size_t i = 0; i < controls.size(); ++i) {
            const Created& c = *controls[i];
            EXPECT_EQ(c.id, expected[i].id) << i;
            EXPECT_EQ(c.text, expected[i].text) << c.id;
            EXPECT_EQ(std::make_tuple(c.className, c.style, c.exStyle), looks.at(expected[i].kind)) << c.id;
            // The list heights are those passed at creation, which the hook sees.
            const RECT units = Units(dialog, c.pixels);
            EXPECT_TRUE(EqualRect(&units, &expected[i].units))
                << c.id << " at " << units.left << ", " << units.top << " to " << units.right << ", " << units.bottom;
        }
        RECT client;
        GetClientRect(dialog, &client);
        // The dialog itself: its client area 324 x 211 dialog units from
        // 70, 70 on the screen, so its frame just outside; no close box.
        RECT created = {70, 70, 324, 211}, border = {0, 0, 0, 0}, window;
        MapDialogRect(dialog, &created);
        AdjustWindowRectEx(&border, GetWindowLongW(dialog, GWL_STYLE), FALSE, GetWindowLongW(dialog, GWL_EXSTYLE));
        GetWindowRect(dialog, &window);
        EXPECT_EQ(window.left, created.left + border.left);
        EXPECT_EQ(window.top, created.top + border.top);
        EXPECT_EQ(client.right, created.right);
        EXPECT_LT(client.bottom, created.bottom) << "the menu bar takes its height from the client area";
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)) & ~WS_VISIBLE, 0x80C000D4u | WS_CLIPSIBLINGS);
        EXPECT_EQ(WindowText(dialog), L"Corvalin Calculator - v1.0");
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
