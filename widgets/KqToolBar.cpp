#include "widgets/KqToolBar.h"

#include "framework/BitmapDrawing.h"
#include "widgets/TeacherLook.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CKqToolBar, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CKqToolBar::CKqToolBar() : CKqToolBar(kq::kTeacherSkinLook) {}

CKqToolBar::CKqToolBar(const kq::SkinLook& look) : m_look(look) {}

CKqToolBar::~CKqToolBar()
{
    DestroyWindow();
}

BOOL CKqToolBar::Create(UINT backgroundId, HWND owner, DWORD style, int width, int height, int x, int y)
{
    const LPCSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_SIZEALL), nullptr, nullptr);
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass, m_look.toolBarName, style, x, y, width, height,
                  nullptr, nullptr))
        return FALSE;

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    m_toolTip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  AfxGetInstanceHandle(), nullptr);
    m_x = x;
    m_y = y;
    m_owner = owner;
    m_backgroundId = backgroundId;
    return TRUE;
}

CToolBarButton* CKqToolBar::AddButton(UINT face, int x, int y, UINT id, UINT disabledFace, int textMode,
                                      LPCSTR text)
{
    auto button = std::make_unique<CToolBarButton>();
    button->SetTextMode(textMode);
    button->LoadBitmaps(face, disabledFace); // a missing face still makes a button
    const CRect rect(x, y, x + kButtonWidth, y + kButtonHeight);
    if (!button->Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, this, id))
        return nullptr;
    if (text != nullptr)
        button->SetWindowText(text);
    m_buttons.push_back({id, x, y, std::move(button)});
    return m_buttons.back().button.get();
}

BOOL CKqToolBar::AddButtonTip(CWnd* button, LPCSTR tip)
{
    if (button == nullptr || !::IsWindow(button->GetSafeHwnd()) || m_toolTip == nullptr)
        return FALSE;
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = m_hWnd;
    info.uId = reinterpret_cast<UINT_PTR>(button->m_hWnd);
    info.lpszText = const_cast<LPSTR>(tip);
    ::SendMessageA(m_toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageA(m_toolTip, TTM_ACTIVATE, TRUE, 0);
    ::SendMessageA(m_toolTip, TTM_UPDATE, 0, 0);
    return TRUE;
}

CToolBarButton* CKqToolBar::FindButton(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_buttons.size())
        return nullptr;
    return m_buttons[static_cast<size_t>(index)].button.get();
}

int CKqToolBar::SetButtonState(int index, int enabled)
{
    CToolBarButton* button = FindButton(index);
    if (button == nullptr)
        return 0;
    button->EnableWindow(enabled != 0);
    return 1;
}

BOOL CKqToolBar::DestroyWindow()
{
    m_buttons.clear(); // each button destroys its window
    m_toolTip = nullptr; // owned by the toolbar: goes with it
    if (m_hWnd == nullptr)
        return FALSE;
    return CWnd::DestroyWindow();
}

BOOL CKqToolBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_owner != nullptr && ::IsWindow(m_owner))
        ::PostMessageA(m_owner, WM_COMMAND, wParam, lParam);
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CKqToolBar::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip != nullptr && ::IsWindow(m_toolTip))
        ::SendMessageA(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    return CWnd::PreTranslateMessage(msg);
}

BOOL CKqToolBar::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    kq::DrawBitmapResource(*dc, m_backgroundId, client.Width(), client.Height());
    return CWnd::OnEraseBkgnd(dc);
}

LRESULT CKqToolBar::OnNcHitTest(CPoint)
{
    return HTCAPTION; // dragged by any point that is not a button
}

void CKqToolBar::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == SC_CLOSE)
        return; // Alt+F4 does not close the toolbar
    CWnd::OnSysCommand(id, lParam);
}
