// The view's context menu and its commands (monitoring modes).

#include "broadcast/ScreenReceiverWnd.h"

#include "broadcast/DecompressWnd.h"
#include "broadcast/MirageEngine.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/ViewerTexts.h"

namespace {

constexpr uint16_t kMenuMonitor = 1;
constexpr uint16_t kMenuMultiMonitor = 2;
constexpr uint16_t kViewFullScreen = 3;
constexpr uint16_t kViewWindowed = 4;
constexpr uint16_t kViewMulti = 5;
constexpr int kMenuIconSize = 16;

// Menu icons of the library's own resources.
enum MenuIcon : UINT {
    ICON_NEXT = 8004,
    ICON_PREVIOUS = 8005,
    ICON_FULL = 8006,
    ICON_FLOATING = 8007,
    ICON_TUTORING = 8008,
    ICON_REVIEW = 8009,
    ICON_STUDENT_DEMO = 8010,
    ICON_WARN = 8037,
    ICON_LOCK = 8038,
    ICON_EXIT = 8039,
};

constexpr char kWarnText[] = "警告";
constexpr char kLockText[] = "锁定";
constexpr char kExitText[] = "退出";

HICON MenuIconOf(UINT id)
{
    return static_cast<HICON>(
        LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, kMenuIconSize, kMenuIconSize, 0));
}

} // namespace

void CScreenReceiverWnd::ShowMenu(CPoint point)
{
    MirageEngineState& state = EngineState();
    if (state.viewMenu != kMenuMonitor && state.viewMenu != kMenuMultiMonitor)
        return;
    CIconPopupMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    auto add = [&menu](UINT command, MirageIniLine line, UINT icon) {
        menu.AddItem(command, ViewerText(line), MenuIconOf(icon));
    };
    const bool monitor = state.viewMenu == kMenuMonitor;
    const bool paging = monitor || state.zoomed ? state.idCount >= 2 : state.idCount > state.maxViews;
    if (paging) {
        add(ID_MIRAGE_NEXT_PAGE, MIRAGE_INI_NEXT_PAGE, ICON_NEXT);
        add(ID_MIRAGE_PREVIOUS_PAGE, MIRAGE_INI_PREVIOUS_PAGE, ICON_PREVIOUS);
    }
    if (monitor) {
        add(ID_MIRAGE_FULL_OR_HALF, MIRAGE_INI_FULL_OR_HALF, ICON_FULL);
        if (state.viewState == kViewWindowed)
            add(ID_MIRAGE_FLOATING, MIRAGE_INI_FLOATING, ICON_FLOATING);
    } else {
        add(ID_MIRAGE_ZOOM, MIRAGE_INI_FULL_OR_MULTI, ICON_FULL);
    }
    // Hand-over items need a station: an empty view offers none.
    if (monitor || m_stationId != 0) {
        add(ID_MIRAGE_TO_TUTORING, MIRAGE_INI_TO_TUTORING, ICON_TUTORING);
        add(ID_MIRAGE_TO_REVIEW, MIRAGE_INI_TO_REVIEW, ICON_REVIEW);
        add(ID_MIRAGE_TO_STUDENT_DEMO, MIRAGE_INI_TO_STUDENT_DEMO, ICON_STUDENT_DEMO);
    }
    menu.AddItem(ID_MIRAGE_WARN, kWarnText, MenuIconOf(ICON_WARN));
    menu.AddItem(ID_MIRAGE_LOCK, kLockText, MenuIconOf(ICON_LOCK));
    menu.AddSeparator();
    menu.AddItem(ID_MIRAGE_EXIT, kExitText, MenuIconOf(ICON_EXIT));
    menu.TrackPopupMenu(TPM_CENTERALIGN | TPM_RIGHTBUTTON, m_rect.left + point.x, m_rect.top + point.y, this);
}

void CScreenReceiverWnd::RequestSwitch(uint16_t notice, uint8_t station)
{
    MirageEngine().NotifyHost(MIRAGE_NOTICE_MODE_ENDED, 0, 1);
    MirageEngine().NotifyHost(notice, 0, station);
}

void CScreenReceiverWnd::OnNextPage() { DecompressWnd().PostMessage(WM_MIRAGE_NEXT); }
void CScreenReceiverWnd::OnPreviousPage() { DecompressWnd().PostMessage(WM_MIRAGE_PREVIOUS); }

void CScreenReceiverWnd::OnFullOrHalf()
{
    MirageEngineState& state = EngineState();
    if (state.viewState == kViewFullScreen || state.viewState == kViewWindowed)
        SwitchFullAndWindowed();
}

void CScreenReceiverWnd::OnFloating()
{
    MirageEngineState& state = EngineState();
    if (state.viewState == kViewWindowed && state.currentView == 0) {
        m_cell = m_cell == 0 ? 1 : 0;
        LayoutView();
    }
}

void CScreenReceiverWnd::OnToTutoring() { RequestSwitch(MIRAGE_NOTICE_TO_TUTORING, m_stationId); }
void CScreenReceiverWnd::OnToReview() { RequestSwitch(MIRAGE_NOTICE_TO_REVIEW, m_stationId); }
void CScreenReceiverWnd::OnToStudentDemo() { RequestSwitch(MIRAGE_NOTICE_TO_STUDENT_DEMO, m_stationId); }
void CScreenReceiverWnd::OnToTeacherDemo() { RequestSwitch(MIRAGE_NOTICE_TO_TEACHER_DEMO, 0); }

void CScreenReceiverWnd::OnExit()
{
    MirageEngine().NotifyHost(MIRAGE_NOTICE_MODE_ENDED, 0, 0);
}

void CScreenReceiverWnd::OnZoom()
{
    MirageEngineState& state = EngineState();
    if (state.viewState != kViewMulti)
        return;
    if (!state.zoomed) {
        state.zoomed = 1;
        if (m_index != state.currentView)
            state.switchPending = 1;
        state.currentView = static_cast<uint16_t>(m_index);
        state.pagePos = m_index;
        state.watchedId = state.visibleIds[m_index % kViewCount];
    } else {
        state.zoomed = 0;
        state.switchPending = 1;
    }
    state.waitingForFrame = 1;
    DecompressWnd().ApplyVisibility();
}

void CScreenReceiverWnd::OnWarn()
{
    if (m_preset.GetSafeHwnd() != nullptr)
        m_preset.Open(CPresetMessageDlg::WARN, m_stationId);
}

void CScreenReceiverWnd::OnLock()
{
    if (m_preset.GetSafeHwnd() != nullptr)
        m_preset.Open(CPresetMessageDlg::LOCK, m_stationId);
}
