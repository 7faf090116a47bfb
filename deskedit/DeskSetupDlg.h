#pragma once
// CDeskSetupDlg: the desktop editor. A tree of the two shortcut folders,
// the shortcut list of the chosen one, buttons that open the user's own
// Desktop, Programs and Start Menu folders to drag shortcuts from, and OK
// (keep the changes) and Cancel (undo them).

#include "deskedit/ShortcutListCtrl.h"
#include "framework/Framework.h"
#include "framework/TreeCtrl.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinDialog.h"

#include <string>

class CDeskSetupDlg : public CSkinDialog {
public:
    static constexpr UINT kTemplate = 142;
    static constexpr UINT kDesktopButtonId = 132;
    static constexpr UINT kProgramsButtonId = 133;
    static constexpr UINT kStartMenuButtonId = 134;
    static constexpr UINT kListId = 136;
    static constexpr UINT kTreeId = 137;
    static constexpr UINT kOkId = 130;
    static constexpr UINT kCancelId = 131;

    // The user's folders, by the index OpenShellFolder takes.
    enum ShellFolder { kDesktop = 0, kPrograms = 1, kStartMenu = 2 };

    CDeskSetupDlg();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The path a Shell Folders value opens as: on Windows 4.0 the shared
    // profile's folder.
    static std::string ShellFolderPath(const std::string& value, int folder, bool oldShell);

    CShortcutListCtrl& List() { return m_list; }
    CTreeCtrl& Tree() { return m_tree; }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnDesktopButton();
    afx_msg void OnProgramsButton();
    afx_msg void OnStartMenuButton();
    afx_msg void OnTreeSelChanged(NMHDR* header, LRESULT* result);
    afx_msg void OnTreeClick(NMHDR* header, LRESULT* result);

private:
    void OpenShellFolder(int folder);
    // 1 installed, 0 per-host copy, -1 unknown.
    int GetConfigMode();
    void CreateButton(CSkinButton& button, POINT at, UINT id, UINT up, UINT down);

    CSkinButton m_desktopButton;
    CSkinButton m_programsButton;
    CSkinButton m_startMenuButton;
    CSkinButton m_okButton;
    CSkinButton m_cancelButton;
    CTreeCtrl m_tree;
    CShortcutListCtrl m_list;
    bool m_oldShell = false;
};
