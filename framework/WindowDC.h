#pragma once
// CWindowDC: the context of a whole window, frame included (the screen for
// null), released when the object goes.

#include "framework/DC.h"

class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* window);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};
