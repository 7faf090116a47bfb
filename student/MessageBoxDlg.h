#pragma once
// CMessageBoxDlg: the student agent's one message box. It shows a text on
// its background, can close itself after a time chosen by its mode, and its
// OK button opens the message's help page when it has one. Shown through
// kq::ShowStudentMessage (StudentMessages.h).

#include "framework/Framework.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"
#include "widgets/SkinLabel.h"

class CMessageBoxDlg : public CSkinDialog {
public:
    // Modes: how long the box stays before closing itself.
    static constexpr int kCloseAfter120s = 0;
    static constexpr int kCloseAfter3s = 1;
    static constexpr int kCloseAfter10s = 2;
    static constexpr int kStayOpen = 3; // as any other value

    static constexpr UINT kLabelId = 1006;
    static constexpr UINT kOkId = 102;

    CMessageBoxDlg(UINT templateId, int cornerWidth, int cornerHeight, int closeX, int closeY, UINT backgroundId,
                   CWnd* owner);

    void SetText(const CString& text) { m_text = text; }
    // The id of the text, which selects the help page; 0 for a composed text.
    void SetMessageId(int messageId) { m_messageId = messageId; }
    void SetMode(int mode) { m_mode = mode; }

    BOOL OnInitDialog() override;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnTimer(UINT_PTR timerId);
    // Opens the help page, then closes with OK. Enter closes with OK only.
    afx_msg void OnOkButton();

private:
    CString m_text;
    int m_messageId = 0;
    int m_mode = kCloseAfter120s;
    CSkinLabel m_label;
    CSkinButton m_ok;
};
