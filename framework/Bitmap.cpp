#include "framework/Bitmap.h"

#include "framework/DC.h"
#include "framework/ModuleState.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

BOOL CBitmap::LoadBitmap(UINT id)
{
    return LoadBitmap(MAKEINTRESOURCEA(id));
}

BOOL CBitmap::LoadBitmap(LPCSTR name)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), name));
}

BOOL CBitmap::LoadOEMBitmap(UINT id)
{
    return Attach(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(id)));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* bitmap)
{
    return Attach(::CreateBitmapIndirect(bitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    if (dc == nullptr)
        return FALSE;
    return Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* dc, int width, int height)
{
    // Bitmaps have not been discardable since 16-bit Windows.
    return CreateCompatibleBitmap(dc, width, height);
}

int CBitmap::GetBitmap(BITMAP* bitmap) const
{
    return GetObject(sizeof(BITMAP), bitmap);
}

DWORD CBitmap::GetBitmapBits(DWORD count, void* bits) const
{
    return ::GetBitmapBits(static_cast<HBITMAP>(m_hObject), count, bits);
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits)
{
    return ::SetBitmapBits(static_cast<HBITMAP>(m_hObject), count, bits);
}

CSize CBitmap::SetBitmapDimension(int width, int height)
{
    SIZE previous = {0, 0};
    ::SetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), width, height, &previous);
    return CSize(previous);
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = {0, 0};
    ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
    return CSize(size);
}
