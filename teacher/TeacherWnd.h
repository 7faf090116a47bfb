#pragma once
// CTeacherWnd: the teacher's main window, a caption-less 800 x 600 popup on
// which the seat map, the command panels and the teacher's buttons sit. Its
// creation brings the station up (configuration, environment check, child
// windows, splash, web access control, online test library, tray icon,
// transport); its destruction takes down exactly what the creation got.

#include "framework/Framework.h"

#include "common/BroadcastOptions.h"
#include "common/CommandBlock.h"
#include "teacher/CommandPanelA.h"
#include "teacher/ClassroomSockets.h"
#include "teacher/CommandPanelC.h"
#include "teacher/FunctionPanel.h"
#include "teacher/KqListCtrl.h"
#include "teacher/LinkList.h"
#include "teacher/LinkListSender.h"
#include "teacher/ShutdownSchedule.h"
#include "teacher/TeacherSettings.h"
#include "teacher/VideoChannelList.h"
#include "teacher/WebAccessControl.h"
#include "widgets/ButtonList.h"
#include "widgets/ClockLabel.h"
#include "widgets/KqToolTip.h"
#include "widgets/PolyButton.h"
#include "widgets/ToggleBitmapButton.h"

#include <memory>
#include <string>
#include <vector>

class CTeacherWnd : public CWnd {
public:
    CTeacherWnd();
    ~CTeacherWnd() override;

    // Registers the window class and creates the window at (0, 0).
    BOOL CreateMainWindow();

    // Teacher.ini into the records; false when the install folder or the
    // file cannot be read.
    int ReadConfig();
    // Writes the saved keys back; only after a successful ReadConfig.
    void SaveSettings();
    // Set file `path` into button set `set` (0-2); 0 when it cannot be read.
    int LoadButtonSet(const char* path, int set);
    int CreateChildWindows();
    // Centres the window on the screen, keeping its size.
    void CentreOnScreen();
    BOOL OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) override;

    kq::TeacherConfig& Config() { return m_settings.config; }
    kq::TeacherOptions& Options() { return m_settings.options; }
    const std::string& InstallFolder() const { return m_path; }
    CKqListCtrl* SeatMap() const { return m_seatMap; }

    // ---- Panels, input, tray, hot keys, stop everything and layout ----
    // Stops whatever the classroom shows (not in states 7 and 8).
    void StopBroadcast();
    // Enables the command buttons by ActivityState.
    void UpdateButtonStates();
    void UpdateTestButtons();
    // Places the panels and the window's children for the screen width and
    // the selected button set.
    void RecalcLayout();
    // Registers the eight Ctrl hot keys in order; 0 at the first failure.
    int RegisterHotKeys();
    BOOL PreTranslateMessage(MSG* msg) override;
    CCommandPanelA& PanelA() { return m_panelA; }
    CFunctionPanel& FunctionPanel() { return m_functionPanel; }
    CCommandPanelC& PanelC() { return m_panelC; }

    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    static constexpr const char* kTitle = "晨星电子教室";

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnCloseButton();
    afx_msg void OnVersion();

private:
    // A start-up warning: string `stringId`, a line break and the sentence
    // naming help item `item` (0: the string alone).
    void StartupWarning(UINT stringId, int item);
    // Ends OnCreate's road: the window closes through the normal destruction.
    int CloseDuringCreate();
    bool AddTrayIcon();
    void LoadLogo();

    kq::TeacherSettings m_settings;
    std::string m_path;         // install folder, from the registry
    std::string m_settingsFile; // <Path>\Teacher.ini
    kq::CommandBlockWithTail m_command{};

    HACCEL m_accelerators = nullptr;
    HICON m_icon = nullptr;
    HBITMAP m_logoBitmap = nullptr;

    CKqToolTip m_toolTip;
    CButtonList m_buttons;
    CBitmapButton m_closeButton;
    CBitmapButton m_handUpButton;
    CBitmapButton m_teachPageButton;
    CBitmapButton m_testPageButton;
    CToggleBitmapButton m_tabs[7];
    CToggleBitmapButton m_settingsButton;
    CToggleBitmapButton m_restrictButton;
    CToggleBitmapButton m_toolsButton;
    CClockLabel m_clock;
    CPolyButton m_versionButton;
    CStatic m_logo;
    CKqListCtrl* m_seatMap = nullptr; // owned; null until the child windows exist

    kq::WebAccessControl m_webAccess;
    bool m_videoBroadcastRunning = false;

    // What OnCreate acquired, so OnDestroy frees only that.
    bool m_configRead = false;
    bool m_transportOpen = false;
    bool m_testLibraryOpen = false;
    bool m_trayIconAdded = false;
    bool m_started = false; // every step of the creation succeeded

    // ---- Panels, input, tray, hot keys, stop everything and layout ----
    // Handlers (TeacherWndInput.cpp, TeacherWndStop.cpp, TeacherWndLayout.cpp).
    afx_msg LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTrayMinimize();
    afx_msg void OnHotKey(UINT id, UINT modifiers, UINT virtualKey);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPopupMenu(UINT flags, CPoint point);
    afx_msg void OnButtonLayout(UINT id);
    afx_msg void OnScrollSecondGroup(UINT id);
    afx_msg void OnWhiteboard();
    afx_msg void OnIgnoredCommand();
    // Clears the block and sends code 0 to the whole class.
    void SendStopToClass();
    // Sends the diskless stop that a command left pending, once.
    void SendPendingDisklessStop();
    // Closes the toolbar's settings box, destroys and deletes the toolbar.
    void DestroyFloatingToolBar();
    // Brings the window up; repaints it when it was minimised.
    void RestoreToForeground(bool wasMinimised);
    // Panels 1000-1002 on the window; false when one cannot be created.
    bool CreatePanels();
    // Shortcut key -> command of the function panel, when that is enabled.
    bool RunShortcut(const MSG& msg);
    // Runs `command` when panel button `command` is enabled.
    void RunIfEnabled(CButton* button, UINT command);

    CCommandPanelA m_panelA;          // 1002
    CFunctionPanel m_functionPanel;   // 1000
    CCommandPanelC m_panelC;          // 1001
    HCURSOR m_arrowCursor = nullptr;  // what WM_SETCURSOR shows
    HCURSOR m_moveCursor = nullptr;   // above the top band
    bool m_menuOpen = false;          // the button-set menu is tracking
    int m_secondGroupRow = 0;         // row position of panel C's second group

    // Classroom state that the command handlers set and that stop
    // everything, the tray and the enabling read.
    bool m_broadcasting = false;      // a broadcast runs (Ctrl+Left closes its warning)
    int m_screenLockOn = 0;           // toggle flag of command 305
    int m_collecting = 0;             // collection flag of command 304
    bool m_disklessStopPending = false; // a diskless stop waits to be sent
    BYTE m_disklessStopParam = 0;       // its parameter byte
    int m_channelViewing = 0;         // a video channel is being viewed (504's faces)
    CWnd* m_floatingToolBar = nullptr; // owned; destroyed through the window base
    UINT_PTR m_testTimer = 0;         // online-test countdown timer id (0: none)
    int m_testMinutesLeft = 0;
    int m_answersAvailable = 0;       // answers of the last test can be shown
    // ---- end of the panels' block ----

    // ---- Teaching commands, transport events and remote shutdown ----
    // (TeacherWndCommands.cpp, TeacherWndTeaching.cpp, TeacherWndEvents.cpp,
    // TeacherWndShutdown.cpp)
public:
    // Timer 10, called by the timer handler after it has killed the timer:
    // marks off line the targets of the delayed shutdowns and restarts
    // whose time has come, then sets the timer again for the next one.
    void OnShutdownTimer();
    // The start of every command: clears the block and reads the selection
    // into it (flag 0). False, after warning 57459, when no seat is on line.
    bool BeginCommand();
    // Lends the block to the transport for one call.
    void SendCommand();
    kq::CommandBlockWithTail& Command() { return m_command; }
    // The floating broadcast toolbar, or null.
    CWnd* FloatingToolBar() const { return m_floatingToolBar; }
    static constexpr UINT_PTR kShutdownTimerId = 10;

private:
    // Commands of panel A (broadcast and monitoring).
    afx_msg void OnBroadcast();      // 501
    afx_msg void OnMonitor();        // 502
    afx_msg void OnDemonstrate();    // 503
    afx_msg void OnVideo();          // 504
    afx_msg void OnRemoteControl();  // 505
    afx_msg void OnMultiMonitor();   // 506
    // Commands of the function panel.
    afx_msg void OnMedia();          // 300
    afx_msg void OnTutor();          // 301
    afx_msg void OnInteract();       // 302
    afx_msg void OnNotice();         // 303
    afx_msg void OnBlankScreen();    // 304
    afx_msg void OnScreenLock();     // 305
    afx_msg void OnExercise();       // 306
    afx_msg void OnSendFiles();      // 307
    afx_msg void OnHomework();       // 308
    afx_msg void OnChat();           // 309
    afx_msg void OnGroupTalk();      // 310
    afx_msg void OnGroupTeach();     // 311
    afx_msg void OnGroupSetup();     // 312
    afx_msg void OnSeatEdit();       // 313
    afx_msg void OnQuitStudents();   // 314
    afx_msg void OnMessage();        // 315
    afx_msg void OnRollCall();       // 316
    afx_msg void OnClassroom();      // 317
    afx_msg void OnRefresh();        // 318
    // The main window's own buttons.
    afx_msg void OnTeachPage();      // 521
    afx_msg void OnTestPage();       // 522
    afx_msg void OnHandUpSwitch();   // 790
    afx_msg void OnRemoteShutdown(); // 511
    afx_msg void OnRemoteRestart();  // 512
    // The floating toolbar's stop button (837) and record switch (838).
    afx_msg void OnToolBarStop();
    afx_msg void OnToggleRecord();
    // The outside components' messages.
    afx_msg LRESULT OnLecternError(WPARAM kind, LPARAM code);
    afx_msg LRESULT OnLecternNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStudentLogon(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnVideoNotify(WPARAM wParam, LPARAM lParam);

    // Single-seat pattern: exactly one target, else notice 57352 / 57353.
    bool RequireOneSeat();
    // A count of 0 becomes the list of on-line seats; false when none is.
    bool FillOnlineTargets();
    // Every target (every on-line seat for a count of 0) gets `state`.
    void SetTargetsState(int state);
    // Sends code 39 with `allowed` to the whole class from a cleared block.
    void SendHandUpSwitch(int allowed);
    void SuspendHandUp();
    void RestoreHandUp();
    // Gives the window the minimised show state (it hides to the tray).
    void MinimiseToTray();
    // Runs a command's dialog between reading the selection and sending;
    // the block comes back as it was before the dialog.
    INT_PTR RunCommandDialog(CDialog& dialog);
    // The preset text dialog on `background`; false unless it ended with OK.
    bool AskPresetText(UINT background, CString& text);
    // 304 turned on: asks for the text and blanks the targets' screens.
    void BlankScreensOn();
    // 310 and 311 after their dialog: sends, minimises, group work runs.
    void StartGroupWork();
    // 504 and 300: starts the video library in `mode`.
    void StartVideoBroadcast(int mode, int activity);
    void CreateFloatingToolBar();
    // 511 and 512.
    void RemotePower(WORD code, const char* question, UINT delayLabel);
    void ArmShutdownTimer();
    void ShowSeatText(const void* record);
    void SwitchToDiskless();
    void PushUpdate(int port);
    void StudentHandedIn(int seat);
    void SeatWentOffline(int seat);
    // Gives a panel toggle four faces (0 = none) and repaints it.
    void SetFaces(CButton* button, UINT up, UINT down, UINT focus, UINT disabled);

    int m_handUpSuspended = 0;        // saved while the test page or a video hides it
    int m_rollCallOn = 0;             // toggle flag of command 316
    int m_fileServerPort = -1;        // the homework file server's last port (-1: none yet)
    bool m_versionWarned = false;     // event 7 shows its box once per run
    bool m_studentBusy = false;       // event 9
    kq::ShutdownSchedule m_shutdowns; // delayed off-line marking
    UINT_PTR m_shutdownTimer = 0;     // timer 10 while it runs
    // ---- end of the teaching block ----

    // ---- Classroom datagrams: sockets, signal, Wake-on-LAN, player commands ----
public:
    // Opens the classroom and signal sockets (OnCreate); 0 on any failure.
    int CreateSockets();
    // Closes each socket that is open (OnDestroy).
    void CloseSockets();
    // The classroom signal with `command` (1: the classroom dialog's OK,
    // 0: its second button) and this classroom's number, ten times.
    void SendClassroomSignal(uint8_t command);
    // One datagram (a link-list datagram) to the classroom group at main
    // port + 10; the bytes sent, or SOCKET_ERROR.
    int SendOnClassroomSocket(const void* data, int length);
    // ActivityState and the channel-viewing flag from the channel list and
    // the selected seats' states; then the command buttons.
    void UpdateChannelViewing();
    kq::VideoChannelList& VideoChannels() { return m_videoChannels; }
private:
    afx_msg LRESULT OnSocketRead(WPARAM wParam, LPARAM lParam);
    afx_msg void OnRemotePowerOn();
    CClassroomSockets m_classroomSockets;
    kq::VideoChannelList m_videoChannels; // filled by the video broadcast dialog
    // ---- end of the classroom datagrams block ----

    // ---- Broadcast options and video channels ----
    // (TeacherWndTeaching.cpp: 842 and 0x435; TeacherWndVideo.cpp: the rest)
public:
    // Gives panel toggle 304, 606 or 309 its on or off faces (kq::FacesOfToggle)
    // and repaints it; 309's "on" calls the teacher to a raised hand.
    void SetToggleFaces(UINT button, bool on);
    // Sends "/stop" for every active channel and marks it stopped (closing).
    void StopVodChannels();
    static constexpr UINT kVodChannelEndMessage = 0x436;
    static constexpr UINT kSoundSwitchMessage = 0x439;

private:
    afx_msg void OnToggleScreenChange();                              // 842
    afx_msg LRESULT OnButtonStateNotify(WPARAM wParam, LPARAM lParam); // 0x435
    afx_msg void OnVodDialog();                                       // 852
    afx_msg void OnVideoDialog();                                     // 871
    afx_msg void OnEndVideoView();                                    // 872
    afx_msg void OnEndSeatActivity();                                 // 868
    afx_msg LRESULT OnSoundSwitch(WPARAM wParam, LPARAM lParam);      // 0x439
    afx_msg LRESULT OnVodChannelEnded(WPARAM wParam, LPARAM lParam);  // 0x436
    // The broadcast options of the configuration; handed to the transport
    // and written back by ApplyBroadcastOptions.
    kq::BroadcastOptions CurrentBroadcastOptions() const;
    void ApplyBroadcastOptions(const kq::BroadcastOptions& options);
    // 852 and 871: the channel command prepared for the selected seats, then
    // the video broadcast dialog in `mode`; false when no seat is on line.
    bool RunVideoDialog(int mode);
    // Ends the channel server this window started when it still runs.
    void EndChannelServer();

    PROCESS_INFORMATION m_channelServer{}; // the channel server the video dialog started
    // ---- end of the broadcast options and video channels block ----
    // ---- Web access control and restrictions ----
    // (TeacherWndWebAccess.cpp)
public:
    int WebControlState() const { return m_webAccess.State(); }
private:
    afx_msg void OnWebControl();   // 319
    afx_msg void OnWebShare();     // 320
    afx_msg void OnRestrictions(); // 642
    // Starts the service in `mode` or switches it there.
    void StartWebControl(uint8_t mode);
    // The same when the web site file exists; `siteFile` gets its path
    // first (empty when none is set).
    void StartWebSiteControl(uint8_t mode, std::string& siteFile);
    // Buttons 319 and 320 show whether their half of the control is on.
    void ShowWebFaces();
    // Kind 18 to the classroom: the students' link lists close.
    void CloseStudentLinkLists();
    void OpenWebSiteList(const std::string& siteFile);
    // A student asked for the link list.
    void LinkListRequested();
    // Before the classroom socket closes.
    void StopLinkListSender();

    kq::LinkList m_linkList; // shared with the link-list sender's thread
    kq::LinkListSender m_linkListSender{
        [this](const void* data, size_t size) {
            return SendOnClassroomSocket(data, static_cast<int>(size)) != SOCKET_ERROR;
        },
        [this] { return kq::WebSitesShared(m_webAccess.State()) ? m_linkList.Names() : std::vector<std::string>(); }};
    // ---- end of the web access block ----
    // ---- Online test commands ----
    // (TeacherWndOnlineTest.cpp)
public:
    // Posted when the test time is up (timer 1, or command 610).
    static constexpr UINT kTestTimeUpMessage = 0x43A;
    static constexpr UINT_PTR kTestTimerId = 1;
private:
    afx_msg void OnCreatePaper();    // 601
    afx_msg void OnStartTest();      // 602
    afx_msg void OnOpenPaper();      // 603
    afx_msg void OnTextOverlay();    // 606
    afx_msg void OnTestNotice();     // 607
    afx_msg void OnLengthenTest();   // 608
    afx_msg void OnAbortTest();      // 609
    afx_msg void OnEndTest();        // 610
    afx_msg void OnCommentPaper();   // 611
    afx_msg void OnShowAnswers();    // 612
    afx_msg void OnTestStatistics(); // 613
    afx_msg LRESULT OnTestNotify(WPARAM type, LPARAM seat);
    afx_msg LRESULT OnFinishTest(WPARAM wParam, LPARAM lParam);
    // The seats taking the test: in states 8 and 5 (the overlay on).
    std::vector<uint8_t> SeatsInTest() const;
    // A seat out of the test: 8 becomes 1, 5 (overlay) becomes 6.
    void LeaveTest(int seat);
    // ActivityState from the on-line seats: any overlay 6, else any in the
    // test 5, else 0.
    void RecomputeTestActivity();
    // Types 3 and 4 of the library's notice: the papers are in.
    void EndCollection(bool papersMissing);
    void RestartTestTimer();
    void StopTestTimer();
    void PostTestTimeUp();

    std::string m_paperPath;  // the paper last opened (603)
    std::string m_answerPath; // the running or last test's answer file
    // ---- end of the online test block ----

    // ---- Settings, button sets, popup settings, update push and tool page ----
    // (TeacherWndSettings.cpp, TeacherWndToolPage.cpp)
public:
    // The update push's announcement to diskless student PCs: seven copies
    // of the kind-3 notice with `value` and VersionID; 0 when the socket
    // could not be had (nothing sent), else 1.
    int AnnounceUpdate(uint16_t value);
    static constexpr UINT kRestartHomeworkMessage = 0x437;

private:
    afx_msg void OnOptions();      // 641
    afx_msg void OnButtonConfig(); // 643 and the button-set menu's 1132
    afx_msg void OnPopSettings();  // 839
    afx_msg void OnHelp();         // 402
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags); // F5
    afx_msg void OnGroupTab(UINT id);  // 550-555
    afx_msg void OnWholeClassTab();    // 556
    afx_msg LRESULT OnRestartHomeworkServer(WPARAM wParam, LPARAM lParam); // 0x437
    afx_msg LRESULT OnRepaintToolPages(WPARAM wParam, LPARAM lParam);      // 0x438
    // Starts the homework file server on the receive folder (one trailing
    // backslash) and keeps its port; false when it did not start.
    bool StartHomeworkServer();
    // A group tab's pressed (focus, down, focus) or normal faces, redrawn.
    void SetTabPressed(CToggleBitmapButton& tab, bool pressed);

    bool m_fileServerRunning = false; // the homework file server runs
    bool m_wholeClassTab = false;     // the whole-class tab is pressed
    // ---- end of the settings block ----
};
