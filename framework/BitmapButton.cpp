#include "framework/BitmapButton.h"

#include "framework/BitmapDrawing.h"
#include "framework/DC.h"

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

namespace {

// The suffixes AutoLoad appends to the caption, in face order.
constexpr const char* kUpSuffix = "U";
constexpr const char* kDownSuffix = "D";
constexpr const char* kFocusSuffix = "F";
constexpr const char* kDisabledSuffix = "X";

// Loads an optional face: TRUE when it was not asked for or loaded.
BOOL LoadOptional(CBitmap& face, LPCSTR name)
{
    return name == nullptr || face.LoadBitmap(name);
}

LPCSTR IdName(UINT id)
{
    return id == 0 ? nullptr : MAKEINTRESOURCEA(id);
}

} // namespace

void CBitmapButton::FreeFaces()
{
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();
}

BOOL CBitmapButton::LoadBitmaps(UINT upId, UINT downId, UINT focusId, UINT disabledId)
{
    if (upId == 0) {
        FreeFaces();
        return FALSE;
    }
    return LoadBitmaps(IdName(upId), IdName(downId), IdName(focusId), IdName(disabledId));
}

BOOL CBitmapButton::LoadBitmaps(LPCSTR upName, LPCSTR downName, LPCSTR focusName, LPCSTR disabledName)
{
    FreeFaces();
    if (upName == nullptr || !m_bitmap.LoadBitmap(upName))
        return FALSE;
    BOOL all = LoadOptional(m_bitmapSel, downName);
    all = LoadOptional(m_bitmapFocus, focusName) && all;
    all = LoadOptional(m_bitmapDisabled, disabledName) && all;
    return all;
}

BOOL CBitmapButton::AutoLoad(UINT id, CWnd* parent)
{
    if (!SubclassDlgItem(id, parent))
        return FALSE;
    CString caption;
    GetWindowText(caption);
    const CString up = caption + kUpSuffix;
    const CString down = caption + kDownSuffix;
    const CString focus = caption + kFocusSuffix;
    const CString disabled = caption + kDisabledSuffix;
    LoadBitmaps(up, down, focus, disabled);
    if (m_bitmap.GetSafeHandle() == nullptr)
        return FALSE;
    SizeToContent();
    return TRUE;
}

void CBitmapButton::SizeToContent()
{
    BITMAP info = {};
    if (m_bitmap.GetSafeHandle() == nullptr || m_bitmap.GetBitmap(&info) == 0)
        return;
    SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CBitmap* CBitmapButton::FaceFor(UINT itemState)
{
    if ((itemState & ODS_SELECTED) && m_bitmapSel.GetSafeHandle() != nullptr)
        return &m_bitmapSel;
    if ((itemState & ODS_FOCUS) && m_bitmapFocus.GetSafeHandle() != nullptr)
        return &m_bitmapFocus;
    if ((itemState & ODS_DISABLED) && m_bitmapDisabled.GetSafeHandle() != nullptr)
        return &m_bitmapDisabled;
    return &m_bitmap;
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    CBitmap* face = FaceFor(drawItem->itemState);
    if (face->GetSafeHandle() == nullptr)
        return;

    const RECT& item = drawItem->rcItem;
    kq::CopyBitmapTo(*CDC::FromHandle(drawItem->hDC), *face, item.right - item.left, item.bottom - item.top, item.left,
                     item.top);
}
