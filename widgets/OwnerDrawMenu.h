#pragma once
// COwnerDrawMenu: a popup menu whose items draw themselves with an icon and
// a text from a MenuItemRecord, in the menu's own font and colours. The
// selected item is filled with the highlight colour (or the background
// colour in plain selection), framed raised and written in bold.
//
// Use: set the look (or UseClassroomLook), CreatePopupMenu, append each item
// with MF_OWNERDRAW and a MenuItemRecord* as its data, and show it with
// TrackPopupMenu. The owner window's WM_MEASUREITEM reaches MeasureItem
// through the class library; WM_DRAWITEM reaches DrawItem.

#include "framework/Framework.h"

#include <cstdint>

// The data of one owner-drawn item; the caller owns it and keeps it alive
// while the menu shows.
struct MenuItemRecord {
    char text[32];          // zero-terminated
    int32_t iconId;         // -1: no icon
    int32_t selectedIconId; // -1: the icon id also while selected
};

class COwnerDrawMenu : public CMenu {
public:
    COwnerDrawMenu();
    // Deletes the pen, brushes and font, then destroys the menu.
    ~COwnerDrawMenu() override;

    static constexpr int kNoIcon = -1;

    void SetIconSize(int width, int height);
    void SetTextColor(COLORREF colour) { m_textColour = colour; }
    void SetHighlightTextColor(COLORREF colour) { m_highlightTextColour = colour; }
    // Non-zero: a selected item is filled with the background colour.
    void SetItemFlag(int plainSelection) { m_plainSelection = plainSelection; }
    BOOL SetBackColor(COLORREF colour);
    BOOL SetHighlightColor(COLORREF colour);
    // Stores the height; the font ("Arial", normal weight) is made only the
    // first time.
    BOOL SetFontHeight(int height);

    // The look the teacher's main window and seat map give their menus:
    // 16 x 16 icons, black text on 0xF3DFAA, 0xF0B84F under the selection,
    // font height 15.
    void UseClassroomLook();

    // Width: text length x average character width + icon width + 27;
    // height: the icon height when it exceeds the font height + 1, else the
    // font height + 8.
    void MeasureItem(LPMEASUREITEMSTRUCT measure, CDC* dc);
    // The same on a screen context.
    void MeasureItem(LPMEASUREITEMSTRUCT measure) override;
    void DrawItem(LPDRAWITEMSTRUCT draw) override;

    int GetFontHeight() const { return m_fontHeight; }
    CSize GetIconSize() const { return CSize(m_iconWidth, m_iconHeight); }

private:
    // The item's record; null for an item without one.
    static const MenuItemRecord* RecordOf(ULONG_PTR itemData);

    int m_fontHeight = 0;
    int m_iconWidth;
    int m_iconHeight;
    CFont m_font;
    COLORREF m_textColour;
    COLORREF m_backColour;
    COLORREF m_secondTextColour; // kept equal to the menu text colour
    COLORREF m_highlightColour;
    COLORREF m_highlightTextColour;
    CBrush m_backBrush;
    CBrush m_highlightBrush;
    CPen m_pen;
    int m_plainSelection = 0;
};
