#pragma once
// Dialog data exchange: DoDataExchange moves values between a dialog's
// controls and its members, in the direction m_bSaveAndValidate gives.
// A value that does not parse or validate tells the user, puts the focus on
// its control and fails the whole exchange (UpdateData returns FALSE).

#include "framework/String.h"
#include "framework/Win32.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control with this id (the last one used, for DDV_ calls).
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange as failed (focus to the last control).
    [[noreturn]] void Fail();

    // Runs the window's DoDataExchange; FALSE when it failed.
    BOOL Run();

    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// value: index of the checked button in the group that starts at nIDC, -1 none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Binds a control object to the dialog's control (subclassing it once).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
// Limits the edit control of the DDX_Text just before it to nChars bytes.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
