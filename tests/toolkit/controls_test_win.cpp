#include "toolkit/controls_win.h"

#include "toolkit/dialog_win.h"
#include "toolkit_test_win.h"

namespace {

constexpr int kList = 1002;
constexpr int kFirstOption = 1012;
constexpr int kSecondOption = 1013;
constexpr int kLastOption = 1033;
constexpr int kFrameInRange = 1014;
constexpr int kLabel = 1020;

class ControlDataTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        dialog_ = CreateTestDialog();
        AddControl(ComboBox, dialog_, kList, "", 10, 10, 75, 60, 0x50210003, WS_EX_CLIENTEDGE);
        AddControl(Option, dialog_, kFirstOption, "First", 10, 30, 60, 10, 0, 0);
        AddControl(Option, dialog_, kSecondOption, "Second", 10, 40, 60, 10, 0, 0);
        AddControl(Frame, dialog_, kFrameInRange, "Frame", 80, 30, 60, 30, 0, 0);
        AddControl(Label, dialog_, kLabel, "9", 80, 60, 40, 10, 0x50000001, 0);
        AddControl(Option, dialog_, kLastOption, "Last", 10, 50, 60, 10, 0, 0);
    }
    void TearDown() override {
        DestroyWindow(dialog_);
        ToolkitTest::TearDown();
    }
    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(GetDlgItem(dialog_, id), message, wParam, lParam);
    }
    HWND dialog_ = nullptr;
};

TEST_F(ControlDataTest, ListKeepsEntriesInTheOrderAddedAndCountsFromOne) {
    EXPECT_EQ(ListAddItem(dialog_, kList, "8"), 1);
    EXPECT_EQ(ListAddItem(dialog_, kList, "9"), 2);
    EXPECT_EQ(ListAddItem(dialog_, kList, "10"), 3);
    EXPECT_EQ(Send(kList, CB_GETCOUNT), 3);
    ListSelect(dialog_, kList, 1);
    EXPECT_EQ(Send(kList, CB_GETCURSEL), 0);
    EXPECT_EQ(ListGetText(dialog_, kList), "8");
    ListSelect(dialog_, kList, 3);
    EXPECT_EQ(ListGetText(dialog_, kList), "10");
}

TEST_F(ControlDataTest, ListGivesTheEmptyTextWithoutASelectedNonEmptyEntry) {
    EXPECT_EQ(ListGetText(dialog_, kList), "");  // empty list
    ListSelect(dialog_, kList, 1);
    EXPECT_EQ(Send(kList, CB_GETCURSEL), CB_ERR);
    ListAddItem(dialog_, kList, "8");
    EXPECT_EQ(ListGetText(dialog_, kList), "");  // nothing selected
    ListAddItem(dialog_, kList, "");
    ListSelect(dialog_, kList, 2);
    EXPECT_EQ(ListGetText(dialog_, kList), "");  // the selected entry is empty
    ListSelect(dialog_, kList, 1);
    ListClear(dialog_, kList);
    EXPECT_EQ(Send(kList, CB_GETCOUNT), 0);
    EXPECT_EQ(ListGetText(dialog_, kList), "");
    EXPECT_EQ(ListGetText(dialog_, 4242), "");  // no such control
}

TEST_F(ControlDataTest, ListCarriesTextsThroughTheCodePage) {
    ListAddItem(dialog_, kList, "17.5 \xE9");
    ListSelect(dialog_, kList, 1);
    wchar_t entry[32] = L"";
    Send(kList, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(entry, L"17.5 \u00E9");
    EXPECT_EQ(ListGetText(dialog_, kList), "17.5 \xE9");
}

TEST_F(ControlDataTest, IsCheckedReadsTheCheckStateAsItComes) {
    Send(kFirstOption, BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(IsChecked(dialog_, kFirstOption), 1);
    EXPECT_EQ(IsChecked(dialog_, kSecondOption), 0);
    EXPECT_EQ(IsChecked(dialog_, 4242), 0);
}

TEST_F(ControlDataTest, SetOptionCheckedChecksOneAndClearsTheOthersInTheRange) {
    Send(kSecondOption, BM_SETCHECK, BST_CHECKED);
    Send(kLastOption, BM_SETCHECK, BST_CHECKED);
    SetOptionChecked(dialog_, kFirstOption, kLastOption, kFirstOption);
    EXPECT_EQ(IsChecked(dialog_, kFirstOption), 1);
    EXPECT_EQ(IsChecked(dialog_, kSecondOption), 0);
    EXPECT_EQ(IsChecked(dialog_, kLastOption), 0);
    EXPECT_EQ(WindowText(GetDlgItem(dialog_, kFrameInRange)), L"Frame");
}

TEST_F(ControlDataTest, SetControlTextReplacesAndEmptiesALabel) {
    HWND label = GetDlgItem(dialog_, kLabel);
    SetControlText(label, "10.5");
    EXPECT_EQ(WindowText(label), L"10.5");
    SetControlText(label, "");
    EXPECT_EQ(WindowText(label), L"");
    EXPECT_EQ(GetWindowTextLengthW(label), 0);
}

}  // namespace
