#pragma once
// CMainFrame: the classroom joiner's hidden frame. At its creation it settles
// the network adapter, finds the student installation and its student.ini
// copies, opens the classroom signal socket, registers its hot keys and
// starts the agent. Afterwards it carries out the teacher's classroom signals
// (MainFrameSignal.cpp), the hot keys and the agent's peer messages, each of
// which rewrites student.ini and restarts the agent.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/ClassroomSignal.h"
#include "common/ConfigNotice.h"
#include "common/PeerNames.h"
#include "framework/Framework.h"

#include <cstdint>
#include <string>

// Windows Sockets posts it to the frame when a signal can be read.
inline constexpr UINT WM_SIGNAL_READ = WM_USER + 3;

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // ResolveIniPaths' results (the configuration mode).
    static constexpr int kConfigFixedDisk = 1;
    static constexpr int kConfigPerHost = 0;
    static constexpr int kConfigFailed = -1;

    int ResolveIniPaths();
    // 1 when the agent's launcher was started, else 0.
    int StartStudent();
    // Stops the running agent and returns once it has ended (or after
    // kAgentEndTimeoutMs); at once when none runs.
    void QuitStudent();
    // Stop, wait, start; once more on failure; then notice 61204.
    void RestartStudent();

    int OpenSignalSocket();
    // Stamps and multicasts the kind-1 notice of the local copy.
    void SendConfigNotice();

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnClose();
    afx_msg void OnHotKey(UINT hotKeyId, UINT modifiers, UINT key);
    afx_msg LRESULT OnStudentNotify(WPARAM code, LPARAM argument);
    afx_msg LRESULT OnSignal(WPARAM socket, LPARAM event);

    // The object outlives its window: the application deletes it.
    void PostNcDestroy() override {}

private:
    bool PerHost() const { return m_configMode == kConfigPerHost; }
    // Runs the start-up after the base frame exists; false when the frame
    // must close (the notice was shown).
    bool StartUp();
    bool SettleAdapter();
    bool ReadInstallation();
    // Copies the working copy over the local copy (per-host mode).
    bool CopyWorkingToLocal() const;
    void RegisterHotKeys();
    void CloseSignalSocket();

    void SetUpClassroom();
    void AskSeatNumber();

    // The teacher's classroom signals.
    void ReceiveSignal();
    void TakeClassroomNumber(int classroom);
    void RestartInClassroom(int classroom);
    void StopForVersion(int version);
    void TakeConfigVersion(int version);
    void RefreshAgentDesktop();
    // Waits until the working copy carries `version`; true when it did.
    bool WaitForWorkingVersion(int version);

    std::string m_backupCopy;
    std::string m_workingCopy;
    std::string m_hostName;
    std::string m_localCopy;
    kq::ConfigNotice m_notice = {};
    int m_configMode = kConfigFailed;
    std::string m_installFolder;
    kq::ClassroomSignalFilter m_signalFilter; // the last sequence
    int m_lastVersion = 0;
    SOCKET m_signalSocket = INVALID_SOCKET;
    // One receive-failure notice at a time.
    bool m_receiveNoticeShown = false;
};
