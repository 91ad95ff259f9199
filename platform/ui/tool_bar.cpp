// CToolBar: creation over the system's toolbar control, buttons, the image
// well and the button states.
#include "platform/ui/tool_bar.h"

#include <vector>

#include "platform/ui/app.h"
#include "platform/ui/cmd_ui.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/frame_wnd.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

namespace {

// A separator's width when none is given.
const int kSeparatorWidth = 8;
// What a button adds around its image when the sizes come from a resource.
const int kButtonMargin = 7;

// The RT_TOOLBAR resource: WORDs version, width, height, count, ids.
struct ToolBarResource {
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
};

// TBBS_ bits: the control's style low, its state high with "enabled"
// turned into "disabled".
UINT StyleFromButton(BYTE fsStyle, BYTE fsState)
{
    return fsStyle | (static_cast<UINT>(fsState ^ TBSTATE_ENABLED) << 16);
}

BYTE ButtonStyle(UINT nStyle) { return static_cast<BYTE>(nStyle & 0xFF); }
BYTE ButtonState(UINT nStyle) { return static_cast<BYTE>(((nStyle >> 16) & 0xFF) ^ TBSTATE_ENABLED); }

// Updates one button from the frame's update handlers.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CToolBar* bar = static_cast<CToolBar*>(m_pOther);
        UINT style = bar->GetButtonStyle(m_nIndex) & ~TBBS_DISABLED;
        if (!bOn)
            style |= TBBS_DISABLED;
        bar->SetButtonStyle(m_nIndex, style);
    }
    void SetCheck(int nCheck) override
    {
        CToolBar* bar = static_cast<CToolBar*>(m_pOther);
        UINT style = bar->GetButtonStyle(m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            style |= TBBS_CHECKED;
        else if (nCheck == 2)
            style |= TBBS_INDETERMINATE;
        bar->SetButtonStyle(m_nIndex, style);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    // Buttons show no text.
    void SetText(LPCSTR) override {}
};

}  // namespace

CToolBar::CToolBar()
    : m_hbmImageWell(nullptr), m_sizeButton(23, 22), m_sizeImage(16, 15), m_nImageCount(0), m_bLaidOutHorz(TRUE)
{
}

CToolBar::~CToolBar()
{
    // The control goes before the strip its images came from.
    if (m_hWnd)
        DestroyWindow();
    if (m_hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle,
                    CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    if (!pParentWnd || !EnsureCommonControls(ICC_BAR_CLASSES))
        return FALSE;
    m_cxLeftBorder = rcBorders.left;
    m_cyTopBorder = rcBorders.top;
    m_cxRightBorder = rcBorders.right;
    m_cyBottomBorder = rcBorders.bottom;
    // The CBRS_ bits overlap the control's own styles: the bar keeps them and
    // the window gets the control's. The bar, not the control, places and
    // sizes itself and draws the divider.
    m_dwStyle = dwStyle & CBRS_ALL;
    const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | (dwCtrlStyle & 0xFFFF) | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                              CCS_NODIVIDER | CCS_NORESIZE;
    SetOwner(pParentWnd);
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    // Clicks reach the owner frame wherever the bar is docked or floats.
    SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(pParentWnd->m_hWnd));
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

BOOL CToolBar::PreCreateWindow(CREATESTRUCTA& cs)
{
    // Not the base bar's: its class and style stripping are not the control's.
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    if (sizeButton.cx <= sizeImage.cx || sizeButton.cy <= sizeImage.cy || sizeImage.cx <= 0 || sizeImage.cy <= 0)
        return;
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (!m_hWnd)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
    Invalidate();
}

BOOL CToolBar::LoadToolBar(LPCSTR lpszResourceName)
{
    if (!lpszResourceName || !m_hWnd)
        return FALSE;
    HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC found = ::FindResourceA(module, lpszResourceName, RT_TOOLBAR);
    if (!found)
        return FALSE;
    HGLOBAL loaded = ::LoadResource(module, found);
    const DWORD size = ::SizeofResource(module, found);
    const auto* data = loaded ? static_cast<const ToolBarResource*>(::LockResource(loaded)) : nullptr;
    if (!data || size < sizeof(ToolBarResource) || data->wVersion != 1 || data->wWidth == 0 || data->wHeight == 0)
        return FALSE;
    // A count that runs past the resource is refused, not read beyond it.
    if (size < sizeof(ToolBarResource) + data->wItemCount * sizeof(WORD))
        return FALSE;
    const WORD* items = reinterpret_cast<const WORD*>(data + 1);
    std::vector<UINT> ids(items, items + data->wItemCount);
    const CSize image(data->wWidth, data->wHeight);
    SetSizes(CSize(image.cx + kButtonMargin, image.cy + kButtonMargin), image);
    if (!SetButtons(ids.data(), static_cast<int>(ids.size())))
        return FALSE;
    return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(LPCSTR lpszResourceName)
{
    HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    // Black, dark grey, light grey and white of a bitmap with a colour table
    // become the system's button text, shadow, face and highlight, so the
    // images sit on the bar's own face.
    HBITMAP bitmap = IS_INTRESOURCE(lpszResourceName)
                         ? ::CreateMappedBitmap(module, reinterpret_cast<INT_PTR>(lpszResourceName), 0, nullptr, 0)
                         : static_cast<HBITMAP>(::LoadImageA(module, lpszResourceName, IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap)
        return FALSE;
    return AddReplaceBitmap(bitmap);
}

BOOL CToolBar::AddReplaceBitmap(HBITMAP hbmImageWell)
{
    BITMAP info = {};
    if (!hbmImageWell || !::GetObjectA(hbmImageWell, sizeof info, &info) || !m_hWnd) {
        if (hbmImageWell && hbmImageWell != m_hbmImageWell)
            ::DeleteObject(hbmImageWell);
        return FALSE;
    }
    if (hbmImageWell == m_hbmImageWell)
        return TRUE;
    const int count = info.bmWidth / m_sizeImage.cx;
    BOOL done;
    if (!m_hbmImageWell) {
        TBADDBITMAP add = {nullptr, reinterpret_cast<UINT_PTR>(hbmImageWell)};
        done = SendMessage(TB_ADDBITMAP, count, reinterpret_cast<LPARAM>(&add)) != -1;
    } else {
        TBREPLACEBITMAP replace = {nullptr, reinterpret_cast<UINT_PTR>(m_hbmImageWell), nullptr,
                                   reinterpret_cast<UINT_PTR>(hbmImageWell), count};
        done = SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace)) != 0;
    }
    if (!done) {
        ::DeleteObject(hbmImageWell);
        return FALSE;
    }
    if (m_hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmImageWell;
    m_nImageCount = count;
    Invalidate();
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (!m_hWnd || nIDCount < 0)
        return FALSE;
    for (int i = GetCount(); i > 0; --i)
        SendMessage(TB_DELETEBUTTON, i - 1);
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON& button = buttons[static_cast<size_t>(i)];
        button.fsState = TBSTATE_ENABLED;
        const UINT id = lpIDArray ? lpIDArray[i] : ID_SEPARATOR;
        if (id == ID_SEPARATOR) {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = kSeparatorWidth;
        } else {
            button.fsStyle = TBSTYLE_BUTTON;
            button.idCommand = static_cast<int>(id);
            button.iBitmap = image++;
        }
    }
    if (nIDCount > 0 &&
        !SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(nIDCount), reinterpret_cast<LPARAM>(buttons.data())))
        return FALSE;
    LayoutButtons(m_bLaidOutHorz);
    return TRUE;
}

int CToolBar::GetCount() const
{
    return m_hWnd ? static_cast<int>(::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0)) : 0;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        if (GetItemID(i) == nIDFind)
            return i;
    }
    return -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button = {};
    if (nIndex < 0 || nIndex >= GetCount() ||
        !::SendMessageA(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return ID_SEPARATOR;
    return (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : static_cast<UINT>(button.idCommand);
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!lpRect)
        return;
    ::SetRectEmpty(lpRect);
    if (nIndex >= 0 && nIndex < GetCount())
        ::SendMessageA(m_hWnd, TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button = {};
    if (nIndex < 0 || nIndex >= GetCount() ||
        !::SendMessageA(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button))) {
        nID = ID_SEPARATOR;
        nStyle = 0;
        iImage = 0;
        return;
    }
    nID = static_cast<UINT>(button.idCommand);
    nStyle = StyleFromButton(button.fsStyle, button.fsState);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_IMAGE | TBIF_STYLE | TBIF_STATE;
    info.idCommand = static_cast<int>(nID);
    info.iImage = iImage;
    info.fsStyle = ButtonStyle(nStyle);
    info.fsState = ButtonState(nStyle);
    if (info.fsStyle & TBSTYLE_SEP) {
        // A separator's image is its width.
        info.dwMask |= TBIF_SIZE;
        info.cx = static_cast<WORD>(iImage > 0 ? iImage : kSeparatorWidth);
    }
    SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
    LayoutButtons(m_bLaidOutHorz);
    Invalidate();
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    UINT id, style;
    int image;
    GetButtonInfo(nIndex, id, style, image);
    return style;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount() || GetButtonStyle(nIndex) == nStyle)
        return;
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
    info.fsStyle = ButtonStyle(nStyle);
    info.fsState = ButtonState(nStyle);
    SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
    CRect rect;
    GetItemRect(nIndex, &rect);
    InvalidateRect(&rect);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < static_cast<int>(state.m_nIndexMax); ++i) {
        UINT id, style;
        int image;
        GetButtonInfo(i, id, style, image);
        if (style & TBBS_SEPARATOR)
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = id;
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

void CToolBar::SetBarStyle(DWORD dwStyle)
{
    const DWORD changed = (m_dwStyle ^ dwStyle) & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_GRIPPER | CBRS_FLOATING);
    CControlBar::SetBarStyle(dwStyle);
    // The borders and gripper are non-client: their share follows the style.
    if (changed && m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
