#include "broadcast/ViewPopupDlg.h"

#include "broadcast/ScreenReceiverWnd.h"

namespace {

// The painted caption's height: a press there drags the dialog.
constexpr int kCaptionBand = 20;

} // namespace

BEGIN_MESSAGE_MAP(CViewPopupDlg, CDialog)
    ON_WM_LBUTTONDOWN()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

void CViewPopupDlg::OnLButtonDown(UINT flags, CPoint point)
{
    if (point.y < kCaptionBand) {
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
        return;
    }
    CDialog::OnLButtonDown(flags, point);
}

void CViewPopupDlg::OnNcLButtonDown(UINT hitTest, CPoint point)
{
    CDialog::OnNcLButtonDown(hitTest, point);
    RedrawCurrentView();
}

void CViewPopupDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == SC_CLOSE)
        return;
    CDialog::OnSysCommand(id, lParam);
}
