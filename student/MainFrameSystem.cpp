// CMainFrame: the registry switches, the browser proxy, the clean-up
// and the end of the Windows session.

#include "student/MainFrame.h"

#include "student/KqDeskImports.h"
#include "student/KqTransmitImports.h"
#include "student/LecternImports.h"
#include "student/PowerControl.h"
#include "student/QuizhallImports.h"
#include "student/RegistrySettings.h"
#include "student/SeatNumberDlg.h"

namespace {

constexpr char kRegisterIni[] = "\\register.ini";

} // namespace

void CMainFrame::ApplyRegistrySwitch(int number, int value)
{
    kq::ApplyRegistrySwitch(InstallPath(kRegisterIni), number, value);
}

int CMainFrame::SetIeProxy(uint32_t address, int port)
{
    kq::SetIeProxy(address, port);
    return 0;
}

void CMainFrame::CloseWindowByTitle(const char* title)
{
    if (HWND window = ::FindWindowA(nullptr, title))
        ::SendMessageA(window, WM_CLOSE, 0, 0);
}

void CMainFrame::Cleanup()
{
    if (m_cleanedUp)
        return;
    m_cleanedUp = true;
    CloseWindowByTitle(CSeatNumberDlg::kTitle);
    if (m_startupThread != nullptr) {
        ::TerminateThread(m_startupThread, 0);
        ::CloseHandle(m_startupThread);
        m_startupThread = nullptr;
    }
    EndServerToSendDir();
    S_AbortTest();
    S_UnInitStudent();
    LecternClose();
    if (m_toolBar.m_hWnd != nullptr)
        m_toolBar.DestroyWindow();
    if (m_deskRunning) {
        KqCloseKqDesk();
        m_deskRunning = 0;
    }
    ShowTrayIcon(FALSE);
    UnregisterHotKeys();
}

void CMainFrame::LogOff()
{
    kq::EndWindowsSession(EWX_LOGOFF);
}

void CMainFrame::ShutdownComputer()
{
    kq::EndWindowsSession(EWX_SHUTDOWN | EWX_FORCE | EWX_POWEROFF);
}
