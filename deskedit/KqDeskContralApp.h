#pragma once
// CKqDeskContralApp: the desktop editor's application. One copy at a time;
// a hidden single-document frame that runs the editor's dialog.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "framework/Framework.h"

class CKqDeskContralApp : public CWinApp {
public:
    CKqDeskContralApp() = default;
    ~CKqDeskContralApp() override;

    BOOL InitInstance() override;

private:
    HANDLE m_mutex = nullptr;
};
