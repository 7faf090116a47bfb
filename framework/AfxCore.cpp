#include "framework/AfxCore.h"

namespace {

// Without an icon of its own, a box gets the one that fits its buttons.
UINT WithDefaultIcon(UINT nType)
{
    if ((nType & MB_ICONMASK) != 0)
        return nType;
    switch (nType & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
        return nType | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return nType | MB_ICONQUESTION;
    case MB_ABORTRETRYIGNORE:
    case MB_RETRYCANCEL:
        return nType | MB_ICONSTOP;
    default:
        return nType;
    }
}

HWND MessageBoxOwner()
{
    HWND hWnd = AfxGetMainWnd()->GetSafeHwnd();
    // Another thread's window would make this thread wait on that one.
    if (hWnd == nullptr || ::GetWindowThreadProcessId(hWnd, nullptr) != ::GetCurrentThreadId())
        return nullptr;
    return ::GetLastActivePopup(hWnd);
}

} // namespace

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    AfxInstallMessageFilter();
    return ::MessageBoxA(MessageBoxOwner(), lpszText, AfxGetAppName(), WithDefaultIcon(nType));
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}
