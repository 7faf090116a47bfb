#include "framework/ImageList.h"

#include "framework/Bitmap.h"
#include "framework/DC.h"
#include "framework/GdiObject.h"
#include "framework/ModuleState.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

namespace {

HBITMAP BitmapOf(const CBitmap* bitmap)
{
    return bitmap == nullptr ? nullptr : static_cast<HBITMAP>(bitmap->m_hObject);
}

} // namespace

CImageList::~CImageList()
{
    DeleteImageList();
}

HIMAGELIST CImageList::GetSafeHandle() const
{
    return kq::IsNullThis(this) ? nullptr : m_hImageList;
}

BOOL CImageList::Create(int width, int height, UINT flags, int initial, int grow)
{
    return Attach(::ImageList_Create(width, height, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int width, int grow, COLORREF mask)
{
    return Create(MAKEINTRESOURCEA(bitmapId), width, grow, mask);
}

BOOL CImageList::Create(LPCSTR bitmapName, int width, int grow, COLORREF mask)
{
    return Attach(::ImageList_LoadImageA(AfxGetResourceHandle(), bitmapName, width, grow, mask, IMAGE_BITMAP,
                                         LR_CREATEDIBSECTION));
}

BOOL CImageList::Attach(HIMAGELIST list)
{
    if (list == nullptr)
        return FALSE;
    if (list != m_hImageList)
        DeleteImageList();
    m_hImageList = list;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST list = m_hImageList;
    m_hImageList = nullptr;
    return list;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ::ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const
{
    return ::ImageList_GetImageCount(m_hImageList);
}

BOOL CImageList::SetImageCount(UINT count)
{
    return ::ImageList_SetImageCount(m_hImageList, count);
}

int CImageList::Add(CBitmap* image, CBitmap* mask)
{
    return ::ImageList_Add(m_hImageList, BitmapOf(image), BitmapOf(mask));
}

int CImageList::Add(CBitmap* image, COLORREF mask)
{
    return ::ImageList_AddMasked(m_hImageList, BitmapOf(image), mask);
}

int CImageList::Add(HICON icon)
{
    return ::ImageList_AddIcon(m_hImageList, icon);
}

BOOL CImageList::Replace(int index, CBitmap* image, CBitmap* mask)
{
    return ::ImageList_Replace(m_hImageList, index, BitmapOf(image), BitmapOf(mask));
}

int CImageList::Replace(int index, HICON icon)
{
    return ::ImageList_ReplaceIcon(m_hImageList, index, icon);
}

BOOL CImageList::Remove(int index)
{
    return ::ImageList_Remove(m_hImageList, index);
}

BOOL CImageList::Draw(CDC* dc, int index, POINT point, UINT style)
{
    if (dc == nullptr)
        return FALSE;
    return ::ImageList_Draw(m_hImageList, index, dc->m_hDC, point.x, point.y, style);
}

HICON CImageList::ExtractIcon(int index)
{
    return ::ImageList_GetIcon(m_hImageList, index, ILD_NORMAL);
}

BOOL CImageList::GetImageInfo(int index, IMAGEINFO* info) const
{
    return ::ImageList_GetImageInfo(m_hImageList, index, info);
}

BOOL CImageList::GetIconSize(int* width, int* height) const
{
    return ::ImageList_GetIconSize(m_hImageList, width, height);
}

COLORREF CImageList::SetBkColor(COLORREF color)
{
    return ::ImageList_SetBkColor(m_hImageList, color);
}

COLORREF CImageList::GetBkColor() const
{
    return ::ImageList_GetBkColor(m_hImageList);
}
