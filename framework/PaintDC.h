#pragma once
// CPaintDC: the context of one WM_PAINT, between BeginPaint and EndPaint.

#include "framework/DC.h"

class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps = {};

protected:
    HWND m_hWnd = nullptr;
};
