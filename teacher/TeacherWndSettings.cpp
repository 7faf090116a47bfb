// CTeacherWnd: the station's settings (641), the button sets (643 and the
// button-set menu's 1132), the popup settings of a broadcast (839) and the
// homework file server, which 308, the start (0x437) and the settings'
// OK all start the same way.

#include "teacher/TeacherWnd.h"

#include "common/TextField.h"
#include "standins/kqtransmit/KqTransmit.h"
#include "standins/lectern/LecternTeacher.h"
#include "teacher/Globals.h"
#include "teacher/PathSyntax.h"
#include "teacher/dialogs/ButtonConfigDlg.h"
#include "teacher/dialogs/KqPopSetDlg.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/SettingsDlg.h"

#include "TeacherResources.h"

namespace {

constexpr WORD kCodeStudentSettings = 34;
// Bits of code 34's parameter byte.
constexpr uint8_t kHomeworkOn = 1;
constexpr uint8_t kDesktopShellOn = 2;
constexpr int kHomeworkHelpItem = 20;
constexpr UINT kRecordSwitch = 838;

} // namespace

// ---- Homework file server ----

bool CTeacherWnd::StartHomeworkServer()
{
    kq::TeacherOptions& options = Options();
    const std::string typed(options.RecvPath, kq::TextFieldLength(options.RecvPath, sizeof options.RecvPath));
    if (typed.empty())
        return false;
    // The server takes the folder with one trailing backslash; the record
    // keeps it too when it still fits.
    const std::string folder = kq::WithTrailingBackslash(typed);
    if (folder.size() < sizeof options.RecvPath)
        kq::CopyTextField(options.RecvPath, folder.c_str());
    const int result = StartFileServer(folder.c_str(), m_hWnd);
    if (result >= 0) {
        m_fileServerPort = result;
    } else if (result != kTransmitAlreadyRunning || m_fileServerPort < 0) {
        // "Already running" is a success only with a port from before.
        return false;
    }
    m_fileServerRunning = true;
    return true;
}

LRESULT CTeacherWnd::OnRestartHomeworkServer(WPARAM, LPARAM)
{
    if (Options().Homework != 1)
        return 0;
    if (!StartHomeworkServer()) {
        StartupWarning(TeacherRes::IDS_HOMEWORK_SERVER_FAILED, kHomeworkHelpItem);
        return 0;
    }
    // Right after the creation the block is still the zeroed one.
    m_command.block.code = kCodeStudentSettings;
    m_command.block.param = Config().KqDesk == 1 ? kHomeworkOn | kDesktopShellOn : kHomeworkOn;
    kq::SetCommandWord(m_command, kq::kCommandFirstTextOffset, static_cast<uint16_t>(m_fileServerPort));
    SendCommand();
    return 0;
}

// ---- Settings ----

void CTeacherWnd::OnOptions()
{
    kq::ClearCommand(m_command);
    int hasTarget = 0;
    if (m_seatMap != nullptr) {
        m_seatMap->GetSelectedSeats(&m_command.block.targetCount, kq::TargetSeats(m_command), 0);
        hasTarget = m_command.block.targetCount != 0 ? 1 : 0;
        if (hasTarget == 0)
            hasTarget = m_seatMap->GetOnlineSeats(&m_command.block.targetCount, kq::TargetSeats(m_command)) &&
                                m_command.block.targetCount != 0
                            ? 1
                            : 0;
    }
    CSettingsDlg dialog;
    dialog.SetRecords(&Config(), &Options());
    dialog.SetTarget(hasTarget, kq::TargetSeats(m_command)[0]);
    if (RunCommandDialog(dialog) != IDOK)
        return;

    const kq::BroadcastOptions options = CurrentBroadcastOptions();
    LecternSetOptions(&options);
    const BOOL tips = Options().EnableTip == 1;
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.Activate(tips);
    m_panelA.ActivateToolTip(tips);
    m_functionPanel.ActivateToolTip(tips);
    if (dialog.BackgroundChanged() && m_seatMap != nullptr)
        m_seatMap->SetBackground(Options().ListBmp);
    LecternSetConfig(&Config());

    kq::ClearCommand(m_command);
    m_command.block.code = kCodeStudentSettings;
    if (Options().Homework == 1) {
        if (m_fileServerRunning || StartHomeworkServer()) {
            m_command.block.param = kHomeworkOn;
            kq::SetCommandWord(m_command, kq::kCommandFirstTextOffset, static_cast<uint16_t>(m_fileServerPort));
        } else {
            kq::ShowWarning(TeacherRes::IDS_HOMEWORK_SERVER_FAILED);
            Options().Homework = 0;
        }
    } else {
        QuitFileServer();
        m_fileServerRunning = false;
    }
    if (Config().KqDesk == 1)
        m_command.block.param |= kDesktopShellOn;
    SendCommand();
}

// ---- Button sets ----

void CTeacherWnd::OnButtonConfig()
{
    CButtonConfigDlg dialog;
    dialog.SetConfig(&Config());
    if (dialog.DoModal() == IDOK)
        RecalcLayout();
}

// ---- Popup settings of a running broadcast ----

void CTeacherWnd::OnPopSettings()
{
    if (::FindWindowA(nullptr, CKqPopSetDlg::kTitle) != nullptr)
        return;
    kq::BroadcastOptions options = CurrentBroadcastOptions();
    CKqPopSetDlg dialog(this);
    dialog.m_speedStep = Options().Ablity;
    dialog.m_delaySon = Config().DelaySon;
    dialog.m_delayMon = Config().DelayMon;
    dialog.m_compression = Config().CompressMethord;
    dialog.m_broadcasting = m_broadcasting ? 1 : 0;
    dialog.m_soundOff = Config().SoundOpenFlag == 0 ? 1 : 0;
    if (dialog.DoModal() != IDOK)
        return;

    options.CompressMethord = dialog.m_compression != 0 ? 1 : 0;
    options.DelaySon = static_cast<uint8_t>(dialog.m_delaySon);
    options.DelayMon = static_cast<uint8_t>(dialog.m_delayMon);
    ApplyBroadcastOptions(options);
    Options().Ablity = static_cast<uint8_t>(dialog.m_speedStep);
    LecternSetConfig(&Config());
    // Recording needs the first compression, and a classroom with disks.
    if (m_floatingToolBar != nullptr && m_floatingToolBar->GetSafeHwnd() != nullptr) {
        if (CWnd* record = m_floatingToolBar->GetDlgItem(kRecordSwitch))
            record->EnableWindow(Config().CompressMethord == 0 && g_bStuNoDisk == 0);
    }
}
