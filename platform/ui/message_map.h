// Message maps: the table in which a class names the handlers of its window
// messages, commands and notifications. A class declares its map in its body
// and defines it in its .cpp file; the table of a class chains to the table
// of its base, and a search walks from the class down to CCmdTarget:
//
//     class CMyDialog : public CDialog {
//         ...
//     protected:
//         void OnSize(UINT type, int cx, int cy);
//         void OnApply();
//         DECLARE_MESSAGE_MAP()
//     };
//
//     BEGIN_MESSAGE_MAP(CMyDialog, CDialog)
//         ON_WM_SIZE()
//         ON_COMMAND(IDC_APPLY, OnApply)
//     END_MESSAGE_MAP()
//
// Each entry carries a small function that unpacks the message for the
// handler's own signature, so a handler of the wrong signature does not
// compile. Handlers of the ON_WM_ entries have the names and signatures that
// CWnd declares (OnSize, OnLButtonDown...); points are CPoints in client or
// screen coordinates as the message has them, device contexts CDC objects
// from CDC::FromHandle (temporary: do not keep them past the message).
#pragma once

#include <windows.h>

#include "platform/ui/dc.h"
#include "platform/ui/framework_ids.h"
#include "platform/ui/geometry.h"

class CCmdTarget;
class CCmdUI;
class CListBox;
class CMenu;
class CScrollBar;
class CWnd;

// Command codes of OnCmdMsg besides the controls' own notification codes.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (-1)
// OnCmdMsg's code for a WM_NOTIFY notification: MAKELONG(code, WM_NOTIFY).
#define CN_NOTIFY_CODE(tvxCode) static_cast<int>(MAKELONG(static_cast<WORD>(tvxCode), WM_NOTIFY))

// What OnCmdMsg hands to a notification handler as pExtra.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

struct MessageMapEntry;

// Filled by OnCmdMsg instead of calling the handler when the caller only
// asks whether one exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const MessageMapEntry* pEntry;
};

// One message as a handler sees it.
struct MessageCall {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT id;          // command or control id of commands and notifications
    void* extra;      // CCmdUI* of updates, AFX_NOTIFY* of notifications
    LRESULT* result;  // the answer to the message
};

// Calls the entry's handler. FALSE when the handler declined the message
// (the _EX handlers, reflected colour handlers without a brush).
using MessageThunk = BOOL (*)(CCmdTarget* target, MessageCall& call);

enum class MessageEntryKind : unsigned char {
    End,
    Message,            // message in [first, last]
    RegisteredMessage,  // the message held by *registered
    Command,            // WM_COMMAND with code, id in [first, last]
    UpdateCommandUI,    // command-UI update of an id in [first, last]
    Notify,             // WM_NOTIFY with code, id in [first, last]
    ReflectedCommand,   // WM_COMMAND of this control with code, at its parent
    ReflectedNotify,    // WM_NOTIFY of this control with code, at its parent
};

struct MessageMapEntry {
    MessageEntryKind kind;
    UINT code;  // notification code; for Message entries unused
    UINT first;
    UINT last;
    const UINT* registered;
    MessageThunk thunk;
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;
};

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const MessageMap* GetThisMessageMap(); \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                              \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }      \
    const MessageMap* theClass::GetThisMessageMap()                                         \
    {                                                                                       \
        using ThisClass = theClass;                                                         \
        using TheBaseClass = baseClass;                                                     \
        static const MessageMapEntry tvxEntries[] = {

#define END_MESSAGE_MAP()                                                                   \
            {MessageEntryKind::End, 0, 0, 0, nullptr, nullptr}};                            \
        static const MessageMap tvxMap = {&TheBaseClass::GetThisMessageMap, tvxEntries};    \
        return &tvxMap;                                                                     \
    }

// The building blocks of the entries. `self` is the target as the map's
// class, `call` the message; the body leaves the answer in *call.result.
#define TVX_HANDLER(...) \
    [](CCmdTarget* tvxTarget, MessageCall& call) -> BOOL { \
        ThisClass* self = static_cast<ThisClass*>(tvxTarget); \
        (void)self; (void)call; \
        __VA_ARGS__ \
    }
#define TVX_MESSAGE_RANGE(tvxFirst, tvxLast, ...) \
    {MessageEntryKind::Message, 0, static_cast<UINT>(tvxFirst), static_cast<UINT>(tvxLast), nullptr, TVX_HANDLER(__VA_ARGS__)},
#define TVX_MESSAGE(tvxMsg, ...) TVX_MESSAGE_RANGE(tvxMsg, tvxMsg, __VA_ARGS__)

// Parts of a message: signed coordinates packed into one parameter.
#define TVX_X_LPARAM(lp) static_cast<int>(static_cast<short>(LOWORD(lp)))
#define TVX_Y_LPARAM(lp) static_cast<int>(static_cast<short>(HIWORD(lp)))
#define TVX_POINT (CPoint(TVX_X_LPARAM(call.lParam), TVX_Y_LPARAM(call.lParam)))
#define TVX_DC(handle) CDC::FromHandle(reinterpret_cast<HDC>(handle))
#define TVX_WND(handle) CWnd::FromHandle(reinterpret_cast<HWND>(handle))

// ---------------------------------------------------------------------------
// Window messages
// ---------------------------------------------------------------------------
#define ON_WM_CREATE() TVX_MESSAGE(WM_CREATE, \
    *call.result = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam)); return TRUE;)
#define ON_WM_NCCREATE() TVX_MESSAGE(WM_NCCREATE, \
    *call.result = self->OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam)); return TRUE;)
#define ON_WM_DESTROY() TVX_MESSAGE(WM_DESTROY, self->OnDestroy(); *call.result = 0; return TRUE;)
#define ON_WM_NCDESTROY() TVX_MESSAGE(WM_NCDESTROY, self->OnNcDestroy(); *call.result = 0; return TRUE;)
#define ON_WM_CLOSE() TVX_MESSAGE(WM_CLOSE, self->OnClose(); *call.result = 0; return TRUE;)
#define ON_WM_PAINT() TVX_MESSAGE(WM_PAINT, self->OnPaint(); *call.result = 0; return TRUE;)
#define ON_WM_NCPAINT() TVX_MESSAGE(WM_NCPAINT, self->OnNcPaint(); *call.result = 0; return TRUE;)
#define ON_WM_ERASEBKGND() TVX_MESSAGE(WM_ERASEBKGND, \
    *call.result = self->OnEraseBkgnd(TVX_DC(call.wParam)); return TRUE;)
#define ON_WM_SIZE() TVX_MESSAGE(WM_SIZE, \
    self->OnSize(static_cast<UINT>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); \
    *call.result = 0; return TRUE;)
#define ON_WM_SIZING() TVX_MESSAGE(WM_SIZING, \
    self->OnSizing(static_cast<UINT>(call.wParam), reinterpret_cast<LPRECT>(call.lParam)); \
    *call.result = TRUE; return TRUE;)
#define ON_WM_MOVE() TVX_MESSAGE(WM_MOVE, \
    self->OnMove(TVX_X_LPARAM(call.lParam), TVX_Y_LPARAM(call.lParam)); *call.result = 0; return TRUE;)
#define ON_WM_EXITSIZEMOVE() TVX_MESSAGE(WM_EXITSIZEMOVE, self->OnExitSizeMove(); *call.result = 0; return TRUE;)
#define ON_WM_WINDOWPOSCHANGING() TVX_MESSAGE(WM_WINDOWPOSCHANGING, \
    self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(call.lParam)); *call.result = 0; return TRUE;)
#define ON_WM_WINDOWPOSCHANGED() TVX_MESSAGE(WM_WINDOWPOSCHANGED, \
    self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(call.lParam)); *call.result = 0; return TRUE;)
#define ON_WM_STYLECHANGED() TVX_MESSAGE(WM_STYLECHANGED, \
    self->OnStyleChanged(static_cast<int>(call.wParam), reinterpret_cast<LPSTYLESTRUCT>(call.lParam)); \
    *call.result = 0; return TRUE;)

#define TVX_MOUSE_MESSAGE(tvxMsg, tvxHandler) TVX_MESSAGE(tvxMsg, \
    self->tvxHandler(static_cast<UINT>(call.wParam), TVX_POINT); *call.result = 0; return TRUE;)
#define ON_WM_MOUSEMOVE() TVX_MOUSE_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() TVX_MOUSE_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() TVX_MOUSE_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() TVX_MOUSE_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() TVX_MOUSE_MESSAGE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() TVX_MOUSE_MESSAGE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() TVX_MOUSE_MESSAGE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() TVX_MOUSE_MESSAGE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() TVX_MOUSE_MESSAGE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() TVX_MOUSE_MESSAGE(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_NCMOUSEMOVE() TVX_MOUSE_MESSAGE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() TVX_MOUSE_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() TVX_MOUSE_MESSAGE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() TVX_MOUSE_MESSAGE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() TVX_MOUSE_MESSAGE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() TVX_MOUSE_MESSAGE(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCMBUTTONDOWN() TVX_MOUSE_MESSAGE(WM_NCMBUTTONDOWN, OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP() TVX_MOUSE_MESSAGE(WM_NCMBUTTONUP, OnNcMButtonUp)
#define ON_WM_MOUSEWHEEL() TVX_MESSAGE(WM_MOUSEWHEEL, \
    *call.result = self->OnMouseWheel(GET_KEYSTATE_WPARAM(call.wParam), GET_WHEEL_DELTA_WPARAM(call.wParam), \
                                      TVX_POINT); return TRUE;)
#define ON_WM_MOUSELEAVE() TVX_MESSAGE(WM_MOUSELEAVE, self->OnMouseLeave(); *call.result = 0; return TRUE;)
#define ON_WM_MOUSEACTIVATE() TVX_MESSAGE(WM_MOUSEACTIVATE, \
    *call.result = self->OnMouseActivate(TVX_WND(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); \
    return TRUE;)
#define ON_WM_NCHITTEST() TVX_MESSAGE(WM_NCHITTEST, *call.result = self->OnNcHitTest(TVX_POINT); return TRUE;)
#define ON_WM_NCCALCSIZE() TVX_MESSAGE(WM_NCCALCSIZE, \
    self->OnNcCalcSize(static_cast<BOOL>(call.wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(call.lParam)); \
    *call.result = 0; return TRUE;)
#define ON_WM_NCACTIVATE() TVX_MESSAGE(WM_NCACTIVATE, \
    *call.result = self->OnNcActivate(static_cast<BOOL>(call.wParam)); return TRUE;)
#define ON_WM_SETCURSOR() TVX_MESSAGE(WM_SETCURSOR, \
    *call.result = self->OnSetCursor(TVX_WND(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); \
    return TRUE;)
#define ON_WM_CAPTURECHANGED() TVX_MESSAGE(WM_CAPTURECHANGED, \
    self->OnCaptureChanged(TVX_WND(call.lParam)); *call.result = 0; return TRUE;)
#define ON_WM_CANCELMODE() TVX_MESSAGE(WM_CANCELMODE, self->OnCancelMode(); *call.result = 0; return TRUE;)

#define TVX_KEY_MESSAGE(tvxMsg, tvxHandler) TVX_MESSAGE(tvxMsg, \
    self->tvxHandler(static_cast<UINT>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); \
    *call.result = 0; return TRUE;)
#define ON_WM_KEYDOWN() TVX_KEY_MESSAGE(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() TVX_KEY_MESSAGE(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() TVX_KEY_MESSAGE(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() TVX_KEY_MESSAGE(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_CHAR() TVX_KEY_MESSAGE(WM_CHAR, OnChar)
#define ON_WM_GETDLGCODE() TVX_MESSAGE(WM_GETDLGCODE, *call.result = self->OnGetDlgCode(); return TRUE;)

#define ON_WM_SETFOCUS() TVX_MESSAGE(WM_SETFOCUS, \
    self->OnSetFocus(TVX_WND(call.wParam)); *call.result = 0; return TRUE;)
#define ON_WM_KILLFOCUS() TVX_MESSAGE(WM_KILLFOCUS, \
    self->OnKillFocus(TVX_WND(call.wParam)); *call.result = 0; return TRUE;)
#define ON_WM_ACTIVATE() TVX_MESSAGE(WM_ACTIVATE, \
    self->OnActivate(LOWORD(call.wParam), TVX_WND(call.lParam), HIWORD(call.wParam)); \
    *call.result = 0; return TRUE;)
#define ON_WM_ACTIVATEAPP() TVX_MESSAGE(WM_ACTIVATEAPP, \
    self->OnActivateApp(static_cast<BOOL>(call.wParam), static_cast<DWORD>(call.lParam)); \
    *call.result = 0; return TRUE;)
#define ON_WM_ENABLE() TVX_MESSAGE(WM_ENABLE, \
    self->OnEnable(static_cast<BOOL>(call.wParam)); *call.result = 0; return TRUE;)

#define ON_WM_TIMER() TVX_MESSAGE(WM_TIMER, \
    self->OnTimer(static_cast<UINT_PTR>(call.wParam)); *call.result = 0; return TRUE;)
#define ON_WM_SYSCOLORCHANGE() TVX_MESSAGE(WM_SYSCOLORCHANGE, self->OnSysColorChange(); *call.result = 0; return TRUE;)
#define ON_WM_SETTINGCHANGE() TVX_MESSAGE(WM_SETTINGCHANGE, \
    self->OnSettingChange(static_cast<UINT>(call.wParam), reinterpret_cast<LPCSTR>(call.lParam)); \
    *call.result = 0; return TRUE;)
#define ON_WM_CONTEXTMENU() TVX_MESSAGE(WM_CONTEXTMENU, \
    self->OnContextMenu(TVX_WND(call.wParam), TVX_POINT); *call.result = 0; return TRUE;)
#define ON_WM_SYSCOMMAND() TVX_MESSAGE(WM_SYSCOMMAND, \
    self->OnSysCommand(static_cast<UINT>(call.wParam), call.lParam); *call.result = 0; return TRUE;)
#define ON_WM_INITMENUPOPUP() TVX_MESSAGE(WM_INITMENUPOPUP, \
    self->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(call.wParam)), LOWORD(call.lParam), \
                          HIWORD(call.lParam)); *call.result = 0; return TRUE;)
#define ON_WM_MENUCHAR() TVX_MESSAGE(WM_MENUCHAR, \
    *call.result = self->OnMenuChar(LOWORD(call.wParam), HIWORD(call.wParam), \
                                    CMenu::FromHandle(reinterpret_cast<HMENU>(call.lParam))); return TRUE;)
#define ON_WM_HELPINFO() TVX_MESSAGE(WM_HELPINFO, \
    *call.result = self->OnHelpInfo(reinterpret_cast<HELPINFO*>(call.lParam)); return TRUE;)
#define ON_WM_QUERYDRAGICON() TVX_MESSAGE(WM_QUERYDRAGICON, \
    *call.result = reinterpret_cast<LRESULT>(self->OnQueryDragIcon()); return TRUE;)
#define ON_WM_QUERYNEWPALETTE() TVX_MESSAGE(WM_QUERYNEWPALETTE, *call.result = self->OnQueryNewPalette(); return TRUE;)
#define ON_WM_PALETTECHANGED() TVX_MESSAGE(WM_PALETTECHANGED, \
    self->OnPaletteChanged(TVX_WND(call.wParam)); *call.result = 0; return TRUE;)
#define ON_WM_QUERYENDSESSION() TVX_MESSAGE(WM_QUERYENDSESSION, *call.result = self->OnQueryEndSession(); return TRUE;)
#define ON_WM_ENDSESSION() TVX_MESSAGE(WM_ENDSESSION, \
    self->OnEndSession(static_cast<BOOL>(call.wParam)); *call.result = 0; return TRUE;)
#define ON_WM_PARENTNOTIFY() TVX_MESSAGE(WM_PARENTNOTIFY, \
    self->OnParentNotify(LOWORD(call.wParam), call.lParam); *call.result = 0; return TRUE;)

#define TVX_SCROLL_MESSAGE(tvxMsg, tvxHandler) TVX_MESSAGE(tvxMsg, \
    self->tvxHandler(LOWORD(call.wParam), HIWORD(call.wParam), \
                  reinterpret_cast<CScrollBar*>(TVX_WND(call.lParam))); *call.result = 0; return TRUE;)
#define ON_WM_HSCROLL() TVX_SCROLL_MESSAGE(WM_HSCROLL, OnHScroll)
#define ON_WM_VSCROLL() TVX_SCROLL_MESSAGE(WM_VSCROLL, OnVScroll)

#define ON_WM_CTLCOLOR() TVX_MESSAGE_RANGE(WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, \
    *call.result = reinterpret_cast<LRESULT>(self->OnCtlColor( \
        TVX_DC(call.wParam), TVX_WND(call.lParam), call.message - WM_CTLCOLORMSGBOX)); \
    return TRUE;)
#define ON_WM_DRAWITEM() TVX_MESSAGE(WM_DRAWITEM, \
    self->OnDrawItem(static_cast<int>(call.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); \
    *call.result = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM() TVX_MESSAGE(WM_MEASUREITEM, \
    self->OnMeasureItem(static_cast<int>(call.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); \
    *call.result = TRUE; return TRUE;)
#define ON_WM_COMPAREITEM() TVX_MESSAGE(WM_COMPAREITEM, \
    *call.result = self->OnCompareItem(static_cast<int>(call.wParam), \
                                       reinterpret_cast<LPCOMPAREITEMSTRUCT>(call.lParam)); return TRUE;)
#define ON_WM_DELETEITEM() TVX_MESSAGE(WM_DELETEITEM, \
    self->OnDeleteItem(static_cast<int>(call.wParam), reinterpret_cast<LPDELETEITEMSTRUCT>(call.lParam)); \
    *call.result = TRUE; return TRUE;)
#define ON_WM_CHARTOITEM() TVX_MESSAGE(WM_CHARTOITEM, \
    *call.result = self->OnCharToItem(LOWORD(call.wParam), \
        reinterpret_cast<CListBox*>(TVX_WND(call.lParam)), HIWORD(call.wParam)); return TRUE;)
#define ON_WM_VKEYTOITEM() TVX_MESSAGE(WM_VKEYTOITEM, \
    *call.result = self->OnVKeyToItem(LOWORD(call.wParam), \
        reinterpret_cast<CListBox*>(TVX_WND(call.lParam)), HIWORD(call.wParam)); return TRUE;)

// ---------------------------------------------------------------------------
// Messages a control receives back from its parent (reflection). The parent
// offers them to the control first; a handled one does not reach the
// parent's own handlers.
// ---------------------------------------------------------------------------
#define ON_WM_CTLCOLOR_REFLECT() \
    TVX_MESSAGE_RANGE(WM_REFLECT_BASE + WM_CTLCOLORMSGBOX, WM_REFLECT_BASE + WM_CTLCOLORSTATIC, \
        HBRUSH brush = self->CtlColor(TVX_DC(call.wParam), \
                                      call.message - (WM_REFLECT_BASE + WM_CTLCOLORMSGBOX)); \
        *call.result = reinterpret_cast<LRESULT>(brush); return brush != nullptr;)
#define ON_WM_DRAWITEM_REFLECT() TVX_MESSAGE(WM_REFLECT_BASE + WM_DRAWITEM, \
    self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); *call.result = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT() TVX_MESSAGE(WM_REFLECT_BASE + WM_MEASUREITEM, \
    self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); *call.result = TRUE; return TRUE;)
#define ON_WM_COMPAREITEM_REFLECT() TVX_MESSAGE(WM_REFLECT_BASE + WM_COMPAREITEM, \
    *call.result = self->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(call.lParam)); return TRUE;)
#define ON_WM_DELETEITEM_REFLECT() TVX_MESSAGE(WM_REFLECT_BASE + WM_DELETEITEM, \
    self->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(call.lParam)); *call.result = TRUE; return TRUE;)
#define ON_WM_CHARTOITEM_REFLECT() TVX_MESSAGE(WM_REFLECT_BASE + WM_CHARTOITEM, \
    *call.result = self->CharToItem(LOWORD(call.wParam), HIWORD(call.wParam)); return TRUE;)
#define ON_WM_VKEYTOITEM_REFLECT() TVX_MESSAGE(WM_REFLECT_BASE + WM_VKEYTOITEM, \
    *call.result = self->VKeyToItem(LOWORD(call.wParam), HIWORD(call.wParam)); return TRUE;)
#define ON_WM_HSCROLL_REFLECT() TVX_MESSAGE(WM_REFLECT_BASE + WM_HSCROLL, \
    self->HScroll(LOWORD(call.wParam), HIWORD(call.wParam)); *call.result = 0; return TRUE;)
#define ON_WM_VSCROLL_REFLECT() TVX_MESSAGE(WM_REFLECT_BASE + WM_VSCROLL, \
    self->VScroll(LOWORD(call.wParam), HIWORD(call.wParam)); *call.result = 0; return TRUE;)
#define ON_WM_PARENTNOTIFY_REFLECT() TVX_MESSAGE(WM_REFLECT_BASE + WM_PARENTNOTIFY, \
    self->ParentNotify(LOWORD(call.wParam), call.lParam); *call.result = 0; return TRUE;)

// ---------------------------------------------------------------------------
// Any message: LRESULT handler(WPARAM, LPARAM)
// ---------------------------------------------------------------------------
#define ON_MESSAGE(tvxMessage, tvxMember) TVX_MESSAGE(tvxMessage, \
    *call.result = self->tvxMember(call.wParam, call.lParam); return TRUE;)
// The message registered under a name: `variable` holds its number.
#define ON_REGISTERED_MESSAGE(tvxVariable, tvxMember) \
    {MessageEntryKind::RegisteredMessage, 0, 0, 0, &(tvxVariable), TVX_HANDLER( \
        *call.result = self->tvxMember(call.wParam, call.lParam); return TRUE;)},

// ---------------------------------------------------------------------------
// Commands and control notifications (WM_COMMAND)
// ---------------------------------------------------------------------------
#define TVX_COMMAND_ENTRY(tvxCode, tvxFirst, tvxLast, ...) \
    {MessageEntryKind::Command, static_cast<UINT>(tvxCode), static_cast<UINT>(tvxFirst), static_cast<UINT>(tvxLast), \
     nullptr, TVX_HANDLER(__VA_ARGS__)},
// void handler()
#define ON_COMMAND(tvxId, tvxMember) TVX_COMMAND_ENTRY(CN_COMMAND, tvxId, tvxId, self->tvxMember(); return TRUE;)
// BOOL handler(UINT id): FALSE lets the command go on to the next target.
#define ON_COMMAND_EX(tvxId, tvxMember) TVX_COMMAND_ENTRY(CN_COMMAND, tvxId, tvxId, return self->tvxMember(call.id);)
// void handler(UINT id)
#define ON_COMMAND_RANGE(tvxFirst, tvxLast, tvxMember) \
    TVX_COMMAND_ENTRY(CN_COMMAND, tvxFirst, tvxLast, self->tvxMember(call.id); return TRUE;)
// BOOL handler(UINT id)
#define ON_COMMAND_EX_RANGE(tvxFirst, tvxLast, tvxMember) \
    TVX_COMMAND_ENTRY(CN_COMMAND, tvxFirst, tvxLast, return self->tvxMember(call.id);)
// void handler(): a control's notification
#define ON_CONTROL(tvxCode, tvxId, tvxMember) TVX_COMMAND_ENTRY(tvxCode, tvxId, tvxId, self->tvxMember(); return TRUE;)
// void handler(UINT id)
#define ON_CONTROL_RANGE(tvxCode, tvxFirst, tvxLast, tvxMember) \
    TVX_COMMAND_ENTRY(tvxCode, tvxFirst, tvxLast, self->tvxMember(call.id); return TRUE;)

#define ON_BN_CLICKED(tvxId, tvxMember) ON_CONTROL(BN_CLICKED, tvxId, tvxMember)
#define ON_BN_DOUBLECLICKED(tvxId, tvxMember) ON_CONTROL(BN_DOUBLECLICKED, tvxId, tvxMember)
#define ON_EN_CHANGE(tvxId, tvxMember) ON_CONTROL(EN_CHANGE, tvxId, tvxMember)
#define ON_EN_UPDATE(tvxId, tvxMember) ON_CONTROL(EN_UPDATE, tvxId, tvxMember)
#define ON_EN_SETFOCUS(tvxId, tvxMember) ON_CONTROL(EN_SETFOCUS, tvxId, tvxMember)
#define ON_EN_KILLFOCUS(tvxId, tvxMember) ON_CONTROL(EN_KILLFOCUS, tvxId, tvxMember)
#define ON_LBN_SELCHANGE(tvxId, tvxMember) ON_CONTROL(LBN_SELCHANGE, tvxId, tvxMember)
#define ON_LBN_DBLCLK(tvxId, tvxMember) ON_CONTROL(LBN_DBLCLK, tvxId, tvxMember)
#define ON_CBN_SELCHANGE(tvxId, tvxMember) ON_CONTROL(CBN_SELCHANGE, tvxId, tvxMember)
#define ON_CBN_SELENDOK(tvxId, tvxMember) ON_CONTROL(CBN_SELENDOK, tvxId, tvxMember)
#define ON_CBN_DBLCLK(tvxId, tvxMember) ON_CONTROL(CBN_DBLCLK, tvxId, tvxMember)
#define ON_CBN_EDITCHANGE(tvxId, tvxMember) ON_CONTROL(CBN_EDITCHANGE, tvxId, tvxMember)
#define ON_CBN_EDITUPDATE(tvxId, tvxMember) ON_CONTROL(CBN_EDITUPDATE, tvxId, tvxMember)
#define ON_CBN_DROPDOWN(tvxId, tvxMember) ON_CONTROL(CBN_DROPDOWN, tvxId, tvxMember)
#define ON_CBN_CLOSEUP(tvxId, tvxMember) ON_CONTROL(CBN_CLOSEUP, tvxId, tvxMember)
#define ON_CBN_SETFOCUS(tvxId, tvxMember) ON_CONTROL(CBN_SETFOCUS, tvxId, tvxMember)
#define ON_CBN_KILLFOCUS(tvxId, tvxMember) ON_CONTROL(CBN_KILLFOCUS, tvxId, tvxMember)

// void handler(CCmdUI*): the command's state in menus, bars and dialogs.
#define ON_UPDATE_COMMAND_UI(tvxId, tvxMember) ON_UPDATE_COMMAND_UI_RANGE(tvxId, tvxId, tvxMember)
#define ON_UPDATE_COMMAND_UI_RANGE(tvxFirst, tvxLast, tvxMember) \
    {MessageEntryKind::UpdateCommandUI, 0, static_cast<UINT>(tvxFirst), static_cast<UINT>(tvxLast), nullptr, \
     TVX_HANDLER(self->tvxMember(static_cast<CCmdUI*>(call.extra)); return TRUE;)},

// ---------------------------------------------------------------------------
// Notifications (WM_NOTIFY)
// ---------------------------------------------------------------------------
#define TVX_NOTIFY_ENTRY(tvxCode, tvxFirst, tvxLast, ...) \
    {MessageEntryKind::Notify, static_cast<UINT>(tvxCode), static_cast<UINT>(tvxFirst), static_cast<UINT>(tvxLast), \
     nullptr, TVX_HANDLER(AFX_NOTIFY* notify = static_cast<AFX_NOTIFY*>(call.extra); (void)notify; \
                          __VA_ARGS__)},
// void handler(NMHDR*, LRESULT*)
#define ON_NOTIFY(tvxCode, tvxId, tvxMember) \
    TVX_NOTIFY_ENTRY(tvxCode, tvxId, tvxId, self->tvxMember(notify->pNMHDR, notify->pResult); return TRUE;)
// void handler(UINT id, NMHDR*, LRESULT*)
#define ON_NOTIFY_RANGE(tvxCode, tvxFirst, tvxLast, tvxMember) \
    TVX_NOTIFY_ENTRY(tvxCode, tvxFirst, tvxLast, self->tvxMember(call.id, notify->pNMHDR, notify->pResult); return TRUE;)
// BOOL handler(UINT id, NMHDR*, LRESULT*): FALSE lets it go on.
#define ON_NOTIFY_EX(tvxCode, tvxId, tvxMember) \
    TVX_NOTIFY_ENTRY(tvxCode, tvxId, tvxId, return self->tvxMember(call.id, notify->pNMHDR, notify->pResult);)
#define ON_NOTIFY_EX_RANGE(tvxCode, tvxFirst, tvxLast, tvxMember) \
    TVX_NOTIFY_ENTRY(tvxCode, tvxFirst, tvxLast, return self->tvxMember(call.id, notify->pNMHDR, notify->pResult);)

// Reflected: the control's own notification, handled by the control.
// void handler(NMHDR*, LRESULT*)
#define ON_NOTIFY_REFLECT(tvxCode, tvxMember) \
    {MessageEntryKind::ReflectedNotify, static_cast<UINT>(tvxCode), 0, 0xFFFFFFFFu, nullptr, TVX_HANDLER( \
        AFX_NOTIFY* notify = static_cast<AFX_NOTIFY*>(call.extra); \
        self->tvxMember(notify->pNMHDR, notify->pResult); return TRUE;)},
// BOOL handler(NMHDR*, LRESULT*): FALSE lets the parent handle it as well.
#define ON_NOTIFY_REFLECT_EX(tvxCode, tvxMember) \
    {MessageEntryKind::ReflectedNotify, static_cast<UINT>(tvxCode), 0, 0xFFFFFFFFu, nullptr, TVX_HANDLER( \
        AFX_NOTIFY* notify = static_cast<AFX_NOTIFY*>(call.extra); \
        return self->tvxMember(notify->pNMHDR, notify->pResult);)},
// void handler()
#define ON_CONTROL_REFLECT(tvxCode, tvxMember) \
    {MessageEntryKind::ReflectedCommand, static_cast<UINT>(tvxCode), 0, 0xFFFFFFFFu, nullptr, \
     TVX_HANDLER(self->tvxMember(); return TRUE;)},
// BOOL handler(): FALSE lets the parent handle it as well.
#define ON_CONTROL_REFLECT_EX(tvxCode, tvxMember) \
    {MessageEntryKind::ReflectedCommand, static_cast<UINT>(tvxCode), 0, 0xFFFFFFFFu, nullptr, \
     TVX_HANDLER(return self->tvxMember();)},
