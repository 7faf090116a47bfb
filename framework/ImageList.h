#pragma once
// CImageList: an owned image list of equal-sized images, drawn by index.

#include "framework/Object.h"
#include "framework/Win32.h"

class CBitmap;
class CDC;

class CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;

    HIMAGELIST m_hImageList = nullptr;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const;

    BOOL Create(int width, int height, UINT flags, int initial, int grow);
    // Images `width` pixels wide cut from a bitmap of the resource source;
    // pixels of colour `mask` become transparent (CLR_NONE for none).
    BOOL Create(UINT bitmapId, int width, int grow, COLORREF mask);
    BOOL Create(LPCSTR bitmapName, int width, int grow, COLORREF mask);

    // Takes ownership of `list`; a list held before is deleted first.
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int GetImageCount() const;
    BOOL SetImageCount(UINT count);
    // Each returns the index of the first image added, or -1.
    int Add(CBitmap* image, CBitmap* mask);
    int Add(CBitmap* image, COLORREF mask);
    int Add(HICON icon);
    BOOL Replace(int index, CBitmap* image, CBitmap* mask);
    int Replace(int index, HICON icon);
    BOOL Remove(int index);

    BOOL Draw(CDC* dc, int index, POINT point, UINT style);
    HICON ExtractIcon(int index);
    BOOL GetImageInfo(int index, IMAGEINFO* info) const;
    BOOL GetIconSize(int* width, int* height) const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
};
