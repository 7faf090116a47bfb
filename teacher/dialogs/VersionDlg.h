#pragma once
// CVersionDlg: the box that shows the teacher program's version, read from
// the program folder's Teacher.ini ([VER] VersionID, the version x 100).

#include "widgets/SkinDialog.h"
#include "widgets/SkinLabel2.h"

class CVersionDlg : public CSkinDialog {
public:
    CVersionDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent)
        : CSkinDialog(templateId, closeX, closeY, backgroundId, parent)
    {
    }

    BOOL OnInitDialog() override;

    static constexpr unsigned kDefaultVersionId = 770;
    static constexpr COLORREF kLabelBackground = RGB(171, 229, 249);

private:
    CSkinLabel2 m_label{kLabelBackground};
};
