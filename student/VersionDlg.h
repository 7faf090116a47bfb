#pragma once
// CVersionDlg: shows the installation's version number, [VER] VersionID of
// the working student.ini ("700" when it is not set). Enter, Escape and the
// close button close it.

#include "framework/Framework.h"
#include "widgets/SkinDialog.h"
#include "widgets/SkinLabel.h"

class CVersionDlg : public CSkinDialog {
public:
    static constexpr UINT kLabelId = 1014;

    CVersionDlg();

    void SetConfigPath(const CString& path) { m_configPath = path; }
    BOOL OnInitDialog() override;

    CString m_version;

private:
    CString m_configPath;
    CSkinLabel m_label;
};
