#pragma once
// CButtonConfigDlg: the three button sets of the command panels, one tab
// page of 39 check boxes each, and the choice of the set in use (the page
// selected at OK). OK writes the flags into the opener's TeacherConfig and
// all three set files; the third file's path is typed or browsed on the
// third page, and browsing loads that file into the third page's boxes.

#include "common/TeacherConfig.h"
#include "widgets/KqTabCtrl.h"
#include "widgets/SkinDialog.h"

#include <string>

class CButtonConfigDlg : public CSkinDialog {
public:
    CButtonConfigDlg();

    // Set by the opener before DoModal.
    void SetConfig(kq::TeacherConfig* config) { m_config = config; }

    BOOL OnInitDialog() override;

    static constexpr int kSetCount = static_cast<int>(kq::kButtonSetCount);
    static constexpr int kButtonCount = static_cast<int>(kq::kPanelButtonCount);
    static constexpr UINT kOkId = 706;
    static constexpr UINT kCancelId = 705;
    static constexpr UINT kTabsId = 725;
    static constexpr UINT kFirstPageId = 1123;
    static constexpr UINT kFirstBoxId = 1006; // + 39 x set + button
    static constexpr UINT kBrowseId = 1126;
    static constexpr UINT kPathId = 1127;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnBrowse();

private:
    // Checks the third set's boxes from the set file at `path`; false when
    // it cannot be read (the boxes then stay).
    bool LoadDefinedSet(const std::string& path);
    // Writes one set file; warns once per file that cannot be written.
    void WriteSet(const std::string& path, int set);

    kq::TeacherConfig* m_config = nullptr;
    std::string m_settingFolder;
    CFont m_font;
    CBitmapButton m_ok;
    CBitmapButton m_cancel;
    CBitmapButton m_browse;
    CEdit m_path;
    CButton m_boxes[kSetCount][kButtonCount];
    CKqTabCtrl m_pages;
};
