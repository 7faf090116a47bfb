// CSettingsDlg: its pages and controls, the values shown, and OK.

#include "teacher/dialogs/SettingsDlg.h"

#include "common/TextField.h"
#include "teacher/BroadcastSpeed.h"
#include "teacher/SettingsEntries.h"
#include "teacher/dialogs/DialogControls.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

BEGIN_MESSAGE_MAP(CSettingsDlg, CSkinDialog)
    ON_BN_CLICKED(CSettingsDlg::kOkId, OnOK)
    ON_BN_CLICKED(CSettingsDlg::kCancelId, OnCancel)
    ON_BN_CLICKED(793, OnNoClassroom)
    ON_BN_CLICKED(794, OnClassroom)
    ON_BN_CLICKED(828, OnNoMonitoring)
    ON_BN_CLICKED(829, OnMonitoring)
    ON_BN_CLICKED(732, OnCompressionZero)
    ON_BN_CLICKED(733, OnCompressionOne)
    ON_BN_CLICKED(734, OnDirectAccess)
    ON_BN_CLICKED(735, OnProxyAccess)
    ON_BN_CLICKED(826, OnSound)
    ON_BN_CLICKED(708, OnChooseFolder)
    ON_BN_CLICKED(835, OnChooseBackground)
    ON_BN_CLICKED(834, OnChooseLogo)
    ON_BN_CLICKED(720, OnSendToSeat)
    ON_BN_CLICKED(858, OnQueryProxy)
END_MESSAGE_MAP()

namespace {

constexpr int kCloseX = 402;
constexpr int kCloseY = 4;

const CRect kOkRect(162, 329, 205, 349);
const CRect kCancelRect(240, 329, 283, 349);
const CRect kTabsRect(11, 26, 420, 318);
const CRect kPageBody(0, 20, 409, 292);
constexpr int kEarPoints = 5;
constexpr POINT kEars[CSettingsDlg::kPageCount][kEarPoints] = {
    {{0, 0}, {0, 20}, {103, 20}, {83, 0}, {0, 0}},
    {{83, 0}, {83, 20}, {190, 20}, {170, 0}, {83, 0}},
    {{170, 0}, {170, 20}, {294, 20}, {274, 0}, {170, 0}},
    {{274, 0}, {270, 20}, {384, 20}, {364, 0}, {274, 0}},
};
constexpr UINT kPageBitmaps[CSettingsDlg::kPageCount] = {
    TeacherRes::IDB_SETTINGS_PAGE_CLASSROOM, TeacherRes::IDB_SETTINGS_PAGE_BROADCAST,
    TeacherRes::IDB_SETTINGS_PAGE_STUDENTS, TeacherRes::IDB_SETTINGS_PAGE_NETWORK};
enum Page { kClassroomPage, kBroadcastPage, kStudentsPage, kNetworkPage };

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kBoxStyle = kChild | BS_AUTOCHECKBOX;
constexpr DWORD kRadioStyle = kChild | BS_AUTORADIOBUTTON;
constexpr DWORD kFirstRadioStyle = kRadioStyle | WS_GROUP;
constexpr DWORD kEditStyle = kChild | ES_AUTOHSCROLL;
constexpr DWORD kDigitsStyle = kEditStyle | ES_NUMBER;
constexpr DWORD kSpinStyle = WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS |
                             UDS_ALIGNRIGHT;
constexpr DWORD kSliderStyle = kChild | TBS_HORZ | TBS_NOTICKS;

// Edit limits: characters, within each record field's bytes; the copy
// into the field cuts double-byte texts on a character boundary.
constexpr int kPathLimit = 259;
constexpr int kClassroomLimit = 1;
constexpr int kWatchLimit = 3;
constexpr int kPortLimit = 4;
constexpr int kProxyNameLimit = sizeof(kq::TeacherOptions::ProxyName) - 1;
constexpr int kProxyPasswordLimit = sizeof(kq::TeacherOptions::ProxyPassword) - 1;

constexpr int kLowestClassroom = 1;
constexpr int kHighestClassroom = 9;
constexpr int kLowestQuality = 10;
constexpr int kHighestQuality = 99;
constexpr int kHits8 = 8;
constexpr int kHits16 = 16;
constexpr uint8_t kScreens4 = 4;
constexpr uint8_t kScreens9 = 9;
constexpr uint8_t kScreens16 = 16;

CString Text(const CWnd& control)
{
    CString text;
    control.GetWindowText(text);
    return text;
}

std::string Trimmed(const CWnd& control)
{
    return kq::TrimmedText(Text(control).GetString());
}

bool Checked(const CButton& button)
{
    return button.GetCheck() == BST_CHECKED;
}

void Check(CButton& button, bool on)
{
    button.SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
}

CString Number(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

template <size_t N>
CString FieldText(const char (&field)[N])
{
    return CString(field, static_cast<int>(kq::TextFieldLength(field, N)));
}

UINT RejectionString(kq::SettingsRejection rejection)
{
    switch (rejection) {
    case kq::SettingsRejection::FolderEmpty:
        return TeacherRes::IDS_RECEIVE_FOLDER_EMPTY;
    case kq::SettingsRejection::FolderLength:
        return TeacherRes::IDS_RECEIVE_FOLDER_LENGTH;
    case kq::SettingsRejection::FolderNoDrive:
        return TeacherRes::IDS_RECEIVE_FOLDER_NO_DRIVE;
    case kq::SettingsRejection::FolderCharacter:
        return TeacherRes::IDS_RECEIVE_FOLDER_CHARACTER;
    case kq::SettingsRejection::SharePortZero:
        return TeacherRes::IDS_SHARE_PORT_ZERO;
    case kq::SettingsRejection::WatchTooLong:
        return TeacherRes::IDS_WATCH_INTERVAL_LONG;
    case kq::SettingsRejection::WatchTooShort:
        return TeacherRes::IDS_WATCH_INTERVAL_SHORT;
    case kq::SettingsRejection::None:
        break;
    }
    return 0;
}

} // namespace

CSettingsDlg::CSettingsDlg()
    : CSkinDialog(TeacherRes::IDD_MESSAGE_BOX, kCloseX, kCloseY, TeacherRes::IDB_SETTINGS_BACKGROUND, nullptr)
{
}

BOOL CSettingsDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    kq::CreateFieldFont(m_font);
    kq::CreateFaceButton(m_ok, this, kOkRect, kOkId, TeacherRes::IDB_OK_UP, TeacherRes::IDB_OK_DOWN);
    kq::CreateFaceButton(m_cancel, this, kCancelRect, kCancelId, TeacherRes::IDB_NO_UP, TeacherRes::IDB_NO_DOWN);
    if (m_config == nullptr || m_options == nullptr || !m_pages.Create(kTabsRect, kPageBody, this, kTabsId))
        return TRUE;
    CKqTab* pages[kPageCount] = {};
    for (int i = 0; i < kPageCount; ++i) {
        if (!m_pages.AddPage(kEars[i], kEarPoints, i == 0, kFirstPageId + i, kPageBitmaps[i]))
            return TRUE;
        pages[i] = m_pages.GetPage(kFirstPageId + i);
    }
    CreateControls(pages);
    ShowValues();
    for (int i = kPageCount - 1; i >= 0; --i)
        pages[i]->Select(i == 0 ? 1 : 0);
    return TRUE;
}

void CSettingsDlg::CreateControls(CKqTab* const (&pages)[kPageCount])
{
    auto add = [&](CWnd& control, Page page, BOOL created) {
        if (!created)
            return;
        pages[page]->AddControl(&control);
        if (dynamic_cast<CEdit*>(&control) != nullptr || dynamic_cast<CIPAddressCtrl*>(&control) != nullptr)
            control.SetFont(&m_font);
    };
    auto box = [&](CButton& button, Page page, const CRect& rect, UINT id, DWORD style = kBoxStyle) {
        add(button, page, button.Create(nullptr, style, rect, pages[page], id));
    };
    auto edit = [&](CEdit& field, Page page, const CRect& rect, UINT id, DWORD style, int limit) {
        add(field, page, field.Create(style, rect, pages[page], id));
        field.LimitText(limit);
    };
    auto face = [&](CBitmapButton& button, Page page, const CRect& rect, UINT id, UINT up, UINT down) {
        add(button, page, kq::CreateFaceButton(button, pages[page], rect, id, up, down));
    };
    auto spin = [&](CSpinButtonCtrl& control, CEdit& buddy, const CRect& rect, UINT id, int low, int high) {
        add(control, kClassroomPage, control.Create(kSpinStyle, rect, pages[kClassroomPage], id));
        control.SetBuddy(&buddy);
        control.SetRange32(low, high);
    };
    auto slider = [&](CSliderCtrl& control, const CRect& rect, UINT id, int low, int high) {
        add(control, kBroadcastPage, control.Create(kSliderStyle, rect, pages[kBroadcastPage], id));
        control.SetRange(low, high);
    };

    box(m_record, kClassroomPage, {41, 33, 52, 44}, 728);
    box(m_screenChange, kClassroomPage, {196, 33, 207, 44}, 729);
    box(m_enableTip, kClassroomPage, {41, 57, 52, 68}, 731);
    box(m_ring, kClassroomPage, {196, 57, 207, 68}, 727);
    box(m_chalkpad, kClassroomPage, {41, 82, 52, 93}, 827);
    box(m_sound, kClassroomPage, {196, 82, 207, 93}, 826);
    box(m_hits8, kClassroomPage, {308, 82, 319, 93}, 874, kFirstRadioStyle);
    box(m_hits16, kClassroomPage, {350, 82, 361, 93}, 873, kRadioStyle);
    box(m_homework, kClassroomPage, {41, 108, 52, 119}, 726, kBoxStyle | WS_GROUP);
    box(m_kqDesk, kClassroomPage, {196, 108, 207, 119}, 869);
    edit(m_receiveFolder, kClassroomPage, {177, 130, 338, 145}, 813, kEditStyle, kPathLimit);
    face(m_chooseFolder, kClassroomPage, {349, 128, 375, 146}, 708, TeacherRes::IDB_BROWSE_UP,
         TeacherRes::IDB_BROWSE_DOWN);
    box(m_noClassroom, kClassroomPage, {163, 158, 174, 169}, 793, kFirstRadioStyle);
    box(m_classroom, kClassroomPage, {163, 183, 174, 194}, 794, kRadioStyle);
    edit(m_classroomNumber, kClassroomPage, {322, 180, 357, 196}, 795, kDigitsStyle, kClassroomLimit);
    spin(m_classroomSpin, m_classroomNumber, {357, 180, 373, 196}, 796, kLowestClassroom, kHighestClassroom);
    box(m_noMonitoring, kClassroomPage, {163, 205, 174, 216}, 828, kFirstRadioStyle);
    box(m_monitoring, kClassroomPage, {163, 233, 174, 244}, 829, kRadioStyle);
    edit(m_watchInterval, kClassroomPage, {322, 230, 358, 246}, 830, kDigitsStyle, kWatchLimit);
    spin(m_watchSpin, m_watchInterval, {358, 230, 372, 246}, 831, kq::kShortestWatchInterval,
         kq::kLongestWatchInterval);
    box(m_screens4, kClassroomPage, {165, 257, 176, 268}, 1133, kFirstRadioStyle);
    box(m_screens9, kClassroomPage, {223, 257, 234, 268}, 1134, kRadioStyle);
    box(m_screens16, kClassroomPage, {277, 257, 288, 268}, 1135, kRadioStyle);

    box(m_compressionZero, kBroadcastPage, {99, 69, 110, 80}, 732, kFirstRadioStyle);
    box(m_compressionOne, kBroadcastPage, {195, 69, 206, 80}, 733, kRadioStyle);
    slider(m_quality, {122, 123, 280, 143}, 799, kLowestQuality, kHighestQuality);
    slider(m_speed, {122, 198, 280, 218}, 800, kq::kSlowestSpeedStep, kq::kFastestSpeedStep);

    face(m_sendToSeat, kStudentsPage, {302, 123, 344, 142}, 720, TeacherRes::IDB_SEND_TO_SEAT_UP,
         TeacherRes::IDB_SEND_TO_SEAT_DOWN);
    edit(m_background, kStudentsPage, {144, 199, 271, 214}, 832, kEditStyle, kPathLimit);
    face(m_chooseBackground, kStudentsPage, {282, 198, 308, 216}, 835, TeacherRes::IDB_BROWSE_UP,
         TeacherRes::IDB_BROWSE_DOWN);
    edit(m_logo, kStudentsPage, {144, 224, 271, 239}, 833, kEditStyle, kPathLimit);
    face(m_chooseLogo, kStudentsPage, {282, 223, 308, 241}, 834, TeacherRes::IDB_BROWSE_UP,
         TeacherRes::IDB_BROWSE_DOWN);

    edit(m_sharePort, kNetworkPage, {160, 59, 200, 79}, 740, kDigitsStyle | WS_BORDER, kPortLimit);
    box(m_direct, kNetworkPage, {92, 111, 103, 122}, 734, kFirstRadioStyle);
    box(m_proxy, kNetworkPage, {92, 134, 103, 145}, 735, kRadioStyle);
    add(m_proxyAddress, kNetworkPage, m_proxyAddress.Create(kChild, {129, 155, 260, 176}, pages[kNetworkPage], 737));
    edit(m_proxyPort, kNetworkPage, {301, 154, 341, 173}, 738, kDigitsStyle | WS_BORDER, kPortLimit);
    edit(m_proxyName, kNetworkPage, {151, 183, 234, 198}, 859, kEditStyle, kProxyNameLimit);
    edit(m_proxyPassword, kNetworkPage, {302, 183, 374, 198}, 860, kEditStyle | ES_PASSWORD, kProxyPasswordLimit);
    face(m_queryProxy, kNetworkPage, {331, 217, 375, 237}, 858, TeacherRes::IDB_QUERY_PROXY_UP,
         TeacherRes::IDB_QUERY_PROXY_DOWN);
}

void CSettingsDlg::ShowHits(bool soundOn)
{
    m_hits8.EnableWindow(soundOn);
    m_hits16.EnableWindow(soundOn);
    if (!soundOn)
        return;
    const bool eight = AfxGetApp()->GetProfileInt("Setup", "Hits", kHits8) == kHits8;
    Check(m_hits8, eight);
    Check(m_hits16, !eight);
}

void CSettingsDlg::EnableProxy(BOOL on)
{
    for (CWnd* control : {static_cast<CWnd*>(&m_proxyAddress), static_cast<CWnd*>(&m_proxyPort),
                          static_cast<CWnd*>(&m_proxyName), static_cast<CWnd*>(&m_proxyPassword)})
        control->EnableWindow(on);
}

void CSettingsDlg::ShowValues()
{
    const kq::TeacherConfig& c = *m_config;
    const kq::TeacherOptions& o = *m_options;
    Check(m_homework, o.Homework == 1);
    Check(m_enableTip, o.EnableTip == 1);
    Check(m_record, c.Record == 1);
    Check(m_chalkpad, c.StudentRunChalkpad == 1);
    Check(m_sound, c.SoundOpenFlag == 1);
    Check(m_ring, o.Ring == 1);
    Check(m_screenChange, c.ScreenChange == 1);
    Check(m_kqDesk, c.KqDesk == 1);
    ShowHits(c.SoundOpenFlag == 1);

    m_classroomAtOpen = o.ClassroomID;
    const bool numbered = o.ClassroomID != 0;
    Check(numbered ? m_classroom : m_noClassroom, true);
    if (numbered)
        m_classroomNumber.SetWindowText(Number(o.ClassroomID));
    m_classroomNumber.SetReadOnly(!numbered);
    m_classroomSpin.EnableWindow(numbered);

    m_receiveFolder.SetWindowText(FieldText(o.RecvPath));

    const bool monitoring = o.AutoMonitor == 1;
    Check(monitoring ? m_monitoring : m_noMonitoring, true);
    m_watchInterval.SetWindowText(Number(o.WatchInterval));
    m_watchInterval.EnableWindow(monitoring);
    m_watchSpin.EnableWindow(monitoring);

    Check(c.CompressMethord == 1 ? m_compressionOne : m_compressionZero, true);
    m_speed.SetPos(o.Ablity);
    m_quality.SetPos(c.Quality);
    if (c.CompressMethord == 1) {
        m_quality.EnableWindow(FALSE);
        Check(m_record, false);
        m_record.EnableWindow(FALSE);
    }

    Check(o.Access == 1 ? m_proxy : m_direct, true);
    m_proxyAddress.SetAddress(ntohl(o.ProxyIp));
    m_proxyPort.SetWindowText(Number(o.ProxyPort));
    m_proxyName.SetWindowText(FieldText(o.ProxyName));
    m_proxyPassword.SetWindowText(FieldText(o.ProxyPassword));
    EnableProxy(o.Access == 1);
    m_sharePort.SetWindowText(Number(o.SharePort));
    m_background.SetWindowText(FieldText(o.ListBmp));
    m_logo.SetWindowText(FieldText(o.LogoBmp));

    Check(o.MultiSrnCount == kScreens9 ? m_screens9 : o.MultiSrnCount == kScreens16 ? m_screens16 : m_screens4, true);
}

bool CSettingsDlg::EntriesAccepted()
{
    kq::SettingsEntries entries;
    entries.receiveFolder = Text(m_receiveFolder).GetString();
    entries.sharePort = Text(m_sharePort).GetString();
    entries.autoMonitor = Checked(m_monitoring);
    entries.watchInterval = Text(m_watchInterval).GetString();
    const UINT rejected = RejectionString(kq::FirstSettingsRejection(entries));
    if (rejected == 0)
        return true;
    kq::ShowWarning(rejected);
    return false;
}

void CSettingsDlg::StoreValues()
{
    kq::TeacherConfig& c = *m_config;
    kq::TeacherOptions& o = *m_options;
    o.Homework = Checked(m_homework);
    c.StudentRunChalkpad = Checked(m_chalkpad);
    o.Ring = Checked(m_ring);
    c.Record = Checked(m_record);
    c.ScreenChange = Checked(m_screenChange);
    o.EnableTip = Checked(m_enableTip);
    c.SoundOpenFlag = Checked(m_sound);
    c.KqDesk = Checked(m_kqDesk);

    m_classroomNow = Checked(m_noClassroom) ? 0 : std::atoi(Text(m_classroomNumber).GetString());
    o.ClassroomID = static_cast<uint8_t>(m_classroomNow);
    o.MultiSrnCount = Checked(m_screens9) ? kScreens9 : Checked(m_screens16) ? kScreens16 : kScreens4;
    kq::CopyTextField(o.RecvPath, Trimmed(m_receiveFolder).c_str());

    const int hits = Checked(m_hits8) ? kHits8 : kHits16;
    c.Hits = static_cast<uint8_t>(hits);
    AfxGetApp()->WriteProfileInt("Setup", "Hits", hits);

    c.CompressMethord = Checked(m_compressionOne);
    c.Quality = static_cast<uint8_t>(m_quality.GetPos());
    o.Ablity = static_cast<uint8_t>(m_speed.GetPos());
    const kq::BroadcastDelays delays = kq::DelaysOfSpeedStep(o.Ablity);
    c.DelaySon = delays.son;
    c.DelayMon = delays.mon;

    o.Access = Checked(m_proxy);
    DWORD address = 0;
    if (o.Access == 1 && m_proxyAddress.GetAddress(address) > 0) {
        o.ProxyIp = htonl(address);
        o.ProxyPort = static_cast<uint16_t>(std::atoi(Text(m_proxyPort).GetString()));
    }
    o.SharePort = static_cast<uint16_t>(std::atoi(Trimmed(m_sharePort).c_str()));
    o.AutoMonitor = Checked(m_monitoring);
    kq::CopyTextField(o.ProxyName, Trimmed(m_proxyName).c_str());
    kq::CopyTextField(o.ProxyPassword, Trimmed(m_proxyPassword).c_str());
    o.WatchInterval = o.AutoMonitor == 1 ? static_cast<uint8_t>(std::atoi(Text(m_watchInterval).GetString())) : 0;

    const std::string background = Trimmed(m_background);
    m_backgroundChanged = !kq::EqualIgnoringCase(background, FieldText(o.ListBmp).GetString());
    kq::CopyTextField(o.ListBmp, background.c_str());
    kq::CopyTextField(o.LogoBmp, Trimmed(m_logo).c_str());
}

void CSettingsDlg::OnOK()
{
    if (m_config == nullptr || m_options == nullptr) {
        OnCancel();
        return;
    }
    // Every entry is checked before any is stored: a refusal leaves the
    // records as they were, whatever the user does next.
    if (!EntriesAccepted())
        return;
    StoreValues();
    m_pages.RemoveAllPages();
    if (m_classroomNow != m_classroomAtOpen)
        kq::ShowWarning(TeacherRes::IDS_CLASSROOM_CHANGED);
    EndDialog(IDOK);
}

void CSettingsDlg::OnCancel()
{
    m_pages.RemoveAllPages();
    EndDialog(IDCANCEL);
}
