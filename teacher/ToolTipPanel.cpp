// The button panels with tooltips on one frame.

#include "teacher/ToolTipPanel.h"

#include "teacher/PanelLayout.h"
#include "teacher/PanelPainting.h"

namespace {
constexpr int kToolTipWidth = 200;
} // namespace

BEGIN_MESSAGE_MAP(CToolTipPanel, CCommandPanel)
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

void CToolTipPanel::CreateToolTip()
{
    m_toolTip.CreateFor(this, m_toolTipActive, kToolTipWidth);
}

BOOL CToolTipPanel::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.RelayEvent(msg);
    return CCommandPanel::PreTranslateMessage(msg);
}

BOOL CToolTipPanel::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    kq::PanelFrame frame;
    if (kq::SinglePanelFrame(client.Height(), frame))
        kqpanel::PaintFrame(dc->GetSafeHdc(), client.Width(), frame);
    return TRUE;
}

void CToolTipPanel::OnSysCommand(UINT id, LPARAM lParam)
{
    switch (id & 0xFFF0) {
    case SC_RESTORE:
        RecalcLayout();
        return;
    case SC_CLOSE:
        return;
    default:
        CCommandPanel::OnSysCommand(id, lParam);
    }
}

void CToolTipPanel::ActivateToolTip(BOOL on)
{
    m_toolTipActive = on ? 1 : 0;
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.Activate(on);
}
