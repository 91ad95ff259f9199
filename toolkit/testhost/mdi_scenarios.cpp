// The "mdi" group: the host's MDI frame. It comes up with its own menu and
// title, the document windows its template makes are listed in the Window
// menu with the active one checked, commands reach the active document
// window's view, a maximised document window joins the frame's caption and
// menu bar, and the message bar shows the idle prompt.
#include <windows.h>

#include <string>
#include <vector>

#include "case_check.h"
#include "host_app.h"
#include "host_mdi_child.h"
#include "host_mdi_frame.h"
#include "host_mdi_view.h"
#include "message_pump.h"
#include "platform/ui/doc_template_multi.h"
#include "platform/ui/document.h"
#include "platform/ui/framework_ids.h"
#include "scenario.h"
#include "screenshot.h"
#include "wtkhost_resource.h"

namespace {

std::string WindowText(HWND hWnd)
{
    char text[256] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

std::string MenuText(HMENU menu, UINT item, UINT flags)
{
    char text[128] = "";
    ::GetMenuStringA(menu, item, text, sizeof text, flags);
    return text;
}

bool Checked(HMENU menu, UINT id)
{
    const UINT state = ::GetMenuState(menu, id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

// Two documents of the MDI template, each in its document window, the
// second active; closed again (with their windows) when the case ends, so
// that the next case finds the frame empty.
class TwoDocuments {
public:
    explicit TwoDocuments(ScenarioContext& host) : m_frame(host.mdiFrame)
    {
        if (m_frame && host.mdiTemplate) {
            first = host.mdiTemplate->OpenDocumentFile(nullptr);
            second = host.mdiTemplate->OpenDocumentFile(nullptr);
        }
    }
    ~TwoDocuments()
    {
        // Bounded: a window that refuses to close must not hang the run.
        for (int i = 0; i < 8 && m_frame && m_frame->MDIGetActive(); ++i)
            m_frame->MDIGetActive()->SendMessage(WM_CLOSE);
    }
    TwoDocuments(const TwoDocuments&) = delete;
    TwoDocuments& operator=(const TwoDocuments&) = delete;

    bool Opened() const { return first && second; }
    std::string Title(CDocument* document) const { return static_cast<const char*>(document->GetTitle()); }

    CDocument* first = nullptr;
    CDocument* second = nullptr;

private:
    HostMdiFrame* m_frame;
};

HostMdiView* ViewOf(CMDIChildWnd* child)
{
    return child ? dynamic_cast<HostMdiView*>(child->GetActiveView()) : nullptr;
}

// ---- The frame ------------------------------------------------------------------------

void FrameComesUpWithItsMenu(ScenarioContext& host, CaseCheck& check)
{
    HostMdiFrame* frame = host.mdiFrame;
    if (!check.That(frame && frame->m_hWnd, "no MDI frame"))
        return;
    check.That(host.app->m_pMainWnd == frame, "the MDI frame is not the main window");
    check.That(frame->IsWindowVisible() != FALSE, "the MDI frame is hidden");
    check.That(frame->m_hWndMDIClient && ::GetDlgCtrlID(frame->m_hWndMDIClient) == AFX_IDW_PANE_FIRST,
               "no MDI client as the frame's pane");
    check.That(frame->MDIGetActive() == nullptr, "a document window is open at start-up");
    check.Equal(WindowText(frame->m_hWnd), std::string("WtkHost MDI"), "title");

    HMENU menu = ::GetMenu(frame->m_hWnd);
    if (!check.That(menu != nullptr, "the frame has no menu"))
        return;
    check.That(menu == frame->m_hMenuDefault, "the frame does not show its own menu");
    check.Equal(::GetMenuItemCount(menu), 2, "menu bar items");
    check.Equal(MenuText(menu, 0, MF_BYPOSITION), std::string("&File"), "menu bar item 0");
    check.Equal(MenuText(menu, 1, MF_BYPOSITION), std::string("&Window"), "menu bar item 1");
    HMENU window = frame->GetWindowMenuPopup(menu);
    check.That(window == ::GetSubMenu(menu, 1), "the Window popup is not the one with the window commands");
    check.That(frame->m_hAccelTable != nullptr, "the frame has no accelerators");
}

void WindowMenuListsTheChildren(ScenarioContext& host, CaseCheck& check)
{
    TwoDocuments documents(host);
    if (!check.That(documents.Opened(), "the template made no document windows"))
        return;
    HostMdiFrame* frame = host.mdiFrame;
    CMDIChildWnd* active = frame->MDIGetActive();
    if (!check.That(active != nullptr, "no active document window"))
        return;
    check.That(active->IsKindOf(RUNTIME_CLASS(HostMdiChild)) != FALSE, "the document window is no HostMdiChild");
    check.That(ViewOf(active) != nullptr, "the document window has no HostMdiView");
    check.That(active->GetActiveDocument() == documents.second, "the second document's window is not active");
    // While a document window is active the frame shows the documents' menu.
    HMENU menu = ::GetMenu(frame->m_hWnd);
    check.That(menu == host.mdiTemplate->m_hMenuShared, "the frame does not show the documents' menu");

    HMENU window = frame->GetWindowMenuPopup(menu);
    if (!check.That(window != nullptr, "the documents' menu has no Window popup"))
        return;
    const std::string first = documents.Title(documents.first), second = documents.Title(documents.second);
    check.Equal(MenuText(window, AFX_IDM_FIRST_MDICHILD, MF_BYCOMMAND), "&1 " + first, "first list entry");
    check.Equal(MenuText(window, AFX_IDM_FIRST_MDICHILD + 1, MF_BYCOMMAND), "&2 " + second, "second list entry");
    check.That(!Checked(window, AFX_IDM_FIRST_MDICHILD) && Checked(window, AFX_IDM_FIRST_MDICHILD + 1),
               "the active (second) entry is not the checked one");

    // Choosing the first entry activates its window and moves the check.
    frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
    check.That(frame->GetActiveDocument() == documents.first, "the first entry did not activate its window");
    check.That(Checked(window, AFX_IDM_FIRST_MDICHILD) && !Checked(window, AFX_IDM_FIRST_MDICHILD + 1),
               "the check did not follow the active window");
    check.Equal(WindowText(frame->m_hWnd), first + " - WtkHost MDI", "title");
}

void CommandReachesTheActiveView(ScenarioContext& host, CaseCheck& check)
{
    TwoDocuments documents(host);
    if (!check.That(documents.Opened(), "the template made no document windows"))
        return;
    HostMdiFrame* frame = host.mdiFrame;
    HostMdiView* secondView = ViewOf(frame->MDIGetActive());
    frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
    HostMdiView* firstView = ViewOf(frame->MDIGetActive());
    if (!check.That(firstView && secondView && firstView != secondView, "the document windows have no own views"))
        return;

    // A command sent to the frame goes to the active window's view alone.
    frame->SendMessage(WM_COMMAND, ID_WTKHOST_PING);
    check.Equal(firstView->Pings(), 1, "pings of the active view");
    check.Equal(secondView->Pings(), 0, "pings of the inactive view");

    // The documents' accelerator, typed in the other window once it is active.
    frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD + 1);
    secondView->PostMessage(WM_KEYDOWN, VK_F5, 0x003F0001);
    check.That(PumpUntil([&] { return secondView->Pings() == 1; }, 2000), "F5 did not reach the active view");
    check.Equal(firstView->Pings(), 1, "pings of the view made inactive");
}

void MaximisedChildJoinsTheFrame(ScenarioContext& host, CaseCheck& check)
{
    TwoDocuments documents(host);
    if (!check.That(documents.Opened(), "the template made no document windows"))
        return;
    HostMdiFrame* frame = host.mdiFrame;
    CMDIChildWnd* active = frame->MDIGetActive();
    HMENU menu = host.mdiTemplate->m_hMenuShared;
    const int items = ::GetMenuItemCount(menu);
    const std::string second = documents.Title(documents.second);

    active->MDIMaximize();
    BOOL maximized = FALSE;
    check.That(frame->MDIGetActive(&maximized) == active && maximized, "the frame does not report it maximised");
    check.That(active->IsZoomed() != FALSE, "the document window is not zoomed");
    check.Equal(WindowText(frame->m_hWnd), "WtkHost MDI - [" + second + "]", "title while maximised");
    // The menu bar carries the document window's system menu and buttons.
    check.That(::GetMenuItemCount(menu) > items, "the menu bar did not take the window's buttons");

    // The window activated from the list is maximised in its turn.
    frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
    check.That(frame->MDIGetActive(&maximized) != active && maximized, "the next active window is not maximised");

    frame->MDIGetActive()->MDIRestore();
    check.That(frame->MDIGetActive(&maximized) && !maximized, "the window stays maximised after restoring");
    check.Equal(::GetMenuItemCount(menu), items, "menu bar items after restoring");
    check.Equal(WindowText(frame->m_hWnd), documents.Title(documents.first) + " - WtkHost MDI",
                "title after restoring");
}

void MessageBarShowsTheIdlePrompt(ScenarioContext& host, CaseCheck& check)
{
    HostMdiFrame* frame = host.mdiFrame;
    if (!check.That(frame != nullptr, "no MDI frame"))
        return;
    HostMessageBar& bar = frame->MessageBar();
    check.That(frame->GetMessageBar() == &bar, "the frame does not find its message bar (child 59393)");
    CString idle;
    idle.LoadString(AFX_IDS_IDLEMESSAGE);
    check.Equal(bar.Text(), idle, "message bar after start-up");

    // With document windows open: an entry's prompt while it is selected,
    // the idle prompt once the menu closes.
    TwoDocuments documents(host);
    if (!check.That(documents.Opened(), "the template made no document windows"))
        return;
    HMENU menu = ::GetMenu(frame->m_hWnd);
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_WTKHOST_PING, MF_STRING), reinterpret_cast<LPARAM>(menu));
    check.Equal(bar.Text(), "Answers the host's ping", "message bar on the ping item");
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    check.Equal(bar.Text(), idle, "message bar after the menu closed");

    // The bar lies along the bottom, the MDI client above it.
    CRect client, barRect, mdiRect;
    frame->GetClientRect(&client);
    bar.GetWindowRect(&barRect);
    frame->ScreenToClient(&barRect);
    ::GetWindowRect(frame->m_hWndMDIClient, &mdiRect);
    frame->ScreenToClient(&mdiRect);
    check.That(barRect.bottom == client.bottom && barRect.Width() == client.Width() && barRect.Height() > 0,
               "message bar not along the bottom of the client area");
    check.Equal(mdiRect.bottom, barRect.top, "bottom of the MDI client");
}

// ---- Picture -----------------------------------------------------------------------------

void PictureOfTheMdiFrame(ScenarioContext& host, CaseCheck& check)
{
    TwoDocuments documents(host);
    if (!check.That(documents.Opened(), "the template made no document windows"))
        return;
    HostMdiFrame* frame = host.mdiFrame;
    frame->SendMessage(WM_COMMAND, ID_WINDOW_CASCADE);
    CheckAndSavePicture(check, frame->m_hWnd, "wtkhost_mdi_frame");
}

}  // namespace

std::vector<ScenarioCase> MdiScenarios()
{
    return {
        {"mdi-frame-menu", FrameComesUpWithItsMenu},
        {"window-menu-lists-children", WindowMenuListsTheChildren},
        {"command-reaches-active-view", CommandReachesTheActiveView},
        {"maximised-child", MaximisedChildJoinsTheFrame},
        {"message-bar-idle-prompt", MessageBarShowsTheIdlePrompt},
        {"mdi-frame-picture", PictureOfTheMdiFrame},
    };
}
