#include "envcheck/CheckMessageDlg.h"

#include "envcheck/CheckLook.h"

namespace {

constexpr UINT kTemplate = 14025;
constexpr UINT kBackground = 14024;
constexpr POINT kCloseAt = {269, 4};
constexpr RECT kLabelRect = {98, 33, 272, 115};
constexpr POINT kOkAt = {127, 123};
constexpr UINT kOkUp = 14017, kOkDown = 14014;

} // namespace

BEGIN_MESSAGE_MAP(CCheckMessageDlg, CSkinDialog)
    ON_BN_CLICKED(CCheckMessageDlg::kOkId, OnOkButton)
END_MESSAGE_MAP()

CCheckMessageDlg::CCheckMessageDlg(UINT messageId, CWnd* parent)
    : CSkinDialog(kTemplate, kq::kCheckCornerWidth, kq::kCheckCornerHeight, kCloseAt.x, kCloseAt.y, kBackground, parent,
                  kq::kCheckSkinLook),
      m_label(kq::kCheckTextBackground, kq::kCheckSkinLook)
{
    m_text.LoadString(messageId);
}

BOOL CCheckMessageDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    m_label.Create(m_text, WS_CHILD | WS_VISIBLE, kLabelRect, this, kLabelId);
    m_label.SetBackColor(kq::kCheckTextBackground);
    m_ok.Create(kOkAt.x, kOkAt.y, kOkId, this, WS_VISIBLE);
    m_ok.LoadBitmaps(kOkUp, kOkDown, nullptr, 0);
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
}

void CCheckMessageDlg::OnOkButton()
{
    EndDialog(IDOK);
}
