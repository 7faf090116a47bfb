#pragma once
// CCastviewApp: the channel receiver's application. One copy at a time; it
// runs the receiver's dialog modally and ends with it.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "framework/Framework.h"

class CCastviewApp : public CWinApp {
public:
    // Whoever holds the receiver's thread id may post it: it shows the
    // window, or with a command line closes it.
    static constexpr UINT kShowOrCloseMessage = WM_USER + 79;

    CCastviewApp() = default;

    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnShowOrClose(WPARAM wParam, LPARAM lParam);

private:
    // Brings the running copy's window forward.
    static void ShowFirstCopy();
};
