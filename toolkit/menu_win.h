// A menu bar with popups for a toolkit dialog. Items are appended in order;
// state 0 is enabled and unchecked.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/text.h"

HMENU MenuCreateBar();
HMENU MenuCreatePopup();
void MenuAppendItem(HMENU menu, const Text& text, int32_t id, UINT state);
void MenuAppendPopup(HMENU menu, const Text& text, HMENU popup, UINT state);
// The bar takes its height from the dialog's client area.
void MenuAttach(HWND dialog, HMENU menu);
