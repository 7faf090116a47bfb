#include "joiner/NoticeDlg.h"

#include "common/ProgramFolder.h"
#include "common/ShellOpen.h"
#include "joiner/JoinerLook.h"

BEGIN_MESSAGE_MAP(CNoticeDlg, CSkinDialog)
    ON_BN_CLICKED(CNoticeDlg::kOkId, OnOkButton)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kLabelColour = RGB(171, 229, 249);
constexpr RECT kLabelRect = {98, 33, 272, 115};
constexpr POINT kOkPosition = {127, 123};
constexpr char kHelpFolder[] = "help\\";

struct HelpPage {
    UINT messageId;
    const char* page;
};

constexpr HelpPage kHelpPages[] = {
    {kq::kNoticeAgentStartFailed, "10.htm"},
    {kq::kNoticeRegistryFailed, "8.htm"},
    {kq::kNoticeReceiveFailed, "1.htm"},
    {kq::kNoticeSocketFailed, "31.htm"},
};

} // namespace

namespace kq {

const char* NoticeHelpPage(UINT messageId)
{
    for (const HelpPage& row : kHelpPages) {
        if (row.messageId == messageId)
            return row.page;
    }
    return nullptr;
}

void ShowNotice(UINT messageId)
{
    CNoticeDlg notice(messageId);
    notice.DoModal();
}

} // namespace kq

CNoticeDlg::CNoticeDlg(UINT messageId)
    : CSkinDialog(kTemplateId, kq::kJoinerCornerWidth, kq::kJoinerCornerHeight, kq::kJoinerCloseX,
                  kq::kJoinerCloseY, kBackgroundId, CWnd::GetDesktopWindow(), kq::kJoinerSkinLook),
      m_messageId(messageId),
      m_label(0, kq::kJoinerSkinLook)
{
    m_text.LoadString(messageId);
}

BOOL CNoticeDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    m_label.Create(m_text, WS_VISIBLE | SS_LEFT, kLabelRect, this, kLabelId);
    m_label.SetBackColor(kLabelColour);
    m_ok.Create(kOkPosition.x, kOkPosition.y, kOkId, this, WS_VISIBLE);
    m_ok.LoadBitmaps(kq::kJoinerOkUp, kq::kJoinerOkDown, nullptr, 0);
    return TRUE;
}

void CNoticeDlg::OnOkButton()
{
    if (const char* page = kq::NoticeHelpPage(m_messageId)) {
        char program[MAX_PATH] = {};
        const DWORD length = ::GetModuleFileNameA(nullptr, program, sizeof program);
        if (length > 0 && length < sizeof program)
            kq::ShellOpen(kq::FolderOfPath(program) + kHelpFolder + page); // a missing page is not reported
    }
    EndDialog(IDOK);
}
