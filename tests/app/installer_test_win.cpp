// The installer, run silently in a fresh prefix by tests/app/install-test.sh
// (CORVALIN_SETUP names it): what it installs, the shortcut, the uninstall
// entry, the installed program, and that the uninstaller leaves nothing.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "support/calculator_driver_win.h"
#include "ui/ids.h"

namespace {

const wchar_t* const kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\CorvalinCalculator";

std::wstring Expand(const wchar_t* path) {
    wchar_t expanded[MAX_PATH];
    ExpandEnvironmentStringsW(path, expanded, MAX_PATH);
    return expanded;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD RunAndWait(const std::wstring& program, const std::wstring& arguments) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return static_cast<DWORD>(-1);
    }
    WaitForSingleObject(process.hProcess, 120000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::wstring RegistryText(const wchar_t* name) {
    wchar_t value[MAX_PATH] = L"";
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

TEST(Installer, InstallsRunsAndUninstallsWithoutATrace) {
    const char* setup = std::getenv("CORVALIN_SETUP");
    if (!setup) GTEST_SKIP() << "run by install-test.sh, which builds the installer";
    const std::wstring installer(setup, setup + std::strlen(setup));
    const std::wstring folder = Expand(L"%LOCALAPPDATA%\\Programs\\Corvalin Calculator");
    wchar_t programs[MAX_PATH];
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs), S_OK);
    const std::wstring shortcut = std::wstring(programs) + L"\\Corvalin Calculator.lnk";

    ASSERT_EQ(RunAndWait(installer, L"/S"), 0u);
    for (const wchar_t* file : {L"CorvalinCalc.exe", L"Corvalin Calculator.chm", L"README.txt", L"LICENSE.txt",
                                L"Uninstall.exe"}) {
        EXPECT_TRUE(Exists(folder + L"\\" + file)) << std::string(file, file + wcslen(file));
    }

    ASSERT_TRUE(Exists(shortcut));
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                               reinterpret_cast<void**>(&link)),
              S_OK);
    IPersistFile* file = nullptr;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    ASSERT_EQ(file->Load(shortcut.c_str(), STGM_READ), S_OK);
    wchar_t target[MAX_PATH] = L"", workingDirectory[MAX_PATH] = L"";
    link->GetPath(target, MAX_PATH, nullptr, 0);
    link->GetWorkingDirectory(workingDirectory, MAX_PATH);
    EXPECT_EQ(lstrcmpiW(target, (folder + L"\\CorvalinCalc.exe").c_str()), 0);
    EXPECT_EQ(lstrcmpiW(workingDirectory, folder.c_str()), 0);
    file->Release();
    link->Release();
    CoUninitialize();

    EXPECT_EQ(RegistryText(L"DisplayName"), L"Corvalin Calculator");
    EXPECT_EQ(RegistryText(L"DisplayVersion"), L"1.0");
    EXPECT_EQ(RegistryText(L"Publisher"), L"Maplestead, Inc.");
    EXPECT_EQ(RegistryText(L"UninstallString"), L"\"" + folder + L"\\Uninstall.exe\"");

    {
        RunningCalculator calc(L"", SW_SHOWNORMAL, folder + L"\\CorvalinCalc.exe");
        ASSERT_NE(calc.window(), nullptr);
        calc.Command(IDM_CONTENTS);
        EXPECT_NE(calc.WaitForWindow(L"HH Parent", L"Corvalin Calculator Help"), nullptr);
        calc.Command(IDM_EXIT);
        EXPECT_EQ(calc.WaitForExit(), 0u);
    }

    // The uninstaller copies itself away and returns at once; the key goes
    // after the files.
    EXPECT_EQ(RunAndWait(folder + L"\\Uninstall.exe", L"/S"), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !Exists(folder) && RegistryText(L"DisplayName").empty(); }, 60000))
        << "the install folder or the uninstall entry is still there";
    EXPECT_FALSE(Exists(shortcut));
}

}  // namespace
