// Running a toolkit dialog modally and delivering its messages to its
// event handler.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/window_records_win.h"

// Calls the handler with WM_INITDIALOG and WM_SIZE before the dialog is
// shown, shows it and runs the message loop until the dialog window is gone.
// The value given to CloseDialog lands in *resultSlot.
void RunModal(HWND dialog, EventHandler handler, int32_t* resultSlot);

// Stores the result, sends WM_CLOSE and destroys the dialog; may be called
// from inside the dialog's own handler. Does nothing for a window that is
// not a toolkit dialog.
void CloseDialog(HWND dialog, int32_t result);

// The dialog procedure of every toolkit dialog.
INT_PTR CALLBACK ToolkitDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
