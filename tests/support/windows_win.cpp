#include "support/windows_win.h"

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[64] = L"";
    GetClassNameW(hwnd, name, 64);
    return name;
}

LONG Style(HWND hwnd) {
    return GetWindowLongW(hwnd, GWL_STYLE);
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

namespace {

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ProcessWindows*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId == search->processId) search->found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    ProcessWindows search = {processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title, HWND other) {
    for (HWND hwnd : TopLevelWindows(processId)) {
        if (hwnd == other || !IsWindowVisible(hwnd)) continue;
        if (className && ClassName(hwnd) != className) continue;
        if (title && WindowText(hwnd) != title) continue;
        return hwnd;
    }
    return nullptr;
}

std::vector<std::wstring> ListEntries(HWND list) {
    std::vector<std::wstring> entries;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t entry[64] = L"";
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
        entries.push_back(entry);
    }
    return entries;
}

LRESULT IndexOfEntry(HWND list, const std::wstring& entry) {
    return SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
}

std::wstring SelectedEntry(HWND list) {
    const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return L"<none>";
    wchar_t entry[64] = L"";
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry));
    return entry;
}

ScopedRegistryValue::ScopedRegistryValue(const std::wstring& key, const std::wstring& name, const std::wstring& text)
    : key_(key), name_(name) {
    HKEY opened;
    keyExisted_ = RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS;
    if (keyExisted_) {
        DWORD size = 0;
        valueExisted_ = RegQueryValueExW(opened, name.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS;
        data_.resize(size);
        if (valueExisted_) RegQueryValueExW(opened, name.c_str(), nullptr, &type_, data_.data(), &size);
        RegCloseKey(opened);
    }
    set_ = RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ, text.c_str(),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

ScopedRegistryValue::~ScopedRegistryValue() {
    if (valueExisted_) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), type_, data_.data(),
                        static_cast<DWORD>(data_.size()));
    } else {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str());
    }
    if (!keyExisted_) RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
}

std::vector<char> FileBytes(const std::wstring& path) {
    std::vector<char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}
