#include "envcheck/CheckResultDlg.h"

#include "common/PeerNames.h"
#include "common/ShellOpen.h"
#include "envcheck/CheckIds.h"
#include "envcheck/CheckLook.h"
#include "envcheck/CheckMessageDlg.h"
#include "envcheck/InstallerPath.h"

namespace {

constexpr int kFontPoints = 90; // tenths of a point
constexpr char kFontFace[] = "宋体";

constexpr POINT kOkAt = {98, 377};
constexpr POINT kDirectXAt = {171, 377};
constexpr POINT kWinsockAt = {291, 377};
constexpr RECT kTextRect = {30, 42, 448, 348};

constexpr UINT kOkUp = 14017, kOkDown = 14014;
constexpr UINT kDirectXUp = 14008, kDirectXDown = 14006, kDirectXDisabled = 14021;
constexpr UINT kWinsockUp = 14012, kWinsockDown = 14010, kWinsockDisabled = 14018;

constexpr COLORREF kTextColour = 0;

} // namespace

BEGIN_MESSAGE_MAP(CCheckResultDlg, CSkinDialog)
    ON_BN_CLICKED(CCheckResultDlg::kOkId, OnOK)
    ON_BN_CLICKED(CCheckResultDlg::kDirectXId, OnDirectX)
    ON_BN_CLICKED(CCheckResultDlg::kWinsockId, OnWinsock)
    ON_MESSAGE(WM_CHECK_CLOSE, OnCheckClose)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CCheckResultDlg::CCheckResultDlg(UINT templateId, int cornerWidth, int cornerHeight, int closeX, int closeY,
                                 UINT backgroundId, CWnd* parent)
    : CSkinDialog(templateId, cornerWidth, cornerHeight, closeX, closeY, backgroundId, parent, kq::kCheckSkinLook)
{
}

BOOL CCheckResultDlg::OnInitDialog()
{
    m_font.CreatePointFont(kFontPoints, kFontFace);
    CSkinDialog::OnInitDialog();

    m_ok.Create(kOkAt.x, kOkAt.y, kOkId, this, WS_VISIBLE);
    m_ok.LoadBitmaps(kOkUp, kOkDown, nullptr, 0);

    m_directX.Create(kDirectXAt.x, kDirectXAt.y, kDirectXId, this, WS_VISIBLE);
    if (m_directXInstaller) {
        m_directX.LoadBitmaps(kDirectXUp, kDirectXDown, nullptr, 0);
    } else {
        m_directX.LoadBitmaps(kDirectXDisabled, kDirectXDisabled, nullptr, 0);
        m_directX.EnableWindow(FALSE);
    }
    m_winsock.Create(kWinsockAt.x, kWinsockAt.y, kWinsockId, this, WS_VISIBLE);
    if (m_winsockInstaller) {
        m_winsock.LoadBitmaps(kWinsockUp, kWinsockDown, nullptr, 0);
    } else {
        m_winsock.LoadBitmaps(kWinsockDisabled, kWinsockDisabled, nullptr, 0);
        m_winsock.EnableWindow(FALSE);
    }

    // A scroll bar as well, so that a long list can be read to its end.
    m_textField.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, kTextRect, this, kTextId);
    m_textField.SetFont(&m_font);

    CString caption;
    caption.LoadString(kq::check::kResultCaption);
    SetWindowText(caption);
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    m_textField.SetWindowText(m_text.c_str());
    m_textBrush.CreateSolidBrush(kq::kCheckTextBackground);
    return TRUE;
}

void CCheckResultDlg::OnOK()
{
    EndDialog(IDOK);
}

void CCheckResultDlg::OnCancel()
{
    OnOK();
}

LRESULT CCheckResultDlg::OnCheckClose(WPARAM wParam, LPARAM lParam)
{
    if (wParam != 0 || lParam != 0)
        return Default(); // DM_SETDEFID from the dialog manager
    m_endCode = kClosedByRequest;
    EndDialog(0);
    return 0;
}

HBRUSH CCheckResultDlg::OnCtlColor(CDC* dc, CWnd* window, UINT kind)
{
    if (window == nullptr || window->GetDlgCtrlID() != static_cast<int>(kTextId) ||
        m_textBrush.GetSafeHandle() == nullptr)
        return CSkinDialog::OnCtlColor(dc, window, kind);
    dc->SetBkColor(kq::kCheckTextBackground);
    dc->SetTextColor(kTextColour);
    return static_cast<HBRUSH>(m_textBrush.GetSafeHandle());
}

// A disabled button does nothing, also when a click reaches it by message.
void CCheckResultDlg::OnDirectX()
{
    if (m_directXInstaller)
        StartInstaller(kq::Installer::DirectX);
}

void CCheckResultDlg::OnWinsock()
{
    if (m_winsockInstaller)
        StartInstaller(kq::Installer::Winsock);
}

void CCheckResultDlg::StartInstaller(kq::Installer installer)
{
    // The window stays open either way.
    if (kq::ShellOpen(kq::InstallerPath(m_path, m_mode, installer)))
        return;
    CCheckMessageDlg message(kq::check::kInstallerMissing, this);
    message.DoModal();
}
