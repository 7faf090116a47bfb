#pragma once
// The title strip of a view: a small popup that shows the watched station's
// name in black on cyan. It ignores the system close command.

#include "framework/Framework.h"

#include <string>

class CTextTipWnd : public CWnd {
public:
    // An owned popup with a border at (x, y), 50 x 30, shown.
    bool CreateTip(HWND owner, int x, int y);
    void ShowText(const char* text);
    const std::string& Text() const { return m_text; }

protected:
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::string m_text;
};
