#pragma once
// CTeacherWnd: the teacher's main window, a caption-less 800 x 600 popup on
// which the seat map, the command panels and the teacher's buttons sit. Its
// creation brings the station up (configuration, environment check, child
// windows, splash, web access control, online test library, tray icon,
// transport); its destruction takes down exactly what the creation got.

#include "framework/Framework.h"

#include "common/CommandBlock.h"
#include "teacher/KqListCtrl.h"
#include "teacher/TeacherSettings.h"
#include "teacher/WebAccessControl.h"
#include "widgets/ButtonList.h"
#include "widgets/ClockLabel.h"
#include "widgets/KqToolTip.h"
#include "widgets/PolyButton.h"
#include "widgets/ToggleBitmapButton.h"

#include <memory>
#include <string>

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
};
