#include "widgets/SkinButton.h"

#include "framework/BitmapDrawing.h"

CSkinButton::~CSkinButton()
{
    DestroyWindow();
}

BOOL CSkinButton::Create(int x, int y, UINT id, CWnd* parent, DWORD style)
{
    return CButton::Create(nullptr, style | BS_OWNERDRAW, CRect(x, y, x, y), parent, id);
}

BOOL CSkinButton::LoadBitmaps(UINT releasedId, UINT pressedId, const CRgn* shape, int flag)
{
    m_releasedId = releasedId;
    m_pressedId = pressedId;
    m_flag = flag;

    CBitmap released;
    BITMAP info = {};
    if (!released.LoadBitmap(LOWORD(releasedId)) || released.GetBitmap(&info) == 0)
        return FALSE;
    SetWindowPos(&wndTop, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE);

    if (shape != nullptr && shape->GetSafeHandle() != nullptr) {
        CRgn outline;
        if (outline.CreateRectRgn(0, 0, info.bmWidth, info.bmHeight) &&
            outline.CombineRgn(shape, nullptr, RGN_COPY) != ERROR && SetWindowRgn(outline, TRUE)) {
            // The window owns the region from now on.
            outline.Detach();
        }
    }
    return TRUE;
}

void CSkinButton::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    const UINT faceId = (drawItem->itemState & ODS_SELECTED) ? m_pressedId : m_releasedId;
    const CRect item(drawItem->rcItem);
    // A face of 0, or one that does not load, leaves the item unpainted.
    kq::DrawBitmapResource(*CDC::FromHandle(drawItem->hDC), faceId, item.Width(), item.Height());
}
