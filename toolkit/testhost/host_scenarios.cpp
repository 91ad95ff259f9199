// The "host" group: the host itself, as later groups rely on it. Its SDI
// frame comes up with its menu and toolbar resource, its accelerators reach
// commands, its message bar shows the idle prompt, its profile lies below
// HKCU\Software\TestCo\WtkHost, the message log records registered messages
// sent and posted to a parent, and the recorded system calls start empty in
// every case.
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "case_check.h"
#include "host_app.h"
#include "host_sdi_frame.h"
#include "message_pump.h"
#include "parent_message_log.h"
#include "platform/com/reg_key.h"
#include "platform/ui/framework_ids.h"
#include "scenario.h"
#include "scenario_runner.h"
#include "screenshot.h"
#include "system_calls_recorder.h"
#include "toolkit/foundation/reg_path.h"
#include "wtkhost_resource.h"

namespace {

std::string Text(const CString& text)
{
    return static_cast<const char*>(text);
}

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

std::string LoadedString(UINT id)
{
    CString text;
    text.LoadString(id);
    return Text(text);
}

bool KeyExists(const wchar_t* path)
{
    tvx::com::RegKey key;
    return key.Open(HKEY_CURRENT_USER, path) == ERROR_SUCCESS;
}

// The popup of menu (at any depth) that holds the command, or null.
HMENU PopupHolding(HMENU menu, UINT command)
{
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (HMENU popup = ::GetSubMenu(menu, i)) {
            if (HMENU found = PopupHolding(popup, command))
                return found;
        } else if (::GetMenuItemID(menu, i) == command) {
            return menu;
        }
    }
    return nullptr;
}

// ---- The SDI frame ----------------------------------------------------------------

void FrameComesUpWithItsMenu(ScenarioContext& host, CaseCheck& check)
{
    HostSdiFrame* frame = host.sdiFrame;
    if (!check.That(frame && frame->m_hWnd, "no SDI frame"))
        return;
    check.That(host.app->m_pMainWnd == frame, "the SDI frame is not the main window");
    check.That(frame->IsWindowVisible() != FALSE, "the SDI frame is hidden");
    // The document's title comes first, as frames put it.
    check.Equal(WindowText(frame->m_hWnd), std::string("Untitled - WtkHost"), "title");

    HMENU menu = ::GetMenu(frame->m_hWnd);
    if (!check.That(menu != nullptr, "the frame has no menu"))
        return;
    const char* const popups[] = {"&File", "&Edit", "&View", "&Host"};
    check.Equal(::GetMenuItemCount(menu), 4, "menu bar items");
    for (UINT i = 0; i < 4; ++i)
        check.Equal(MenuText(menu, i, MF_BYPOSITION), std::string(popups[i]), "menu bar item " + std::to_string(i));
    check.Equal(MenuText(menu, ID_WTKHOST_PING, MF_BYCOMMAND), std::string("&Ping\tF5"), "ping item");
    check.Equal(MenuText(menu, ID_VIEW_STATUS_BAR, MF_BYCOMMAND), std::string("&Status Bar"), "status bar item");
}

void AcceleratorReachesItsCommand(ScenarioContext& host, CaseCheck& check)
{
    HostSdiFrame* frame = host.sdiFrame;
    if (!check.That(frame && frame->m_hAccelTable, "the SDI frame has no accelerators"))
        return;
    const int before = frame->Pings();
    // The key goes through the thread's message pump, as typed keys do.
    frame->PostMessage(WM_KEYDOWN, VK_F5, 0x003F0001);
    check.That(PumpUntil([&] { return frame->Pings() == before + 1; }, 2000), "F5 did not reach the ping command");
    // A key without an accelerator runs no command.
    frame->PostMessage(WM_KEYDOWN, VK_F6, 0x00400001);
    PumpMessages(100);
    check.Equal(frame->Pings(), before + 1, "pings after F6");
}

void MessageBarShowsTheIdlePrompt(ScenarioContext& host, CaseCheck& check)
{
    HostSdiFrame* frame = host.sdiFrame;
    if (!check.That(frame != nullptr, "no SDI frame"))
        return;
    HostMessageBar& bar = frame->MessageBar();
    check.That(frame->GetMessageBar() == &bar, "the frame does not find its message bar (child 59393)");
    const std::string idle = LoadedString(AFX_IDS_IDLEMESSAGE);
    check.Equal(idle, std::string("Ready"), "idle prompt string");
    check.Equal(Text(bar.Text()), idle, "message bar after start-up");

    // A menu item's prompt while it is selected, the idle prompt once the menu closes.
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_WTKHOST_PING, MF_STRING),
                       reinterpret_cast<LPARAM>(::GetMenu(frame->m_hWnd)));
    check.Equal(Text(bar.Text()), std::string("Answers the host's ping"), "message bar on the ping item");
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    check.Equal(Text(bar.Text()), idle, "message bar after the menu closed");

    // The bar takes the bottom of the client area.
    CRect client;
    frame->GetClientRect(&client);
    CRect rect;
    bar.GetWindowRect(&rect);
    frame->ScreenToClient(&rect);
    check.That(rect == CRect(0, client.bottom - 22, client.right, client.bottom),
               "message bar not along the bottom of the client area");
}

// ---- Registry profile ----------------------------------------------------------------

void ProfileLiesBelowTheRegistryKey(ScenarioContext& host, CaseCheck& check)
{
    HostApp& app = *host.app;
    check.Equal(app.m_pszRegistryKey, "TestCo", "registry key");
    check.Equal(app.m_pszProfileName, "WtkHost", "profile name");
    check.Equal(Text(app.GetSectionPath("Check")), std::string("Software\\TestCo\\WtkHost\\Check"), "section path");
    check.Equal(Text(WtkGetRegPath("Check")), std::string("SOFTWARE\\TestCo\\WtkHost\\Check\\"),
                "toolkit registry path");

    // A value written through the profile is found at that path. The case
    // removes afterwards only the keys that it made.
    const bool hadCompanyKey = KeyExists(L"Software\\TestCo");
    const bool hadProfileKey = KeyExists(L"Software\\TestCo\\WtkHost");
    check.That(!KeyExists(L"Software\\TestCo\\WtkHost\\Check"), "the section \"Check\" is there before the case");
    check.That(app.WriteProfileInt("Check", "Value", 1234) != FALSE, "WriteProfileInt failed");
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG read = ::RegGetValueA(HKEY_CURRENT_USER, "Software\\TestCo\\WtkHost\\Check", "Value", RRF_RT_REG_DWORD,
                                     nullptr, &value, &size);
    check.Equal(read, static_cast<LONG>(ERROR_SUCCESS), "reading HKCU\\Software\\TestCo\\WtkHost\\Check");
    check.Equal(value, static_cast<DWORD>(1234), "value read back");
    app.WriteProfileString("Check", nullptr, nullptr);
    if (!hadProfileKey)
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TestCo\\WtkHost");
    if (!hadCompanyKey)
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TestCo");
}

// ---- Message log ---------------------------------------------------------------------------

void MessageLogRecordsRegisteredMessages(ScenarioContext& host, CaseCheck& check)
{
    HostSdiFrame* frame = host.sdiFrame;
    if (!check.That(frame != nullptr, "no SDI frame"))
        return;
    const UINT notify = ::RegisterWindowMessageA("WTKHOST_PROBE_NOTIFY");
    const UINT query = ::RegisterWindowMessageA("WTKHOST_PROBE_QUERY");
    const UINT controlId = 0x8280;
    CWnd control;
    if (!check.That(control.CreateEx(0, "STATIC", "probe", WS_CHILD, CRect(0, 0, 10, 10), frame, controlId) != FALSE,
                    "the probe control could not be made"))
        return;
    const HWND parent = ::GetParent(control.m_hWnd);
    const LPARAM self = reinterpret_cast<LPARAM>(control.m_hWnd);

    ParentMessageLog log;
    check.That(log.Attach(parent), "the log could not be attached");
    // Posted, sent, and a plain message that the log leaves out.
    ::PostMessageA(parent, notify, controlId, self);
    ::PostMessageA(parent, WM_USER + 7, controlId, self);
    check.That(PumpUntil([&] { return log.Count("WTKHOST_PROBE_NOTIFY") == 1; }, 2000),
               "the posted message was not recorded");
    PumpMessages(50);
    ::SendMessageA(parent, query, controlId, self);

    const std::vector<ParentMessageLog::Entry>& entries = log.Entries();
    if (check.Equal(entries.size(), static_cast<size_t>(2), "recorded messages")) {
        check.Equal(entries[0].name, std::string("WTKHOST_PROBE_NOTIFY"), "first message");
        check.Equal(entries[0].message, notify, "first message number");
        check.Equal(entries[1].name, std::string("WTKHOST_PROBE_QUERY"), "second message");
        check.That(entries[0].wParam == controlId && entries[0].lParam == self, "first message's parameters");
        check.That(entries[1].wParam == controlId && entries[1].lParam == self, "second message's parameters");
    }

    // Once detached the log records nothing more.
    log.Detach();
    ::SendMessageA(parent, notify, controlId, self);
    check.Equal(log.Entries().size(), static_cast<size_t>(2), "messages recorded after detaching");
    control.DestroyWindow();
}

// ---- System-call seams ---------------------------------------------------------------

// What the inner cases below saw, for the outer case to read.
struct InnerSeamCounts {
    size_t beepsSeenByFirst = 0;
    size_t callsSeenBySecond = 99;
};
InnerSeamCounts g_inner;

void InnerBeepsTwice(ScenarioContext& host, CaseCheck&)
{
    CurrentSystemCalls().MessageBeep(MB_OK);
    CurrentSystemCalls().MessageBeep(MB_ICONHAND);
    g_inner.beepsSeenByFirst = host.seams->Count("MessageBeep");
}

void InnerReadsTheCounts(ScenarioContext& host, CaseCheck&)
{
    g_inner.callsSeenBySecond = host.seams->log.size();
}

void InnerFails(ScenarioContext&, CaseCheck& check)
{
    check.That(false, "as planned");
    check.Equal(1, 2, "second");
}

void SeamCountsStartEmptyInEveryCase(ScenarioContext& host, CaseCheck& check)
{
    if (!check.That(host.seams != nullptr, "no recorded system calls"))
        return;
    check.That(&CurrentSystemCalls() == host.seams, "the recording table is not the one in use");

    // A run of its own, written into a text instead of the host's output.
    const ScenarioGroup inner = {"inner",
                                 {{"beeps", InnerBeepsTwice}, {"reads", InnerReadsTheCounts}, {"fails", InnerFails}}};
    g_inner = InnerSeamCounts();
    std::ostringstream out;
    ScenarioRunner runner(host, out);
    const ScenarioTotals totals = runner.Run({&inner});
    check.Equal(g_inner.beepsSeenByFirst, static_cast<size_t>(2), "beeps counted in the case that made them");
    check.Equal(g_inner.callsSeenBySecond, static_cast<size_t>(0), "calls counted in the next case");
    check.Equal(totals.passed, 2, "inner cases passed");
    check.Equal(totals.failed, 1, "inner cases failed");
    check.Equal(out.str(),
                std::string("inner.beeps: PASS\n"
                            "inner.reads: PASS\n"
                            "inner.fails: FAIL as planned; second: got 1, expected 2\n"
                            "2 passed, 1 failed\n"),
                "inner run's lines");
}

// ---- Toolbar resource ----------------------------------------------------------------

void ToolbarResourceMatchesItsImagesAndMenu(ScenarioContext& host, CaseCheck& check)
{
    HINSTANCE instance = host.app->m_hInstance;
    HRSRC found =
        ::FindResourceA(instance, MAKEINTRESOURCEA(IDR_WTKHOST_TOOLBAR), MAKEINTRESOURCEA(WTKHOST_RT_TOOLBAR));
    if (!check.That(found != nullptr, "no toolbar resource"))
        return;
    // Version, button width, button height, item count, then one command id
    // per item (0 for a separator); all 16-bit.
    const WORD* words = static_cast<const WORD*>(::LockResource(::LoadResource(instance, found)));
    const DWORD bytes = ::SizeofResource(instance, found);
    if (!check.That(words && bytes >= 8 && bytes >= 8u + 2u * words[3], "toolbar resource too short"))
        return;
    check.Equal(words[0], static_cast<WORD>(1), "toolbar resource version");
    check.Equal(words[1], static_cast<WORD>(16), "button width");
    check.Equal(words[2], static_cast<WORD>(15), "button height");

    HMENU menu = host.sdiFrame ? ::GetMenu(host.sdiFrame->m_hWnd) : nullptr;
    int buttons = 0;
    for (WORD i = 0; i < words[3]; ++i) {
        const UINT command = words[4 + i];
        if (command == 0)
            continue;
        ++buttons;
        check.That(PopupHolding(menu, command) != nullptr, "button " + std::to_string(command) + " not in the menu");
        check.That(!LoadedString(command).empty(), "button " + std::to_string(command) + " has no prompt");
    }

    // One 16 x 15 image per button, side by side.
    HBITMAP images = static_cast<HBITMAP>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(IDR_WTKHOST_TOOLBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!check.That(images != nullptr, "no toolbar bitmap"))
        return;
    BITMAP info = {};
    ::GetObjectA(images, sizeof info, &info);
    ::DeleteObject(images);
    check.Equal(info.bmWidth, buttons * 16, "toolbar bitmap width");
    check.Equal(info.bmHeight, 15L, "toolbar bitmap height");
}

// ---- Picture -----------------------------------------------------------------------------

void PictureOfTheSdiFrame(ScenarioContext& host, CaseCheck& check)
{
    HostSdiFrame* frame = host.sdiFrame;
    if (!check.That(frame != nullptr, "no SDI frame"))
        return;
    CheckAndSavePicture(check, frame->m_hWnd, "wtkhost_sdi_frame");
}

}  // namespace

std::vector<ScenarioCase> HostScenarios()
{
    return {
        {"sdi-frame-menu", FrameComesUpWithItsMenu},
        {"accelerator-reaches-command", AcceleratorReachesItsCommand},
        {"message-bar-idle-prompt", MessageBarShowsTheIdlePrompt},
        {"registry-profile-path", ProfileLiesBelowTheRegistryKey},
        {"message-log-registered-messages", MessageLogRecordsRegisteredMessages},
        {"seam-counts-reset-per-case", SeamCountsStartEmptyInEveryCase},
        {"toolbar-resource", ToolbarResourceMatchesItsImagesAndMenu},
        {"sdi-frame-picture", PictureOfTheSdiFrame},
    };
}
