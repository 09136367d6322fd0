// The installer as its users meet it, run silently in a fresh prefix by
// tests/app/install-test.sh (CORVALIN_SETUP names it): what it installs, the
// shortcuts, the uninstall entry and the installed program; setup over an
// install; and uninstalls started as another program starts them, which
// leave the user's files and registry as they were and touch nothing else.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include "support/calculator_driver_win.h"
#include "ui/ids.h"

namespace {

const wchar_t* const kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\CorvalinCalculator";

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Folder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
    return path;
}

// What a run of a command line came to: every process it started, itself
// and all those they started in turn, ended within the deadline; the first
// one's exit code; and, for a failure report, each process with its exit
// code.
struct RunResult {
    bool ended = false;
    DWORD exitCode = STILL_ACTIVE;
    std::string processes;
};

std::wstring ProcessName(DWORD processId) {
    std::wstring name = L"?";
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == processId) name = entry.szExeFile;
    }
    CloseHandle(snapshot);
    return name;
}

// The processes run in a job, which every process they start joins too: the
// run has ended when the job has none left. Nothing of the file system or
// the registry is read meanwhile, so nothing here can get in the way of
// what the processes do there.
RunResult RunToTheEnd(std::wstring commandLine) {
    RunResult run;
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION first = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &first)) {
        run.processes = "could not start " + Narrow(commandLine) + "\n";
        CloseHandle(job);
        return run;
    }
    AssignProcessToJobObject(job, first.hProcess);
    ResumeThread(first.hThread);
    CloseHandle(first.hThread);
    std::map<DWORD, std::pair<HANDLE, std::wstring>> seen = {{first.dwProcessId, {first.hProcess, L""}}};
    run.ended = WaitUntil(
        [&] {
            struct {
                JOBOBJECT_BASIC_PROCESS_ID_LIST list;
                ULONG_PTR more[63];
            } ids = {};
            ids.list.NumberOfAssignedProcesses = 64;
            QueryInformationJobObject(job, JobObjectBasicProcessIdList, &ids, sizeof ids, nullptr);
            for (DWORD i = 0; i < ids.list.NumberOfProcessIdsInList; ++i) {
                const DWORD id = static_cast<DWORD>(ids.list.ProcessIdList[i]);
                if (!seen.count(id)) seen[id] = {OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, id), L""};
                if (seen[id].second.empty()) seen[id].second = ProcessName(id);
            }
            return ids.list.NumberOfAssignedProcesses == 0;
        },
        60000);
    for (auto& [id, process] : seen) {
        DWORD code = STILL_ACTIVE;
        const bool known = process.first && GetExitCodeProcess(process.first, &code);
        if (id == first.dwProcessId) run.exitCode = code;
        run.processes += "  " + Narrow(process.second) + " (process " + std::to_string(id) + "): " +
                         (!known                  ? std::string("ended before it could be opened")
                          : code == STILL_ACTIVE ? std::string("still running")
                                                 : "exit code " + std::to_string(code)) +
                         "\n";
        if (process.first) CloseHandle(process.first);
    }
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting, sizeof accounting, nullptr);
    run.processes = std::to_string(accounting.TotalProcesses) + " processes in all, of which seen:\n" + run.processes;
    CloseHandle(job);
    return run;
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
    for (int folder : {CSIDL_LOCAL_APPDATA, CSIDL_APPDATA}) ListFiles(Folder(folder), state);
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
        if (!before.count(item)) differences += "left behind: " + Narrow(item) + "\n";
    }
    for (const std::wstring& item : before) {
        if (!after.count(item)) differences += "taken away: " + Narrow(item) + "\n";
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

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        const char* setup = std::getenv("CORVALIN_SETUP");
        if (!setup) GTEST_SKIP() << "run by install-test.sh, which builds the installer";
        setup_ = std::wstring(setup, setup + std::strlen(setup));
        folder_ = Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Corvalin Calculator";
        // Wine starts the desktop's own process, which outlives every
        // program, for the first window shown on it: here, not inside a run.
        DestroyWindow(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
        before_ = UserState();
    }

    // Runs setup silently with the arguments; true when it ended with 0.
    ::testing::AssertionResult Install(const std::wstring& arguments = L"") {
        const RunResult run = RunToTheEnd(L"\"" + setup_ + L"\" /S" + arguments);
        if (run.ended && run.exitCode == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "setup did not end with 0:\n" << run.processes;
    }

    // Runs an uninstall command line to the end, as Add/Remove Programs
    // starts one, and holds the user's state to what it was before the
    // install; says what ran and what was left otherwise.
    void ExpectUninstalledBy(const std::wstring& commandLine) {
        const RunResult run = RunToTheEnd(commandLine);
        const std::set<std::wstring> after = UserState();
        EXPECT_TRUE(run.ended && run.exitCode == 0 && after == before_)
            << Narrow(commandLine) << " ran " << run.processes << Differences(before_, after);
    }

    std::wstring setup_, folder_;
    std::set<std::wstring> before_;
};

TEST_F(Installer, InstallsRunsAndUninstallsLeavingTheUserAsBefore) {
    ASSERT_FALSE(Exists(Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs")) << "a fresh prefix has no programs folder";
    ASSERT_TRUE(Install());
    for (const wchar_t* file : {L"CorvalinCalc.exe", L"corvalin-calc.exe", L"Corvalin Calculator.chm", L"README.txt",
                                L"LICENSE.txt", L"THIRD-PARTY-NOTICES.txt", L"help\\index.html",
                                L"help\\examples.html", L"help\\style.css", L"Uninstall.exe"}) {
        EXPECT_TRUE(Exists(folder_ + L"\\" + file)) << Narrow(file);
    }
    CoInitialize(nullptr);
    const std::wstring programs = Folder(CSIDL_PROGRAMS);
    std::wstring workingDirectory;
    EXPECT_EQ(lstrcmpiW(ShortcutTarget(programs + L"\\Corvalin Calculator.lnk", workingDirectory).c_str(),
                        (folder_ + L"\\CorvalinCalc.exe").c_str()),
              0);
    EXPECT_EQ(lstrcmpiW(workingDirectory.c_str(), folder_.c_str()), 0);
    EXPECT_EQ(lstrcmpiW(ShortcutTarget(programs + L"\\Corvalin Calculator Help.lnk", workingDirectory).c_str(),
                        (folder_ + L"\\help\\index.html").c_str()),
              0);
    CoUninitialize();
    EXPECT_EQ(RegistryText(L"DisplayName"), L"Corvalin Calculator");
    EXPECT_EQ(RegistryText(L"DisplayVersion"), L"1.0");
    EXPECT_EQ(RegistryText(L"Publisher"), L"Maplestead, Inc.");
    EXPECT_EQ(RegistryText(L"UninstallString"), L"\"" + folder_ + L"\\Uninstall.exe\"");
    EXPECT_EQ(RegistryText(L"QuietUninstallString"), L"\"" + folder_ + L"\\Uninstall.exe\" /S");
    {
        RunningCalculator calc(L"", SW_SHOWNORMAL, folder_ + L"\\CorvalinCalc.exe");
        ASSERT_NE(calc.window(), nullptr);
        calc.Command(IDM_CONTENTS);
        EXPECT_NE(calc.WaitForWindow(L"HH Parent", L"Corvalin Calculator Help"), nullptr);
        calc.Command(IDM_EXIT);
        EXPECT_EQ(calc.WaitForExit(), 0u);
    }
    ExpectUninstalledBy(RegistryText(L"QuietUninstallString"));
}

// A second setup, even one told to go elsewhere, updates the first install
// in its folder and keeps its record of what it made, so that the one
// uninstall still takes it all away.
TEST_F(Installer, SetupOverAnInstallUpdatesItInPlace) {
    ASSERT_TRUE(Install());
    const std::wstring made = RegistryText(L"MadeFolders");
    EXPECT_EQ(made, Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs|");
    const std::wstring elsewhere = Folder(CSIDL_LOCAL_APPDATA) + L"\\Elsewhere";
    ASSERT_TRUE(Install(L" /D=" + elsewhere));
    EXPECT_FALSE(Exists(elsewhere));
    EXPECT_EQ(RegistryText(L"InstallLocation"), folder_);
    EXPECT_EQ(RegistryText(L"MadeFolders"), made);
    ExpectUninstalledBy(RegistryText(L"QuietUninstallString"));
}

// Run from anywhere but the copy it makes of itself, an uninstaller removes
// the install and leaves its own file and its neighbours alone.
TEST_F(Installer, UninstallerCopiedElsewhereDeletesNothingBesideIt) {
    ASSERT_TRUE(Install());
    const std::wstring keep = L"C:\\corvalin-keep";
    ScopeExit removeKeep([&] {
        DeleteFileW((keep + L"\\important.txt").c_str());
        DeleteFileW((keep + L"\\Uninstall.exe").c_str());
        RemoveDirectoryW(keep.c_str());
    });
    ASSERT_TRUE(CreateDirectoryW(keep.c_str(), nullptr));
    HANDLE important = CreateFileW((keep + L"\\important.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(important, INVALID_HANDLE_VALUE);
    CloseHandle(important);
    ASSERT_TRUE(CopyFileW((folder_ + L"\\Uninstall.exe").c_str(), (keep + L"\\Uninstall.exe").c_str(), TRUE));
    ExpectUninstalledBy(L"\"" + keep + L"\\Uninstall.exe\" /S _?=" + folder_);
    EXPECT_TRUE(Exists(keep + L"\\important.txt"));
    EXPECT_TRUE(Exists(keep + L"\\Uninstall.exe"));
}

}  // namespace
