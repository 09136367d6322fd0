// Operations on the controls of an open dialog. Each looks the control up
// at the time of the call; list positions count from 1.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/text.h"

void SetControlText(HWND control, const Text& text);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; 0 with no such control.
int32_t IsChecked(HWND dialog, int32_t id);
void SetOptionChecked(HWND dialog, int32_t firstId, int32_t lastId, int32_t checkedId);
void ListClear(HWND dialog, int32_t id);
// The position of the new entry; 0 or -1 when the list refused it.
int32_t ListAddItem(HWND dialog, int32_t id, const Text& text);
void ListSelect(HWND dialog, int32_t id, int32_t position);
// The selected entry's text; empty with no selection.
Text ListGetText(HWND dialog, int32_t id);
