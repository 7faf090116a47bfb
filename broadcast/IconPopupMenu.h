#pragma once
// The viewer's context menu: owner-drawn items, each an icon and a text,
// drawn black on light blue, or white on navy when selected.

#include "framework/Framework.h"

#include <memory>
#include <string>
#include <vector>

class CIconPopupMenu : public CMenu {
public:
    struct Item {
        std::string text;
        HICON icon = nullptr; // owned by the menu
        int height = 0;
        int itemsAbove = 0;
        int separatorsAbove = 0;
    };

    CIconPopupMenu() = default;
    ~CIconPopupMenu() override;

    // Adds an item (the icon, when not null, is owned by the menu from now).
    void AddItem(UINT command, const std::string& text, HICON icon);
    void AddSeparator();
    const std::vector<std::unique_ptr<Item>>& Items() const { return m_items; }

    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    void MeasureItem(LPMEASUREITEMSTRUCT measureItem) override;

    // The layout the viewer uses.
    static constexpr int kItemHeight = 20;
    static constexpr int kSeparatorHeight = 9;
    static constexpr int kIconSize = 16;
    static constexpr int kIconX = 2;
    static constexpr int kIconOffsetY = 2;
    static constexpr int kTextX = 24;
    static constexpr int kTextOffsetY = 4;
    static constexpr int kFontPoints = 9;
    static constexpr COLORREF kNormalText = RGB(0, 0, 0);
    static constexpr COLORREF kNormalBack = RGB(171, 229, 249);
    static constexpr COLORREF kSelectedText = RGB(255, 255, 255);
    static constexpr COLORREF kSelectedBack = RGB(0, 0, 128);

private:
    std::vector<std::unique_ptr<Item>> m_items;
    int m_normalCount = 0;
    int m_separatorCount = 0;
};
