#pragma once
// CBitmapButton: an owner-drawn button (BS_OWNERDRAW) that shows one of up
// to four bitmaps: up (released; required), down (pressed), focused and
// disabled. A face that was not loaded falls back to the up face.
//
// AutoLoad takes the faces from the button's caption: caption + "U", "D",
// "F" and "X" name the up, down, focused and disabled bitmaps.

#include "framework/Bitmap.h"
#include "framework/Button.h"

class CBitmapButton : public CButton {
    DECLARE_DYNAMIC(CBitmapButton)
public:
    CBitmapButton() = default;

    // Loads the faces from the resource source (AfxGetResourceHandle); an
    // id of 0 or a null name leaves that face out. Faces loaded before are
    // freed. FALSE when the up face or any face asked for is missing (the
    // faces that could be loaded are kept).
    BOOL LoadBitmaps(UINT upId, UINT downId = 0, UINT focusId = 0, UINT disabledId = 0);
    BOOL LoadBitmaps(LPCSTR upName, LPCSTR downName = nullptr, LPCSTR focusName = nullptr,
                     LPCSTR disabledName = nullptr);

    // Takes over dialog control `id` of `parent` and loads its faces by its
    // caption, then sizes it to them. TRUE when at least the up face loaded.
    BOOL AutoLoad(UINT id, CWnd* parent);

    // Resizes the button to its up face, keeping its position.
    void SizeToContent();

    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

protected:
    CBitmap m_bitmap;         // up
    CBitmap m_bitmapSel;      // down
    CBitmap m_bitmapFocus;    // focused
    CBitmap m_bitmapDisabled; // disabled

private:
    void FreeFaces();
    // The face for an owner-draw item state.
    CBitmap* FaceFor(UINT itemState);
};
