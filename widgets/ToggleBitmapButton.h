#pragma once
// CToggleBitmapButton: the framework's four-face bitmap button that takes
// the keyboard focus when the mouse moves over it, so it shows its focused
// face until the focus moves on. It can keep a toggle flag that each left
// press flips (the face does not depend on it).

#include "framework/Framework.h"

class CToggleBitmapButton : public CBitmapButton {
public:
    CToggleBitmapButton() = default;
    // Frees the faces and destroys the window.
    ~CToggleBitmapButton() override;

    void EnableToggle(int on) { m_toggleEnabled = on; }
    int IsToggled() const { return m_toggled; }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);

private:
    int m_toggleEnabled = 0;
    int m_toggled = 0;
};
