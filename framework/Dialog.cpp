#include "framework/Dialog.h"

#include "framework/Font.h"
#include "framework/MessagePump.h"
#include "framework/ModuleState.h"
#include "framework/ThreadState.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_SETFONT, HandleSetFont)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

// The dialog procedure: everything is handled by the object's window
// procedure before the system's dialog procedure runs.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The template from the current resource source, else from this module.
LPCDLGTEMPLATE LoadDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst)
{
    const HINSTANCE candidates[] = {AfxGetResourceHandle(), AfxGetInstanceHandle()};
    for (HINSTANCE hInst : candidates) {
        HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, RT_DIALOG);
        if (hResource == nullptr)
            continue;
        HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
        if (hTemplate == nullptr)
            continue;
        *phInst = hInst;
        return static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate));
    }
    return nullptr;
}

bool OwnedByThisThread(HWND hWnd)
{
    return ::GetWindowThreadProcessId(hWnd, nullptr) == ::GetCurrentThreadId();
}

} // namespace

CDialog::CDialog() = default;

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd)
{
    m_nIDHelp = nIDTemplate;
}

// The window, if any, is destroyed by ~CWnd.
CDialog::~CDialog() = default;

// ---------------------------------------------------------------- creation

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HWND hWndOwner, HINSTANCE hInst)
{
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpTemplate, hWndOwner, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    return hWnd != nullptr;
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE lpTemplate = LoadDialogTemplate(lpszTemplateName, &hInst);
    if (lpTemplate == nullptr)
        return FALSE;
    HWND hWndParent = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : ModalOwner();
    return CreateFromTemplate(lpTemplate, hWndParent, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    HWND hWndParent = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : ModalOwner();
    return CreateFromTemplate(lpDialogTemplate, hWndParent, AfxGetInstanceHandle());
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

// ---------------------------------------------------------------- modal loop

HWND CDialog::ModalOwner() const
{
    HWND hWnd = nullptr;
    if (m_pParentWnd != nullptr) {
        hWnd = m_pParentWnd->GetSafeHwnd();
        if (hWnd == ::GetDesktopWindow())
            return nullptr;
    } else {
        hWnd = AfxGetMainWnd()->GetSafeHwnd();
        if (hWnd != nullptr && !OwnedByThisThread(hWnd))
            return nullptr;
    }
    // Only a top-level window can own a dialog.
    while (hWnd != nullptr && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        hWnd = ::GetParent(hWnd);
    // Without a parent, a modal dialog of the main window that is open (one
    // that opens a box) is the owner, so the box stays above it and gives
    // the activation back to it when it ends. Other popups (a splash that
    // goes by itself) are passed over.
    if (m_pParentWnd == nullptr && hWnd != nullptr) {
        HWND popup = ::GetLastActivePopup(hWnd);
        const auto* dialog = dynamic_cast<const CDialog*>(CWnd::FromHandlePermanent(popup));
        if (dialog != nullptr && dialog != this && dialog->m_bModal && ::IsWindowEnabled(popup))
            hWnd = popup;
    }
    return hWnd;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    if (lpTemplate == nullptr && m_lpszTemplateName != nullptr)
        lpTemplate = LoadDialogTemplate(m_lpszTemplateName, &hInst);
    if (lpTemplate == nullptr)
        return -1;

    AfxInstallMessageFilter();
    HWND hWndOwner = ModalOwner();
    bool ownerDisabled = false;
    if (hWndOwner != nullptr && OwnedByThisThread(hWndOwner) && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        ownerDisabled = true;
    }

    m_nModalResult = -1;
    m_bModal = true;
    m_bContinueModal = true;
    if (CreateFromTemplate(lpTemplate, hWndOwner, hInst) && m_bContinueModal)
        RunModalLoop();
    m_bModal = false;
    m_bContinueModal = false;

    // The owner comes back before the dialog goes, so activation returns to
    // it and not to some other program's window.
    if (ownerDisabled)
        ::EnableWindow(hWndOwner, TRUE);
    if (m_hWnd != nullptr) {
        const bool wasActive = ::GetActiveWindow() == m_hWnd;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (wasActive && hWndOwner != nullptr && OwnedByThisThread(hWndOwner))
            ::SetActiveWindow(hWndOwner);
        DestroyWindow();
    }
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    if (m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) == 0)
        ShowWindow(SW_SHOWNORMAL);
    MSG msg;
    while (m_bContinueModal && m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        if (!AfxMessageWaiting())
            AfxDeleteTempMaps();
        if (!AfxPumpMessage(&msg)) {
            // The program is ending: leave, and let the loop outside see it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = -1;
            return;
        }
    }
}

void CDialog::EndDialog(int nResult)
{
    if (m_bModal) {
        m_nModalResult = nResult;
        m_bContinueModal = false;
        // Wakes the loop when this was called from outside a dispatched message.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd != nullptr) {
        ::EndDialog(m_hWnd, nResult);
    }
}

// ---------------------------------------------------------------- handlers

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(wParam)));
    return Default();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnSetFont(CFont*) {}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// ---------------------------------------------------------------- navigation

void CDialog::NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), 1);
}

void CDialog::SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
