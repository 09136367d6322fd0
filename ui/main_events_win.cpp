#include "toolkit/modal_win.h"
#include "ui/ids.h"
#include "ui/main_window_win.h"

namespace {

// The control that had the focus when the window last lost activation.
HWND g_hFocus = nullptr;

void RefillAndRecalculate() {
    FillSizeList(g_hDlg, IDC_WIDTH_LIST);
    FillSizeList(g_hDlg, IDC_LENGTH_LIST);
    Recalculate();
}

void TrackActivation(bool active) {
    if (!active) {
        g_hFocus = GetFocus();
    } else if (g_hFocus) {
        SetFocus(g_hFocus);
        g_hFocus = nullptr;
    }
}

// Every notification counts, not only clicks and selection changes.
void RunCommand(HWND hWnd, int id) {
    switch (id) {
    case IDC_BAR_STANDARD:
    case IDC_BAR_PRO:
    case IDC_BAR_PRENOTCHED: RefillAndRecalculate(); break;
    case IDM_CONTENTS: ShowHelpContents(); break;
    case IDM_ABOUT: ShowAboutBox(); break;
    case IDM_EXIT: CloseDialog(hWnd, 0); break;
    case IDC_WIDTH_LIST:
    case IDC_LENGTH_LIST: Recalculate(); break;
    default: break;
    }
}

}  // namespace

// Answers 0 to everything, so the toolkit's and the platform's handling
// always follows.
int32_t MainDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: RefillAndRecalculate(); break;
    case WM_NCACTIVATE: TrackActivation(wParam != 0); break;
    case WM_COMMAND: RunCommand(hWnd, LOWORD(wParam)); break;
    default: break;
    }
    return 0;
}
