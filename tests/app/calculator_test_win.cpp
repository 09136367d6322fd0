// The real CorvalinCalc.exe, started and driven from this process: what it
// shows first, keys, activation, its Help commands and the ways it ends.
#include <gtest/gtest.h>

#include "support/golden_table.h"
#include "support/calculator_driver_win.h"
#include "ui/ids.h"

namespace {

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
    EXPECT_TRUE(WaitUntil([&] { return WindowText(calc.control(IDC_REGULAR_WIDTH)) == L"12.5"; }));
    EXPECT_EQ(SelectedEntry(calc.control(IDC_WIDTH_LIST)), L"10");
    EXPECT_EQ(calc.ResultLabels(), ExpectedLabels(BarType::Standard125, "10", "8"));
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
    ScopeExit destroy([&] { DestroyWindow(other); });
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
}

TEST(Calculator, EscapeAndEnterLeaveTheWindowOpenAndASentExitEndsWithZero) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return calc.FocusedWindow() != nullptr; }));
    calc.PressKey(VK_ESCAPE);
    calc.PressKey(VK_RETURN);
    EXPECT_TRUE(calc.Choose(IDC_WIDTH_LIST, L"9"));  // sent: it comes after the keys
    EXPECT_TRUE(IsWindow(calc.window()));
    EXPECT_EQ(WindowText(calc.control(IDC_REGULAR_WIDTH)), L"11.5");
    // Sent from here, Exit destroys the window inside the calculator's wait
    // for messages, with none of its own to follow.
    calc.Command(IDM_EXIT);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

TEST(Calculator, AltF4EndsWithZero) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    calc.Post(WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

// The window's thread as start-up left it: the x87 unit rounds to nearest
// with a 64-bit mantissa and every exception masked. The window's own sums
// are exact, so an unmasked trap would only show with some later inexact
// operation; the control word itself is read instead.
TEST(Calculator, RunsWithRoundToNearestExtendedPrecisionAndEveryFloatingPointExceptionMasked) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    HANDLE thread = OpenThread(THREAD_GET_CONTEXT | THREAD_SUSPEND_RESUME, FALSE,
                               GetWindowThreadProcessId(calc.window(), nullptr));
    ASSERT_NE(thread, nullptr);
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_FLOATING_POINT;
    ASSERT_NE(SuspendThread(thread), static_cast<DWORD>(-1));
    const BOOL read = GetThreadContext(thread, &context);
    ResumeThread(thread);
    CloseHandle(thread);
    ASSERT_TRUE(read);
#ifdef _WIN64
    const unsigned controlWord = context.FltSave.ControlWord;
#else
    const unsigned controlWord = context.FloatSave.ControlWord;
#endif
    // Precision control 11, rounding control 00, the six exception masks
    // set; the other bits are reserved or obsolete.
    EXPECT_EQ(controlWord & 0x0F3F, 0x033Fu) << std::hex << "control word " << controlWord;
}

TEST(Calculator, ArgumentsAndAMinimisedStartChangeNothing) {
    RunningCalculator calc(L"--bar pro 60 60 /x", SW_SHOWMINIMIZED);
    ASSERT_NE(calc.window(), nullptr);
    EXPECT_FALSE(IsIconic(calc.window()));
    EXPECT_TRUE(calc.IsChecked(IDC_BAR_STANDARD));
    EXPECT_EQ(calc.ResultLabels(), ExpectedLabels(BarType::Standard125, "8", "8"));
}

std::vector<std::wstring> Buttons(HWND box) {
    std::vector<std::wstring> buttons;
    for (HWND child : ChildWindows(box)) {
        if (ClassName(child) == L"Button") buttons.push_back(std::to_wstring(GetDlgCtrlID(child)) + L" " + WindowText(child));
    }
    return buttons;
}

TEST(Calculator, AboutBoxShowsTheCaptionNoticeAndMakerAndExitWaitsForIt) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    calc.Post(WM_COMMAND, IDM_ABOUT);
    HWND about = calc.WaitForWindow(L"#32770", kCaption, calc.window());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr);
    // This year, by the platform's clock, is never the first one.
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(WindowText(GetDlgItem(about, 0xFFFF)), L"Corvalin Calculator - v1.0\r"
                                                     L"Copyright (c) 2017-" + std::to_wstring(now.wYear) +
                                                     L" Maplestead, Inc.\r"
                                                     L"Corvalin is a product line of Maplestead, Inc.\r"
                                                     L"www.maplestead.example");
    EXPECT_EQ(Buttons(about), std::vector<std::wstring>{L"1 OK"});

    // The main window stays usable, and a second About opens a second box.
    EXPECT_TRUE(IsWindowEnabled(calc.window()));
    calc.Post(WM_COMMAND, IDM_ABOUT);
    HWND second = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        second = FindProcessWindow(calc.processId(), L"#32770", kCaption, about);
        return second && second != calc.window();
    }));

    // Exit destroys the main window at once; the process ends once the
    // boxes have been dismissed.
    calc.Command(IDM_EXIT);
    EXPECT_FALSE(IsWindow(calc.window()));
    for (HWND box : {second, about}) SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

TEST(Calculator, ContentsOpensTheHelpViewerOwnedByTheWindow) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    calc.Command(IDM_CONTENTS);
    HWND viewer = calc.WaitForWindow(L"HH Parent", L"Corvalin Calculator Help");
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(GetWindow(viewer, GW_OWNER), calc.window());
    calc.Click(IDC_BAR_PRO);
    EXPECT_EQ(calc.ResultLabels(), ExpectedLabels(BarType::Pro175, "8", "8"));
    calc.Command(IDM_EXIT);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

// Runs the body with a copy of the program under a name for which Wine
// reports the given Windows version.
void WithWindowsVersion(const std::wstring& version, const std::function<void(const std::wstring&)>& body) {
    const std::wstring name = L"CorvalinCalc-" + version + L".exe";
    const std::wstring copy = ProgramPath(name.c_str());
    ScopeExit remove([&] { DeleteFileW(copy.c_str()); });
    ASSERT_TRUE(CopyFileW(ProgramPath(L"CorvalinCalc.exe").c_str(), copy.c_str(), FALSE));
    const ScopedRegistryValue reported(L"Software\\Wine\\AppDefaults\\" + name, L"Version", version);
    ASSERT_TRUE(reported.set());
    body(copy);
}

// The first display: the standard bar checked, both lists offering its
// sizes from 8, the results for 8 x 8; then a choice is answered.
TEST(Calculator, StartsAndAnswersOnEveryNtWindowsFromXpTo11) {
    for (const wchar_t* version : {L"winxp", L"win7", L"win10", L"win11"}) {
        WithWindowsVersion(version, [&](const std::wstring& program) {
            RunningCalculator calc(L"", SW_SHOWNORMAL, program);
            ASSERT_NE(calc.window(), nullptr) << Text(version, version + wcslen(version));
            EXPECT_TRUE(calc.IsChecked(IDC_BAR_STANDARD));
            EXPECT_FALSE(calc.IsChecked(IDC_BAR_PRO) || calc.IsChecked(IDC_BAR_PRENOTCHED));
            for (int list : {IDC_WIDTH_LIST, IDC_LENGTH_LIST}) {
                EXPECT_EQ(ListEntries(calc.control(list)), Wide(GoldenSizes(BarType::Standard125)));
                EXPECT_EQ(SelectedEntry(calc.control(list)), L"8");
            }
            EXPECT_EQ(calc.ResultLabels(), ExpectedLabels(BarType::Standard125, "8", "8"));
            calc.Click(IDC_BAR_PRENOTCHED);
            EXPECT_TRUE(calc.Choose(IDC_LENGTH_LIST, L"17.5"));
            EXPECT_EQ(calc.ResultLabels(), ExpectedLabels(BarType::PreNotched, "8", "17.5"));
            calc.Command(IDM_EXIT);
            EXPECT_EQ(calc.WaitForExit(), 0u);
        });
    }
}

TEST(Calculator, RefusesPlatformsOutsideTheNtFamily) {
    WithWindowsVersion(L"win98", [](const std::wstring& program) {
        RunningCalculator calc(L"", SW_SHOWNORMAL, program);
        EXPECT_EQ(calc.window(), nullptr);
        HWND box = calc.WaitForWindow(L"#32770", nullptr);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), L"Win98 No Support");
        SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        EXPECT_EQ(calc.WaitForExit(), 255u);
    });
}

}  // namespace
