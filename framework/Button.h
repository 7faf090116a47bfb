#pragma once
// CButton: the system's button control ("BUTTON"): push buttons, check
// boxes, radio buttons, group boxes and owner-drawn buttons. An owner-drawn
// button (BS_OWNERDRAW) is painted by DrawItem, which its parent reflects to it.

#include "framework/Wnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    CButton() = default;

    // A child button; WS_CHILD is always added.
    virtual BOOL Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int check);
    // The check state plus BST_PUSHED and BST_FOCUS.
    UINT GetState() const;
    // Shows the button pushed (TRUE) or released.
    void SetState(BOOL highlight);
    // The BS_ type and flags of the button's style.
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);

    // The image shown by a BS_BITMAP or BS_ICON button; each returns the
    // previous one. The button does not own the image.
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;
    HCURSOR SetCursor(HCURSOR cursor);
    HCURSOR GetCursor();

    // Presses the button as a click would: the parent gets BN_CLICKED.
    void Click();
};
