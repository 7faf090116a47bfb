#pragma once
// CHandInDlg: the student names one existing file to hand in. OK checks the
// path (its form, then the file system) and shows why a path is refused;
// the dialog stays open until a good path or Cancel.

#include "framework/Framework.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"

class CHandInDlg : public CSkinDialog {
public:
    static constexpr UINT kPathId = 1001;
    static constexpr UINT kOkId = 102;
    static constexpr UINT kCancelId = 103;
    static constexpr UINT kBrowseId = 1002;

    CHandInDlg();

    // The full path of the file after OK; empty after Cancel.
    CString m_path;
    // What the last Browse returned (empty when it was cancelled).
    CString m_browsedPath;

    // 0 when `path` names a readable file, else the id of the message that
    // says why not. An empty path gives 0 too: the caller checks it first.
    static unsigned CheckPath(const CString& path);

    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
    afx_msg void OnPaint();
    afx_msg void OnOkButton();
    afx_msg void OnCancelButton();
    afx_msg void OnBrowse();

private:
    CEdit m_field;
    CSkinButton m_ok;
    CSkinButton m_cancel;
    CSkinButton m_browse;
};
