// The calculator's main window: one modal dialog with a menu bar.
#pragma once

#include <windows.h>

#include <cstdint>

// The main dialog, set once it exists and never cleared.
extern HWND g_hDlg;

// Builds and runs the main dialog; returns when it has been closed, with
// the result it was closed with.
int32_t ShowMainDialog(HWND owner);
HMENU BuildMainMenu(HWND dialog);

// The main dialog's event handler.
int32_t MainDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Refills one size list with the sizes of the checked bar type and selects
// the first.
void FillSizeList(HWND dialog, int32_t listId);
// Writes the results for the checked bar type and the selected sizes.
void Recalculate();

void ShowHelpContents();
void ShowAboutBox();
