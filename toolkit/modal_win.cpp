#include "toolkit/modal_win.h"

namespace {

WPARAM SizeTypeFor(int showCommand) {
    if (showCommand == SW_MAXIMIZE) return SIZE_MAXIMIZED;
    if (showCommand == SW_MINIMIZE) return SIZE_MINIMIZED;
    return SIZE_RESTORED;
}

void SendSizeToControls(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    for (HWND control : DialogControls(dialog)) {
        SendMessageA(control, message, wParam, lParam);
    }
}

}  // namespace

void RunModal(HWND dialog, EventHandler handler, int32_t* resultSlot) {
    SetForegroundWindow(dialog);
    if (handler) {
        handler(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(dialog), 0);
        const auto shown = FindWindowRecord(dialog);
        RECT client = {};
        GetClientRect(dialog, &client);
        handler(dialog, WM_SIZE, SizeTypeFor(shown ? shown->showCommand : SW_SHOW),
                MAKELPARAM(client.right, client.bottom));
    }
    const auto record = FindWindowRecord(dialog);
    if (!record || !(record->flags & kRecordDialog)) return;
    MarkDialogModal(dialog, handler, resultSlot);
    ShowWindow(dialog, record->showCommand);

    // Polls rather than blocks, so that the loop notices the dialog is gone
    // after whatever destroyed it: a message it dispatched, or one sent from
    // another thread or process, which PeekMessageW handles itself before
    // reporting that nothing is waiting.
    MSG message;
    while (IsWindow(dialog)) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(1);
            continue;
        }
        if (!IsWindow(dialog) || !IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void CloseDialog(HWND dialog, int32_t result) {
    const auto record = FindWindowRecord(dialog);
    if (!record || !(record->flags & kRecordDialog)) return;
    if (record->resultSlot) *record->resultSlot = result;
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    DestroyWindow(dialog);
}

INT_PTR CALLBACK ToolkitDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // The platform's own WM_INITDIALOG comes before the dialog has controls
    // or a handler; FALSE keeps it from setting a focus. WM_ACTIVATE is left
    // to the platform's activation handling.
    if (message == WM_INITDIALOG || message == WM_ACTIVATE) return FALSE;

    const auto record = FindWindowRecord(hWnd);
    if (record && record->handler) {
        // The handler may destroy the dialog and release its record: nothing
        // below uses the copy taken before the call.
        const int32_t result = record->handler(hWnd, message, wParam, lParam);
        if (result != 0 && message != WM_NCDESTROY) {
            if (GetWindowLongPtrW(hWnd, DWLP_MSGRESULT) == 0) {
                SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
            }
            return result;
        }
    }

    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            CloseDialog(hWnd, 0);
            return TRUE;
        }
        return FALSE;
    case WM_NCDESTROY:
        // Whatever the handler answered: the window is gone.
        ReleaseDialogRecords(hWnd);
        return TRUE;
    case WM_SIZE:
        SendSizeToControls(hWnd, message, wParam, lParam);
        return FALSE;
    default:
        return FALSE;
    }
}
