// The calculator in bad or unusual surroundings: a planted DLL, no help file,
// another working directory, a second copy.
#include <gtest/gtest.h>

#include "support/calculator_driver_win.h"
#include "ui/ids.h"

namespace {

// A folder of its own under the temporary folder, gone with the scope
// together with the files named for it.
class TempFolder {
public:
    explicit TempFolder(const wchar_t* name) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + name;
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        for (const std::wstring& file : files_) DeleteFileW(file.c_str());
        RemoveDirectoryW(path_.c_str());
    }
    // A copy of a file beside this test, under another name if given.
    std::wstring Copy(const wchar_t* name, const wchar_t* as = nullptr) {
        files_.push_back(path_ + L"\\" + (as ? as : name));
        return CopyFileW(ProgramPath(name).c_str(), files_.back().c_str(), FALSE) ? files_.back() : L"";
    }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    std::vector<std::wstring> files_;
};

TEST(Calculator, HelpViewerComesFromTheSystemNeverFromBesideTheProgram) {
    // A copy of the program with a planted hhctrl.ocx in its folder, started
    // from that folder. Wine would take its own hhctrl.ocx for any load by
    // name; an override makes it prefer a file it finds, as Windows does.
    TempFolder folder(L"corvalin-planted");
    const std::wstring program = folder.Copy(L"CorvalinCalc.exe");
    ASSERT_FALSE(folder.Copy(L"planted_hhctrl.dll", L"hhctrl.ocx").empty());
    ASSERT_FALSE(folder.Copy(L"Corvalin Calculator.chm").empty());
    const ScopedRegistryValue preferFile(L"Software\\Wine\\DllOverrides", L"hhctrl.ocx", L"native,builtin");
    ASSERT_TRUE(preferFile.set());

    RunningCalculator calc(L"", SW_SHOWNORMAL, program);
    ASSERT_NE(calc.window(), nullptr);
    calc.Command(IDM_CONTENTS);
    EXPECT_NE(calc.WaitForWindow(L"HH Parent", L"Corvalin Calculator Help"), nullptr);
    HANDLE planted = OpenMutexW(SYNCHRONIZE, FALSE, L"CorvalinPlantedHhctrlRan");
    EXPECT_EQ(planted, nullptr) << "the planted hhctrl.ocx was loaded";
    if (planted) CloseHandle(planted);
    calc.Command(IDM_EXIT);
    EXPECT_EQ(calc.WaitForExit(), 0u);
}

// Started elsewhere, or as a copy without its help file, the viewer finds
// no help; the calculator carries on all the same.
TEST(Calculator, GoesOnWhereverTheHelpFileIsNotFound) {
    TempFolder elsewhere(L"corvalin-elsewhere");
    TempFolder folder(L"corvalin-no-help");
    const std::wstring copy = folder.Copy(L"CorvalinCalc.exe");
    const std::pair<std::wstring, std::wstring> starts[] = {{ProgramPath(L"CorvalinCalc.exe"), elsewhere.path()},
                                                            {copy, L""}};
    for (const auto& [program, workingDirectory] : starts) {
        RunningCalculator calc(L"", SW_SHOWNORMAL, program, workingDirectory);
        ASSERT_NE(calc.window(), nullptr);
        calc.Command(IDM_CONTENTS);
        calc.Click(IDC_BAR_PRENOTCHED);
        EXPECT_TRUE(calc.Choose(IDC_LENGTH_LIST, L"72"));
        EXPECT_EQ(calc.ResultLabels(), ExpectedLabels(BarType::PreNotched, "8", "72"));
        calc.Command(IDM_EXIT);
        EXPECT_EQ(calc.WaitForExit(), 0u);
    }
}

TEST(Calculator, TwoCopiesRunSideBySideWithoutTouchingEachOther) {
    RunningCalculator first;
    ASSERT_NE(first.window(), nullptr);
    RunningCalculator second;
    ASSERT_NE(second.window(), nullptr);
    ASSERT_NE(first.window(), second.window());
    first.Click(IDC_BAR_PRO);
    EXPECT_TRUE(first.Choose(IDC_WIDTH_LIST, L"60"));
    EXPECT_TRUE(second.Choose(IDC_LENGTH_LIST, L"19"));
    EXPECT_EQ(first.ResultLabels(), ExpectedLabels(BarType::Pro175, "60", "8"));
    EXPECT_EQ(second.ResultLabels(), ExpectedLabels(BarType::Standard125, "8", "19"));
    first.Command(IDM_EXIT);
    EXPECT_EQ(first.WaitForExit(), 0u);
    EXPECT_TRUE(IsWindow(second.window()));
    second.Post(WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1);
    EXPECT_EQ(second.WaitForExit(), 0u);
}

}  // namespace
