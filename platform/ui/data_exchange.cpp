#include "platform/ui/data_exchange.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/ui/app.h"
#include "platform/ui/framework_ids.h"
#include "platform/ui/message_box.h"
#include "platform/ui/wnd.h"

namespace {

CString ControlText(HWND control)
{
    CString text;
    const int length = ::GetWindowTextLengthA(control);
    if (length > 0) {
        const int copied = ::GetWindowTextA(control, text.GetBuffer(length), length + 1);
        text.ReleaseBuffer(copied);
    }
    return text;
}

// A framework prompt with %1 and %2 filled in.
CString Prompt(UINT id, const char* first = nullptr, const char* second = nullptr)
{
    CString text;
    text.LoadString(id);
    if (first)
        text.Replace("%1", first);
    if (second)
        text.Replace("%2", second);
    return text;
}

[[noreturn]] void FailWith(CDataExchange* pDX, const CString& prompt, UINT id)
{
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, id);
    pDX->Fail();
}

// The text without the blanks around it; FALSE when nothing is left.
CString Trimmed(const CString& text)
{
    CString trimmed = text;
    trimmed.TrimLeft();
    trimmed.TrimRight();
    return trimmed;
}

bool ParseSigned(const CString& text, long long minimum, long long maximum, long long& value)
{
    const CString trimmed = Trimmed(text);
    if (trimmed.IsEmpty())
        return false;
    const char* start = trimmed;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(start, &end, 10);
    if (errno == ERANGE || *end != '\0' || parsed < minimum || parsed > maximum)
        return false;
    value = parsed;
    return true;
}

bool ParseUnsigned(const CString& text, unsigned long long maximum, unsigned long long& value)
{
    const CString trimmed = Trimmed(text);
    if (trimmed.IsEmpty() || trimmed[0] == '-')
        return false;
    const char* start = trimmed;
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(start, &end, 10);
    if (errno == ERANGE || *end != '\0' || parsed > maximum)
        return false;
    value = parsed;
    return true;
}

template <typename T>
void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, UINT prompt)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!ParseSigned(ControlText(control), std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), parsed))
            FailWith(pDX, Prompt(prompt), prompt);
        value = static_cast<T>(parsed);
    } else {
        char text[32];
        std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(value));
        ::SetWindowTextA(control, text);
    }
}

template <typename T>
void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, UINT prompt)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        unsigned long long parsed = 0;
        if (!ParseUnsigned(ControlText(control), std::numeric_limits<T>::max(), parsed))
            FailWith(pDX, Prompt(prompt), prompt);
        value = static_cast<T>(parsed);
    } else {
        char text[32];
        std::snprintf(text, sizeof(text), "%llu", static_cast<unsigned long long>(value));
        ::SetWindowTextA(control, text);
    }
}

template <typename T>
void CheckRange(CDataExchange* pDX, T value, T minimum, T maximum, const char* format, UINT prompt)
{
    // Values the program puts into the box are its own business.
    if (!pDX->m_bSaveAndValidate || (value >= minimum && value <= maximum))
        return;
    char low[64];
    char high[64];
    std::snprintf(low, sizeof(low), format, minimum);
    std::snprintf(high, sizeof(high), format, maximum);
    FailWith(pDX, Prompt(prompt, low, high), prompt);
}

void SelectListString(CDataExchange* pDX, int nIDC, CString& value, UINT getSelection, UINT getLength,
                      UINT getText, UINT findMessage, UINT setSelection)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const LRESULT index = ::SendMessageA(control, getSelection, 0, 0);
        if (index < 0) {
            value.Empty();
            return;
        }
        const LRESULT length = ::SendMessageA(control, getLength, static_cast<WPARAM>(index), 0);
        if (length <= 0) {
            value.Empty();
            return;
        }
        const LRESULT copied = ::SendMessageA(control, getText, static_cast<WPARAM>(index),
                                              reinterpret_cast<LPARAM>(value.GetBuffer(static_cast<int>(length))));
        value.ReleaseBuffer(copied < 0 ? 0 : static_cast<int>(copied));
        return;
    }
    const LRESULT found = ::SendMessageA(control, findMessage, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(static_cast<const char*>(value)));
    ::SendMessageA(control, setSelection, static_cast<WPARAM>(found < 0 ? -1 : found), 0);
}

void ExchangeComboString(CDataExchange* pDX, int nIDC, CString& value, UINT findMessage)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    const bool listOnly = (::GetWindowLongPtrA(control, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
    if (pDX->m_bSaveAndValidate) {
        if (!listOnly) {
            value = ControlText(control);
            return;
        }
        const LRESULT index = ::SendMessageA(control, CB_GETCURSEL, 0, 0);
        value.Empty();
        if (index < 0)
            return;
        const LRESULT length = ::SendMessageA(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length > 0) {
            const LRESULT copied = ::SendMessageA(control, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                                  reinterpret_cast<LPARAM>(value.GetBuffer(static_cast<int>(length))));
            value.ReleaseBuffer(copied < 0 ? 0 : static_cast<int>(copied));
        }
        return;
    }
    const LRESULT found = ::SendMessageA(control, findMessage, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(static_cast<const char*>(value)));
    ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(found < 0 ? -1 : found), 0);
    if (found < 0 && !listOnly)
        ::SetWindowTextA(control, value);
}

}  // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(nullptr), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!control) {
        // A template without the control: nothing sensible to exchange.
        ::OutputDebugStringA("Data exchange names a control the dialog does not have\n");
        throw CUserException();
    }
    m_hWndLastControl = control;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND control = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange exchange(this, bSaveAndValidate);
    try {
        DoDataExchange(&exchange);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(control);
    else
        ::SetWindowTextA(control, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeSigned(pDX, nIDC, value, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeSigned(pDX, nIDC, value, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    ExchangeSigned(pDX, nIDC, value, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeUnsigned(pDX, nIDC, value, AFX_IDP_PARSE_UINT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeUnsigned(pDX, nIDC, value, AFX_IDP_PARSE_UINT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    ExchangeUnsigned(pDX, nIDC, value, AFX_IDP_PARSE_BYTE);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const CString trimmed = Trimmed(ControlText(control));
        char* end = nullptr;
        errno = 0;
        const double parsed = trimmed.IsEmpty() ? 0.0 : std::strtod(trimmed, &end);
        if (trimmed.IsEmpty() || errno == ERANGE || *end != '\0')
            FailWith(pDX, Prompt(AFX_IDP_PARSE_REAL), AFX_IDP_PARSE_REAL);
        value = parsed;
    } else {
        char text[64];
        std::snprintf(text, sizeof(text), "%.15g", value);
        ::SetWindowTextA(control, text);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value < 0 || value > 2 ? 0 : value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    // The group runs from nIDC to the next control that starts a group.
    do {
        if (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control && !(::GetWindowLongPtrA(control, GWL_STYLE) & WS_GROUP));
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(control, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    SelectListString(pDX, nIDC, value, LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT, LB_FINDSTRING, LB_SETCURSEL);
}

void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    SelectListString(pDX, nIDC, value, LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT, LB_FINDSTRINGEXACT, LB_SETCURSEL);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeComboString(pDX, nIDC, value, CB_FINDSTRING);
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeComboString(pDX, nIDC, value, CB_FINDSTRINGEXACT);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(control)) {
        ::OutputDebugStringA("Data exchange could not subclass a control\n");
        throw CUserException();
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "%d", AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "%u", AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "%ld", AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "%lu", AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    CheckRange(pDX, static_cast<int>(value), static_cast<int>(minVal), static_cast<int>(maxVal), "%d",
               AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    CheckRange(pDX, static_cast<unsigned>(value), static_cast<unsigned>(minVal), static_cast<unsigned>(maxVal),
               "%u", AFX_IDP_PARSE_INT_RANGE);
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "%g", AFX_IDP_PARSE_REAL_RANGE);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            char limit[16];
            std::snprintf(limit, sizeof(limit), "%d", nChars);
            FailWith(pDX, Prompt(AFX_IDP_PARSE_STRING_SIZE, limit), AFX_IDP_PARSE_STRING_SIZE);
        }
        return;
    }
    if (pDX->m_hWndLastControl && pDX->m_bEditLastControl)
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}
