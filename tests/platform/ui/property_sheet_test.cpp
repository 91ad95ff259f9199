// Property sheets and pages: modal with a watcher at the controls, modeless,
// and as a child window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "dialog_watcher.h"
#include "message_pump.h"
#include "platform/ui/app.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/tab_ctrl.h"
#include "platform/ui/window_class.h"
#include "screenshot.h"
#include "test_resource.h"

namespace {

struct PageLog {
    int setActive = 0;
    int killActive = 0;
    int apply = 0;
    int reset = 0;
};

class PageOne : public CPropertyPage {
public:
    PageOne() : CPropertyPage(IDD_PAGE_ONE) {}
    CString text = "first";
    PageLog log;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_TEXT, text); }
    BOOL OnSetActive() override
    {
        ++log.setActive;
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        ++log.killActive;
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        ++log.apply;
        return CPropertyPage::OnApply();
    }
    void OnReset() override { ++log.reset; }
};

class PageTwo : public CPropertyPage {
public:
    PageTwo() : CPropertyPage(IDD_PAGE_TWO, IDS_PAGE_TWO_TITLE) {}
    int number = 2;
    PageLog log;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PAGE_NUMBER, number);
        DDV_MinMaxInt(pDX, number, 1, 5);
    }
    BOOL OnSetActive() override
    {
        ++log.setActive;
        return CPropertyPage::OnSetActive();
    }
    BOOL OnApply() override
    {
        ++log.apply;
        return CPropertyPage::OnApply();
    }
    void OnReset() override { ++log.reset; }
};

class TestSheet : public CPropertySheet {
public:
    TestSheet() : CPropertySheet("Task Sheet")
    {
        AddPage(&one);
        AddPage(&two);
    }
    PageOne one;
    PageTwo two;
};

std::vector<std::string> TabTexts(HWND sheet)
{
    std::vector<std::string> texts;
    HWND tab = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    const int count = static_cast<int>(::SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        ::SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

HWND CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// Waits on the watcher's thread for a box of this process.
HWND WaitForBox(const std::string& caption, DWORD timeoutMs = 10000)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < deadline) {
        if (HWND box = FindDialogOfProcess(::GetCurrentProcessId(), caption))
            return box;
        ::Sleep(30);
    }
    return nullptr;
}

TEST(PropertySheets, ModalSheetAppliesEveryPageOnOkAfterTheUserWentToTheSecondPage)
{
    CWinApp app("Sheet Test");
    TestSheet sheet;
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    std::vector<std::string> tabs;
    bool applyShown = true;
    DialogWatcher watcher(::GetCurrentProcessId(), "Task Sheet", IDOK, [&](HWND box) {
        tabs = TabTexts(box);
        HWND apply = ::GetDlgItem(box, 0x3021);
        applyShown = apply && ::IsWindowVisible(apply);
        ::SendMessageA(box, PSM_SETCURSEL, 1, 0);
        ::SetDlgItemTextA(CurrentPage(box), IDC_PAGE_NUMBER, "3");
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_TRUE(watcher.Finish());
    EXPECT_EQ(tabs, (std::vector<std::string>{"First Page", "Second Page"}));
    EXPECT_FALSE(applyShown);
    EXPECT_EQ(sheet.two.number, 3);
    EXPECT_STREQ(sheet.one.text, "first");
    EXPECT_EQ(sheet.one.log.apply, 1);
    EXPECT_EQ(sheet.two.log.apply, 1);
    EXPECT_EQ(sheet.one.log.killActive, 1);
    EXPECT_EQ(sheet.one.log.setActive, 1);
    EXPECT_EQ(sheet.two.log.setActive, 1);
    EXPECT_EQ(sheet.one.log.reset, 0);
    EXPECT_EQ(sheet.GetSafeHwnd(), nullptr);
    EXPECT_EQ(sheet.one.GetSafeHwnd(), nullptr);
}

TEST(PropertySheets, CancelResetsTheCreatedPagesAndKeepsTheValues)
{
    CWinApp app("Sheet Test");
    TestSheet sheet;
    DialogWatcher watcher(::GetCurrentProcessId(), "Task Sheet", IDCANCEL, [&](HWND box) {
        ::SetDlgItemTextA(CurrentPage(box), IDC_PAGE_TEXT, "changed");
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(watcher.Finish());
    EXPECT_STREQ(sheet.one.text, "first");
    EXPECT_EQ(sheet.one.log.reset, 1);
    // The second page was never shown, so it has nothing to reset.
    EXPECT_EQ(sheet.two.log.reset, 0);
    EXPECT_EQ(sheet.two.log.apply, 0);
}

TEST(PropertySheets, RefusedValueKeepsTheSheetOpenWithThePromptUntilTheUserFixesIt)
{
    CWinApp app("Sheet Test");
    TestSheet sheet;
    sheet.SetActivePage(1);
    std::vector<std::string> prompt;
    bool openAfterRefusal = false;
    std::thread user([&] {
        HWND box = WaitForBox("Task Sheet");
        if (!box)
            return;
        ::SetDlgItemTextA(CurrentPage(box), IDC_PAGE_NUMBER, "9");
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        if (HWND message = WaitForBox("Sheet Test")) {
            prompt = StaticTexts(message);
            ::PostMessageA(message, WM_COMMAND, IDOK, 0);
        }
        ::Sleep(300);
        openAfterRefusal = ::IsWindow(box) && CurrentPage(box) != nullptr;
        ::SetDlgItemTextA(CurrentPage(box), IDC_PAGE_NUMBER, "4");
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    const INT_PTR result = sheet.DoModal();
    user.join();
    EXPECT_EQ(result, IDOK);
    EXPECT_NE(std::find(prompt.begin(), prompt.end(), "Please enter an integer between 1 and 5."), prompt.end());
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(sheet.two.number, 4);
    EXPECT_EQ(sheet.two.log.apply, 1);
}

TEST(PropertySheets, ModelessSheetEndsItselfWhenOkAppliesThePages)
{
    CWinApp app("Sheet Test");
    TestSheet sheet;
    ASSERT_TRUE(sheet.Create());
    EXPECT_TRUE(sheet.IsWindowVisible());
    EXPECT_EQ(sheet.GetPageCount(), 2);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetActivePage(), &sheet.one);
    EXPECT_TRUE(sheet.SetActivePage(&sheet.two));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_NE(sheet.two.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(sheet.two.IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 2);
    sheet.PressButton(PSBTN_OK);
    EXPECT_EQ(sheet.GetSafeHwnd(), nullptr);
    EXPECT_EQ(sheet.one.log.apply, 1);
    EXPECT_EQ(sheet.two.log.apply, 1);
}

TEST(PropertySheets, ChildSheetSitsInsideItsParentWithoutButtonsOfItsOwn)
{
    CWinApp app("Sheet Test");
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE)), "Host",
                                WS_POPUP | WS_VISIBLE | WS_BORDER, 50, 50, 420, 260, nullptr, nullptr));
    TestSheet sheet;
    ASSERT_TRUE(sheet.Create(&parent, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS));
    EXPECT_TRUE(sheet.GetStyle() & WS_CHILD);
    EXPECT_FALSE(sheet.GetStyle() & WS_CAPTION);
    EXPECT_EQ(sheet.GetParent(), &parent);
    for (int id : {IDOK, IDCANCEL}) {
        HWND button = ::GetDlgItem(sheet.m_hWnd, id);
        EXPECT_TRUE(button == nullptr || !::IsWindowVisible(button)) << id;
    }
    // The sheet fits its tab control, inside the parent.
    RECT sheetRect;
    RECT tabRect;
    sheet.GetWindowRect(&sheetRect);
    sheet.GetTabControl()->GetWindowRect(&tabRect);
    EXPECT_LE(sheetRect.bottom - tabRect.bottom, 12);
    EXPECT_TRUE(sheet.one.IsWindowVisible());
    EXPECT_TRUE(::IsChild(parent.m_hWnd, sheet.one.m_hWnd));
    sheet.SetActivePage(1);
    PumpMessages(200);
    const Image shot = CaptureWindow(parent.m_hWnd);
    EXPECT_FALSE(SaveScreenshot(shot, "child_property_sheet").empty());
    EXPECT_GT(shot.DistinctColors(), 3u);
    // Closing the parent takes the sheet and its pages along.
    HWND sheetWindow = sheet.m_hWnd;
    parent.DestroyWindow();
    EXPECT_FALSE(::IsWindow(sheetWindow));
    EXPECT_EQ(sheet.GetSafeHwnd(), nullptr);
    EXPECT_EQ(sheet.two.GetSafeHwnd(), nullptr);
}

}  // namespace
