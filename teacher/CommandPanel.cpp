// The main window's button panels with tooltips: what they share.

#include "teacher/CommandPanel.h"

#include "teacher/PanelLayout.h"
#include "teacher/PanelPainting.h"

namespace {
constexpr int kToolTipWidth = 200;
} // namespace

BEGIN_MESSAGE_MAP(CCommandPanel, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_SYSCOMMAND()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CCommandPanel::~CCommandPanel()
{
    m_buttons.RemoveAll();
}

void CCommandPanel::CreateToolTip()
{
    m_toolTip.CreateFor(this, m_toolTipActive, kToolTipWidth);
}

BOOL CCommandPanel::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.RelayEvent(msg);
    return CWnd::PreTranslateMessage(msg);
}

BOOL CCommandPanel::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_COMMAND, wParam, lParam);
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CCommandPanel::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    kq::PanelFrame frame;
    if (kq::SinglePanelFrame(client.Height(), frame))
        kqpanel::PaintFrame(dc->GetSafeHdc(), client.Width(), frame);
    return TRUE;
}

void CCommandPanel::OnMouseMove(UINT flags, CPoint point)
{
    SetFocus();
    CWnd::OnMouseMove(flags, point);
}

void CCommandPanel::OnSysCommand(UINT id, LPARAM lParam)
{
    switch (id & 0xFFF0) {
    case SC_RESTORE:
        RecalcLayout();
        return;
    case SC_CLOSE:
        return;
    default:
        CWnd::OnSysCommand(id, lParam);
    }
}

void CCommandPanel::OnRButtonDown(UINT flags, CPoint point)
{
    kqpanel::PostRightClick(this, m_x, m_y, point);
    CWnd::OnRButtonDown(flags, point);
}
