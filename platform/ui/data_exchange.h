// Dialog data exchange: DoDataExchange moves values between a dialog's
// members and its controls with the DDX_ routines, in the direction of
// CDataExchange::m_bSaveAndValidate, and checks them with the DDV_ routines.
// A value that cannot be taken is reported to the user with the framework's
// standard prompt (framework.rc), the control gets the focus (an edit's text
// selected) and the exchange stops: UpdateData answers FALSE.
//
// A DDV_ routine checks the control of the DDX_ routine just before it.
#pragma once

#include <windows.h>

#include "platform/framework/exception.h"
#include "platform/framework/string.h"

class CWnd;

// Thrown when the user has been told of a problem already.
class CUserException : public CException {
public:
    const char* what() const noexcept override { return "the user was told"; }
};

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control of the next exchange; a missing control stops the exchange.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Gives the last control the focus (selecting an edit's text) and stops
    // the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};

// Text of a control, as text or as a number.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// A check box: 0, 1 or 2 (indeterminate).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The group of radio buttons that starts at nIDC: the index of the checked
// one, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// The selected index of a list box or combo box, -1 for none.
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// The selected text of a list box: the first item that starts with the text
// (LBString) or equals it (LBStringExact) is selected; empty for none.
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
// The text of a combo box; a text that matches no item is put in its edit.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
// Subclasses the control onto rControl the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
// Refuses longer texts; when loading, limits the edit control to nChars.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
