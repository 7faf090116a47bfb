#include "widgets/OwnerDrawMenu.h"

#include <cstring>

namespace {

constexpr int kTextExtraWidth = 27; // icon margin and the text's own margins
constexpr int kTextPaddingHeight = 8;
constexpr int kIconLeft = 5;
constexpr int kIconTop = 3;
constexpr int kIconTextGap = 13;
constexpr int kDefaultIconSize = 32; // drawn when a size is 0
constexpr int kBoldWeight = FW_BOLD;
constexpr char kFontFace[] = "Arial";

// The classroom look of the teacher's menus.
constexpr int kClassroomIconSize = 16;
constexpr COLORREF kClassroomText = 0x000000;
constexpr COLORREF kClassroomBack = 0xF3DFAA;
constexpr COLORREF kClassroomHighlight = 0xF0B84F;
constexpr COLORREF kClassroomHighlightText = 0x000000;
constexpr int kClassroomFontHeight = 15;

int OrDefault(int size)
{
    return size == 0 ? kDefaultIconSize : size;
}

// The record's text, bounded by its field even without a terminator.
CString RecordText(const MenuItemRecord* record)
{
    if (record == nullptr)
        return CString();
    const size_t length = strnlen(record->text, sizeof record->text);
    return CString(record->text, static_cast<int>(length));
}

} // namespace

COwnerDrawMenu::COwnerDrawMenu()
    : m_iconWidth(::GetSystemMetrics(SM_CXMENUCHECK)),
      m_iconHeight(::GetSystemMetrics(SM_CYMENUCHECK)),
      m_textColour(::GetSysColor(COLOR_MENUTEXT)),
      m_backColour(::GetSysColor(COLOR_MENU)),
      m_secondTextColour(::GetSysColor(COLOR_MENUTEXT)),
      m_highlightColour(::GetSysColor(COLOR_HIGHLIGHT)),
      m_highlightTextColour(::GetSysColor(COLOR_HIGHLIGHTTEXT))
{
    m_backBrush.CreateSolidBrush(m_backColour);
    m_highlightBrush.CreateSolidBrush(m_highlightColour);
    m_pen.CreatePen(PS_SOLID, 0, m_backColour);
}

COwnerDrawMenu::~COwnerDrawMenu()
{
    m_pen.DeleteObject();
    m_backBrush.DeleteObject();
    m_highlightBrush.DeleteObject();
    m_font.DeleteObject();
    DestroyMenu();
}

void COwnerDrawMenu::SetIconSize(int width, int height)
{
    m_iconWidth = width;
    m_iconHeight = height;
}

BOOL COwnerDrawMenu::SetBackColor(COLORREF colour)
{
    m_backColour = colour;
    m_backBrush.DeleteObject();
    return m_backBrush.CreateSolidBrush(colour);
}

BOOL COwnerDrawMenu::SetHighlightColor(COLORREF colour)
{
    m_highlightColour = colour;
    m_highlightBrush.DeleteObject();
    return m_highlightBrush.CreateSolidBrush(colour);
}

BOOL COwnerDrawMenu::SetFontHeight(int height)
{
    m_fontHeight = height;
    if (m_font.GetSafeHandle() != nullptr)
        return TRUE;
    return m_font.CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, kFontFace);
}

void COwnerDrawMenu::UseClassroomLook()
{
    SetIconSize(kClassroomIconSize, kClassroomIconSize);
    SetTextColor(kClassroomText);
    SetBackColor(kClassroomBack);
    SetItemFlag(0);
    SetHighlightColor(kClassroomHighlight);
    SetHighlightTextColor(kClassroomHighlightText);
    SetFontHeight(kClassroomFontHeight);
}

const MenuItemRecord* COwnerDrawMenu::RecordOf(ULONG_PTR itemData)
{
    return reinterpret_cast<const MenuItemRecord*>(itemData);
}

void COwnerDrawMenu::MeasureItem(LPMEASUREITEMSTRUCT measure)
{
    CDC screen;
    if (!screen.Attach(::GetDC(nullptr)))
        return;
    MeasureItem(measure, &screen);
    ::ReleaseDC(nullptr, screen.Detach());
}

void COwnerDrawMenu::MeasureItem(LPMEASUREITEMSTRUCT measure, CDC* dc)
{
    CFont* previous = m_font.GetSafeHandle() != nullptr ? dc->SelectObject(&m_font) : nullptr;
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc->m_hDC, &metrics);
    if (previous != nullptr)
        dc->SelectObject(previous);

    const CString text = RecordText(RecordOf(measure->itemData));
    measure->itemWidth = static_cast<UINT>(text.GetLength() * metrics.tmAveCharWidth + m_iconWidth + kTextExtraWidth);
    measure->itemHeight =
        static_cast<UINT>(m_fontHeight + 1 < m_iconHeight ? m_iconHeight : m_fontHeight + kTextPaddingHeight);
}

void COwnerDrawMenu::DrawItem(LPDRAWITEMSTRUCT draw)
{
    CDC* dc = CDC::FromHandle(draw->hDC);
    const MenuItemRecord* record = RecordOf(draw->itemData);
    const CString text = RecordText(record);
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;

    // No record, no icon.
    HICON icon = nullptr;
    if (record != nullptr && record->iconId != kNoIcon) {
        const int id = selected && record->selectedIconId != kNoIcon ? record->selectedIconId : record->iconId;
        icon = static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                               m_iconWidth, m_iconHeight, LR_DEFAULTCOLOR));
    }

    // The item's font: the menu font (or the context's) at the item's weight.
    LOGFONTA look = {};
    const HFONT base = m_font.GetSafeHandle() != nullptr ? static_cast<HFONT>(m_font.GetSafeHandle())
                                                         : static_cast<HFONT>(::GetCurrentObject(draw->hDC, OBJ_FONT));
    ::GetObjectA(base, sizeof look, &look);
    look.lfWeight = selected ? kBoldWeight : FW_NORMAL;
    CFont itemFont;
    itemFont.CreateFontIndirect(&look);

    CRect item(draw->rcItem);
    COLORREF textColour;
    if (selected) {
        dc->FillRect(&item, m_plainSelection ? &m_backBrush : &m_highlightBrush);
        dc->Draw3dRect(&item, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        textColour = m_highlightTextColour;
    } else {
        dc->FillRect(&item, &m_backBrush);
        dc->Draw3dRect(&item, m_backColour, m_backColour);
        textColour = m_textColour;
    }

    if (icon != nullptr)
        ::DrawIconEx(draw->hDC, item.left + kIconLeft, item.top + kIconTop, icon, OrDefault(m_iconWidth),
                     OrDefault(m_iconHeight), 0, nullptr, DI_NORMAL);

    CRect textRect = item;
    textRect.left += OrDefault(m_iconWidth) + kIconTextGap;
    if (!text.IsEmpty()) {
        const int previousMode = dc->SetBkMode(TRANSPARENT);
        const COLORREF previousColour = dc->SetTextColor(textColour);
        CFont* previousFont = dc->SelectObject(&itemFont);
        dc->DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER);
        dc->SelectObject(previousFont);
        dc->SetTextColor(previousColour);
        dc->SetBkMode(previousMode);
    }

    itemFont.DeleteObject();
    if (icon != nullptr)
        ::DestroyIcon(icon);
}
