// The entry point of a DLL built on the library, unless the DLL has its own
// DllMain: it starts and ends the DLL's application object, if it has one.
// (Only DLLs without a DllMain of their own pull this file in.)

#include "framework/ThreadState.h"
#include "framework/WinApp.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    CWinApp* pApp = AfxGetApp();
    switch (dwReason) {
    case DLL_PROCESS_ATTACH:
        if (pApp != nullptr) {
            pApp->m_hInstance = hInstance;
            if (!pApp->InitInstance()) {
                pApp->ExitInstance();
                return FALSE;
            }
        }
        break;
    case DLL_THREAD_DETACH:
        AfxFreeThreadState();
        break;
    case DLL_PROCESS_DETACH:
        if (pApp != nullptr)
            pApp->ExitInstance();
        AfxFreeThreadState(); // its hook procedures go with the DLL
        break;
    default:
        break;
    }
    return TRUE;
}
