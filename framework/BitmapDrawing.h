#pragma once
// Copying a bitmap, or a bitmap of the resource source, onto a device
// context: the one drawing step that faces, panels and backgrounds share.

#include "framework/Bitmap.h"
#include "framework/DC.h"

namespace kq {

// Copies the top-left width x height block of `bitmap` to (x, y) of `dc`.
void CopyBitmapTo(CDC& dc, CBitmap& bitmap, int width, int height, int x = 0, int y = 0);
// Loads bitmap `id` (its low 16 bits) from the resource source and copies it
// as above. FALSE, drawing nothing, when the id is 0 or does not load.
BOOL DrawBitmapResource(CDC& dc, UINT id, int width, int height, int x = 0, int y = 0);

} // namespace kq
