#pragma once
// CStatic: the system's static control ("STATIC"): text, bitmap, icon.

#include "framework/Wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic() = default;

    // A child static; WS_CHILD is always added. 0xFFFF is the id of
    // controls nobody refers to.
    virtual BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

    // The image of an SS_BITMAP or SS_ICON static; each returns the previous
    // one. The control does not own the image.
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;
    HCURSOR SetCursor(HCURSOR cursor);
    HCURSOR GetCursor();
};
