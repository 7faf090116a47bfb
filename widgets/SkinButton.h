#pragma once
// CSkinButton: an owner-drawn button that takes the size, and optionally the
// shape, of a bitmap and shows one bitmap released and another pressed. The
// close button of every skinned dialog is one.

#include "framework/Framework.h"

class CSkinButton : public CButton {
public:
    CSkinButton() = default;
    // Destroys the window.
    ~CSkinButton() override;

    using CButton::Create;
    // A button without text at (x, y) with no size yet: LoadBitmaps gives it
    // one. BS_OWNERDRAW and WS_CHILD are added to the style.
    BOOL Create(int x, int y, UINT id, CWnd* parent, DWORD style);

    // Stores the faces (low 16 bits of the ids are used) and sizes the
    // button to the released face without moving it. With a shape, a copy of
    // it becomes the window's region; the caller keeps its own region. The
    // flag is kept for the callers that pass one and changes nothing.
    // FALSE when the released face does not load (the size stays).
    BOOL LoadBitmaps(UINT releasedId, UINT pressedId, const CRgn* shape, int flag);

    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

private:
    UINT m_releasedId = 0;
    UINT m_pressedId = 0;
    int m_flag = 0;
};
