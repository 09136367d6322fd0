#include "toolkit/menu_win.h"

#include "toolkit_test_win.h"

namespace {

class MenuTest : public ToolkitTest {};

// The calculator's own menu is checked as the window has it; here, what
// the toolkit passes on that the calculator does not use.
TEST_F(MenuTest, ItemsKeepTheStateGivenAndThePopupItsPlace) {
    HWND dialog = CreateTestDialog();
    HMENU bar = MenuCreateBar();
    HMENU popup = MenuCreatePopup();
    MenuAppendPopup(bar, "Help", popup, MFS_GRAYED);
    MenuAppendItem(bar, "Exit", 1007, 0);
    MenuAppendItem(popup, "About", 1010, MFS_CHECKED);
    MenuAttach(dialog, bar);
    EXPECT_EQ(GetMenu(dialog), bar);
    EXPECT_EQ(GetSubMenu(bar, 0), popup);
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuItemID(bar, 1), 1007u);
    EXPECT_EQ(GetMenuState(popup, 0, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    DestroyWindow(dialog);
    EXPECT_FALSE(IsMenu(bar));
}

}  // namespace
