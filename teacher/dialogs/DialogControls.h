#pragma once
// The controls the teacher's small dialogs make the same way: bitmap buttons
// with a released and a pressed face, and the font of their text fields.

#include "framework/Framework.h"

namespace kq {

// A visible owner-drawn button at `rect` with its two faces; FALSE when the
// window could not be made (the faces are then not loaded).
BOOL CreateFaceButton(CBitmapButton& button, CWnd* parent, const CRect& rect, UINT id, UINT released, UINT pressed,
                      DWORD extraStyle = 0);
// The text fields' font, "宋体" 9 pt.
BOOL CreateFieldFont(CFont& font);

} // namespace kq
