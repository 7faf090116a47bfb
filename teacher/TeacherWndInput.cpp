// The main window's input outside its buttons: the tray icon, the hot keys
// and Ctrl shortcuts, the wheel over the seat map, dragging by the top
// band, the system commands, the timers and the whiteboard command.

#include "teacher/TeacherWnd.h"

#include "common/ProgramFolder.h"
#include "teacher/ButtonEnabling.h"
#include "teacher/Globals.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

#include <shellapi.h>
#include <windowsx.h>

namespace {

constexpr UINT kTrayIconId = 324;
constexpr UINT kSeatMapWheelMessage = 0x432;
constexpr UINT kCloseCommand = 400;
constexpr int kTopBandBottom = 19;

// The hot keys, all with Ctrl, in the order they are registered.
struct HotKey {
    int id;
    UINT key;
    UINT command; // 0: stop everything
};
constexpr HotKey kHotKeys[] = {
    {0, VK_LEFT, 0}, {1, '1', 501}, {2, '2', 503}, {4, '3', 505},
    {5, '4', 502},   {6, '5', 506}, {3, '6', 504}, {7, VK_UP, 501},
};
constexpr int kStopHotKey = 0;

// Ctrl + letter -> command of the function panel.
struct Shortcut {
    UINT key;
    UINT command;
};
constexpr Shortcut kShortcuts[] = {
    {'D', 302}, {'F', 315}, {'H', 309}, {'K', 306}, {'S', 308}, {'W', 307}, {'X', 301}, {'Y', 305}, {'Z', 313},
};

bool TrayIgnored()
{
    return ActivityState == kq::kActivityGroupWork || ActivityState == kq::kActivityInteract;
}

} // namespace

int CTeacherWnd::RegisterHotKeys()
{
    for (const HotKey& hotKey : kHotKeys)
        if (!::RegisterHotKey(m_hWnd, hotKey.id, MOD_CONTROL, hotKey.key))
            return 0;
    return 1;
}

void CTeacherWnd::OnHotKey(UINT id, UINT, UINT)
{
    if (static_cast<int>(id) == kStopHotKey) {
        if (m_broadcasting)
            kq::CloseBoxByTitle("Warning");
        m_broadcasting = false;
        StopBroadcast();
        return;
    }
    for (const HotKey& hotKey : kHotKeys)
        if (hotKey.id == static_cast<int>(id) && hotKey.command != 0)
            RunIfEnabled(m_panelA.Button(hotKey.command), hotKey.command);
}

void CTeacherWnd::RunIfEnabled(CButton* button, UINT command)
{
    if (button != nullptr && button->GetSafeHwnd() != nullptr && button->IsWindowEnabled())
        SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

BOOL CTeacherWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_MOUSEWHEEL && m_seatMap != nullptr && m_seatMap->GetSafeHwnd() != nullptr) {
        CRect map;
        m_seatMap->GetWindowRect(&map);
        const POINT point = {GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        if (map.PtInRect(point)) {
            m_seatMap->PostMessage(kSeatMapWheelMessage, msg->wParam, msg->lParam);
            return TRUE;
        }
    }
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.RelayEvent(msg);
    if (RunShortcut(*msg))
        return TRUE;
    return CWnd::PreTranslateMessage(msg);
}

bool CTeacherWnd::RunShortcut(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || ::GetKeyState(VK_CONTROL) >= 0)
        return false;
    for (const Shortcut& shortcut : kShortcuts) {
        if (msg.wParam != shortcut.key)
            continue;
        RunIfEnabled(m_functionPanel.Button(shortcut.command), shortcut.command);
        return true;
    }
    return false;
}

LRESULT CTeacherWnd::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != kTrayIconId || lParam != WM_LBUTTONDOWN || TrayIgnored())
        return 0;
    // Students leave whatever the teacher showed them, except during a roll
    // call, which the teacher ends from its button.
    if (ActivityState != kq::kActivityScreenLock)
        SendStopToClass();
    const bool wasMinimised = IsIconic() != FALSE || !IsWindowVisible();
    RestoreToForeground(wasMinimised);
    if (wasMinimised) {
        SendPendingDisklessStop();
        DestroyFloatingToolBar();
    }
    return 0;
}

void CTeacherWnd::OnTrayMinimize()
{
    if (!IsIconic())
        ShowWindow(SW_MINIMIZE);
}

void CTeacherWnd::OnSysCommand(UINT id, LPARAM lParam)
{
    switch (id & 0xFFF0) {
    case SC_CLOSE:
        SendMessage(WM_COMMAND, MAKEWPARAM(kCloseCommand, 0), 0);
        return;
    case SC_MAXIMIZE:
    case SC_RESTORE:
        StopBroadcast();
        RecalcLayout();
        break;
    default:
        break;
    }
    CWnd::OnSysCommand(id, lParam);
}

void CTeacherWnd::OnMouseMove(UINT flags, CPoint point)
{
    SetFocus();
    if (point.y < kTopBandBottom)
        ::SetCursor(m_moveCursor);
    CWnd::OnMouseMove(flags, point);
}

void CTeacherWnd::OnLButtonDown(UINT flags, CPoint point)
{
    if (point.y <= kTopBandBottom) {
        ::SetCursor(m_moveCursor);
        // The top band drags the window like a caption; the non-client
        // message carries screen coordinates.
        CPoint screen = point;
        ClientToScreen(&screen);
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    }
    CWnd::OnLButtonDown(flags, point);
}

BOOL CTeacherWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(m_arrowCursor);
    return TRUE;
}

void CTeacherWnd::OnTimer(UINT_PTR id)
{
    if (id == kShutdownTimerId) {
        KillTimer(kShutdownTimerId);
        OnShutdownTimer();
        return;
    }
    if (m_testTimer != 0 && id == m_testTimer) {
        if (m_testMinutesLeft >= 1)
            --m_testMinutesLeft;
        if (m_testMinutesLeft == 0) {
            StopTestTimer();
            PostTestTimeUp();
        }
        return;
    }
    CWnd::OnTimer(id);
}

LRESULT CTeacherWnd::OnDisplayChange(WPARAM, LPARAM)
{
    RecalcLayout();
    CentreOnScreen();
    return 0;
}

void CTeacherWnd::OnWhiteboard()
{
    const std::string program = kq::GetProgramFolder() + "Chalkpad.exe";
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(m_hWnd, "open", program.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result != ERROR_FILE_NOT_FOUND)
        return;
    const std::string text = "没有发现指定的文件, 请检查" + program + "是否存在";
    kq::ShowWarningText(text.c_str());
}
