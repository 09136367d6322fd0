// The real calculator, driven from outside under Wine.
#include <gtest/gtest.h>

#include "calc/finished_sizes.h"
#include "calculator_driver_win.h"
#include "toolkit/platform_text_win.h"
#include "ui/about_text.h"
#include "ui/ids.h"

namespace {

const std::vector<std::wstring> kStandardSizes = Wide(FinishedSizeEntries(BarType::Standard125));
const std::vector<std::wstring> kProSizes = Wide(FinishedSizeEntries(BarType::Pro175));
const std::vector<std::wstring> kPreNotchedSizes = Wide(FinishedSizeEntries(BarType::PreNotched));

std::vector<std::wstring> Labels(BarType bar, const char* width, const char* length) {
    return ExpectedLabels(CalculateWrap(bar, width, length));
}

bool IsChecked(const RunningCalculator& calc, int id) {
    return SendMessageW(calc.control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TEST(Calculator, FirstDisplayShowsTheStandardBarAt8By8) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    EXPECT_TRUE(IsChecked(calc, IDC_BAR_STANDARD));
    EXPECT_FALSE(IsChecked(calc, IDC_BAR_PRO));
    EXPECT_FALSE(IsChecked(calc, IDC_BAR_PRENOTCHED));
    for (int list : {IDC_WIDTH_LIST, IDC_LENGTH_LIST}) {
        EXPECT_EQ(ListEntries(calc.control(list)), kStandardSizes);
        EXPECT_EQ(SelectedEntry(calc.control(list)), L"8");
    }
    EXPECT_EQ(ResultLabels(calc.window()), (std::vector<std::wstring>{L"10.5", L"10.5", L"11.5", L"11.5", L"13 x 19",
                                                                      L"13 x 19", L"17", L"17"}));
}

struct ControlRow {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
};

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

TEST(Calculator, PreNotchedBarsRefillTheListsAndEmptyTheRegularWrap) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    calc.Click(IDC_BAR_PRENOTCHED);
    EXPECT_TRUE(IsChecked(calc, IDC_BAR_PRENOTCHED));
    EXPECT_FALSE(IsChecked(calc, IDC_BAR_STANDARD));
    for (int list : {IDC_WIDTH_LIST, IDC_LENGTH_LIST}) {
        EXPECT_EQ(ListEntries(calc.control(list)), kPreNotchedSizes);
        EXPECT_EQ(SelectedEntry(calc.control(list)), L"8");
    }
    EXPECT_EQ(ResultLabels(calc.window()),
              (std::vector<std::wstring>{L"", L"", L"14", L"14", L"", L"17 x 22", L"", L"17"}));
}

TEST(Calculator, SizeChoicesRecalculateAndABarChangeResetsBothSizes) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    calc.Click(IDC_BAR_PRO);
    EXPECT_EQ(ListEntries(calc.control(IDC_WIDTH_LIST)), kProSizes);
    calc.Choose(IDC_WIDTH_LIST, L"60");
    calc.Choose(IDC_LENGTH_LIST, L"54");
    EXPECT_EQ(ResultLabels(calc.window()), Labels(BarType::Pro175, "60", "54"));
    EXPECT_EQ(TextOf(calc.control(IDC_STAPLE_ROLL)), L"60");
    calc.Choose(IDC_LENGTH_LIST, L"60");
    EXPECT_EQ(TextOf(calc.control(IDC_STAPLE_ROLL)), L"none");

    // 60 is offered for pre-notched bars too, yet both lists go back to 8.
    calc.Click(IDC_BAR_PRENOTCHED);
    EXPECT_EQ(SelectedEntry(calc.control(IDC_WIDTH_LIST)), L"8");
    EXPECT_EQ(SelectedEntry(calc.control(IDC_LENGTH_LIST)), L"8");
    EXPECT_EQ(ResultLabels(calc.window()), Labels(BarType::PreNotched, "8", "8"));
}

TEST(Calculator, ClickingTheCheckedBarAgainRefillsWithoutDuplicates) {
    RunningCalculator calc;
    ASSERT_NE(calc.window(), nullptr);
    calc.Choose(IDC_WIDTH_LIST, L"19");
    calc.Choose(IDC_LENGTH_LIST, L"14");
    EXPECT_EQ(ResultLabels(calc.window()), Labels(BarType::Standard125, "19", "14"));
    calc.Click(IDC_BAR_STANDARD);
    calc.Click(IDC_BAR_STANDARD);
    for (int list : {IDC_WIDTH_LIST, IDC_LENGTH_LIST}) {
        EXPECT_EQ(ListEntries(calc.control(list)), kStandardSizes);
        EXPECT_EQ(SelectedEntry(calc.control(list)), L"8");
    }
    EXPECT_EQ(ResultLabels(calc.window()), Labels(BarType::Standard125, "8", "8"));
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
    EXPECT_EQ(ResultLabels(calc.window()), Labels(BarType::Standard125, "10", "8"));
}

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
    EXPECT_EQ(ResultLabels(calc.window()), Labels(BarType::Standard125, "8", "8"));
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
    EXPECT_EQ(ResultLabels(calc.window()), Labels(BarType::Pro175, "8", "8"));
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

namespace {

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

namespace {

TEST(Calculator, HelpViewerComesFromTheSystemNeverFromBesideTheProgram) {
    // A copy of the program with a planted hhctrl.ocx in its folder, started
    // from that folder.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"corvalin-planted";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring program = folder + L"\\CorvalinCalc.exe";
    ASSERT_TRUE(CopyFileW(ProgramPath(L"CorvalinCalc.exe").c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(ProgramPath(L"planted_hhctrl.dll").c_str(), (folder + L"\\hhctrl.ocx").c_str(), FALSE));
    const std::wstring help = folder + L"\\Corvalin Calculator.chm";
    ASSERT_TRUE(CopyFileW(ProgramPath(L"Corvalin Calculator.chm").c_str(), help.c_str(), FALSE));
    // Wine would take its own hhctrl.ocx for any load by name; make it
    // prefer a file it finds, as Windows does.
    const wchar_t* const overrides = L"Software\\Wine\\DllOverrides";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, overrides, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"hhctrl.ocx", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"native,builtin"),
                   sizeof L"native,builtin");
    {
        RunningCalculator calc(L"", SW_SHOWNORMAL, program);
        ASSERT_NE(calc.window(), nullptr);
        calc.Command(IDM_CONTENTS);
        EXPECT_NE(calc.WaitForWindow(L"HH Parent", L"Corvalin Calculator Help"), nullptr);
        HANDLE planted = OpenMutexW(SYNCHRONIZE, FALSE, L"CorvalinPlantedHhctrlRan");
        EXPECT_EQ(planted, nullptr) << "the planted hhctrl.ocx was loaded";
        if (planted) CloseHandle(planted);
        calc.Click(IDC_BAR_PRO);
        EXPECT_EQ(ResultLabels(calc.window()), Labels(BarType::Pro175, "8", "8"));
        calc.Command(IDM_EXIT);
        EXPECT_EQ(calc.WaitForExit(), 0u);
    }
    RegDeleteValueW(key, L"hhctrl.ocx");
    RegCloseKey(key);
    DeleteFileW(program.c_str());
    DeleteFileW(help.c_str());
    DeleteFileW((folder + L"\\hhctrl.ocx").c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

namespace {

std::wstring TempFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// Contents, then a bar and a size, then Exit: the calculator carries on
// whatever the viewer made of the help file.
void ExpectContentsLeavesTheCalculatorWorking(const RunningCalculator& calc) {
    calc.Command(IDM_CONTENTS);
    Sleep(500);
    calc.Click(IDC_BAR_PRENOTCHED);
    calc.Choose(IDC_LENGTH_LIST, L"72");
    EXPECT_EQ(ResultLabels(calc.window()), Labels(BarType::PreNotched, "8", "72"));
    calc.Command(IDM_EXIT);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

TEST(Calculator, GoesOnWhenTheHelpFileIsMissing) {
    const std::wstring folder = TempFolder(L"corvalin-no-help");
    const std::wstring program = folder + L"\\CorvalinCalc.exe";
    ASSERT_TRUE(CopyFileW(ProgramPath(L"CorvalinCalc.exe").c_str(), program.c_str(), FALSE));
    {
        RunningCalculator calc(L"", SW_SHOWNORMAL, program);
        ASSERT_NE(calc.window(), nullptr);
        ExpectContentsLeavesTheCalculatorWorking(calc);
    }
    DeleteFileW(program.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(Calculator, RunsFromAnotherWorkingDirectory) {
    const std::wstring elsewhere = TempFolder(L"corvalin-elsewhere");
    RunningCalculator calc(L"", SW_SHOWNORMAL, ProgramPath(L"CorvalinCalc.exe"), elsewhere);
    ASSERT_NE(calc.window(), nullptr);
    EXPECT_EQ(ResultLabels(calc.window()), Labels(BarType::Standard125, "8", "8"));
    ExpectContentsLeavesTheCalculatorWorking(calc);
    RemoveDirectoryW(elsewhere.c_str());
}

TEST(Calculator, TwoCopiesRunSideBySideWithoutTouchingEachOther) {
    RunningCalculator first;
    ASSERT_NE(first.window(), nullptr);
    RunningCalculator second;
    ASSERT_NE(second.window(), nullptr);
    ASSERT_NE(first.window(), second.window());
    first.Click(IDC_BAR_PRO);
    first.Choose(IDC_WIDTH_LIST, L"60");
    second.Choose(IDC_LENGTH_LIST, L"19");
    EXPECT_EQ(ResultLabels(first.window()), Labels(BarType::Pro175, "60", "8"));
    EXPECT_EQ(ResultLabels(second.window()), Labels(BarType::Standard125, "8", "19"));
    first.Command(IDM_EXIT);
    EXPECT_EQ(first.WaitForExit(), 0u);
    EXPECT_TRUE(IsWindow(second.window()));
    second.Post(WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1);
    EXPECT_EQ(second.WaitForExit(), 0u);
}

}  // namespace
