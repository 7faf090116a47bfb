#pragma once
// CHoverButton: an owner-drawn button with released, pressed, hover and
// disabled faces, optional 3-D frames, optional text and its own cursor.
// It lights (hover face, raised frame) while the mouse is over it, holding
// the mouse capture to see it leave. Made only by CButtonList.
//
// Styles: 0 classic (3-D frame, focus rectangle, no hover tracking),
// 1 hover, any other value hover tracking with the classic frame.

#include "framework/Framework.h"
#include "widgets/HoverTracker.h"

class CButtonList;

class CHoverButton : public CButton {
public:
    // Destroys the window and the button's own cursor.
    ~CHoverButton() override;

    static constexpr int kClassicStyle = 0;
    static constexpr int kHoverStyle = 1;

    // Stores the style and faces. A cursor id of 0 keeps the default cursor;
    // otherwise the cursor is loaded, and FALSE says it could not be.
    BOOL SetFaces(int style, UINT releasedFace, UINT pressedFace, UINT hoverFace, UINT cursorId,
                  UINT disabledFace);
    void SetFrames(int hoverFrame, int pressedFrame);
    // A second face set, kept for the callers that give one; nothing
    // switches to it. The third value is not used.
    void SetAlternateFaces(UINT pressedFace, UINT hoverFace, UINT unused, UINT releasedFace);

    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

protected:
    friend class CButtonList;
    CHoverButton() = default;

    DECLARE_MESSAGE_MAP()
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnKillFocus(CWnd* newFocus);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);

private:
    struct Faces {
        UINT released = 0;
        UINT pressed = 0;
        UINT hover = 0;
        UINT disabled = 0;
    };

    UINT ChooseFace(UINT itemState) const;
    void DrawFrame(CDC& dc, UINT itemState, const CRect& item) const;
    void DrawCaption(CDC& dc, UINT itemState, const CRect& item);

    int m_pressedFrame = 1;
    int m_hoverFrame = 1;
    CHoverTracker m_hover;
    int m_style = kHoverStyle;
    Faces m_faces;
    Faces m_alternate; // stored only: nothing switches to it
    HCURSOR m_cursor = nullptr;
};
