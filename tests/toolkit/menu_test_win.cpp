#include "toolkit/menu_win.h"

#include "toolkit_test_win.h"

namespace {

class MenuTest : public ToolkitTest {};

std::wstring ItemText(HMENU menu, int position) {
    wchar_t text[64] = L"";
    GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return text;
}

TEST_F(MenuTest, BuildsABarWithACommandAndAPopupInOrder) {
    HWND dialog = CreateTestDialog();
    HMENU bar = MenuCreateBar();
    MenuAppendItem(bar, "Exit", 1007, 0);
    HMENU popup = MenuCreatePopup();
    MenuAppendPopup(bar, "Help", popup, 0);
    MenuAppendItem(popup, "Contents", 1009, 0);
    MenuAppendItem(popup, "About", 1010, MFS_CHECKED);

    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(ItemText(bar, 0), L"Exit");
    EXPECT_EQ(GetMenuItemID(bar, 0), 1007u);
    EXPECT_EQ(ItemText(bar, 1), L"Help");
    EXPECT_EQ(GetSubMenu(bar, 1), popup);
    ASSERT_EQ(GetMenuItemCount(popup), 2);
    EXPECT_EQ(ItemText(popup, 0), L"Contents");
    EXPECT_EQ(GetMenuItemID(popup, 0), 1009u);
    EXPECT_EQ(GetMenuState(popup, 0, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED), 0u);
    EXPECT_EQ(ItemText(popup, 1), L"About");
    EXPECT_EQ(GetMenuItemID(popup, 1), 1010u);
    EXPECT_EQ(GetMenuState(popup, 1, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    DestroyWindow(dialog);
}

TEST_F(MenuTest, AttachedBarTakesItsHeightFromTheClientArea) {
    HWND dialog = CreateTestDialog();
    RECT windowBefore, clientBefore, windowAfter, clientAfter;
    GetWindowRect(dialog, &windowBefore);
    GetClientRect(dialog, &clientBefore);
    HMENU bar = MenuCreateBar();
    MenuAppendItem(bar, "Exit", 1007, 0);
    MenuAttach(dialog, bar);
    EXPECT_EQ(GetMenu(dialog), bar);
    GetWindowRect(dialog, &windowAfter);
    GetClientRect(dialog, &clientAfter);
    EXPECT_EQ(windowAfter.bottom - windowAfter.top, windowBefore.bottom - windowBefore.top);
    EXPECT_LT(clientAfter.bottom, clientBefore.bottom);
    EXPECT_EQ(clientAfter.right, clientBefore.right);
    DestroyWindow(dialog);
    EXPECT_FALSE(IsMenu(bar));
}

}  // namespace
