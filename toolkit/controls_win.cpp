#include "toolkit/controls_win.h"

#include <string>

#include "toolkit/platform_text_win.h"

void SetControlText(HWND control, const Text& text) {
    SetWindowTextW(control, ToWideText(text).c_str());
}

int32_t IsChecked(HWND dialog, int32_t id) {
    return static_cast<int32_t>(SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0));
}

void SetOptionChecked(HWND dialog, int32_t firstId, int32_t lastId, int32_t checkedId) {
    CheckRadioButton(dialog, firstId, lastId, checkedId);
}

void ListClear(HWND dialog, int32_t id) {
    SendMessageA(GetDlgItem(dialog, id), CB_RESETCONTENT, 0, 0);
}

int32_t ListAddItem(HWND dialog, int32_t id, const Text& text) {
    HWND list = GetDlgItem(dialog, id);
    std::wstring wide = ToWideText(text);
    LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    return static_cast<int32_t>(index) + 1;
}

void ListSelect(HWND dialog, int32_t id, int32_t position) {
    SendMessageA(GetDlgItem(dialog, id), CB_SETCURSEL, static_cast<WPARAM>(position - 1), 0);
}

Text ListGetText(HWND dialog, int32_t id) {
    HWND list = GetDlgItem(dialog, id);
    LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == 0 || length == CB_ERR) return Text();
    // The entry's terminating zero goes where the string keeps its own.
    std::wstring entry(static_cast<size_t>(length), L'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry.data()));
    return FromWideText(entry.c_str());
}
