#pragma once
// CWebSiteEntryDlg: one entry of the web site list, a site name and the
// local HTML file it opens, added or edited. The opener sets the initial
// texts, runs DoModal and, on IDOK, reads the checked, trimmed texts back.

#include "teacher/WebSiteEntry.h"
#include "widgets/SkinDialog.h"

namespace kq {
// True when there is no problem; otherwise false after the warning that
// names it. The web site list's in-place rename checks names with it too.
bool AcceptSiteEntry(SiteEntryProblem problem);
} // namespace kq

class CWebSiteEntryDlg : public CSkinDialog {
public:
    // `backgroundId`: the adding or the editing background.
    explicit CWebSiteEntryDlg(UINT backgroundId);

    void SetSiteName(const CString& name) { m_siteName = name; }
    void SetFileName(const CString& file) { m_fileName = file; }
    const CString& GetSiteName() const { return m_siteName; }
    const CString& GetFileName() const { return m_fileName; }

    BOOL OnInitDialog() override;

    static constexpr UINT kFileId = 718;
    static constexpr UINT kNameId = 701;
    static constexpr UINT kBrowseId = 708;
    static constexpr UINT kCloseId = 705;
    static constexpr UINT kOkId = 706;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    afx_msg void OnBrowse();
    afx_msg void OnCloseButton();

private:
    CString m_siteName;
    CString m_fileName;
    CFont m_font;
    CEdit m_file;
    CEdit m_name;
    CBitmapButton m_browse;
    CBitmapButton m_close;
    CBitmapButton m_ok;
};
