#pragma once
// CExerciseEntryDlg: one exercise of the exercise list, a name and the path
// of its program, added or edited. A new exercise's path is checked; an
// edited one's only so far that it fits the file.

#include "widgets/SkinDialog.h"

class CExerciseEntryDlg : public CSkinDialog {
public:
    // `backgroundId`: the adding or the editing background.
    explicit CExerciseEntryDlg(UINT backgroundId);

    void SetEditMode(bool editing) { m_editMode = editing; }
    // Each setter ignores an empty text.
    void SetProgram(const CString& program);
    void SetName(const CString& name);
    // After IDOK: the trimmed, checked texts.
    const CString& GetName() const { return m_nameResult; }
    const CString& GetProgram() const { return m_programResult; }

    BOOL OnInitDialog() override;

    static constexpr UINT kProgramId = 718;
    static constexpr UINT kNameId = 701;
    static constexpr UINT kBrowseId = 708;
    static constexpr UINT kCloseId = 705;
    static constexpr UINT kOkId = 707;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnBrowse();

private:
    CFont m_font;
    bool m_editMode = false;
    CString m_programResult;
    CString m_nameResult;
    CString m_initialProgram;
    CString m_initialName;
    CEdit m_program;
    CEdit m_name;
    CBitmapButton m_browse;
    CBitmapButton m_close;
    CBitmapButton m_ok;
};
