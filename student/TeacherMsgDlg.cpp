#include "student/TeacherMsgDlg.h"

#include "common/TextField.h"
#include "widgets/StudentLook.h"

#include <string>

BEGIN_MESSAGE_MAP(CTeacherMsgDlg, CSkinDialog)
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(CTeacherMsgDlg::kOkId, OnOkButton)
END_MESSAGE_MAP()

namespace {

constexpr UINT kTemplate = 100;
constexpr UINT kBackground = 169;
constexpr POINT kClosePosition = {321, 4};
constexpr COLORREF kPanelColour = 0xF9E5AB;
constexpr COLORREF kTextColour = 0;
constexpr int kFontPoints = 90; // tenths of a point
constexpr const char* kFontFace = "宋体";
constexpr RECT kTitleRect = {64, 35, 298, 58};
constexpr RECT kTextRect = {18, 68, 331, 197};
constexpr POINT kOkPosition = {154, 207};
constexpr UINT kOkUp = 158, kOkDown = 157;
// The signature is right-aligned in this many characters.
constexpr int kSignatureWidth = 48;

// The text of a fixed field: up to its first zero byte, never past its
// width, cut on a character boundary.
template <size_t N>
CString FieldText(const char (&field)[N])
{
    const std::string bytes(field, kq::TextFieldLength(field, N));
    char copy[N + 1];
    const size_t length = kq::CopyTextField(copy, bytes.c_str());
    return CString(copy, static_cast<int>(length));
}

} // namespace

CTeacherMsgDlg::CTeacherMsgDlg()
    : CSkinDialog(kTemplate, kq::kStudentCornerWidth, kq::kStudentCornerHeight, kClosePosition.x,
                  kClosePosition.y, kBackground, CWnd::GetDesktopWindow(), kq::kStudentSkinLook),
      m_titleLabel(0, kq::kStudentSkinLook)
{
}

void CTeacherMsgDlg::SetMessage(const kq::TeacherMessage& message)
{
    m_title = FieldText(message.title);
    m_text = FieldText(message.text);
    m_signature = FieldText(message.signature);
}

CString CTeacherMsgDlg::ComposeText(const CString& text, const CString& signature)
{
    const int padding = kSignatureWidth - signature.GetLength();
    CString shown = text + "\r\n\r\n";
    for (int i = 0; i < padding; ++i)
        shown += ' ';
    return shown + signature; // a longer signature is not cut
}

BOOL CTeacherMsgDlg::OnInitDialog()
{
    m_font.DeleteObject();
    m_font.CreatePointFont(kFontPoints, kFontFace);
    CSkinDialog::OnInitDialog();

    m_titleLabel.SetBackColor(kPanelColour);
    m_titleLabel.Create(m_title, WS_VISIBLE | SS_CENTER, kTitleRect, this, kTitleId);
    m_textBox.Create(WS_VISIBLE | ES_MULTILINE | ES_READONLY, kTextRect, this, kTextId);
    m_textBox.SetFont(&m_font);
    m_textBox.SetWindowText(ComposeText(m_text, m_signature));
    m_ok.Create(kOkPosition.x, kOkPosition.y, kOkId, this, WS_VISIBLE);
    m_ok.LoadBitmaps(kOkUp, kOkDown, nullptr, 0);
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_brush.DeleteObject();
    m_brush.CreateSolidBrush(kPanelColour);
    return TRUE;
}

HBRUSH CTeacherMsgDlg::OnCtlColor(CDC* dc, CWnd* window, UINT kind)
{
    if (window != nullptr && window->GetDlgCtrlID() == static_cast<int>(kTextId) &&
        m_brush.GetSafeHandle() != nullptr) {
        dc->SetBkColor(kPanelColour);
        dc->SetTextColor(kTextColour);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    return CSkinDialog::OnCtlColor(dc, window, kind);
}

void CTeacherMsgDlg::OnOkButton()
{
    EndDialog(IDOK);
}
