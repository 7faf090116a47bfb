#pragma once
// CClientDC: the client-area context of a window (the screen for null),
// released when the object goes.

#include "framework/DC.h"

class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};
