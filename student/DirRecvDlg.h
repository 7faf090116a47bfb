#pragma once
// CDirRecvDlg: receives a file or folder that the teacher distributes. It
// starts the transfer library's multicast receiver, shows the progress from
// the library's counters and ends with the library's end message, telling
// the owner the result with WM_PROGRAM_SENT (wParam 2). The student cannot
// close it: Enter and Escape do nothing.
//
// A receive that cannot start ends the dialog at once: a negative result of
// the receiver's start as a failure reported to the owner, a kind that is
// neither file nor folder silently.

#include "framework/Framework.h"
#include "widgets/SkinDialog.h"
#include "widgets/SkinProgress.h"

#include <cstddef>

class CDirRecvDlg : public CSkinDialog {
public:
    static constexpr UINT kProgressId = 1007;
    static constexpr UINT_PTR kProgressTimer = 2002;
    static constexpr UINT kProgressPeriodMs = 200;
    static constexpr UINT WM_TRANSMIT_END = 0xBEE;
    static constexpr UINT WM_PROGRAM_SENT = 0x2728;
    static constexpr WPARAM kProgramSentReport = 2;
    static constexpr size_t kReceivedNameSize = 1024;

    CDirRecvDlg();

    // Set before showing.
    HWND m_owner = nullptr;
    int m_kind = 0; // 0 a file, 1 a folder
    CString m_workingConfig;
    CString m_backupConfig;
    char* m_receivedName = nullptr; // kReceivedNameSize bytes of the owner's

    BOOL OnInitDialog() override;

protected:
    void OnOK() override {}
    void OnCancel() override {}

    DECLARE_MESSAGE_MAP()
    afx_msg void OnTimer(UINT_PTR timerId);
    afx_msg LRESULT OnTransmitEnd(WPARAM event, LPARAM result);

private:
    // Starts the receiver and the receive; a negative library result.
    int StartReceive();
    // Stops the timer and the receiver; reports `result` to the owner when
    // `report`; ends the dialog.
    void Finish(bool report, LPARAM result);

    CSkinProgress m_progress;
    char m_scratchName[kReceivedNameSize] = {};
};
