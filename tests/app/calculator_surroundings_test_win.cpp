// The calculator in bad or unusual surroundings: a planted DLL, no help file,
// another working directory, a second copy.
#include <gtest/gtest.h>

#include "calculator_driver_win.h"
#include "ui/ids.h"

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
    EXPECT_EQ(ResultLabels(calc), Labels(BarType::PreNotched, "8", "72"));
    calc.Command(IDM_EXIT);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

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
        EXPECT_EQ(ResultLabels(calc), Labels(BarType::Pro175, "8", "8"));
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
    EXPECT_EQ(ResultLabels(calc), Labels(BarType::Standard125, "8", "8"));
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
    EXPECT_EQ(ResultLabels(first), Labels(BarType::Pro175, "60", "8"));
    EXPECT_EQ(ResultLabels(second), Labels(BarType::Standard125, "8", "19"));
    first.Command(IDM_EXIT);
    EXPECT_EQ(first.WaitForExit(), 0u);
    EXPECT_TRUE(IsWindow(second.window()));
    second.Post(WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1);
    EXPECT_EQ(second.WaitForExit(), 0u);
}

}  // namespace
