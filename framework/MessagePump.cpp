#include "framework/MessagePump.h"

#include "framework/WinThread.h"

int AfxGetMessage(MSG* pMsg)
{
    return ::GetMessageW(pMsg, nullptr, 0, 0);
}

BOOL AfxPeekMessage(MSG* pMsg, HWND hWnd, UINT nFirst, UINT nLast, UINT nRemove)
{
    return ::PeekMessageW(pMsg, hWnd, nFirst, nLast, nRemove);
}

void AfxDispatchMessage(const MSG* pMsg)
{
    ::TranslateMessage(pMsg);
    ::DispatchMessageW(pMsg);
}

BOOL AfxPumpMessage(MSG* pMsg)
{
    const int got = AfxGetMessage(pMsg);
    if (got == 0)
        return FALSE;
    if (got > 0 && !AfxPreTranslateMessage(pMsg))
        AfxDispatchMessage(pMsg);
    return TRUE;
}
