#pragma once
// CRestrictDlg: the 28 restriction switches of the student PCs as check
// boxes on two tab pages, kept in the teacher's register.ini (sections "1"
// to "28", key "lastchange"). OK stores them and writes them into the
// opener's command block as the parameters of the switch command; Cancel
// changes nothing. When the install folder cannot be read the dialog ends
// at once with IDCANCEL.

#include "common/CommandBlock.h"
#include "widgets/KqTabCtrl.h"
#include "widgets/SkinDialog.h"

#include <string>

class CRestrictDlg : public CSkinDialog {
public:
    CRestrictDlg();

    // Set by the opener before DoModal.
    void SetCommand(kq::CommandBlockWithTail* command) { m_command = command; }

    BOOL OnInitDialog() override;

    static constexpr int kSwitchCount = 28;
    static constexpr int kFirstPageSwitches = 15; // switches 0-14; 15-27 on the second page
    static constexpr UINT kFirstSwitchId = 900;
    static constexpr UINT kOkId = 706;
    static constexpr UINT kCloseId = 705;
    static constexpr UINT kTabsId = 725;
    static constexpr UINT kFirstPageId = 146;
    static constexpr UINT kSecondPageId = 147;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    void OnCancel() override;

private:
    // Writes every switch into register.ini; false when a write failed.
    bool StoreSwitches();

    kq::CommandBlockWithTail* m_command = nullptr;
    std::string m_file;
    // One more than is used, as the block's layout had room for.
    CButton m_switches[kSwitchCount + 1];
    CBitmapButton m_close;
    CBitmapButton m_ok;
    CKqTabCtrl m_pages;
};
