#include "toolkit/dialog_win.h"

#include <string>

#include "toolkit_test_win.h"

namespace {

class CreateDialogBoxTest : public ToolkitTest {};
class AddControlTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        dialog_ = CreateTestDialog();
        ASSERT_NE(dialog_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(dialog_);
        ToolkitTest::TearDown();
    }
    HWND Add(int kind, int id, DWORD style, DWORD exStyle = 0) {
        AddControl(kind, dialog_, id, "text", 10, 10, 50, 14, style, exStyle);
        return GetDlgItem(dialog_, id);
    }
    HWND dialog_ = nullptr;
};

RECT DialogUnitsToPixels(HWND dialog, int left, int top, int right, int bottom) {
    RECT rect = {left, top, right, bottom};
    MapDialogRect(dialog, &rect);
    return rect;
}

TEST_F(CreateDialogBoxTest, VisibleAndSystemModalAreRemovedFromAGivenStyle) {
    HWND dialog = CreateDialogBox(1, nullptr, 0, 0, 100, 50, WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SYSMODAL,
                                  0, "Given style");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(Style(dialog) & DS_SYSMODAL, 0);
    EXPECT_EQ(Style(dialog) & (DS_SETFONT | DS_3DLOOK), DS_SETFONT | DS_3DLOOK);
    DestroyWindow(dialog);
}

TEST_F(CreateDialogBoxTest, CaptionIsNotLimitedByTheTemplate) {
    const std::string caption(700, 'W');
    HWND dialog = CreateTestDialog(caption.c_str());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), std::wstring(700, L'W'));
    DestroyWindow(dialog);
}

TEST_F(CreateDialogBoxTest, ClientAreaAndFontComeFromTheDialogFont) {
    HWND dialog = CreateDialogBox(1, nullptr, 70, 70, 324, 211, 0, 0, "Sized");
    ASSERT_NE(dialog, nullptr);
    RECT client;
    GetClientRect(dialog, &client);
    RECT expected = DialogUnitsToPixels(dialog, 0, 0, 324, 211);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);

    // Wine's MS Sans Serif at 8 points: 4 x 8 dialog units are 6 x 13 pixels.
    RECT base = DialogUnitsToPixels(dialog, 0, 0, 4, 8);
    EXPECT_EQ(base.right, 6);
    EXPECT_EQ(base.bottom, 13);
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(GetWindowContextHelpId(dialog), 0u);
    DestroyWindow(dialog);
}

TEST_F(AddControlTest, FrameIsAlwaysAPlainGroupBoxAndNeverATabStop) {
    HWND byDefault = Add(Frame, 101, 0);
    EXPECT_EQ(ClassName(byDefault), L"Button");
    EXPECT_EQ(static_cast<DWORD>(Style(byDefault)), 0x50000007u);
    HWND given = Add(Frame, 102, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_BORDER | BS_PUSHBUTTON);
    EXPECT_EQ(static_cast<DWORD>(Style(given)), 0x50000007u);
}

TEST_F(AddControlTest, OptionIsAlwaysAnAutomaticOptionButtonKeepingTabStopAndGroup) {
    EXPECT_EQ(static_cast<DWORD>(Style(Add(Option, 101, 0))), 0x50010009u);
    HWND grouped = Add(Option, 102, WS_CHILD | WS_VISIBLE | WS_GROUP | BS_CHECKBOX);
    EXPECT_EQ(static_cast<DWORD>(Style(grouped)), static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_GROUP) | 9u);
    EXPECT_EQ(static_cast<DWORD>(Style(Add(Option, 103, WS_TABSTOP | WS_POPUP))) & (WS_TABSTOP | WS_POPUP),
              static_cast<DWORD>(WS_TABSTOP));
}

TEST_F(AddControlTest, ComboBoxDefaultsToASortedDropDownAndTakesAGivenStyle) {
    HWND sorted = Add(ComboBox, 101, 0);
    EXPECT_EQ(ClassName(sorted), L"ComboBox");
    EXPECT_EQ(Style(sorted) & 0xFFFF, CBS_SORT | CBS_DROPDOWN);
    EXPECT_EQ(Style(sorted) & (WS_CHILD | WS_VISIBLE | WS_TABSTOP), WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    HWND list = Add(ComboBox, 102, 0x50210003, WS_EX_CLIENTEDGE);
    // The combo box hands the scroll bar and edge styles on to its own parts.
    EXPECT_EQ(Style(list) & 0xFFFF, CBS_DROPDOWNLIST);
}

TEST_F(AddControlTest, LabelAlwaysGetsChildAndVisible) {
    HWND centred = Add(Label, 101, 0x50000001);
    EXPECT_EQ(ClassName(centred), L"Static");
    EXPECT_EQ(static_cast<DWORD>(Style(centred)), 0x50000001u);
    EXPECT_EQ(static_cast<DWORD>(Style(Add(Label, 102, SS_RIGHT))), 0x50000000u | SS_RIGHT);
    EXPECT_EQ(static_cast<DWORD>(Style(Add(Label, 103, 0))), 0x50000000u);
}

TEST_F(AddControlTest, ControlsTakeTheDialogFontAndTheirText) {
    HWND frame = Add(Frame, 101, 0);
    EXPECT_EQ(SendMessageW(frame, WM_GETFONT, 0, 0), SendMessageW(dialog_, WM_GETFONT, 0, 0));
    EXPECT_EQ(WindowText(frame), L"text");
    EXPECT_EQ(GetDlgCtrlID(frame), 101);
}

TEST_F(AddControlTest, CreatesNothingForAnUnknownKindOrANonDialog) {
    EXPECT_EQ(Add(3, 101, 0), nullptr);
    EXPECT_EQ(Add(0, 102, 0), nullptr);
    HWND frame = Add(Frame, 103, 0);
    AddControl(Label, frame, 104, "inside a frame", 0, 0, 10, 10, 0, 0);
    EXPECT_EQ(GetWindow(frame, GW_CHILD), nullptr);
    AddControl(Label, nullptr, 105, "nowhere", 0, 0, 10, 10, 0, 0);
    EXPECT_EQ(CountWindowRecords(), 2u);
}

}  // namespace
