#include "widgets/AdapterSelectDlg.h"

#include "common/AdapterAddress.h"
#include "common/EthernetAddresses.h"
#include "common/Ipv4Text.h"
#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "framework/BitmapDrawing.h"

#include <utility>

namespace {

namespace ini = kq::studentini;

} // namespace

BEGIN_MESSAGE_MAP(CAdapterSelectDlg, CDialog)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CAdapterSelectDlg::CAdapterSelectDlg(const AdapterSelectIds& ids, CWnd* parent, std::string iniPath)
    : CDialog(ids.templateId, parent),
      m_ids(ids),
      m_iniPath(iniPath.empty() ? kq::RunningProgramIni() : std::move(iniPath)),
      m_okButton(ids.cursorId),
      m_closeButton(ids.cursorId)
{
}

CAdapterSelectDlg::~CAdapterSelectDlg()
{
    m_background.DeleteObject();
}

int CAdapterSelectDlg::CheckAdapters()
{
    const kq::AdapterTables tables = kq::ReadAdapterTables();
    if (tables.status != kq::AdapterTablesStatus::Read)
        return kq::DecideAdapter(tables, {}).result; // nothing is read or written
    const std::string stored =
        kq::ReadIniText(m_iniPath, ini::kNetAdapter, ini::kIpAddress, ini::kAnyAdapter, ini::kIpAddressMaxChars);
    const kq::AdapterDecision decision = kq::DecideAdapter(tables, stored);
    if (decision.write)
        kq::WriteIniText(m_iniPath, ini::kNetAdapter, ini::kIpAddress, decision.write->c_str());
    return decision.result;
}

void CAdapterSelectDlg::FillAdapterList()
{
    const kq::AdapterTables tables = kq::ReadAdapterTables();
    if (tables.status != kq::AdapterTablesStatus::Read)
        return;
    for (const std::string& address : kq::EthernetAddressList(tables))
        m_combo.AddString(address.c_str());
}

void CAdapterSelectDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, static_cast<int>(m_ids.comboId), m_combo);
    DDX_Text(pDX, static_cast<int>(m_ids.comboId), m_chosen);
}

BOOL CAdapterSelectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    BITMAP info = {};
    if (m_background.LoadBitmap(m_ids.backgroundId) && m_background.GetBitmap(&info) != 0) {
        const int left = (::GetSystemMetrics(SM_CXSCREEN) - info.bmWidth) / 2;
        const int top = (::GetSystemMetrics(SM_CYSCREEN) - info.bmHeight) / 2;
        SetWindowPos(nullptr, left, top, info.bmWidth, info.bmHeight, SWP_NOZORDER | SWP_SHOWWINDOW);
    }

    m_okButton.AutoLoad(IDOK, this);
    m_closeButton.AutoLoad(m_ids.closeId, this);
    m_closeButton.MoveWindow(kCloseX, kCloseY, kCloseWidth, kCloseHeight, TRUE);
    m_okButton.MoveWindow(kOkX, kOkY, kOkWidth, kOkHeight, TRUE);

    CRect window;
    GetWindowRect(&window);
    CRgn region;
    if (region.CreateRoundRectRgn(0, 0, window.Width() - 1, window.Height() - 1, kCornerSize, kCornerSize) &&
        SetWindowRgn(region, TRUE))
        region.Detach(); // the window's now

    m_combo.MoveWindow(kComboX, kComboY, kComboWidth, kComboHeight, TRUE);
    FillAdapterList();
    m_combo.SetCurSel(0); // the lowest address
    return TRUE;
}

BOOL CAdapterSelectDlg::OnEraseBkgnd(CDC* dc)
{
    if (m_background.GetSafeHandle() == nullptr)
        return CDialog::OnEraseBkgnd(dc);
    BITMAP info = {};
    m_background.GetBitmap(&info);
    kq::CopyBitmapTo(*dc, m_background, info.bmWidth, info.bmHeight);
    return TRUE;
}

BOOL CAdapterSelectDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The close button's id is the program's, so it is matched here.
    if (LOWORD(wParam) == m_ids.closeId && HIWORD(wParam) == BN_CLICKED && lParam != 0) {
        OnCloseButton();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CAdapterSelectDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // Every student program joins its groups on this address: a text that is
    // no address would leave them all without a classroom.
    const std::optional<uint32_t> address = kq::ParseDottedIpv4(static_cast<const char*>(m_chosen));
    if (!address) {
        m_combo.SetFocus();
        m_combo.SetEditSel(0, -1);
        return;
    }
    // Written the way the readers parse it back (no leading zeros).
    kq::WriteIniText(m_iniPath, ini::kNetAdapter, ini::kIpAddress, kq::FormatDottedIpv4(*address).c_str());
    ReleaseLook();
    EndDialog(IDOK);
}

void CAdapterSelectDlg::OnCloseButton()
{
    ReleaseLook();
    EndDialog(IDOK);
}

void CAdapterSelectDlg::ReleaseLook()
{
    SetWindowRgn(nullptr, FALSE);
    m_background.DeleteObject();
}
