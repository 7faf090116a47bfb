#pragma once
// CPolyButton: the polygon-shaped bitmap button of the teacher's main
// window (the version button). Its window region is the outline of
// TeacherLook.h, given in the parent's client coordinates and converted
// when the button is created, so it fits wherever the main window stands.
// It always shows the same face and has its own cursor.

#include "framework/Framework.h"

class CPolyButton : public CButton {
public:
    CPolyButton() = default;
    // Destroys the window.
    ~CPolyButton() override;

    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnDestroy();

private:
    HCURSOR m_cursor = nullptr;
};
