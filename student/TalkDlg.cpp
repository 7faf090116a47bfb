#include "student/TalkDlg.h"

#include "common/AdapterAddress.h"
#include "common/TalkRecord.h"
#include "widgets/StudentLook.h"

#include <string>

BEGIN_MESSAGE_MAP(CTalkDlg, CSkinDialog)
    ON_BN_CLICKED(CTalkDlg::kSendId, OnSendButton)
    ON_BN_CLICKED(CTalkDlg::kCloseId, OnCloseButton)
    ON_MESSAGE(CTalkDlg::WM_TALK_SOCKET, OnSocket)
END_MESSAGE_MAP()

namespace {

constexpr UINT kTemplate = 100;
constexpr UINT kBackground = 176;
constexpr POINT kClosePosition = {321, 4};
constexpr RECT kInputRect = {56, 183, 331, 201};
constexpr POINT kSendPosition = {122, 207};
constexpr POINT kCloseButtonPosition = {195, 207};
constexpr UINT kSendUp = 172, kSendDown = 171;
constexpr UINT kCloseUp = 160, kCloseDown = 159;
constexpr RECT kViewRect = {30, 43, 319, 165};
constexpr int kTimeToLive = 1;
constexpr int kSendAttempts = 3;
constexpr DWORD kEndNoticePauseMs = 1;
constexpr int kWholeText = -1;

} // namespace

CTalkDlg::CTalkDlg()
    : CSkinDialog(kTemplate, kq::kStudentCornerWidth, kq::kStudentCornerHeight, kClosePosition.x, kClosePosition.y,
                  kBackground, CWnd::GetDesktopWindow(), kq::kStudentSkinLook)
{
}

BOOL CTalkDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    m_input.Create(WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, kInputRect, this, kInputId);
    m_input.LimitText(kInputMaxChars);
    m_send.Create(kSendPosition.x, kSendPosition.y, kSendId, this, WS_VISIBLE);
    m_send.LoadBitmaps(kSendUp, kSendDown, nullptr, 0);
    m_send.SetFocus();
    m_close.Create(kCloseButtonPosition.x, kCloseButtonPosition.y, kCloseId, this, WS_VISIBLE);
    m_close.LoadBitmaps(kCloseUp, kCloseDown, nullptr, 0);
    m_view.Create(WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, kViewRect, this, kConversationId);
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow();

    m_socketOpen = OpenSocket();
    if (!m_socketOpen)
        m_socket.Close();
    return FALSE; // Send has the focus; a socket that failed is not reported
}

bool CTalkDlg::OpenSocket()
{
    const std::string adapter = kq::ReadAdapterAddress();
    const char* localInterface = kq::IsAnyAdapter(adapter) ? nullptr : adapter.c_str();
    return m_socket.Create(m_classroomGroup, htons(m_port), localInterface, kTimeToLive) &&
           m_socket.JoinGroup(localInterface, TRUE) && m_socket.AsyncSelect(m_hWnd, WM_TALK_SOCKET, FD_READ);
}

void CTalkDlg::OnSendButton()
{
    SendLine();
}

void CTalkDlg::OnOK()
{
    SendLine(); // Enter sends; the dialog stays
}

void CTalkDlg::SendLine()
{
    if (!m_socketOpen)
        return;
    CString typed;
    m_input.GetWindowText(typed);
    const kq::TalkRecord record = kq::MakeTalkLine(kq::kTalkStudentPrefix, typed);
    DWORD sent = 0;
    if (!m_socket.SendTo(&record, sizeof record, &sent, kSendAttempts))
        return;
    m_input.SetSel(0, kWholeText);
    m_input.SendMessage(EM_SCROLLCARET);
    m_input.SetFocus();
}

LRESULT CTalkDlg::OnSocket(WPARAM, LPARAM)
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
    if (message.kind == kq::kTalkTeacherEnded) {
        EndTalk();
        CSkinDialog::OnCancel();
        return 0;
    }
    m_conversation += message.text.c_str();
    m_view.SetWindowText(m_conversation);
    m_view.LineScroll(m_view.GetLineCount());
    return 0;
}

void CTalkDlg::EndTalk()
{
    if (!m_socketOpen)
        return;
    const uint8_t notice = kq::kTalkStudentEnded;
    m_socket.SendCopies(&notice, sizeof notice, kEndNotices, kSendAttempts, kEndNoticePauseMs);
    m_socket.Close();
    m_socketOpen = false;
}

void CTalkDlg::OnCloseButton()
{
    OnCancel();
}

void CTalkDlg::OnCancel()
{
    EndTalk();
    CSkinDialog::OnCancel();
}
