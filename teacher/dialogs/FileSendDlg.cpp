#include "teacher/dialogs/FileSendDlg.h"

#include "standins/kqtransmit/KqTransmit.h"
#include "standins/lectern/LecternTeacher.h"
#include "teacher/PathSyntax.h"
#include "teacher/dialogs/MessageBoxLayout.h"
#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/SendFileRules.h"
#include "widgets/FolderPicker.h"

#include "TeacherResources.h"

#include <cstdio>
#include <string>

BEGIN_MESSAGE_MAP(CFileSendDlg, CSkinDialog)
    ON_BN_CLICKED(CFileSendDlg::kSendId, OnSend)
    ON_BN_CLICKED(CFileSendDlg::kCancelId, OnCancelButton)
    ON_BN_CLICKED(CFileSendDlg::kChooseId, OnChoose)
    ON_BN_CLICKED(CFileSendDlg::kCloseId, OnCancelButton)
    ON_WM_TIMER()
    ON_MESSAGE(kTransmitDoneMessage, OnTransmitDone)
END_MESSAGE_MAP()

namespace {

static_assert(kq::kReceivingFolderEmpty == TeacherRes::IDS_RECEIVING_FOLDER_EMPTY);
static_assert(kq::kReceivingFolderLength == TeacherRes::IDS_RECEIVING_FOLDER_LENGTH);
static_assert(kq::kReceivingFolderNoDrive == TeacherRes::IDS_RECEIVING_FOLDER_NO_DRIVE);
static_assert(kq::kReceivingFolderBadCharacter == TeacherRes::IDS_RECEIVING_FOLDER_BAD_CHARACTER);

const CRect kSourceRect(79, 40, 228, 58);
const CRect kChooseRect(243, 39, 269, 57);
const CRect kFolderRect(79, 68, 228, 86);
const CRect kProgressRect(30, 98, 268, 110);
const CRect kSendRect(91, 123, 134, 143);
const CRect kCancelRect(164, 123, 207, 143);
const CRect kCloseRect(269, 4, 285, 18);

constexpr DWORD kButtonStyle = kq::message_box::kButtonStyle;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr int kFontPoints = 90; // tenths of a point
constexpr char kFontFace[] = "宋体";
constexpr char kChooseTitle[] = "请选择要发送的文件或目录";

// The transfer's two groups and its port, one per classroom.
constexpr char kFirstGroup[] = "234.5.6.7";
constexpr char kSecondGroup[] = "234.6.7.8";
constexpr int kBasePort = 6001;

constexpr WORD kCodeSendFiles = 10;
constexpr uint8_t kSendingFolder = 1;
constexpr uint8_t kSendingFile = 0;
// How long the students get to prepare before the data comes.
constexpr DWORD kStudentsGetReadyMs = 2000;
constexpr UINT kProgressPeriodMs = 200;
constexpr int kPercentRange = 100;
// Below this a cancel would find too little started to stop cleanly.
constexpr int kCancelFromPercent = 3;
constexpr LPARAM kTransferDone = kTransmitDone;
constexpr LPARAM kTransferFailed = kTransmitFailed;

} // namespace

CFileSendDlg::CFileSendDlg(kq::CommandBlockWithTail* command, const kq::TeacherOptions* options)
    : CSkinDialog(TeacherRes::IDD_MESSAGE_BOX, 0, 0, TeacherRes::IDB_FILE_SEND_BACKGROUND, nullptr),
      m_command(command), m_options(options)
{
}

BOOL CFileSendDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    m_font.CreatePointFont(kFontPoints, kFontFace);
    const struct {
        CBitmapButton& button;
        const CRect& rect;
        UINT id;
        UINT up;
        UINT down;
    } buttons[] = {
        {m_choose, kChooseRect, kChooseId, TeacherRes::IDB_BROWSE_UP, TeacherRes::IDB_BROWSE_DOWN},
        {m_send, kSendRect, kSendId, TeacherRes::IDB_SEND_UP, TeacherRes::IDB_SEND_DOWN},
        {m_cancel, kCancelRect, kCancelId, TeacherRes::IDB_NO_UP, TeacherRes::IDB_NO_DOWN},
        {m_closeBox, kCloseRect, kCloseId, TeacherRes::IDB_CLOSE_UP, TeacherRes::IDB_CLOSE_DOWN},
    };
    for (const auto& b : buttons) {
        b.button.Create(nullptr, kButtonStyle, b.rect, this, b.id);
        b.button.LoadBitmaps(b.up, b.down);
    }
    m_sourceEdit.Create(kEditStyle, kSourceRect, this, kSourceId);
    m_folderEdit.Create(kEditStyle, kFolderRect, this, kFolderId);
    m_folderEdit.SetWindowText(kDefaultFolder);
    m_progress.Create(WS_VISIBLE | PBS_SMOOTH, kProgressRect, this, kProgressId);
    m_progress.SetRange(0, kPercentRange);
    m_progress.SetPos(0);
    m_sourceEdit.SetFont(&m_font);
    m_folderEdit.SetFont(&m_font);

    const WORD port = htons(static_cast<u_short>(kBasePort + m_options->ClassroomID));
    if (InitSender(::inet_addr(kFirstGroup), ::inet_addr(kSecondGroup), port, m_hWnd) != 0)
        kq::ShowWarningWithHelp(TeacherRes::IDS_SENDER_START_FAILED);
    m_sourceEdit.SetFocus();
    return FALSE; // the source field has the focus
}

void CFileSendDlg::OnOK()
{
    OnSend();
}

void CFileSendDlg::OnSend()
{
    // Send is disabled while a transfer runs, but Enter is not: a second
    // start would tell the students once more in the middle of it.
    if (m_sending)
        return;
    CString typed;
    m_folderEdit.GetWindowText(typed);
    std::string folder;
    if (const unsigned message = kq::CheckReceivingFolder(typed.GetString(), folder)) {
        kq::ShowWarning(message);
        return;
    }
    m_sourceEdit.GetWindowText(m_source);
    bool started = false;
    switch (kq::GetPathType(m_source)) {
    case kq::kPathIsFolder: started = StartFolder(m_source, folder); break;
    case kq::kPathIsFile: started = StartFile(m_source, folder); break;
    default: kq::ShowWarning(TeacherRes::IDS_PATH_REJECTED); break;
    }
    if (!started)
        return;
    SetTimer(kProgressTimer, kProgressPeriodMs, nullptr);
    m_cancel.EnableWindow(FALSE);
    m_send.EnableWindow(FALSE);
    m_choose.EnableWindow(FALSE);
    m_sending = true;
}

void CFileSendDlg::SendReadyCommand(uint8_t isFolder)
{
    m_command->block.code = kCodeSendFiles;
    m_command->block.args[0] = isFolder;
    LecternSendCommand(m_command);
    ::Sleep(kStudentsGetReadyMs);
}

bool CFileSendDlg::StartFolder(CString source, const std::string& folder)
{
    SendReadyCommand(kSendingFolder);
    source += "\\";
    if (SendDirectory(source, folder.c_str(), 0, m_command->block.targetCount) != 0) {
        kq::ShowWarning(TeacherRes::IDS_SEND_DIRECTORY_REFUSED);
        return false;
    }
    return true;
}

bool CFileSendDlg::StartFile(const CString& source, const std::string& folder)
{
    std::FILE* file = std::fopen(source, "rb");
    if (file == nullptr) {
        kq::ShowWarning(TeacherRes::IDS_SEND_FAILED);
        return false;
    }
    std::fclose(file);
    SendReadyCommand(kSendingFile);
    if (SendFile(source, folder.c_str(), 0, m_command->block.targetCount) != 0) {
        kq::ShowWarning(TeacherRes::IDS_SEND_FILE_REFUSED);
        return false;
    }
    return true;
}

void CFileSendDlg::OnChoose()
{
    CFolderPicker picker;
    picker.m_title = kChooseTitle;
    picker.m_flags |= BIF_BROWSEINCLUDEFILES;
    if (!picker.Browse(this))
        return;
    m_source = picker.m_path;
    m_sourceEdit.SetWindowText(m_source);
}

void CFileSendDlg::OnTimer(UINT_PTR id)
{
    const int percent = id == kProgressTimer ? kq::SendProgressPercent(g_dwSended, g_dwTotalToBeSend) : 0;
    m_progress.SetPos(percent);
    if (percent >= kCancelFromPercent)
        m_cancel.EnableWindow(TRUE);
}

void CFileSendDlg::OnCancel()
{
    CancelOrClose();
}

void CFileSendDlg::OnCancelButton()
{
    CancelOrClose();
}

void CFileSendDlg::CancelOrClose()
{
    if (m_sending && CancelSendFile() == kTransmitFailed) {
        kq::ShowWarning(TeacherRes::IDS_SEND_NOT_CANCELLED);
        return;
    }
    KillTimer(kProgressTimer);
    UnInitSender();
    EndDialog(IDCANCEL);
}

LRESULT CFileSendDlg::OnTransmitDone(WPARAM event, LPARAM result)
{
    if (event != kTransmitSent)
        return 0;
    if (result == kTransferFailed) {
        kq::ShowWarning(TeacherRes::IDS_SEND_FAILED);
    } else if (result == kTransferDone) {
        m_sending = false;
        CancelOrClose();
    }
    return 0;
}
