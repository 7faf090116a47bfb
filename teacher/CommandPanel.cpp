// The main window's button panels: what all three share.

#include "teacher/CommandPanel.h"

#include "teacher/PanelPainting.h"

BEGIN_MESSAGE_MAP(CCommandPanel, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CCommandPanel::~CCommandPanel()
{
    m_buttons.RemoveAll();
}

BOOL CCommandPanel::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_COMMAND, wParam, lParam);
    return CWnd::OnCommand(wParam, lParam);
}

void CCommandPanel::OnMouseMove(UINT flags, CPoint point)
{
    SetFocus();
    CWnd::OnMouseMove(flags, point);
}

void CCommandPanel::OnRButtonDown(UINT flags, CPoint point)
{
    kqpanel::PostRightClick(this, m_x, m_y, point);
    CWnd::OnRButtonDown(flags, point);
}
