#pragma once
// CSeatEntryDlg: what the joiner's two number dialogs share: the skinned
// template 135 on a background of their own, the seat number field, the OK
// and Cancel buttons, the seat check with its notices, and the focus that
// returns to the seat field whenever the dialog paints.

#include "framework/Framework.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"

#include <string>

class CSeatEntryDlg : public CSkinDialog {
public:
    static constexpr UINT kTemplateId = 135;
    static constexpr UINT kSeatFieldId = 139;
    static constexpr UINT kOkId = 140;
    static constexpr UINT kCancelId = 141;
    static constexpr int kSeatFieldChars = 3;

    explicit CSeatEntryDlg(UINT backgroundId);

    // Where the numbers are read and written (set before DoModal).
    void SetPaths(const std::string& localCopy, const std::string& workingCopy, const std::string& backupCopy);

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnPaint();
    afx_msg void OnOkButton();
    afx_msg void OnCancelButton();

    // Creates the seat field (upper case, at most 3 characters) and the two
    // buttons.
    void CreateSeatField(const RECT& rect, DWORD border);
    void CreateButtons();
    // The seat text when it passes the check; otherwise shows the notice,
    // selects the field's text and returns false.
    bool CheckedSeat(CString& seat);
    // Gives `field` the focus with its whole text selected.
    static void SelectAll(CEdit& field);
    // The file the dialog writes: the backup copy when there is one, else the
    // local copy.
    const std::string& TargetCopy() const { return m_backupCopy.empty() ? m_localCopy : m_backupCopy; }

    std::string m_localCopy;
    std::string m_workingCopy;
    std::string m_backupCopy;
    CEdit m_seatField;
    CSkinButton m_ok;
    CSkinButton m_cancel;
};
