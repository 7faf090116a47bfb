#pragma once
// Copying a bitmap face onto a control or window: the one drawing step every
// widget of the kit shares.

#include "framework/Framework.h"

namespace kq {

// Copies the top-left width x height block of `bitmap` to (0, 0) of `dc`.
void CopyBitmapTo(CDC& dc, CBitmap& bitmap, int width, int height);
// Loads bitmap `id` (its low 16 bits) from the resource source and copies it
// as above. FALSE, drawing nothing, when the id is 0 or does not load.
BOOL DrawBitmapResource(CDC& dc, UINT id, int width, int height);

} // namespace kq
