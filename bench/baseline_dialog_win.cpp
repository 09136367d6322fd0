// The baseline for the whole-program figures: a program built the same way
// as the calculator that makes the platform calls every such program must
// (COM, the common controls in version 6 through the same manifest, a dialog
// with 27 controls in the same places) and nothing else.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "ui/ids.h"

namespace {

INT_PTR CALLBACK BaselineDialogProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) {
        DestroyWindow(hWnd);
        return TRUE;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return FALSE;
}

struct Control {
    const wchar_t* className;
    int id;
    const wchar_t* text;
    int x, y, width, height;
    DWORD style;
};

// The calculator's controls; the label the figures wait for already shows
// the calculator's first result.
const Control kControls[] = {
    {L"BUTTON", IDC_FINISHED_FRAME, L"Desired Finished Size", 10, 45, 185, 50, BS_GROUPBOX},
    {L"COMBOBOX", IDC_WIDTH_LIST, L"", 20, 70, 75, 20, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST},
    {L"BUTTON", IDC_WIDTH_FRAME, L"Width (in)", 15, 60, 85, 30, BS_GROUPBOX},
    {L"BUTTON", IDC_LENGTH_FRAME, L"Length (in)", 105, 60, 85, 30, BS_GROUPBOX},
    {L"COMBOBOX", IDC_LENGTH_LIST, L"", 110, 70, 75, 15, WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST},
    {L"BUTTON", IDC_BARTYPE_FRAME, L"Bar Type", 10, 5, 300, 40, BS_GROUPBOX},
    {L"BUTTON", IDC_BAR_STANDARD, L"Corvalin 1.25\"", 20, 20, 75, 10, WS_TABSTOP | BS_AUTORADIOBUTTON},
    {L"BUTTON", IDC_BAR_PRO, L"Corvalin Pro 1.75\"", 105, 15, 85, 20, WS_TABSTOP | BS_AUTORADIOBUTTON},
    {L"BUTTON", IDC_REGULAR_FRAME, L"Regular Wrap Minimum Canvas Size", 15, 100, 295, 45, BS_GROUPBOX},
    {L"BUTTON", IDC_STAPLE_FRAME, L"Staple Method Minimum Canvas Size", 15, 150, 295, 45, BS_GROUPBOX},
    {L"BUTTON", IDC_REGULAR_WIDTH_FRAME, L"Width (in)", 20, 110, 55, 30, BS_GROUPBOX},
    {L"BUTTON", IDC_STAPLE_WIDTH_FRAME, L"Width (in)", 20, 160, 55, 30, BS_GROUPBOX},
    {L"BUTTON", IDC_REGULAR_LENGTH_FRAME, L"Length (in)", 80, 110, 55, 30, BS_GROUPBOX},
    {L"BUTTON", IDC_STAPLE_LENGTH_FRAME, L"Length (in)", 80, 160, 55, 30, BS_GROUPBOX},
    {L"STATIC", IDC_REGULAR_WIDTH, L"10.5", 25, 120, 45, 15, SS_CENTER},
    {L"STATIC", IDC_STAPLE_WIDTH, L"11.5", 25, 170, 45, 15, SS_CENTER},
    {L"STATIC", IDC_REGULAR_LENGTH, L"10.5", 85, 120, 45, 15, SS_CENTER},
    {L"STATIC", IDC_STAPLE_LENGTH, L"11.5", 85, 170, 45, 15, SS_CENTER},
    {L"BUTTON", IDC_REGULAR_SHEET_FRAME, L"Standard Sheet (in x in)", 145, 110, 85, 30, BS_GROUPBOX},
    {L"BUTTON", IDC_STAPLE_SHEET_FRAME, L"Standard Sheet (in x in)", 145, 160, 85, 30, BS_GROUPBOX},
    {L"STATIC", IDC_REGULAR_SHEET, L"13 x 19", 150, 120, 75, 15, SS_CENTER},
    {L"STATIC", IDC_STAPLE_SHEET, L"13 x 19", 150, 170, 75, 15, SS_CENTER},
    {L"BUTTON", IDC_REGULAR_ROLL_FRAME, L"Min. Roll Width (in)", 235, 110, 70, 30, BS_GROUPBOX},
    {L"BUTTON", IDC_STAPLE_ROLL_FRAME, L"Min. Roll Width (in)", 235, 160, 70, 30, BS_GROUPBOX},
    {L"STATIC", IDC_REGULAR_ROLL, L"17", 240, 120, 60, 15, SS_CENTER},
    {L"STATIC", IDC_STAPLE_ROLL, L"17", 240, 170, 60, 15, SS_CENTER},
    {L"BUTTON", IDC_BAR_PRENOTCHED, L"Pre-Notched Stretcher Bars", 200, 15, 105, 20, WS_TABSTOP | BS_AUTORADIOBUTTON},
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CoInitialize(nullptr);
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    struct Template {
        DLGTEMPLATE header;
        WORD menu, windowClass;
        wchar_t title[16];
        WORD pointSize;
        wchar_t face[14];
    };
    alignas(DWORD) const Template dialog = {
        {WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 0, 0, 70, 70, 324, 211}, 0, 0, L"Baseline dialog",
        8, L"MS Sans Serif"};
    HWND window = CreateDialogIndirectParamW(instance, &dialog.header, nullptr, BaselineDialogProc, 0);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    for (const Control& c : kControls) {
        RECT place = {c.x, c.y, c.x + c.width, c.y + c.height};
        MapDialogRect(window, &place);
        HWND control = CreateWindowExW(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, place.left,
                                       place.top, place.right - place.left, place.bottom - place.top, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    CoUninitialize();
    return 0;
}
