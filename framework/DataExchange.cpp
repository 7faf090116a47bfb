#include "framework/DataExchange.h"

#include "framework/AfxCore.h"
#include "framework/Wnd.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace {

// Thrown by Fail, caught by Run: unwinds out of DoDataExchange.
struct DataExchangeFailure {};

CString ControlText(HWND hWnd)
{
    const int length = ::GetWindowTextLengthA(hWnd);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(hWnd, buffer.data(), static_cast<int>(buffer.size()));
    return CString(buffer.data(), got > 0 ? got : 0);
}

void FailWithMessage(CDataExchange* pDX, LPCSTR text)
{
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Parses a whole decimal number (blanks around it allowed).
bool ParseNumber(const CString& text, bool isSigned, long long* out)
{
    const char* begin = text;
    while (*begin == ' ' || *begin == '\t')
        ++begin;
    if (*begin == '\0' || (!isSigned && *begin == '-'))
        return false;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return false;
    *out = value;
    return true;
}

template <class T>
void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value, long long minValue,
                    long long maxValue, LPCSTR format)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!ParseNumber(ControlText(hWnd), minValue < 0, &parsed) || parsed < minValue ||
            parsed > maxValue) {
            FailWithMessage(pDX, minValue < 0 ? "Please enter an integer."
                                              : "Please enter a positive integer.");
        }
        value = static_cast<T>(parsed);
    } else {
        char text[32];
        wsprintfA(text, format, value);
        ::SetWindowTextA(hWnd, text);
    }
}

} // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWnd = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (hWnd == nullptr)
        Fail(); // a missing control is a programming error: never guess
    m_hWndLastControl = hWnd;
    m_bEditLastControl = FALSE;
    return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl != nullptr) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw DataExchangeFailure{};
}

BOOL CDataExchange::Run()
{
    try {
        m_pDlgWnd->DoDataExchange(this);
        return TRUE;
    } catch (const DataExchangeFailure&) {
        return FALSE;
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWnd);
    else
        ::SetWindowTextA(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeNumber(pDX, nIDC, value, INT_MIN, INT_MAX, "%d");
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeNumber(pDX, nIDC, value, LONG_MIN, LONG_MAX, "%ld");
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeNumber(pDX, nIDC, value, 0, UINT_MAX, "%u");
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeNumber(pDX, nIDC, value, 0, ULONG_MAX, "%lu");
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hWnd, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(hWnd, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group: this button and the following ones up to the next WS_GROUP.
    int index = 0;
    for (HWND h = hWnd; h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT), ++index) {
        if (h != hWnd && (::GetWindowLongA(h, GWL_STYLE) & WS_GROUP) != 0)
            break;
        if ((::SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) == 0)
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessageA(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWnd))
        pDX->Fail();
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hWnd, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hWnd, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hWnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString text;
            text.Format("Please enter no more than %d characters.", nChars);
            FailWithMessage(pDX, text);
        }
    } else if (pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl) {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString text;
        text.Format("Please enter an integer between %d and %d.", minVal, maxVal);
        FailWithMessage(pDX, text);
    }
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString text;
        text.Format("Please enter an integer between %u and %u.", minVal, maxVal);
        FailWithMessage(pDX, text);
    }
}
