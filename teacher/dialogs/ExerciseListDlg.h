#pragma once
// CExerciseListDlg: the teacher's exercises, each a name and the program it
// runs, kept in kqexer.dat beside the program. The teacher adds, edits and
// deletes them and chooses the one to send; every way out saves the list.
// DoModal: IDOK with a choice (GetProgram), else IDCANCEL.

#include "framework/ListCtrl.h"
#include "widgets/SkinDialog.h"

#include <string>

class CExerciseListDlg : public CSkinDialog {
public:
    CExerciseListDlg();

    const CString& GetProgram() const { return m_chosenProgram; }
    const CString& GetName() const { return m_chosenName; }

    // kqexer.dat in the program's folder.
    static std::string ListFile();

    BOOL OnInitDialog() override;

    static constexpr UINT kChooseId = 704;
    static constexpr UINT kAddId = 707;
    static constexpr UINT kEditId = 709;
    static constexpr UINT kDeleteId = 711;
    static constexpr UINT kCloseId = 710;
    static constexpr UINT kListId = 717;

protected:
    DECLARE_MESSAGE_MAP()
    // Enter chooses, as the choose button does.
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnChoose();
    afx_msg void OnCloseButton();

private:
    void LoadList();
    void SaveList();
    void AppendRow(const CString& name, const CString& program);
    int FirstSelected() const;

    CString m_chosenProgram;
    CString m_chosenName;
    CListCtrl m_list;
    CBitmapButton m_close;
    CBitmapButton m_delete;
    CBitmapButton m_edit;
    CBitmapButton m_add;
    CBitmapButton m_choose;
};
