// CWnd: message dispatch, reflection to child controls and the default
// handlers.

#include "framework/Wnd.h"

#include "framework/DataExchange.h"
#include "framework/Menu.h"
#include "framework/ThreadState.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        LRESULT result = 0;
        if (!OnNotify(wParam, lParam, &result))
            return FALSE;
        *pResult = result;
        return TRUE;
    }
    if (message == WM_INITMENUPOPUP)
        AfxGetThreadState().hTrackingMenu = reinterpret_cast<HMENU>(wParam);
    if (ReflectToChild(message, wParam, lParam, pResult))
        return TRUE;

    UINT lookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        lookup = WM_CTLCOLOR;
    AfxMsgCall call = {message, wParam, lParam, 0, 0};
    if (!DispatchMessageMap(lookup, 0, 0, call))
        return FALSE;
    *pResult = call.result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl != nullptr && hWndCtrl != m_hWnd) {
        // Only a child's own notification is reflected to it: a command
        // relayed from further down (a panel passing its button's click
        // on) goes straight to this window's handlers.
        CWnd* pChild = ::GetParent(hWndCtrl) == m_hWnd ? FromHandlePermanent(hWndCtrl) : nullptr;
        LRESULT ignored = 0;
        if (pChild != nullptr && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored))
            return TRUE;
    } else if (hWndCtrl == nullptr) {
        // Menus (0) and accelerators (1) both send plain commands.
        nCode = 0;
    }
    AfxMsgCall call = {WM_COMMAND, wParam, lParam, nID, 0};
    return OnCmdMsg(nID, nCode, &call, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    if (pNMHDR == nullptr)
        return FALSE;
    if (pNMHDR->hwndFrom != nullptr && pNMHDR->hwndFrom != m_hWnd) {
        CWnd* pChild = FromHandlePermanent(pNMHDR->hwndFrom);
        if (pChild != nullptr && pChild->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
            return TRUE;
    }
    const UINT nID = static_cast<UINT>(pNMHDR->idFrom);
    AfxMsgCall call = {WM_NOTIFY, wParam, lParam, nID, 0};
    if (!DispatchMessageMap(WM_NOTIFY, pNMHDR->code, nID, call))
        return FALSE;
    *pResult = call.result;
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

// ---------------------------------------------------------------- reflection

BOOL CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    HWND hWndChild = nullptr;
    switch (message) {
    case WM_DRAWITEM: {
        const auto* pDIS = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (pDIS->CtlType == ODT_MENU)
            return FALSE;
        hWndChild = pDIS->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        const auto* pMIS = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (pMIS->CtlType == ODT_MENU)
            return FALSE;
        hWndChild = ::GetDlgItem(m_hWnd, static_cast<int>(pMIS->CtlID));
        break;
    }
    case WM_COMPAREITEM:
        hWndChild = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
        break;
    case WM_DELETEITEM:
        hWndChild = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        hWndChild = reinterpret_cast<HWND>(lParam);
        break;
    default:
        return FALSE;
    }
    if (hWndChild == nullptr || hWndChild == m_hWnd)
        return FALSE;
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild != nullptr && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    m_ownerDrawDeclined = false;
    switch (message) {
    case WM_DRAWITEM:
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return !m_ownerDrawDeclined;
    case WM_MEASUREITEM:
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return !m_ownerDrawDeclined;
    case WM_COMPAREITEM:
        *pResult = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        return !m_ownerDrawDeclined;
    case WM_DELETEITEM:
        DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return !m_ownerDrawDeclined;
    default:
        break;
    }

    UINT lookup = message;
    UINT nCode = 0;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        lookup = WM_CTLCOLOR;
    else if (message == WM_COMMAND)
        nCode = HIWORD(wParam);
    else if (message == WM_NOTIFY)
        nCode = reinterpret_cast<const NMHDR*>(lParam)->code;
    AfxMsgCall call = {message, wParam, lParam, 0, 0};
    if (!DispatchMessageMap(KQ_REFLECT(lookup), nCode, 0, call))
        return FALSE;
    *pResult = call.result;
    return TRUE;
}

void CWnd::DrawItem(LPDRAWITEMSTRUCT)
{
    m_ownerDrawDeclined = true;
}

void CWnd::MeasureItem(LPMEASUREITEMSTRUCT)
{
    m_ownerDrawDeclined = true;
}

int CWnd::CompareItem(LPCOMPAREITEMSTRUCT)
{
    m_ownerDrawDeclined = true;
    return 0;
}

void CWnd::DeleteItem(LPDELETEITEMSTRUCT)
{
    m_ownerDrawDeclined = true;
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
        HMENU hMenu = reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem);
        if (CMenu* pMenu = CMenu::FromHandlePermanent(hMenu)) {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    }
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU) {
        if (CMenu* pMenu = CMenu::FindItemOwner(lpMeasureItemStruct->itemID)) {
            pMenu->MeasureItem(lpMeasureItemStruct);
            return;
        }
    }
    Default();
}

// ---------------------------------------------------------------- data exchange

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    return dx.Run();
}

// ---------------------------------------------------------------- default handlers

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
BOOL CWnd::OnQueryEndSession() { return static_cast<BOOL>(Default()); }
void CWnd::OnEndSession(BOOL) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnHotKey(UINT, UINT, UINT) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) { return static_cast<BOOL>(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
