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
#include <functional>
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
// `environment`: NAME=value entries the run gets besides this process's own;
// `meanwhile` is what a user does while it runs, before the wait for its end.
RunResult RunToTheEnd(std::wstring commandLine, const std::vector<std::wstring>& environment = {},
                      const std::function<void()>& meanwhile = nullptr) {
    RunResult run;
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION first = {};
    std::wstring block;
    if (!environment.empty()) {
        for (const std::wstring& entry : environment) block += entry + L'\0';
        wchar_t* own = GetEnvironmentStringsW();
        for (const wchar_t* entry = own; *entry; entry += wcslen(entry) + 1) block += std::wstring(entry) + L'\0';
        FreeEnvironmentStringsW(own);
    }
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, block.empty() ? nullptr : block.data(),
                        nullptr, &startup, &first)) {
        run.processes = "could not start " + Narrow(commandLine) + "\n";
        CloseHandle(job);
        return run;
    }
    AssignProcessToJobObject(job, first.hProcess);
    ResumeThread(first.hThread);
    CloseHandle(first.hThread);
    if (meanwhile) meanwhile();
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
    // Nothing a failed run started may go on into the next test.
    if (!run.ended) TerminateJobObject(job, 1);
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
        // A link leads elsewhere (Wine links Templates to the Unix home
        // folder, which may hold thousands of files): named, not walked.
        const DWORD walked = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        if ((entry.dwFileAttributes & walked) == FILE_ATTRIBUTE_DIRECTORY) ListFiles(folder + L"\\" + name, found);
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

// Deletes what a test left in the user's folders and registry, deepest
// first, so that a failed step does not spread to the next tests.
void Restore(const std::set<std::wstring>& before) {
    const std::set<std::wstring> after = UserState();
    for (auto item = after.rbegin(); item != after.rend(); ++item) {
        if (before.count(*item)) continue;
        const size_t value = item->find(L" = ");
        if (item->rfind(L"Software", 0) == 0) {
            if (value == std::wstring::npos) {
                RegDeleteTreeW(HKEY_CURRENT_USER, item->c_str());
                RegDeleteKeyW(HKEY_CURRENT_USER, item->c_str());
            } else {
                RegDeleteKeyValueW(HKEY_CURRENT_USER, item->substr(0, value).c_str(), item->substr(value + 3).c_str());
            }
        } else {
            SetFileAttributesW(item->c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(item->c_str())) RemoveDirectoryW(item->c_str());
        }
    }
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool done = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                      written == bytes.size();
    return CloseHandle(file) && done;
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

    void TearDown() override {
        if (!before_.empty()) Restore(before_);
    }

    // Runs setup silently with the arguments; true when it ended with the
    // exit code.
    ::testing::AssertionResult Install(const std::wstring& arguments = L"", DWORD exitCode = 0) {
        const RunResult run = RunToTheEnd(L"\"" + setup_ + L"\" /S" + arguments);
        if (run.ended && run.exitCode == exitCode) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "setup did not end with " << exitCode << ":\n" << run.processes;
    }

    // Runs an uninstall command line to the end, as Add/Remove Programs
    // starts one, and holds the user's state to what it was before the
    // install; says what ran and what was left otherwise.
    void ExpectUninstalledBy(const std::wstring& commandLine, const std::vector<std::wstring>& environment = {}) {
        const RunResult run = RunToTheEnd(commandLine, environment);
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
                                L"help\\examples.html", L"help\\printfile.html", L"help\\style.css",
                                L"help\\edge-mirror.png", L"Uninstall.exe"}) {
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

// A folder that holds someone else's files is not an install folder: setup
// writes nothing there, not even over a same-named read-only file, and
// ends with 2.
TEST_F(Installer, SetupRefusesAFolderThatHoldsOtherFiles) {
    const std::wstring documents = Folder(CSIDL_LOCAL_APPDATA) + L"\\Documents";
    ASSERT_TRUE(CreateDirectoryW(documents.c_str(), nullptr));
    const std::string mine = "my own read-me\r\n";
    ASSERT_TRUE(WriteFileBytes(documents + L"\\README.txt", mine, FILE_ATTRIBUTE_READONLY));
    const std::set<std::wstring> withDocuments = UserState();
    EXPECT_TRUE(Install(L" /D=" + documents, 2));
    EXPECT_EQ(FileBytes(documents + L"\\README.txt"), std::vector<char>(mine.begin(), mine.end()));
    EXPECT_EQ(UserState(), withDocuments) << Differences(withDocuments, UserState());
}

void SetRegistryText(const wchar_t* name, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kUninstallKey, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// A recorded install whose folder is gone (a removed drive) is no install:
// setup goes where it is told, and its uninstall takes that install away.
// A record of made folders cut short is read to its end, its unterminated
// last name dropped.
TEST_F(Installer, SetupIgnoresARecordedFolderThatNoLongerHoldsTheInstall) {
    ASSERT_TRUE(Install());
    std::set<std::wstring> installed;
    ListFiles(Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs", installed);
    installed.insert(Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs");
    for (auto item = installed.rbegin(); item != installed.rend(); ++item) {
        if (!DeleteFileW(item->c_str())) RemoveDirectoryW(item->c_str());
    }
    SetRegistryText(L"InstallLocation", L"X:\\Corvalin Calculator");
    const std::wstring elsewhere = Folder(CSIDL_LOCAL_APPDATA) + L"\\Elsewhere";
    ASSERT_TRUE(Install(L" /D=" + elsewhere));
    EXPECT_TRUE(Exists(elsewhere + L"\\CorvalinCalc.exe"));
    EXPECT_EQ(RegistryText(L"InstallLocation"), elsewhere);

    const std::wstring made = Folder(CSIDL_LOCAL_APPDATA) + L"\\corvalin-made";
    const std::wstring cut = Folder(CSIDL_LOCAL_APPDATA) + L"\\corvalin-cut";
    ScopeExit removeCut([&] { RemoveDirectoryW(cut.c_str()); });
    ASSERT_TRUE(CreateDirectoryW(made.c_str(), nullptr) && CreateDirectoryW(cut.c_str(), nullptr));
    SetRegistryText(L"MadeFolders", made + L"|" + cut);
    before_.insert(cut);
    ExpectUninstalledBy(RegistryText(L"QuietUninstallString"));
}

// The calculator's own file cannot go while it runs: the uninstall says so
// with exit code 1 and keeps what it needs to be run again, the uninstaller
// and the entry; run again once the calculator is closed, it finishes.
TEST_F(Installer, UninstallWhileTheCalculatorRunsCanBeRunAgainToFinish) {
    ASSERT_TRUE(Install());
    const std::wstring uninstall = L"\"" + folder_ + L"\\Uninstall.exe\" /S _?=" + folder_;
    {
        RunningCalculator calc(L"", SW_SHOWNORMAL, folder_ + L"\\CorvalinCalc.exe");
        ASSERT_NE(calc.window(), nullptr);
        const RunResult run = RunToTheEnd(uninstall);
        EXPECT_TRUE(run.ended && run.exitCode == 1) << run.processes;
        EXPECT_TRUE(Exists(folder_ + L"\\CorvalinCalc.exe"));
        EXPECT_TRUE(Exists(folder_ + L"\\Uninstall.exe"));
        EXPECT_EQ(RegistryText(L"UninstallString"), L"\"" + folder_ + L"\\Uninstall.exe\"");
        calc.Command(IDM_EXIT);
        EXPECT_EQ(calc.WaitForExit(), 0u);
    }
    ExpectUninstalledBy(RegistryText(L"QuietUninstallString"));
}

// Add/Remove Programs starts the uninstaller, which runs from a copy in the
// temporary folder; that copy and its folder go once it has ended, whatever
// characters the temporary folder's name holds.
TEST_F(Installer, UninstallRemovesItsTemporaryCopyFromAFolderOfAnyName) {
    ASSERT_TRUE(Install());
    const std::wstring temp = Folder(CSIDL_LOCAL_APPDATA) + L"\\T\u00e9mp \u00fc\u03a9 100% %OS% &^!";
    ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));
    ScopeExit removeTemp([&] { RemoveDirectoryW(temp.c_str()); });
    before_.insert(temp);
    ExpectUninstalledBy(RegistryText(L"QuietUninstallString"), {L"TEMP=" + temp, L"TMP=" + temp});
    std::set<std::wstring> left;
    ListFiles(temp, left);
    EXPECT_TRUE(left.empty()) << Narrow(*left.begin());
}

// The pages are removed by name: one the install did not write stays, and
// with it its folders.
TEST_F(Installer, UninstallLeavesAHelpPageItDidNotInstall) {
    ASSERT_TRUE(Install());
    const std::wstring notes = folder_ + L"\\help\\notes.html";
    ASSERT_TRUE(WriteFileBytes(notes, "<p>mine</p>"));
    const RunResult run = RunToTheEnd(RegistryText(L"QuietUninstallString"));
    EXPECT_TRUE(run.ended && run.exitCode == 0) << run.processes;
    std::set<std::wstring> expected = before_;
    expected.insert({Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs", folder_, folder_ + L"\\help", notes});
    EXPECT_EQ(UserState(), expected) << Differences(expected, UserState());
}

// The uninstaller's window; its caption is NSIS's, "Corvalin Calculator 1.0
// Uninstall " with a blank at the end.
BOOL CALLBACK FindUninstallWindow(HWND candidate, LPARAM found) {
    if (IsWindowVisible(candidate) && ClassName(candidate) == L"#32770" &&
        WindowText(candidate).rfind(L"Corvalin Calculator 1.0 Uninstall", 0) == 0) {
        *reinterpret_cast<HWND*>(found) = candidate;
    }
    return TRUE;
}

// From Add/Remove Programs the uninstaller shows its window, and the user
// may leave it on its last page as long as they like: its temporary copy
// goes once the window is closed.
TEST_F(Installer, UninstallWithItsWindowRemovesItsCopyOnceClosed) {
    ASSERT_TRUE(Install());
    const RunResult run = RunToTheEnd(RegistryText(L"UninstallString"), {}, [] {
        HWND window = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            EnumWindows(FindUninstallWindow, reinterpret_cast<LPARAM>(&window));
            return window != nullptr;
        }));
        HWND next = GetDlgItem(window, IDOK);
        ASSERT_EQ(WindowText(next), L"&Uninstall");
        SendMessageW(next, BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return WindowText(next) == L"&Close" && IsWindowEnabled(next); }))
            << "the last page shows " << Narrow(WindowText(next));
        Sleep(3000);
        SendMessageW(next, BM_CLICK, 0, 0);
    });
    const std::set<std::wstring> after = UserState();
    EXPECT_TRUE(run.ended && run.exitCode == 0 && after == before_) << run.processes << Differences(before_, after);
}

}  // namespace
