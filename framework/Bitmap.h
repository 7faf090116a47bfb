#pragma once
// CBitmap: an owned GDI bitmap. LoadBitmap reads from the module that is the
// current resource source (AfxGetResourceHandle).

#include "framework/GdiObject.h"
#include "framework/Size.h"

class CDC;

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    static CBitmap* FromHandle(HBITMAP handle) { return FromHandleAs<CBitmap>(handle); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    BOOL LoadBitmap(UINT id);
    BOOL LoadBitmap(LPCSTR name);
    BOOL LoadOEMBitmap(UINT id);

    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateBitmapIndirect(const BITMAP* bitmap);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL CreateDiscardableBitmap(CDC* dc, int width, int height);

    int GetBitmap(BITMAP* bitmap) const;
    DWORD GetBitmapBits(DWORD count, void* bits) const;
    DWORD SetBitmapBits(DWORD count, const void* bits);
    CSize SetBitmapDimension(int width, int height);
    CSize GetBitmapDimension() const;
};
