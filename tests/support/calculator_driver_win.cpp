#include "support/calculator_driver_win.h"

#include "support/golden_table.h"
#include "ui/ids.h"

const wchar_t* const kCaption = L"Corvalin Calculator - v1.0";

std::wstring ProgramPath(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

RunningCalculator::RunningCalculator(const std::wstring& arguments, WORD showCommand, const std::wstring& program,
                                     const std::wstring& workingDirectory) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand;
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    std::wstring folder =
        workingDirectory.empty() ? program.substr(0, program.find_last_of(L"\\/")) : workingDirectory;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process_)) {
        return;
    }
    // The first window it shows is the main window, unless it refused to start.
    HWND first = WaitForWindow(nullptr, nullptr);
    window_ = first && WindowText(first) == kCaption ? first : nullptr;
    for (HWND child : ChildWindows(window_)) controls_[GetDlgCtrlID(child)] = child;
}

RunningCalculator::~RunningCalculator() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kDeadlineMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND RunningCalculator::control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

HWND RunningCalculator::WaitForWindow(const wchar_t* className, const wchar_t* title, HWND other) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindProcessWindow(process_.dwProcessId, className, title, other)) != nullptr; });
    return found;
}

DWORD RunningCalculator::WaitForExit() const {
    WaitForSingleObject(process_.hProcess, kDeadlineMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

HWND RunningCalculator::FocusedWindow() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
}

void RunningCalculator::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
    PostMessageW(window_, message, wParam, lParam);
}

void RunningCalculator::Command(int id) const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window_, WM_COMMAND, static_cast<WPARAM>(id), 0, SMTO_NORMAL, kDeadlineMs, &ignored);
}

void RunningCalculator::Click(int id) const {
    SendMessageW(control(id), BM_CLICK, 0, 0);
}

bool ChooseEntry(HWND window, HWND list, const std::wstring& entry) {
    const LRESULT index = IndexOfEntry(list, entry);
    if (index == CB_ERR) return false;
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return true;
}

void RunningCalculator::PressKey(WPARAM key) const {
    HWND focus = FocusedWindow();
    HWND target = focus ? focus : window_;
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

std::vector<std::wstring> ResultLabels(const std::function<HWND(int)>& control) {
    std::vector<std::wstring> labels;
    for (int id : {IDC_REGULAR_WIDTH, IDC_REGULAR_LENGTH, IDC_STAPLE_WIDTH, IDC_STAPLE_LENGTH, IDC_REGULAR_SHEET,
                   IDC_STAPLE_SHEET, IDC_REGULAR_ROLL, IDC_STAPLE_ROLL}) {
        labels.push_back(WindowText(control(id)));
    }
    return labels;
}

std::vector<std::wstring> RunningCalculator::ResultLabels() const {
    return ::ResultLabels([this](int id) { return control(id); });
}

bool RunningCalculator::IsChecked(int id) const {
    return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring Wide(const Text& text) {
    return std::wstring(text.begin(), text.end());
}

std::vector<std::wstring> Wide(const std::vector<Text>& texts) {
    std::vector<std::wstring> wide;
    for (const Text& text : texts) wide.push_back(Wide(text));
    return wide;
}

std::vector<std::wstring> ExpectedLabels(BarType bar, const Text& width, const Text& length) {
    return Wide(GoldenResults(bar, width, length));
}
