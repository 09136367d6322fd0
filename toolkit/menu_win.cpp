#include "toolkit/menu_win.h"

#include <cstddef>

#include "toolkit/platform_text_win.h"

namespace {

void AppendMenuEntry(HMENU menu, const Text& text, UINT id, HMENU popup, UINT state) {
    std::wstring wide = ToWideText(text);
    MENUITEMINFOW item = {};
    // The form without the trailing hbmpItem, which every Windows version takes.
    item.cbSize = offsetof(MENUITEMINFOW, hbmpItem);
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE | MIIM_DATA;
    item.fType = MFT_STRING;
    item.fState = state;
    item.wID = id;
    item.hSubMenu = popup;
    item.dwTypeData = wide.data();
    item.cch = static_cast<UINT>(wide.size());
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
}

}  // namespace

HMENU MenuCreateBar() {
    return CreateMenu();
}

HMENU MenuCreatePopup() {
    return CreatePopupMenu();
}

void MenuAppendItem(HMENU menu, const Text& text, int32_t id, UINT state) {
    AppendMenuEntry(menu, text, static_cast<UINT>(id), nullptr, state);
}

void MenuAppendPopup(HMENU menu, const Text& text, HMENU popup, UINT state) {
    AppendMenuEntry(menu, text, 0, popup, state);
}

void MenuAttach(HWND dialog, HMENU menu) {
    SetMenu(dialog, menu);
}
