#include "student/SeatNumberDlg.h"

#include "common/SeatNumber.h"
#include "student/StudentMessages.h"
#include "widgets/StudentLook.h"

BEGIN_MESSAGE_MAP(CSeatNumberDlg, CSkinDialog)
    ON_WM_PAINT()
    ON_BN_CLICKED(CSeatNumberDlg::kOkId, OnOkButton)
    ON_BN_CLICKED(CSeatNumberDlg::kCancelId, OnCancelButton)
END_MESSAGE_MAP()

namespace {

constexpr UINT kTemplate = 100;
constexpr UINT kBackground = 154;
constexpr POINT kClosePosition = {269, 4};
constexpr RECT kFieldRect = {80, 62, 229, 78};
constexpr int kFieldChars = 3;
constexpr POINT kOkPosition = {91, 123};
constexpr POINT kCancelPosition = {164, 123};
constexpr UINT kOkUp = 158, kOkDown = 157;
constexpr UINT kCancelUp = 160, kCancelDown = 159;
constexpr UINT kEmptyMessage = 1;
constexpr UINT kInvalidMessage = 61471;
constexpr int kWholeText = -1;

} // namespace

CSeatNumberDlg::CSeatNumberDlg()
    : CSkinDialog(kTemplate, kq::kStudentCornerWidth, kq::kStudentCornerHeight, kClosePosition.x,
                  kClosePosition.y, kBackground, CWnd::GetDesktopWindow(), kq::kStudentSkinLook)
{
}

BOOL CSeatNumberDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    SetWindowText(kTitle);

    m_field.Create(WS_VISIBLE | WS_TABSTOP | ES_UPPERCASE | ES_AUTOHSCROLL, kFieldRect, this, kFieldId);
    m_field.LimitText(kFieldChars);
    m_ok.Create(kOkPosition.x, kOkPosition.y, kOkId, this, WS_VISIBLE);
    m_ok.LoadBitmaps(kOkUp, kOkDown, nullptr, 0);
    m_cancel.Create(kCancelPosition.x, kCancelPosition.y, kCancelId, this, WS_VISIBLE);
    m_cancel.LoadBitmaps(kCancelUp, kCancelDown, nullptr, 0);

    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow();
    m_field.SetFocus();
    return FALSE; // the focus is set
}

void CSeatNumberDlg::OnPaint()
{
    CSkinDialog::OnPaint();
    m_field.SetFocus();
}

void CSeatNumberDlg::OnOkButton()
{
    OnOK();
}

void CSeatNumberDlg::OnOK()
{
    CString text;
    m_field.GetWindowText(text);
    switch (kq::CheckSeatNumber(std::string_view(text.GetString(), static_cast<size_t>(text.GetLength())))) {
    case kq::SeatCheck::Empty:
        Reject(kEmptyMessage);
        return;
    case kq::SeatCheck::Invalid:
        Reject(kInvalidMessage);
        return;
    case kq::SeatCheck::Accepted:
        break;
    }
    m_seat = text;
    CSkinDialog::OnOK();
}

void CSeatNumberDlg::OnCancelButton()
{
    m_seat = kCancelled;
    EndDialog(IDCANCEL);
}

void CSeatNumberDlg::Reject(UINT textId)
{
    m_field.SetFocus();
    m_field.SetSel(0, kWholeText);
    m_field.SendMessage(EM_SCROLLCARET);
    kq::ShowStudentMessage(kq::MessageForm::Error, textId, CMessageBoxDlg::kCloseAfter120s);
}
