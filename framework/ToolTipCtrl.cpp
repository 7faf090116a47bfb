#include "framework/ToolTipCtrl.h"

#include "framework/ModuleState.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

CToolTipCtrl::~CToolTipCtrl()
{
    DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->GetSafeHwnd() : nullptr, nullptr);
}

void CToolTipCtrl::Activate(BOOL activate)
{
    SendMessage(TTM_ACTIVATE, activate);
}

int CToolTipCtrl::SetMaxTipWidth(int width)
{
    return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width));
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, UINT textId)
{
    CString text;
    text.LoadString(textId);
    return AddTool(tool, text);
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, LPCSTR text)
{
    if (tool == nullptr || tool->GetSafeHwnd() == nullptr)
        return FALSE;
    TTTOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = ::GetParent(tool->m_hWnd);
    info.uId = reinterpret_cast<UINT_PTR>(tool->m_hWnd);
    info.lpszText = const_cast<LPSTR>(text);
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

BOOL CToolTipCtrl::AddTool(CWnd* window, LPCSTR text, const RECT& rect, UINT_PTR toolId)
{
    if (window == nullptr || window->GetSafeHwnd() == nullptr)
        return FALSE;
    TTTOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.hwnd = window->m_hWnd;
    info.uId = toolId;
    info.rect = rect;
    info.lpszText = const_cast<LPSTR>(text);
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

int CToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
}

void CToolTipCtrl::RelayEvent(LPMSG msg)
{
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}
