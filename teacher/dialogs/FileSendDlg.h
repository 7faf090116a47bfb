#pragma once
// CFileSendDlg: hands one file, or a folder with its contents, to the target
// seats of a command block. Send checks the receiving folder and the
// source, tells the students to get ready (command 10, byte 5: 1 for a
// folder, 0 for a file), waits for them and starts the transfer library's
// multicast; the bar follows the library's counters until it reports the
// end, which closes the dialog. Cancel stops a running transfer first.

#include "common/CommandBlock.h"
#include "framework/ProgressCtrl.h"
#include "teacher/TeacherOptions.h"
#include "widgets/SkinDialog.h"

class CFileSendDlg : public CSkinDialog {
public:
    // `command` holds code 10 and the targets; ClassroomID of `options`
    // chooses the transfer's port. Both outlive the dialog.
    CFileSendDlg(kq::CommandBlockWithTail* command, const kq::TeacherOptions* options);

    BOOL OnInitDialog() override;
    bool IsSending() const { return m_sending; }

    static constexpr UINT kSourceId = 718;
    static constexpr UINT kChooseId = 708;
    static constexpr UINT kFolderId = 776;
    static constexpr UINT kProgressId = 1; // the OK slot's id: Enter still sends
    static constexpr UINT kSendId = 704;
    static constexpr UINT kCancelId = 705;
    static constexpr UINT kCloseId = 400;
    static constexpr UINT_PTR kProgressTimer = 6;
    static constexpr char kDefaultFolder[] = "C:\\KqSendFiles\\";

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnSend();
    afx_msg void OnCancelButton();
    afx_msg void OnChoose();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg LRESULT OnTransmitDone(WPARAM event, LPARAM result);

private:
    // Tells the students what comes (1 folder, 0 file), lets them get
    // ready, and starts the library; false after showing why not.
    bool StartFolder(CString source, const std::string& folder);
    bool StartFile(const CString& source, const std::string& folder);
    void SendReadyCommand(uint8_t isFolder);
    // Stops a running transfer, or ends the sender and the dialog.
    void CancelOrClose();

    kq::CommandBlockWithTail* m_command;
    const kq::TeacherOptions* m_options;
    CString m_source;
    bool m_sending = false;
    CFont m_font;
    CEdit m_sourceEdit;
    CEdit m_folderEdit;
    CProgressCtrl m_progress;
    CBitmapButton m_choose;
    CBitmapButton m_send;
    CBitmapButton m_cancel;
    CBitmapButton m_closeBox;
};
