// The installer, run silently in a fresh prefix by tests/app/install-test.sh
// (CORVALIN_SETUP names it): what it installs, the shortcuts, the uninstall
// entry, the installed program, and that the uninstaller leaves the user's
// files and registry as they were before.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>

#include "support/calculator_driver_win.h"
#include "ui/ids.h"

namespace {

const wchar_t* const kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\CorvalinCalculator";

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

// Every file and folder under a folder, and every key and value name under
// a registry key: what an install may add and an uninstall must take away.
void ListFiles(const std::wstring& folder, std::set<std::wstring>& found) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        found.insert(folder + L"\\" + name);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ListFiles(folder + L"\\" + name, found);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

void ListKeys(HKEY parent, const std::wstring& path, std::set<std::wstring>& found) {
    HKEY key;
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    found.insert(path);
    wchar_t name[256];
    for (DWORD i = 0, length = 256; RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == 0;
         ++i, length = 256) {
        found.insert(path + L" = " + name);
    }
    for (DWORD i = 0; RegEnumKeyW(key, i, name, 256) == ERROR_SUCCESS; ++i) {
        ListKeys(parent, path.empty() ? name : path + L"\\" + name, found);
    }
    RegCloseKey(key);
}

// The user's folders that programs write to (under Wine the others lead to
// the Unix home folder), and the user's registry.
std::set<std::wstring> UserState() {
    std::set<std::wstring> state;
    for (int folder : {CSIDL_LOCAL_APPDATA, CSIDL_APPDATA}) {
        wchar_t path[MAX_PATH];
        SHGetFolderPathW(nullptr, folder, nullptr, 0, path);
        ListFiles(path, state);
    }
    wchar_t temp[MAX_PATH];
    ListFiles(std::wstring(temp, GetTempPathW(MAX_PATH, temp) - 1), state);
    ListKeys(HKEY_CURRENT_USER, L"Software", state);
    // What Wine itself keeps there as programs run.
    std::erase_if(state, [](const std::wstring& item) { return item.rfind(L"Software\\Wine", 0) == 0; });
    return state;
}

std::string Differences(const std::set<std::wstring>& before, const std::set<std::wstring>& after) {
    std::string differences;
    for (const std::wstring& item : after) {
        if (!before.count(item)) differences += "left behind: " + Text(item.begin(), item.end()) + "\n";
    }
    for (const std::wstring& item : before) {
        if (!after.count(item)) differences += "taken away: " + Text(item.begin(), item.end()) + "\n";
    }
    return differences;
}

std::wstring ShortcutTarget(const std::wstring& shortcut, std::wstring& workingDirectory) {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = L"", folder[MAX_PATH] = L"";
    if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                         reinterpret_cast<void**>(&link)) == S_OK) {
        link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        if (file->Load(shortcut.c_str(), STGM_READ) == S_OK) {
            link->GetPath(target, MAX_PATH, nullptr, 0);
            link->GetWorkingDirectory(folder, MAX_PATH);
        }
        file->Release();
        link->Release();
    }
    workingDirectory = folder;
    return target;
}

TEST(Installer, InstallsRunsAndUninstallsLeavingTheUserAsBefore) {
    const char* setup = std::getenv("CORVALIN_SETUP");
    if (!setup) GTEST_SKIP() << "run by install-test.sh, which builds the installer";
    const std::wstring installer(setup, setup + std::strlen(setup));
    wchar_t local[MAX_PATH], programs[MAX_PATH];
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local), S_OK);
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs), S_OK);
    const std::wstring folder = std::wstring(local) + L"\\Programs\\Corvalin Calculator";
    ASSERT_FALSE(Exists(std::wstring(local) + L"\\Programs")) << "a fresh prefix has no programs folder";
    const std::set<std::wstring> before = UserState();

    ASSERT_EQ(RunAndWait(installer, L"/S"), 0u);
    for (const wchar_t* file : {L"CorvalinCalc.exe", L"corvalin-calc.exe", L"Corvalin Calculator.chm", L"README.txt",
                                L"LICENSE.txt", L"THIRD-PARTY-NOTICES.txt", L"help\\index.html",
                                L"help\\examples.html", L"help\\style.css", L"Uninstall.exe"}) {
        EXPECT_TRUE(Exists(folder + L"\\" + file)) << Text(file, file + wcslen(file));
    }
    CoInitialize(nullptr);
    std::wstring workingDirectory;
    EXPECT_EQ(lstrcmpiW(ShortcutTarget(std::wstring(programs) + L"\\Corvalin Calculator.lnk", workingDirectory).c_str(),
                        (folder + L"\\CorvalinCalc.exe").c_str()),
              0);
    EXPECT_EQ(lstrcmpiW(workingDirectory.c_str(), folder.c_str()), 0);
    EXPECT_EQ(lstrcmpiW(ShortcutTarget(std::wstring(programs) + L"\\Corvalin Calculator Help.lnk", workingDirectory)
                            .c_str(),
                        (folder + L"\\help\\index.html").c_str()),
              0);
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

    // The uninstaller copies itself away and returns at once.
    EXPECT_EQ(RunAndWait(folder + L"\\Uninstall.exe", L"/S"), 0u);
    std::set<std::wstring> after;
    EXPECT_TRUE(WaitUntil([&] { return (after = UserState()) == before; }, 60000)) << Differences(before, after);
}

}  // namespace
