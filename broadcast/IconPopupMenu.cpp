#include "broadcast/IconPopupMenu.h"

namespace {

constexpr char kFontFace[] = "宋体";
constexpr int kPointsPerInch = 72;
constexpr int kTextMargin = 16;

} // namespace

CIconPopupMenu::~CIconPopupMenu()
{
    DestroyMenu();
    for (const auto& item : m_items)
        if (item->icon != nullptr)
            DestroyIcon(item->icon);
}

void CIconPopupMenu::AddItem(UINT command, const std::string& text, HICON icon)
{
    auto item = std::make_unique<Item>();
    item->text = text;
    item->icon = icon;
    item->height = kItemHeight;
    item->itemsAbove = m_normalCount++;
    item->separatorsAbove = m_separatorCount;
    ::AppendMenuA(m_hMenu, MF_OWNERDRAW, command, reinterpret_cast<LPCSTR>(item.get()));
    m_items.push_back(std::move(item));
}

void CIconPopupMenu::AddSeparator()
{
    ++m_separatorCount;
    ::AppendMenuA(m_hMenu, MF_SEPARATOR, 0, nullptr);
}

void CIconPopupMenu::MeasureItem(LPMEASUREITEMSTRUCT measureItem)
{
    const auto* item = reinterpret_cast<const Item*>(measureItem->itemData);
    if (item == nullptr)
        return;
    HDC dc = ::GetDC(nullptr);
    HFONT font = CreateFontA(-MulDiv(kFontPoints, GetDeviceCaps(dc, LOGPIXELSY), kPointsPerInch), 0, 0, 0,
                             FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, kFontFace);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32A(dc, item->text.c_str(), static_cast<int>(item->text.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ::ReleaseDC(nullptr, dc);
    measureItem->itemWidth = static_cast<UINT>(kTextX + size.cx + kTextMargin);
    measureItem->itemHeight = static_cast<UINT>(item->height);
}

void CIconPopupMenu::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    const auto* item = reinterpret_cast<const Item*>(drawItem->itemData);
    if (item == nullptr)
        return;
    HDC dc = drawItem->hDC;
    const bool selected = (drawItem->itemState & ODS_SELECTED) != 0;
    const COLORREF back = selected ? kSelectedBack : kNormalBack;
    const COLORREF text = selected ? kSelectedText : kNormalText;
    HFONT font = CreateFontA(-MulDiv(kFontPoints, GetDeviceCaps(dc, LOGPIXELSY), kPointsPerInch), 0, 0, 0,
                             FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, kFontFace);
    HGDIOBJ oldFont = SelectObject(dc, font);
    // The system gives each item its own rectangle; its top is where the
    // items and separators above end.
    const RECT& r = drawItem->rcItem;
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    if (item->icon != nullptr)
        DrawIconEx(dc, r.left + kIconX, r.top + kIconOffsetY, item->icon, kIconSize, kIconSize, 0, nullptr,
                   DI_NORMAL);
    const COLORREF oldText = SetTextColor(dc, text);
    const COLORREF oldBack = SetBkColor(dc, back);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, r.left + kTextX, r.top + kTextOffsetY, item->text.c_str(), static_cast<int>(item->text.size()));
    SetBkMode(dc, oldMode);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}
