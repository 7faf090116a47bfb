#pragma once
// CNoticeDlg: the joiner's one notice box. It shows one of the joiner's
// message strings; for four of them its OK button opens a help page from the
// "help" folder beside the program. Shown through kq::ShowNotice.

#include "framework/Framework.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"
#include "widgets/SkinLabel.h"

class CNoticeDlg : public CSkinDialog {
public:
    static constexpr UINT kTemplateId = 147;
    static constexpr UINT kBackgroundId = 146;
    static constexpr UINT kLabelId = 149;
    static constexpr UINT kOkId = 148;

    // Loads string `messageId` of the program.
    explicit CNoticeDlg(UINT messageId);

    BOOL OnInitDialog() override;

protected:
    DECLARE_MESSAGE_MAP()
    // Opens the message's help page, then ends with OK. Enter ends with OK
    // without a page.
    afx_msg void OnOkButton();

private:
    UINT m_messageId;
    CString m_text;
    CSkinLabel m_label;
    CSkinButton m_ok;
};

namespace kq {

// The joiner's messages.
inline constexpr UINT kNoticeAgentStartFailed = 61204;
inline constexpr UINT kNoticeRegistryFailed = 61205;
inline constexpr UINT kNoticeReceiveFailed = 61206;
inline constexpr UINT kNoticeSeatEmpty = 61207;
inline constexpr UINT kNoticeSeatInvalid = 61208;
inline constexpr UINT kNoticeClassroomInvalid = 61209;
inline constexpr UINT kNoticeSocketFailed = 61210;
inline constexpr UINT kNoticeHostNameFailed = 61211;
inline constexpr UINT kNoticeCopyFailed = 61212;
inline constexpr UINT kNoticeNoAdapter = 61213;

// The help page of `messageId` ("10.htm"), or null when it has none.
const char* NoticeHelpPage(UINT messageId);

// Shows notice `messageId` modally, without an owner; returns when the user
// closed it.
void ShowNotice(UINT messageId);

} // namespace kq
