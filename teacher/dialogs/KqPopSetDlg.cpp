#include "teacher/dialogs/KqPopSetDlg.h"

#include "teacher/BroadcastSpeed.h"
#include "teacher/dialogs/DialogControls.h"
#include "teacher/dialogs/MixerImports.h"

#include "TeacherResources.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CKqPopSetDlg, CSkinDialog)
    ON_BN_CLICKED(CKqPopSetDlg::kOkId, OnOK)
    ON_BN_CLICKED(CKqPopSetDlg::kCloseId, OnCancel)
    ON_BN_CLICKED(CKqPopSetDlg::kSoundOffId, OnSoundOff)
    ON_NOTIFY(NM_RELEASEDCAPTURE, CKqPopSetDlg::kVolumeId, OnVolumeReleased)
    ON_MESSAGE(MM_MIXM_CONTROL_CHANGE, OnMixerControlChange)
END_MESSAGE_MAP()

int CKqPopSetDlg::s_volumeBeforeSilence = 0;

namespace {

constexpr int kCloseX = 401;
constexpr int kCloseY = 4;

const CRect kVolumeRect(125, 117, 290, 137);
const CRect kSoundOffRect(145, 91, 156, 102);
const CRect kCompressionZeroRect(109, 167, 122, 179);
const CRect kCompressionOneRect(205, 167, 218, 179);
const CRect kSpeedRect(125, 214, 285, 234);
const CRect kOkRect(162, 329, 205, 349);
const CRect kCloseRect(240, 329, 283, 349);

constexpr DWORD kSliderStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS;
constexpr DWORD kBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kRadioStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;

// KqMixer names a line by a pair of arguments.
constexpr int kLine0[] = {1, 0};
constexpr int kLine1[] = {0, 1};
constexpr int kBroadcastLine = 1;
constexpr int kIdleLine = 0;
constexpr UINT kFirstMixer = 0;

void SetLineVolume(const int (&line)[2], unsigned volume)
{
    KqMixerSetRecVolume(line[0], line[1], volume, nullptr); // a failure leaves the volume as it was
}

} // namespace

CKqPopSetDlg::CKqPopSetDlg(CWnd* parent)
    : CSkinDialog(TeacherRes::IDD_MESSAGE_BOX, kCloseX, kCloseY, TeacherRes::IDB_POPSET_BACKGROUND, parent)
{
}

BOOL CKqPopSetDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    SetWindowText(kTitle);
    // The main window lies in the tray during a broadcast: stay in sight.
    SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    m_compressionOne.Create(nullptr, kRadioStyle | WS_GROUP, kCompressionOneRect, this, kCompressionOneId);
    m_compressionZero.Create(nullptr, kRadioStyle, kCompressionZeroRect, this, kCompressionZeroId);
    m_soundOffBox.Create(nullptr, kBoxStyle, kSoundOffRect, this, kSoundOffId);
    (m_compression == 0 ? m_compressionZero : m_compressionOne).SetCheck(BST_CHECKED);

    m_speed.Create(kSliderStyle, kSpeedRect, this, kSpeedId);
    m_speed.SetRange(kq::kSlowestSpeedStep, kq::kFastestSpeedStep);
    m_volume.Create(kSliderStyle, kVolumeRect, this, kVolumeId);
    m_volume.SetRange(0, kq::kVolumeSliderMax);

    if (m_soundOff == 1) {
        m_soundOffBox.SetCheck(BST_CHECKED);
        SilenceCurrentLine();
        SetLineVolume(kLine1, 0);
    }
    const int volume = KqMixerGetRecVolume(CurrentLine(), nullptr);
    if (volume < 0) {
        m_volume.EnableWindow(FALSE);
        m_soundOffBox.EnableWindow(FALSE);
    } else {
        m_volume.SetPos(kq::SliderPositionOfVolume(static_cast<unsigned>(volume)));
    }

    kq::CreateFaceButton(m_ok, this, kOkRect, kOkId, TeacherRes::IDB_OK_UP, TeacherRes::IDB_OK_DOWN);
    kq::CreateFaceButton(m_close, this, kCloseRect, kCloseId, TeacherRes::IDB_NO_UP, TeacherRes::IDB_NO_DOWN);
    m_speed.SetPos(m_speedStep);
    if (::mixerOpen(&m_mixer, kFirstMixer, reinterpret_cast<DWORD_PTR>(m_hWnd), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR)
        m_mixer = nullptr; // no mixer changes will arrive; nothing else depends on it
    return TRUE;
}

void CKqPopSetDlg::SilenceCurrentLine()
{
    SetLineVolume(m_broadcasting ? kLine1 : kLine0, 0);
}

void CKqPopSetDlg::CloseMixer()
{
    if (m_mixer != nullptr)
        ::mixerClose(m_mixer);
    m_mixer = nullptr;
}

void CKqPopSetDlg::OnOK()
{
    m_speedStep = m_speed.GetPos();
    const kq::BroadcastDelays delays = kq::DelaysOfSpeedStep(m_speedStep);
    m_delaySon = delays.son;
    m_delayMon = delays.mon;
    m_compression = m_compressionZero.GetCheck() == BST_CHECKED ? 0 : 1;

    const unsigned volume = kq::VolumeOfSliderPosition(m_volume.GetPos());
    if (m_broadcasting) {
        if (KqMixerGetRecVolume(kBroadcastLine, nullptr) >= 0)
            SetLineVolume(kLine1, volume);
    } else if (KqMixerGetRecVolume(kIdleLine, nullptr) >= 0) {
        m_lastVolume = volume;
        SetLineVolume(kLine0, volume);
    }
    m_soundOff = m_soundOffBox.GetCheck() == BST_CHECKED ? 1 : 0;
    if (m_soundOff == 1)
        SilenceCurrentLine();
    CloseMixer();
    EndDialog(IDOK);
}

void CKqPopSetDlg::OnCancel()
{
    CloseMixer();
    EndDialog(IDCANCEL);
}

void CKqPopSetDlg::OnSoundOff()
{
    CWnd* main = AfxGetMainWnd();
    if (m_soundOffBox.GetCheck() == BST_CHECKED) {
        if (main != nullptr)
            main->PostMessage(kSoundSwitchMessage, 0, 0);
        s_volumeBeforeSilence = m_volume.GetPos();
        m_volume.EnableWindow(FALSE);
    } else {
        if (main != nullptr)
            main->PostMessage(kSoundSwitchMessage, 1, 0);
        if (s_volumeBeforeSilence > 0)
            m_volume.SetPos(s_volumeBeforeSilence);
        m_volume.EnableWindow(TRUE);
    }
}

void CKqPopSetDlg::OnVolumeReleased(NMHDR*, LRESULT* result)
{
    // Line 1 whether or not a broadcast runs.
    if (KqMixerGetRecVolume(kBroadcastLine, nullptr) >= 0) {
        m_lastVolume = kq::VolumeOfSliderPosition(m_volume.GetPos());
        SetLineVolume(kLine1, m_lastVolume);
    }
    *result = 0;
}

LRESULT CKqPopSetDlg::OnMixerControlChange(WPARAM, LPARAM)
{
    const int volume = KqMixerGetRecVolume(kBroadcastLine, nullptr);
    if (volume < 0) {
        m_volume.EnableWindow(FALSE);
        m_soundOffBox.EnableWindow(FALSE);
    } else {
        m_volume.SetPos(kq::SliderPositionOfVolume(static_cast<unsigned>(volume)));
    }
    return 0;
}
