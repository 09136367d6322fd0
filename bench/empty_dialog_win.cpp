// The baseline for the whole-program figures: a program built the same way
// that shows an empty dialog from an in-memory template and waits.
#include <windows.h>

namespace {

INT_PTR CALLBACK EmptyDialogProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) {
        DestroyWindow(hWnd);
        return TRUE;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    struct Template {
        DLGTEMPLATE header;
        WORD menu, windowClass;
        wchar_t title[13];
        WORD pointSize;
        wchar_t face[14];
    };
    alignas(DWORD) const Template dialog = {{WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | WS_VISIBLE, 0, 0, 70, 70, 324, 211},
                0,
                0,
                L"Empty dialog",
                8,
                L"MS Sans Serif"};
    CreateDialogIndirectParamW(instance, &dialog.header, nullptr, EmptyDialogProc, 0);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
