#pragma once
// CCheckResultDlg: the result window of the environment check, titled
// "晨星环境检测". It lists the failed checks in a text field and offers
// the Winsock and DirectX installers when those checks failed. Other
// programs find it by its title and end it with WM_CHECK_CLOSE (wParam 0,
// lParam 0): it then ends with end code kClosedByRequest.
//
// It has no default button: 0x401 is also DM_SETDEFID, which any other
// parameters still mean.

#include "envcheck/InstallerPath.h"
#include "framework/Framework.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"

#include <string>

class CCheckResultDlg : public CSkinDialog {
public:
    CCheckResultDlg(UINT templateId, int cornerWidth, int cornerHeight, int closeX, int closeY, UINT backgroundId,
                    CWnd* parent);

    // Set before DoModal.
    std::string m_text;
    std::string m_path; // the path KqTest was given
    int m_mode = 0;
    bool m_winsockInstaller = false;
    bool m_directXInstaller = false;

    // Read after DoModal.
    static constexpr int kClosedByRequest = 2;
    int m_endCode = 0;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    static constexpr UINT kOkId = 14021;
    static constexpr UINT kDirectXId = 14003;
    static constexpr UINT kWinsockId = 14005;
    static constexpr UINT kTextId = 14007;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnDirectX();
    afx_msg void OnWinsock();
    afx_msg LRESULT OnCheckClose(WPARAM wParam, LPARAM lParam);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT kind);

private:
    void StartInstaller(kq::Installer installer);

    CSkinButton m_ok;
    CSkinButton m_directX;
    CSkinButton m_winsock;
    CEdit m_textField;
    CBrush m_textBrush;
    CFont m_font;
};
