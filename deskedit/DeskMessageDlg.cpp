#include "deskedit/DeskMessageDlg.h"

#include "deskedit/DeskLook.h"

namespace {

constexpr UINT kTemplate = 142;
constexpr UINT kBackground = 146;
constexpr POINT kClosePosition = {269, 4};
constexpr RECT kLabelRect = {98, 33, 272, 115};
constexpr COLORREF kLabelColour = 0xF9E5AB;
constexpr POINT kOkPosition = {127, 123};
constexpr UINT kOkUp = 132;
constexpr UINT kOkDown = 133;

} // namespace

BEGIN_MESSAGE_MAP(CDeskMessageDlg, CSkinDialog)
    ON_BN_CLICKED(CDeskMessageDlg::kOkId, OnOkButton)
END_MESSAGE_MAP()

CDeskMessageDlg::CDeskMessageDlg(UINT textId)
    : CSkinDialog(kTemplate, kq::kDeskCornerWidth, kq::kDeskCornerHeight, kClosePosition.x, kClosePosition.y,
                  kBackground, CWnd::GetDesktopWindow(), kq::kDeskSkinLook),
      m_label(kLabelColour, kq::kDeskSkinLook)
{
    m_text.LoadString(textId);
}

BOOL CDeskMessageDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    m_label.Create(m_text, WS_VISIBLE | SS_LEFT, kLabelRect, this, kLabelId);
    m_ok.Create(kOkPosition.x, kOkPosition.y, kOkId, this, WS_VISIBLE);
    m_ok.LoadBitmaps(kOkUp, kOkDown, nullptr, 0);
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOSIZE);
    return TRUE;
}

void CDeskMessageDlg::OnOkButton()
{
    EndDialog(IDOK);
}
