// The window layer's sample: a main window with a message map, a menu whose
// states its update handlers give, a dialog with data exchange and a
// property sheet. The tests drive it from another process; it shows what
// the layer's classes look like in use.
//
//     ui_sample.exe [/dialog] [/sheet]
#include <windows.h>

#include <cstdio>
#include <memory>

#include "platform/ui/app.h"
#include "platform/ui/brush.h"
#include "platform/ui/cmd_ui.h"
#include "platform/ui/command_line_info.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/dc.h"
#include "platform/ui/dialog.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/spin_button_ctrl.h"
#include "platform/ui/window_class.h"
#include "platform/ui/wnd.h"
#include "sample_resource.h"

namespace {

// Opens what the command line asks for once the main window is up.
class SampleCommandLine : public CCommandLineInfo {
public:
    BOOL dialog = FALSE;
    BOOL sheet = FALSE;
    void ParseParam(const char* param, BOOL flag, BOOL last) override
    {
        if (flag && lstrcmpiA(param, "dialog") == 0)
            dialog = TRUE;
        else if (flag && lstrcmpiA(param, "sheet") == 0)
            sheet = TRUE;
        else
            CCommandLineInfo::ParseParam(param, flag, last);
    }
};

class SampleDialog : public CDialog {
public:
    SampleDialog() : CDialog(IDD_SAMPLE_DIALOG) {}
    CString name = "Backup";
    int count = 3;
    int enabled = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_SAMPLE_NAME, name);
        DDV_MaxChars(pDX, name, 40);
        DDX_Text(pDX, IDC_SAMPLE_COUNT, count);
        DDV_MinMaxInt(pDX, count, 1, 10);
        DDX_Check(pDX, IDC_SAMPLE_ENABLED, enabled);
    }
    BOOL OnInitDialog() override
    {
        CSpinButtonCtrl spin;
        if (spin.SubclassDlgItem(IDC_SAMPLE_COUNT_SPIN, this)) {
            spin.SetRange(1, 10);
            spin.UnsubclassWindow();
        }
        return CDialog::OnInitDialog();
    }
};

class GeneralPage : public CPropertyPage {
public:
    GeneralPage() : CPropertyPage(IDD_SAMPLE_GENERAL) {}
    CString description = "Nightly copy";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_SAMPLE_DESCRIPTION, description); }
};

class SchedulePage : public CPropertyPage {
public:
    SchedulePage() : CPropertyPage(IDD_SAMPLE_SCHEDULE) {}
    int frequency = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_CBIndex(pDX, IDC_SAMPLE_FREQUENCY, frequency); }
    BOOL OnInitDialog() override
    {
        for (const char* text : {"One Time", "Daily", "Weekly", "Monthly"})
            SendDlgItemMessage(IDC_SAMPLE_FREQUENCY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        return CPropertyPage::OnInitDialog();
    }
};

const char* const kFrequencies[] = {"One Time", "Daily", "Weekly", "Monthly"};

class SampleWindow : public CWnd {
public:
    BOOL Make()
    {
        if (!m_menu.LoadMenu(IDR_SAMPLE_MENU))
            return FALSE;
        const char* windowClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                                                      ::GetSysColorBrush(COLOR_WINDOW));
        return CreateEx(0, windowClass, AfxGetAppName(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 60, 60, 480, 300,
                        nullptr, m_menu.m_hMenu);
    }

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        CRect band(10, 10, client.right / 2, client.bottom);
        band.bottom -= 10;
        CBrush brush(m_toggled ? RGB(40, 90, 160) : RGB(160, 90, 40));
        dc.FillRect(&band, &brush);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(255, 255, 255));
        dc.DrawText("Tarvex window layer", band, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    void OnDestroy()
    {
        ::PostQuitMessage(0);
        CWnd::OnDestroy();
    }
    void OnDialog()
    {
        SampleDialog dialog;
        dialog.name = m_name;
        dialog.count = m_count;
        if (dialog.DoModal() == IDOK) {
            m_name = dialog.name;
            m_count = dialog.count;
            ShowState();
        }
    }
    void OnSheet()
    {
        CPropertySheet sheet("Sample Sheet", this);
        sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
        GeneralPage general;
        SchedulePage schedule;
        schedule.frequency = m_frequency;
        sheet.AddPage(&general);
        sheet.AddPage(&schedule);
        if (sheet.DoModal() == IDOK) {
            m_frequency = schedule.frequency;
            ShowState();
        }
    }
    void OnToggle()
    {
        m_toggled = !m_toggled;
        Invalidate();
    }
    void OnUpdateToggle(CCmdUI* ui) { ui->SetCheck(m_toggled); }
    void OnExit() { DestroyWindow(); }
    // The menu shows the states of the commands at idle time, as a frame's
    // menu bar does, and again before a popup opens.
    LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        for (int i = 0; i < m_menu.GetMenuItemCount(); ++i)
            UpdateMenuCommandUI(m_menu.GetSubMenu(i), this, TRUE);
        return 0;
    }
    void OnInitMenuPopup(CMenu* popup, UINT, BOOL systemMenu)
    {
        if (!systemMenu)
            UpdateMenuCommandUI(popup, this, TRUE);
    }
    void ShowState()
    {
        char title[200];
        std::snprintf(title, sizeof(title), "%s - %s x%d / %s", AfxGetAppName(), static_cast<const char*>(m_name),
                      m_count, kFrequencies[m_frequency >= 0 && m_frequency < 4 ? m_frequency : 0]);
        SetWindowText(title);
    }

    DECLARE_MESSAGE_MAP()

private:
    CMenu m_menu;
    BOOL m_toggled = TRUE;
    CString m_name = "Backup";
    int m_count = 3;
    int m_frequency = 1;
};

BEGIN_MESSAGE_MAP(SampleWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_INITMENUPOPUP()
    ON_COMMAND(ID_SAMPLE_DIALOG, OnDialog)
    ON_COMMAND(ID_SAMPLE_SHEET, OnSheet)
    ON_COMMAND(ID_SAMPLE_TOGGLE, OnToggle)
    ON_UPDATE_COMMAND_UI(ID_SAMPLE_TOGGLE, OnUpdateToggle)
    ON_COMMAND(ID_APP_EXIT, OnExit)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

class SampleApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        SampleCommandLine line;
        ParseCommandLine(line);
        SampleWindow* window = new SampleWindow;
        m_window.reset(window);
        if (!window->Make())
            return FALSE;
        m_pMainWnd = window;
        window->ShowWindow(m_nCmdShow);
        window->UpdateWindow();
        if (line.dialog)
            window->PostMessage(WM_COMMAND, ID_SAMPLE_DIALOG);
        if (line.sheet)
            window->PostMessage(WM_COMMAND, ID_SAMPLE_SHEET);
        return TRUE;
    }
    int ExitInstance() override
    {
        m_pMainWnd = nullptr;
        m_window.reset();
        return CWinApp::ExitInstance();
    }

private:
    std::unique_ptr<SampleWindow> m_window;
};

SampleApp theApp;

}  // namespace
