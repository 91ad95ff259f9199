// Dialog data exchange and validation, with the user's prompts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_watcher.h"
#include "message_pump.h"
#include "platform/ui/app.h"
#include "platform/ui/check_list_box.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/dialog.h"
#include "screenshot.h"
#include "test_resource.h"

namespace {

class ExchangeDialog : public CDialog {
public:
    ExchangeDialog() : CDialog(IDD_EXCHANGE) {}

    CString name = "Backup";
    int count = 4;
    UINT size = 70000;
    double ratio = 0.25;
    int check = 2;
    int radio = 1;
    CString listText = "gam";
    CString comboText = "orange";
    int dropIndex = 1;
    CString limited = "abc";
    CCheckListBox checkList;
    int checkChanges = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, name);
        DDX_Text(pDX, IDC_COUNT, count);
        DDV_MinMaxInt(pDX, count, 1, 10);
        DDX_Text(pDX, IDC_AMOUNT, size);
        DDX_Text(pDX, IDC_RATIO, ratio);
        DDX_Check(pDX, IDC_CHECK, check);
        DDX_Radio(pDX, IDC_RADIO1, radio);
        DDX_LBString(pDX, IDC_LIST, listText);
        DDX_CBString(pDX, IDC_COMBO, comboText);
        DDX_CBIndex(pDX, IDC_DROPLIST, dropIndex);
        DDX_Text(pDX, IDC_LIMITED, limited);
        DDV_MaxChars(pDX, limited, 5);
        DDX_Control(pDX, IDC_CHECKLIST, checkList);
    }
    BOOL OnInitDialog() override
    {
        for (const char* item : {"alpha", "beta", "gamma"})
            SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        for (const char* item : {"red", "green"})
            SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        for (const char* item : {"small", "large"})
            SendDlgItemMessage(IDC_DROPLIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        return CDialog::OnInitDialog();
    }
    void OnCheckChange() { ++checkChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ExchangeDialog, CDialog)
    ON_CONTROL(CLBN_CHKCHANGE, IDC_CHECKLIST, OnCheckChange)
END_MESSAGE_MAP()

std::string Text(CWnd& dialog, int id)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    return static_cast<const char*>(text);
}

TEST(DataExchange, MembersGoIntoTheControlsAndTheControlsValuesComeBack)
{
    CWinApp app("Exchange Test");
    ExchangeDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_EXCHANGE));
    // Loaded by OnInitDialog.
    EXPECT_EQ(Text(dialog, IDC_NAME), "Backup");
    EXPECT_EQ(Text(dialog, IDC_COUNT), "4");
    EXPECT_EQ(Text(dialog, IDC_AMOUNT), "70000");
    EXPECT_EQ(Text(dialog, IDC_RATIO), "0.25");
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_CHECK), static_cast<UINT>(BST_INDETERMINATE));
    EXPECT_EQ(dialog.GetCheckedRadioButton(IDC_RADIO1, IDC_AFTER_RADIOS), IDC_RADIO2);
    // The first item that starts with the text.
    EXPECT_EQ(dialog.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL), 2);
    // A text that matches no item goes into the combo box's edit.
    EXPECT_EQ(dialog.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(Text(dialog, IDC_COMBO), "orange");
    EXPECT_EQ(dialog.SendDlgItemMessage(IDC_DROPLIST, CB_GETCURSEL), 1);
    EXPECT_EQ(dialog.checkList.GetSafeHwnd(), ::GetDlgItem(dialog.m_hWnd, IDC_CHECKLIST));
    // The edit of the limited text takes no more than the limit.
    EXPECT_EQ(dialog.SendDlgItemMessage(IDC_LIMITED, EM_GETLIMITTEXT), 5);

    // The user changes everything.
    dialog.SetDlgItemText(IDC_NAME, "Nightly");
    dialog.SetDlgItemText(IDC_COUNT, " 7 ");
    dialog.SetDlgItemText(IDC_AMOUNT, "4294967295");
    dialog.SetDlgItemText(IDC_RATIO, "-1.5e2");
    dialog.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
    dialog.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO3);
    dialog.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, 0);
    dialog.SetDlgItemText(IDC_COMBO, "blue");
    dialog.SendDlgItemMessage(IDC_DROPLIST, CB_SETCURSEL, 0);
    dialog.SetDlgItemText(IDC_LIMITED, "12345");
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_STREQ(dialog.name, "Nightly");
    EXPECT_EQ(dialog.count, 7);
    EXPECT_EQ(dialog.size, 4294967295u);
    EXPECT_DOUBLE_EQ(dialog.ratio, -150.0);
    EXPECT_EQ(dialog.check, 0);
    EXPECT_EQ(dialog.radio, 2);
    EXPECT_STREQ(dialog.listText, "alpha");
    EXPECT_STREQ(dialog.comboText, "blue");
    EXPECT_EQ(dialog.dropIndex, 0);
    EXPECT_STREQ(dialog.limited, "12345");

    // No radio checked and no list selection.
    dialog.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, 0);
    dialog.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1));
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.radio, -1);
    EXPECT_STREQ(dialog.listText, "");
    dialog.DestroyWindow();
}

TEST(DataExchange, RefusedValuesAreReportedWithTheStandardPromptAndTheControlGetsTheFocus)
{
    struct Case {
        const char* name;
        int control;
        const char* text;
        const char* prompt;
    };
    const Case cases[] = {
        {"NotANumber", IDC_COUNT, "seven", "Please enter an integer."},
        {"OutOfRange", IDC_COUNT, "12", "Please enter an integer between 1 and 10."},
        {"BelowRange", IDC_COUNT, "0", "Please enter an integer between 1 and 10."},
        {"TooLargeForAnInteger", IDC_COUNT, "99999999999", "Please enter an integer."},
        {"Empty", IDC_COUNT, "", "Please enter an integer."},
        {"NegativeUnsigned", IDC_AMOUNT, "-5", "Please enter a positive integer."},
        {"TooLargeUnsigned", IDC_AMOUNT, "4294967296", "Please enter a positive integer."},
        {"NotAReal", IDC_RATIO, "1.5x", "Please enter a number."},
        {"TooLong", IDC_LIMITED, "abcdef", "Please enter no more than 5 characters."},
    };
    CWinApp app("Exchange Test");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExchangeDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_EXCHANGE));
        dialog.ShowWindow(SW_SHOW);
        dialog.SetForegroundWindow();
        // The limit keeps typed text short; a program may still set a longer one.
        if (c.control == IDC_LIMITED)
            dialog.SendDlgItemMessage(IDC_LIMITED, EM_LIMITTEXT, 100);
        dialog.SetDlgItemText(c.control, c.text);
        std::vector<std::string> texts;
        DialogWatcher watcher(::GetCurrentProcessId(), "Exchange Test", IDOK,
                              [&](HWND box) { texts = StaticTexts(box); });
        EXPECT_FALSE(dialog.UpdateData(TRUE));
        EXPECT_TRUE(watcher.Finish());
        EXPECT_NE(std::find(texts.begin(), texts.end(), c.prompt), texts.end())
            << "shown: " << (texts.empty() ? std::string("nothing") : texts.back());
        EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog.m_hWnd, c.control));
        DWORD start = 1;
        DWORD end = 0;
        dialog.SendDlgItemMessage(c.control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                  reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(lstrlenA(c.text)));
        dialog.DestroyWindow();
    }
}

TEST(DataExchange, CheckListBoxOnTheDialogTogglesItsChecksAndTellsTheParent)
{
    CWinApp app("Exchange Test");
    ExchangeDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_EXCHANGE));
    CCheckListBox& list = dialog.checkList;
    for (const char* item : {"Toolbar", "Status bar", "Locked"})
        list.AddString(item);
    list.SetCheck(0, 1);
    list.Enable(2, FALSE);
    EXPECT_EQ(list.GetCheck(0), 1);
    EXPECT_EQ(list.GetCheck(1), 0);
    EXPECT_EQ(list.GetCount(), 3);

    struct Case {
        const char* name;
        int item;
        bool onBox;
        int expectedCheck;
        int expectedChanges;
    };
    const Case cases[] = {{"ClickOnBoxUnchecks", 0, true, 0, 1},
                          {"ClickOnBoxChecks", 1, true, 1, 1},
                          {"ClickOnTextOnlySelects", 1, false, 1, 0},
                          {"DisabledItemStays", 2, true, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.checkChanges = 0;
        RECT box;
        list.GetCheckRect(c.item, &box);
        const POINT at = {c.onBox ? (box.left + box.right) / 2 : box.right + 20, (box.top + box.bottom) / 2};
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        EXPECT_EQ(list.GetCheck(c.item), c.expectedCheck);
        EXPECT_EQ(dialog.checkChanges, c.expectedChanges);
    }
    // Space on the item with the caret.
    list.SetCurSel(0);
    dialog.checkChanges = 0;
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(list.GetCheck(0), 1);
    EXPECT_EQ(dialog.checkChanges, 1);
    // Removing an item takes its state away with it.
    list.DeleteString(0);
    EXPECT_EQ(list.GetCheck(0), 1);  // "Status bar" moved up, checked above
    EXPECT_FALSE(list.IsEnabled(1));

    dialog.ShowWindow(SW_SHOW);
    PumpMessages(300);
    const Image shot = CaptureWindow(dialog.m_hWnd);
    EXPECT_FALSE(SaveScreenshot(shot, "exchange_dialog").empty());
    EXPECT_GT(shot.DistinctColors(), 3u);
    dialog.DestroyWindow();
}

}  // namespace
