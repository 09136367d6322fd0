// Ending the calculator, its Help commands and its start-up check.
#include <gtest/gtest.h>

#include "calculator_driver_win.h"
#include "toolkit/platform_text_win.h"
#include "ui/about_text.h"
#include "ui/ids.h"

namespace {

TEST(Calculator, EscapeAndEnterLeaveTheWindowOpenAndExitEndsWithZero) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return calc.FocusedWindow() != nullptr; }));
    calc.PressKey(VK_ESCAPE);
    calc.PressKey(VK_RETURN);
    calc.Choose(IDC_WIDTH_LIST, L"9");  // sent: it comes after the keys
    EXPECT_TRUE(IsWindow(calc.window()));
    EXPECT_EQ(TextOf(calc.control(IDC_REGULAR_WIDTH)), L"11.5");
    calc.Command(IDM_EXIT);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

TEST(Calculator, AltF4EndsWithZero) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    calc.Post(WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

TEST(Calculator, ArgumentsAndAMinimisedStartChangeNothing) {
    RunningCalculator calc(L"--bar pro 60 60 /x", SW_SHOWMINIMIZED);
    ASSERT_NE(calc.window(), nullptr);
    EXPECT_FALSE(IsIconic(calc.window()));
    EXPECT_TRUE(IsChecked(calc, IDC_BAR_STANDARD));
    EXPECT_EQ(ResultLabels(calc), Labels(BarType::Standard125, "8", "8"));
}

TEST(Calculator, AboutBoxShowsTheCaptionNoticeAndMakerAndExitWaitsForIt) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    calc.Command(IDM_ABOUT);
    HWND about = calc.WaitForWindow(L"#32770", kCaption, calc.window());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr);
    const Text expected = BuildAboutText("Corvalin Calculator - v1.0", CurrentDateText());
    EXPECT_EQ(TextOf(GetDlgItem(about, 0xFFFF)), ToWideText(expected));

    // The main window stays usable, and a second About opens a second box.
    EXPECT_TRUE(IsWindowEnabled(calc.window()));
    calc.Command(IDM_ABOUT);
    HWND second = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        second = FindWindowExW(nullptr, nullptr, L"#32770", kCaption);
        while (second == calc.window() || second == about) second = FindWindowExW(nullptr, second, L"#32770", kCaption);
        return second != nullptr && IsWindowVisible(second);
    }));

    // Exit destroys the main window at once; the process ends once the
    // boxes have been dismissed.
    calc.Command(IDM_EXIT);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(calc.window()); }));
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
    EXPECT_EQ(ResultLabels(calc), Labels(BarType::Pro175, "8", "8"));
    calc.Command(IDM_EXIT);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

TEST(Calculator, RefusesPlatformsOutsideTheNtFamily) {
    // Wine reports Windows 98 for a program named in AppDefaults.
    const std::wstring copy = ProgramPath(L"CorvalinCalcWin98.exe");
    ASSERT_TRUE(CopyFileW(ProgramPath(L"CorvalinCalc.exe").c_str(), copy.c_str(), FALSE));
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\CorvalinCalcWin98.exe", 0, nullptr,
                              0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"win98"), sizeof L"win98");
    RegCloseKey(key);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + copy + L"\"";
    ASSERT_TRUE(CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        box = FindWindowW(L"#32770", nullptr);
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        return box && owner == process.dwProcessId && IsWindowVisible(box);
    }));
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), L"Win98 No Support");
    EXPECT_EQ(FindWindowW(L"#32770", kCaption), nullptr);
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    WaitForSingleObject(process.hProcess, kDeadlineMs);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 255u);
    TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\CorvalinCalcWin98.exe");
    DeleteFileW(copy.c_str());
}

}  // namespace
