#pragma once
// CToolBarButton: a button of the floating toolbar. In picture mode it shows
// its face (or, while disabled, its disabled face when it has one) with a
// raised frame while the mouse is over it and a sunken one while pressed;
// in text mode it shows its window text in blue, without frames.

#include "framework/Framework.h"
#include "widgets/HoverTracker.h"

class CToolBarButton : public CButton {
public:
    CToolBarButton() = default;
    // Deletes both faces and destroys the window.
    ~CToolBarButton() override;

    // Loads the face (FALSE when it does not load) and, when the id is not
    // 0, the disabled face (FALSE when that does not load).
    BOOL LoadBitmaps(UINT face, UINT disabledFace);
    void SetTextMode(int textMode) { m_textMode = textMode; }

    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

    // The frames drawn on hover and press.
    static constexpr int kRaisedFrames = 1;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnKillFocus(CWnd* newFocus);

private:
    void DrawFrame(CDC& dc, UINT itemState, const CRect& item) const;
    void DrawCaption(CDC& dc, UINT itemState, const CRect& item);

    int m_textMode = 0;
    int m_frameStyle = kRaisedFrames;
    CHoverTracker m_hover;
    CBitmap m_face;
    CBitmap m_disabledFace;
};
