#pragma once
// CVideoFileDlg: asks for what a new video channel needs, a channel name and
// an existing video file. DoModal returns IDOK only after a confirm whose
// name is not blank and whose path is well formed and names a file; the
// failing check shows its warning and the dialog stays open. Browse fills
// the path, and an empty name from the file's name.

#include "widgets/SkinDialog.h"

class CVideoFileDlg : public CSkinDialog {
public:
    CVideoFileDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent);

    // The trimmed texts of the last successful confirm.
    CString GetChannelName() const { return m_channelName; }
    CString GetFilePath() const { return m_filePath; }

    BOOL OnInitDialog() override;

    static constexpr UINT kNameEditId = 701;
    static constexpr UINT kPathEditId = 718;
    static constexpr UINT kBrowseId = 708;
    static constexpr UINT kCancelId = 705;
    static constexpr UINT kConfirmId = 706;
    // Characters the teacher may type as a name.
    static constexpr int kNameTypingLimit = 30;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    afx_msg void OnConfirm();
    afx_msg void OnBrowse();
    afx_msg void OnCancelButton();

private:
    CString m_channelName;
    CString m_filePath;
    CEdit m_pathEdit;
    CEdit m_nameEdit;
    CBitmapButton m_browse;
    CBitmapButton m_cancel;
    CBitmapButton m_confirm;
};
