#include "widgets/PolyButton.h"

#include "framework/BitmapDrawing.h"
#include "widgets/TeacherLook.h"

#include <iterator>

BEGIN_MESSAGE_MAP(CPolyButton, CButton)
    ON_WM_SETCURSOR()
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CPolyButton::~CPolyButton()
{
    DestroyWindow();
}

int CPolyButton::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CButton::OnCreate(createStruct) == -1)
        return -1;
    m_cursor = static_cast<HCURSOR>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kq::kVersionButtonCursor),
                                                 IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));

    POINT outline[std::size(kq::kVersionButtonOutline)];
    std::copy(std::begin(kq::kVersionButtonOutline), std::end(kq::kVersionButtonOutline), outline);
    ::MapWindowPoints(::GetParent(m_hWnd), m_hWnd, outline, static_cast<UINT>(std::size(outline)));
    CRgn region;
    if (region.CreatePolygonRgn(outline, static_cast<int>(std::size(outline)), ALTERNATE) &&
        SetWindowRgn(region, TRUE)) {
        region.Detach(); // the window's now
    }
    return 0;
}

void CPolyButton::OnDestroy()
{
    CButton::OnDestroy();
    if (m_cursor != nullptr) {
        ::DestroyCursor(m_cursor);
        m_cursor = nullptr;
    }
}

BOOL CPolyButton::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_cursor == nullptr)
        return CButton::OnSetCursor(wnd, hitTest, message);
    ::SetCursor(m_cursor);
    return TRUE;
}

void CPolyButton::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    // The same face whatever the state.
    const CRect item(drawItem->rcItem);
    kq::DrawBitmapResource(*CDC::FromHandle(drawItem->hDC), kq::kVersionButtonFace, item.Width(), item.Height());
}
