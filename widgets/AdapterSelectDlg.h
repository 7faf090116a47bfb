#pragma once
// CAdapterSelectDlg: settles the network adapter of the student-side
// programs, [NETADAPTER] IPADDRESS of the student.ini beside the running
// program file. CheckAdapters needs no window: it counts the PC's Ethernet
// addresses and keeps the stored address up to date when the answer is
// clear. When it answers 2 or more, the caller shows the dialog modally: a
// small skinned window with a sorted combo box of the addresses, in which
// the user picks one or types one, and an OK and a close button.
//
// The joiner and the environment check use it with resources of their own,
// given as AdapterSelectIds.

#include "framework/Framework.h"
#include "widgets/HandCursorButton.h"

#include <string>

struct AdapterSelectIds {
    UINT templateId;   // pop-up template: OK (IDOK), close and the combo box
    UINT backgroundId; // background bitmap, the window's size
    UINT comboId;      // drop-down combo box with an edit field, sorted
    UINT closeId;      // owner-drawn button captioned "close"
    UINT cursorId;     // the buttons' hand cursor
};

class CAdapterSelectDlg : public CDialog {
public:
    // `iniPath` empty: the student.ini beside the running program file.
    explicit CAdapterSelectDlg(const AdapterSelectIds& ids, CWnd* parent = nullptr, std::string iniPath = {});
    ~CAdapterSelectDlg() override;

    // -1 when the address table needed no buffer; 0 when the tables cannot
    // be read or hold no Ethernet address; 1 when the stored address is
    // settled (written when it had to change); else the number of Ethernet
    // addresses, among which the stored one is not.
    int CheckAdapters();
    // Adds every Ethernet address to the combo box (which sorts them).
    void FillAdapterList();

    BOOL OnInitDialog() override;
    // Writes the chosen address, a dotted IPv4 address only: any other text
    // keeps the dialog open with the text selected.
    void OnOK() override;

    // Where the dialog sits on its background, in pixels.
    static constexpr int kCloseX = 269, kCloseY = 4, kCloseWidth = 16, kCloseHeight = 14;
    static constexpr int kOkX = 126, kOkY = 115, kOkWidth = 43, kOkHeight = 20;
    static constexpr int kComboX = 83, kComboY = 72, kComboWidth = 128, kComboHeight = 24;
    static constexpr int kCornerSize = 16;

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnCloseButton();
    // Drops the window region and the background before the dialog ends.
    void ReleaseLook();

    AdapterSelectIds m_ids;
    std::string m_iniPath;
    CComboBox m_combo;
    CString m_chosen;
    CBitmap m_background;
    CHandCursorButton m_okButton;
    CHandCursorButton m_closeButton;
};
