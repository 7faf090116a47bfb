#include "framework/BitmapDrawing.h"

namespace kq {

void CopyBitmapTo(CDC& dc, CBitmap& bitmap, int width, int height, int x, int y)
{
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc))
        return;
    CBitmap* previous = memory.SelectObject(&bitmap);
    dc.BitBlt(x, y, width, height, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
}

BOOL DrawBitmapResource(CDC& dc, UINT id, int width, int height, int x, int y)
{
    CBitmap face;
    if (LOWORD(id) == 0 || !face.LoadBitmap(LOWORD(id)))
        return FALSE;
    CopyBitmapTo(dc, face, width, height, x, y);
    return TRUE;
}

} // namespace kq
