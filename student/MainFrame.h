#pragma once
// CMainFrame: the student agent's hidden frame. It holds the whole state of
// the agent: its configuration copies, the records it lends to the command
// transport, the floating toolbar, the tray icon and the hot keys.
//
// Closing: every road posts WM_CLOSE. The frame object outlives its window
// (the application deletes it after the message loop), Cleanup runs once,
// and a handler that ran a modal dialog returns at once when IsClosing()
// says the frame went meanwhile.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/ConfigNotice.h"
#include "common/PeerNames.h"
#include "common/StudentInitRecord.h"
#include "common/StudentRequest.h"
#include "framework/Framework.h"
#include "widgets/KqToolBar.h"

#include <cstdint>
#include <functional>
#include <string>

// The frame's own messages and the messages other programs send it.
inline constexpr UINT WM_STUDENT_RECONNECT = WM_USER + 1; // ask the seat, then start the network
inline constexpr UINT WM_STUDENT_TRAY = 0x432;
inline constexpr UINT WM_TRANSMIT_DONE = 0xBEE;
inline constexpr UINT WM_PROGRAM_SENT = 0x2728;

// The toolbar's commands.
inline constexpr UINT ID_STUDENT_HAND_UP = 32771;
inline constexpr UINT ID_STUDENT_HAND_IN = 32772;
inline constexpr UINT ID_STUDENT_REQUEST = 32773;
inline constexpr UINT ID_STUDENT_HIDE_TOOLBAR = 32774;
inline constexpr UINT ID_STUDENT_VERSION = 32775;
inline constexpr UINT ID_STUDENT_SEAT = 32776;

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // LocateConfig's results (the configuration mode).
    static constexpr int kConfigFixedDisk = 1;
    static constexpr int kConfigPerHost = 0;
    static constexpr int kConfigFailed = -1;

    // Toolbar button indices (in the order of adding).
    static constexpr int kButtonVersion = 0;
    static constexpr int kButtonSeat = 1;
    static constexpr int kButtonHandUp = 2;
    static constexpr int kButtonRequest = 3; // edition 0 only

    // ---- Helpers for the handlers and the command dispatcher -------------

    // The hand-in button: 4 in edition 0, 3 in every other edition.
    int HandInButtonIndex() const;
    // [STUDENTNUMBER] number of the backup copy when set, else the working
    // copy; "NULL" when absent; at most 4 characters.
    CString ReadSeatNumber() const;
    // True once the frame began to close (or has no window any more): a
    // handler returns at once after its modal dialog when this is true.
    bool IsClosing() const;
    // Opens the transport from the configuration; nonzero when it opened.
    BOOL StartNetwork();
    // Opens the transport again after it was closed; says so when it cannot.
    void RestartNetwork();
    // Asks for the seat number: 0 stored (or a dialog already open), -1
    // cancelled.
    int AskSeatNumber();
    // Per-host mode: waits for the copy's OS keys; -1 after closing the frame.
    int WaitForOsInfo();
    // Starts the desktop shell: 1 started, 0 failed (message shown).
    int StartKqDesk();
    // Sends a request through the transport (answer for type 3 only).
    void SendRequest(uint16_t type, const char* answer = nullptr);
    // Hand up from the hot key or the desk: only while the button is enabled.
    void HandUpChecked();

    bool IsPerHost() const { return m_configMode == kConfigPerHost; }
    // Per-host mode: copies the working configuration over the local one
    // before a write (61516 when that fails). Does nothing on a fixed disk.
    void CopyWorkingToLocal();
    // Per-host mode: waits 3 s, then announces the local copy (kind 1).
    void AnnounceLocalConfig();
    // Sends one notice (seven copies): result of the last send, -1 when the
    // socket failed.
    int SendConfigNotice(kq::ConfigNotice& notice);
    void ApplyRegistrySwitch(int number, int value);
    // address in network byte order.
    int SetIeProxy(uint32_t address, int port);
    void CloseWindowByTitle(const char* title);
    void Cleanup();
    void LogOff();
    void ShutdownComputer();
    // Shows text `textId` in the error box (closes after 120 s).
    static void ShowError(UINT textId);
    // The link list, once at a time per road: `openCount` is the road's own
    // counter (the "KqDistribute" hot key's apart from command 9's).
    void ShowLinkList(int& openCount);

    CKqToolBar& ToolBar() { return m_toolBar; }
    const kq::StudentInitRecord& InitRecord() const { return m_init; }
    int Edition() const { return m_edition; }
    bool DeskRunning() const { return m_deskRunning != 0; }

    // ---- The command dispatcher's declarations ---------------------------
    // (teacher commands, WM_LECTERN_NOTIFY, and their once-at-a-time
    // counters). The frame's hand-in button and desk button 3 call:
    void HandInFile(uint32_t address, uint16_t port, uint8_t kind);
    // WM_LECTERN_NOTIFY: low word of wParam the command (1-29), high word
    // the sub-code, lParam a value or a record valid during the call.
    afx_msg LRESULT OnTeacherCommand(WPARAM wParam, LPARAM lParam);

private:
    // Runs a modal dialog with the toolbar disabled; false when the frame
    // began to close meanwhile (the caller then returns at once).
    bool RunWithToolbarDisabled(CDialog& dialog, INT_PTR* result = nullptr);
    bool RunWithToolbarDisabled(const std::function<void()>& modal);
    void ShowToolbar(bool show);
    void KeepTransferParams(LPARAM record);
    void MakeDesktopFolders();
    std::string InstallPath(const char* name) const;

    // One member per command.
    void CmdDisableAndAbort();
    void CmdConnectionResult(LPARAM result);
    void CmdToolbarAndRole(WORD subCode, LPARAM allowed);
    void CmdRestrictionSwitches(LPARAM record);
    void CmdTeacherMessage(LPARAM record);
    void CmdTextNotice(LPARAM text);
    void CmdRollCall();
    void CmdCollectFile(LPARAM record);
    void CmdLinkList(WORD port, LPARAM address);
    void CmdReceiveDirectory(LPARAM record);
    void CmdDesktopShell(LPARAM type);
    void CmdTalk(LPARAM argument);
    void CmdCountdown(bool restart, LPARAM seconds);
    void CmdStartTest(LPARAM record);
    void CmdFinishTest();
    void CmdHandInButton(WORD subCode, LPARAM record);
    void CmdDesktopEditor();
    void CmdConfigDirectory(LPARAM record);
    void CmdProgramUpdate(LPARAM record);
    void CmdHandOver();
    void CmdEndRollCall();
    void CmdChangeClassroom(LPARAM classroom);

    // The once-at-a-time counters of the commands' dialogs.
    int m_rollCallOpen = 0;
    int m_linkListCommandOpen = 0;
    int m_receiveOpen = 0;
    int m_talkOpen = 0;
    int m_handInOpen = 0;
    // The port and address of the last configuration directory or update.
    uint16_t m_directoryPort = 0;
    uint32_t m_directoryAddress = 0;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnHandUp();
    afx_msg void OnHandInFile();
    afx_msg void OnRequestButton();
    afx_msg void OnHideToolBar();
    afx_msg void OnVersion();
    afx_msg void OnEndSession(BOOL ending);
    afx_msg void OnHotKey(UINT id, UINT modifiers, UINT virtualKey);
    afx_msg LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnClose();
    afx_msg LRESULT OnLecternError(WPARAM kind, LPARAM code);
    afx_msg LRESULT OnDeskButton(WPARAM wParam, LPARAM button);
    afx_msg LRESULT OnDeskNotify(WPARAM signal, LPARAM lParam);
    afx_msg LRESULT OnTransmitDone(WPARAM event, LPARAM result);
    afx_msg LRESULT OnProgramSent(WPARAM wParam, LPARAM result);
    afx_msg LRESULT OnReconnect(WPARAM wParam, LPARAM lParam);

    // The object outlives its window: the application deletes it.
    void PostNcDestroy() override {}

public:
    // Start-up steps (public for the start-up check thread and the tests).
    int ReadInstallPaths();
    int LocateConfig();
    int BuildToolBar(int edition, const CString& seatNumber);
    void ShowTrayIcon(BOOL add);

    // The state the start-up check thread fills.
    CString m_workingConfig;  // the student.ini that is read
    CString m_localConfig;    // the student.ini that is written
    CString m_backupConfig;   // BackupPath + "\student.ini", or empty
    int m_configMode = kConfigFailed;
    int m_edition = 0;

private:
    // The file the seat and classroom numbers are written to.
    CString SeatConfigForWrite() const;
    // The file they are read from.
    CString SeatConfigForRead() const;
    void ReadToolbarPosition();
    void RegisterHotKeys();
    void UnregisterHotKeys();
    void SaveToolbarPosition();
    // Writes [STUDENTNUMBER] number=NULL where the seat goes (with the
    // per-host copy before and the notice after).
    void MarkSeatUnassigned();
    void SendLocalConfigNotice();

    char m_installFolder[MAX_PATH] = {};
    char m_seatNumber[5] = {};
    int m_toolbarX = 0;
    int m_toolbarY = 0;
    kq::StudentRequest m_request = {};
    kq::StudentInitRecord m_init = {};
    int m_toolbarAllowed = 1;
    int m_deskRunning = 0;
    int m_ntOnFixedDisk = 0;
    char m_hostName[100] = {};
    char m_receivedFolder[1024] = {};
    HANDLE m_startupThread = nullptr;
    int m_logOffAfterClose = 0;
    int m_directoryIsUpdate = 0;
    CKqToolBar m_toolBar;
    uint8_t m_transferKind = 0;
    uint32_t m_transferAddress = 0;
    uint16_t m_transferPort = 0;

    bool m_closing = false;
    bool m_cleanedUp = false;
    int m_seatDialogsOpen = 0;
    int m_hotKeyLinkListsOpen = 0;
    ATOM m_hotKeyExit = 0;
    ATOM m_hotKeyHandUp = 0;
    ATOM m_hotKeyDistribute = 0;
    bool m_trayAdded = false;
};
