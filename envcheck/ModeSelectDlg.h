#pragma once
// CModeSelectDlg: the mode chooser behind KqDlg, a plain dialog: single or
// multiple classrooms (with the classroom number 1 to 9 from a list) and,
// in mode 3, the edition. Modes 1 and 2 fix the edition and disable its
// buttons.

#include "framework/Framework.h"

class CModeSelectDlg : public CDialog {
public:
    explicit CModeSelectDlg(int mode, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Set by OK only.
    int m_classroom = 0;   // 0: single classroom; 1 to 9: the chosen one
    int m_edition = -1;    // mode 3: 1 for "多媒体版", 0 for "全数字版"

    static constexpr UINT kTemplate = 14022;
    static constexpr UINT kSingleId = 14005;
    static constexpr UINT kMultipleId = 14006;
    static constexpr UINT kListId = 14007;
    static constexpr UINT kDigitalId = 14008;
    static constexpr UINT kMultimediaId = 14009;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnSingle();
    afx_msg void OnMultiple();

private:
    int m_mode;
    CComboBox m_list;
};
