#pragma once
// The preset-message dialog with which a viewing teacher warns or locks the
// monitored student: a modeless skinned dialog of the view, a combo box of
// five preset messages, OK, Cancel and close. OK hands the text to the host
// as notice 10 (warn) or 11 (lock) for the station.

#include "broadcast/ViewPopupDlg.h"
#include "framework/Framework.h"

class CPresetMessageDlg : public CViewPopupDlg {
public:
    enum Action { WARN = 0, LOCK = 1 };

    // Created hidden, owned by `view`.
    BOOL CreateFor(CWnd* view);
    // Fills the dialog for the action and station, centres and shows it.
    void Open(Action action, uint8_t stationId);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnClose8001();
    DECLARE_MESSAGE_MAP()

private:
    void Hide();

    Action m_action = WARN;
    uint8_t m_stationId = 0;
    const char* m_title = "";
    HBITMAP m_background = nullptr;
    CBitmapButton m_ok;
    CBitmapButton m_cancel;
    CBitmapButton m_close;
};
