#include "teacher/dialogs/ChatDlg.h"

#include "common/AdapterAddress.h"
#include "common/TalkRecord.h"
#include "common/TextField.h"
#include "teacher/dialogs/MessageBoxLayout.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

#include <string>

BEGIN_MESSAGE_MAP(CChatDlg, CSkinDialog)
    ON_BN_CLICKED(CChatDlg::kSendId, OnSend)
    ON_BN_CLICKED(CChatDlg::kCloseId, OnCloseClicked)
    ON_WM_CLOSE()
    ON_MESSAGE(CChatDlg::WM_CHAT_IDLE, OnIdleNotice)
    ON_MESSAGE(CChatDlg::WM_CHAT_SOCKET, OnSocketRead)
END_MESSAGE_MAP()

namespace {

// The base's close button sits in the background's top right corner.
constexpr int kBaseCloseX = 320;
constexpr int kBaseCloseY = 4;

const CRect kSendRect(122, 207, 165, 227);
const CRect kCloseRect(195, 207, 238, 227);
const CRect kInputRect(58, 184, 329, 200);
const CRect kHistoryRect(30, 43, 319, 165);

constexpr DWORD kButtonStyle = kq::message_box::kButtonStyle;
constexpr DWORD kInputStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kHistoryStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL;

// The chat stays inside the classroom's own network segment.
constexpr int kTimeToLive = 1;
constexpr int kSendAttempts = 3;
constexpr DWORD kEndRecordPauseMs = 1;

} // namespace

CChatDlg::CChatDlg()
    : CSkinDialog(TeacherRes::IDD_MESSAGE_BOX, kBaseCloseX, kBaseCloseY, TeacherRes::IDB_CHAT_BACKGROUND, nullptr)
{
}

BOOL CChatDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    SetWindowText(kTitle);
    // A control that cannot be made leaves the dialog without a socket:
    // sending then does nothing, and the teacher can still close it.
    if (!m_send.Create(nullptr, kButtonStyle, kSendRect, this, kSendId))
        return TRUE;
    m_close.Create(nullptr, kButtonStyle, kCloseRect, this, kCloseId);
    m_send.LoadBitmaps(TeacherRes::IDB_SEND_UP, TeacherRes::IDB_SEND_DOWN);
    m_close.LoadBitmaps(TeacherRes::IDB_NO_UP, TeacherRes::IDB_NO_DOWN);
    if (!m_input.Create(kInputStyle, kInputRect, this, kInputId))
        return TRUE;
    m_input.SetFont(GetFont());
    m_input.LimitText(kInputLimit);
    if (!m_history.Create(kHistoryStyle, kHistoryRect, this, kHistoryId))
        return TRUE;
    m_history.SetFont(GetFont());

    m_socketOpen = OpenSocket();
    if (!m_socketOpen)
        m_socket.Close();
    m_input.SetFocus();
    return FALSE; // the input line has the focus
}

bool CChatDlg::OpenSocket()
{
    const std::string adapter = kq::ReadAdapterAddress();
    const char* localInterface = kq::IsAnyAdapter(adapter) ? nullptr : adapter.c_str();
    return m_socket.Create(m_group, htons(m_port), localInterface, kTimeToLive) &&
           m_socket.AsyncSelect(m_hWnd, WM_CHAT_SOCKET, FD_READ) && m_socket.JoinGroup(localInterface, TRUE);
}

void CChatDlg::OnOK()
{
    OnSend(); // Enter sends; the dialog stays
}

void CChatDlg::OnSend()
{
    if (!m_socketOpen)
        return;
    CString typed;
    m_input.GetWindowText(typed);
    if (typed.IsEmpty())
        return;
    // The input counts characters: a Chinese line can hold twice the bytes
    // that may leave. Cut on a character boundary so the record always fits.
    char line[kInputLimit + 1] = {};
    kq::CopyTextField(line, typed.GetString());
    const kq::TalkRecord record = kq::MakeTalkLine(kq::kTalkTeacherPrefix, line);
    m_lastLine = record.text;
    DWORD sent = 0;
    if (!m_socket.SendTo(&record, sizeof record, &sent, kSendAttempts))
        return;
    // The line stays for the teacher to type over; it shows in the history
    // once it comes back from the group.
    m_input.SetSel(0, m_lastLine.GetLength());
    m_input.SendMessage(EM_SCROLLCARET);
    m_input.SetFocus();
}

LRESULT CChatDlg::OnSocketRead(WPARAM, LPARAM)
{
    if (!m_socketOpen)
        return 0;
    kq::TalkRecord buffer = {};
    DWORD received = 0;
    if (!m_socket.RecvFrom(&buffer, sizeof buffer, &received) || received == 0)
        return 0;
    kq::TalkMessage message;
    if (!kq::ParseTalkRecord(&buffer, received, message))
        return 0;
    if (message.kind == kq::kTalkStudentEnded) {
        // The student's window sends its notice several times: one box.
        if (m_studentEndShown)
            return 0;
        m_studentEndShown = true;
        kq::ShowWarning(TeacherRes::IDS_CHAT_STUDENT_LEFT);
        return 0;
    }
    if (message.text.empty())
        return 0;
    CString history;
    m_history.GetWindowText(history);
    history += message.text.c_str();
    m_history.SetWindowText(history);
    m_history.LineScroll(m_history.GetLineCount());
    return 0;
}

LRESULT CChatDlg::OnIdleNotice(WPARAM, LPARAM)
{
    return 0;
}

void CChatDlg::EndChat()
{
    if (!m_socketOpen)
        return;
    const uint8_t end = kq::kTalkTeacherEnded;
    m_socket.SendCopies(&end, sizeof end, kEndRecords, kSendAttempts, kEndRecordPauseMs);
    m_socket.Close();
    m_socketOpen = false;
}

void CChatDlg::OnCloseClicked()
{
    OnCancel();
}

void CChatDlg::OnCancel()
{
    EndChat();
    CSkinDialog::OnCancel();
}

void CChatDlg::OnClose()
{
    EndChat();
    CSkinDialog::OnClose();
}
