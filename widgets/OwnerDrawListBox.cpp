#include "widgets/OwnerDrawListBox.h"

#include "widgets/LetterNumberOrder.h"

#include <cstring>

BEGIN_MESSAGE_MAP(COwnerDrawListBox, CListBox)
END_MESSAGE_MAP()

COwnerDrawListBox::~COwnerDrawListBox()
{
    DestroyWindow();
}

void COwnerDrawListBox::MeasureItem(LPMEASUREITEMSTRUCT measure)
{
    const auto* text = reinterpret_cast<const char*>(measure->itemData);
    if (text == nullptr)
        return;
    CClientDC dc(this);
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc.m_hDC, text, static_cast<int>(std::strlen(text)), &extent);
    measure->itemHeight = static_cast<UINT>(extent.cy);
}

void COwnerDrawListBox::DrawItem(LPDRAWITEMSTRUCT draw)
{
    const auto* text = reinterpret_cast<const char*>(draw->itemData);
    if (text == nullptr)
        return;
    CDC* dc = CDC::FromHandle(draw->hDC);
    CRect item(draw->rcItem);
    const COLORREF oldText = dc->GetTextColor();
    const COLORREF oldBack = dc->GetBkColor();

    if (draw->itemState & ODS_SELECTED) {
        dc->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc->SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
        dc->FillSolidRect(&item, ::GetSysColor(COLOR_HIGHLIGHT));
    } else {
        dc->FillSolidRect(&item, oldBack);
    }
    if (draw->itemState & ODS_FOCUS) {
        CBrush red(kFocusFrame);
        dc->FrameRect(&item, &red);
    }
    dc->DrawText(text, -1, &item, DT_SINGLELINE | DT_VCENTER);

    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
}

int COwnerDrawListBox::CompareItem(LPCOMPAREITEMSTRUCT compare)
{
    return kq::CompareLetterNumber(reinterpret_cast<const char*>(compare->itemData1),
                                   reinterpret_cast<const char*>(compare->itemData2));
}
