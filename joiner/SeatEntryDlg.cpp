#include "joiner/SeatEntryDlg.h"

#include "common/SeatNumber.h"
#include "joiner/JoinerLook.h"
#include "joiner/NoticeDlg.h"

#include <string_view>

BEGIN_MESSAGE_MAP(CSeatEntryDlg, CSkinDialog)
    ON_WM_PAINT()
    ON_BN_CLICKED(CSeatEntryDlg::kOkId, OnOkButton)
    ON_BN_CLICKED(CSeatEntryDlg::kCancelId, OnCancelButton)
END_MESSAGE_MAP()

namespace {

constexpr POINT kOkPosition = {91, 123};
constexpr POINT kCancelPosition = {164, 123};
constexpr int kWholeText = -1;

} // namespace

CSeatEntryDlg::CSeatEntryDlg(UINT backgroundId)
    : CSkinDialog(kTemplateId, kq::kJoinerCornerWidth, kq::kJoinerCornerHeight, kq::kJoinerCloseX,
                  kq::kJoinerCloseY, backgroundId, CWnd::GetDesktopWindow(), kq::kJoinerSkinLook)
{
}

void CSeatEntryDlg::SetPaths(const std::string& localCopy, const std::string& workingCopy,
                             const std::string& backupCopy)
{
    m_localCopy = localCopy;
    m_workingCopy = workingCopy;
    m_backupCopy = backupCopy;
}

void CSeatEntryDlg::CreateSeatField(const RECT& rect, DWORD border)
{
    m_seatField.Create(WS_VISIBLE | WS_TABSTOP | ES_UPPERCASE | ES_AUTOHSCROLL | border, rect, this, kSeatFieldId);
    m_seatField.LimitText(kSeatFieldChars);
}

void CSeatEntryDlg::CreateButtons()
{
    m_ok.Create(kOkPosition.x, kOkPosition.y, kOkId, this, WS_VISIBLE);
    m_ok.LoadBitmaps(kq::kJoinerOkUp, kq::kJoinerOkDown, nullptr, 0);
    m_cancel.Create(kCancelPosition.x, kCancelPosition.y, kCancelId, this, WS_VISIBLE);
    m_cancel.LoadBitmaps(kq::kJoinerCancelUp, kq::kJoinerCancelDown, nullptr, 0);
}

void CSeatEntryDlg::OnPaint()
{
    CSkinDialog::OnPaint();
    m_seatField.SetFocus();
}

void CSeatEntryDlg::OnOkButton()
{
    OnOK();
}

void CSeatEntryDlg::OnCancelButton()
{
    EndDialog(IDCANCEL);
}

void CSeatEntryDlg::SelectAll(CEdit& field)
{
    field.SetFocus();
    field.SetSel(0, kWholeText);
    field.SendMessage(EM_SCROLLCARET);
}

bool CSeatEntryDlg::CheckedSeat(CString& seat)
{
    m_seatField.GetWindowText(seat);
    switch (kq::CheckSeatNumber(std::string_view(seat.GetString(), static_cast<size_t>(seat.GetLength())))) {
    case kq::SeatCheck::Accepted:
        return true;
    case kq::SeatCheck::Empty:
        SelectAll(m_seatField);
        kq::ShowNotice(kq::kNoticeSeatEmpty);
        return false;
    case kq::SeatCheck::Invalid:
        break;
    }
    kq::ShowNotice(kq::kNoticeSeatInvalid);
    SelectAll(m_seatField);
    return false;
}
