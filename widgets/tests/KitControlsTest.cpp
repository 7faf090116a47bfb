// The kit's small controls: the sorted owner-drawn list, the read-only
// edit, the colour button and slider, and the owner-drawn menu's items.

#include "widgets/ColorButton.h"
#include "widgets/ColorSlider.h"
#include "widgets/KitColours.h"
#include "widgets/OwnerDrawListBox.h"
#include "widgets/OwnerDrawMenu.h"
#include "widgets/ReadOnlyEdit.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT kControlId = 901;

TEST(OwnerDrawListBox, SortsLetterThenNumber)
{
    COwnerDrawListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | WS_BORDER | LBS_OWNERDRAWFIXED | LBS_SORT | WS_VSCROLL,
                            CRect(10, 10, 110, 150), &kqtest::Host(), kControlId));
    static const char* const kNames[] = {"B1", "A12", "A3", "C2", "A10"};
    for (const char* name : kNames)
        list.AddString(name);
    std::vector<std::string> order;
    for (int i = 0; i < list.GetCount(); ++i)
        order.emplace_back(static_cast<const char*>(list.GetItemDataPtr(i)));
    EXPECT_EQ(order, (std::vector<std::string>{"A3", "A10", "A12", "B1", "C2"}));

    // An item without data compares equal and is neither measured nor drawn.
    COMPAREITEMSTRUCT compare = {};
    compare.CtlType = ODT_LISTBOX;
    compare.itemData1 = 0;
    compare.itemData2 = reinterpret_cast<ULONG_PTR>("A1");
    EXPECT_EQ(list.CompareItem(&compare), 0);
    kqtest::Canvas canvas(50, 20);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_LISTBOX;
    draw.hDC = canvas.dc.m_hDC;
    draw.rcItem = CRect(0, 0, 50, 20);
    draw.itemState = ODS_SELECTED;
    list.DrawItem(&draw);
    EXPECT_EQ(canvas.dc.GetPixel(25, 10), RGB(255, 255, 255)) << "nothing drawn";
}

TEST(OwnerDrawListBox, TheFocusedItemIsFramedInRed)
{
    COwnerDrawListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_OWNERDRAWFIXED, CRect(10, 10, 110, 150), &kqtest::Host(), kControlId));
    kqtest::Canvas canvas(60, 20);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_LISTBOX;
    draw.hDC = canvas.dc.m_hDC;
    draw.rcItem = CRect(0, 0, 60, 20);
    draw.itemData = reinterpret_cast<ULONG_PTR>("A1");
    draw.itemState = ODS_FOCUS;
    list.DrawItem(&draw);
    EXPECT_EQ(canvas.dc.GetPixel(30, 0), COwnerDrawListBox::kFocusFrame);
    EXPECT_EQ(canvas.dc.GetPixel(59, 10), COwnerDrawListBox::kFocusFrame);
    draw.itemState = ODS_SELECTED;
    list.DrawItem(&draw);
    EXPECT_EQ(canvas.dc.GetPixel(59, 10), ::GetSysColor(COLOR_HIGHLIGHT)) << "a selected item without focus";
}

TEST(ReadOnlyEdit, IgnoresTypingBackspaceAndDelete)
{
    CReadOnlyEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 30), &kqtest::Host(), kControlId));
    edit.SetWindowText("abc");
    edit.SetFocus();
    edit.SetSel(1, 1);
    edit.SendMessage(WM_CHAR, 'x', 1);
    edit.SendMessage(WM_KEYDOWN, VK_BACK, 1);
    edit.SendMessage(WM_CHAR, VK_BACK, 1);
    edit.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    edit.SendMessage(WM_KEYUP, VK_DELETE, 1);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString("abc"));
}

TEST(ColourControls, AnswerTheirColourMessagesWithTheKitsBrushAndColours)
{
    CWnd& host = kqtest::Host();
    CColorButton check;
    ASSERT_TRUE(check.Create("check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 10, 110, 30), &host,
                             kControlId));
    CColorSlider slider;
    ASSERT_TRUE(slider.Create(WS_VISIBLE, CRect(10, 40, 210, 70), &host, kControlId + 1));

    const struct {
        CWnd* control;
        UINT message;
    } cases[] = {{&check, WM_CTLCOLORBTN}, {&check, WM_CTLCOLORSTATIC}, {&slider, WM_CTLCOLORSTATIC}};
    for (const auto& c : cases) {
        kqtest::Canvas canvas(4, 4);
        const auto brush = reinterpret_cast<HBRUSH>(
            host.SendMessage(c.message, reinterpret_cast<WPARAM>(canvas.dc.m_hDC), reinterpret_cast<LPARAM>(c.control->m_hWnd)));
        ASSERT_NE(brush, nullptr);
        LOGBRUSH look = {};
        ASSERT_NE(::GetObjectA(brush, sizeof look, &look), 0);
        EXPECT_EQ(look.lbColor, kq::kKitBackground);
        EXPECT_EQ(canvas.dc.GetBkColor(), kq::kKitBackground);
        EXPECT_EQ(canvas.dc.GetTextColor(), kq::kKitText);
    }
}

// An owner-drawn menu in the classroom look, its items drawn onto a canvas.
class MenuItems : public testing::Test {
protected:
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 23;
    static constexpr COLORREF kBack = 0xF3DFAA;
    static constexpr COLORREF kHighlight = 0xF0B84F;

    MenuItems() { menu.UseClassroomLook(); }

    // Draws one item at (0, 0) and gives the canvas pixel (x, y).
    COLORREF Draw(const MenuItemRecord* record, bool selected, int x, int y)
    {
        kqtest::Canvas canvas(kWidth, kHeight);
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.hDC = canvas.dc.m_hDC;
        draw.rcItem = CRect(0, 0, kWidth, kHeight);
        draw.itemData = reinterpret_cast<ULONG_PTR>(record);
        draw.itemState = selected ? ODS_SELECTED : 0;
        menu.DrawItem(&draw);
        return canvas.dc.GetPixel(x, y);
    }

    COwnerDrawMenu menu;
};

TEST_F(MenuItems, AreMeasuredByFontAndIcon)
{
    MenuItemRecord record = {"Seat", COwnerDrawMenu::kNoIcon, COwnerDrawMenu::kNoIcon};
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemData = reinterpret_cast<ULONG_PTR>(&record);
    menu.MeasureItem(&measure);
    EXPECT_EQ(measure.itemHeight, 23u) << "font height 15 + 8, the 16-pixel icon being smaller";
    EXPECT_GT(measure.itemWidth, 16u + 27u);

    measure.itemData = 0;
    menu.MeasureItem(&measure);
    EXPECT_EQ(measure.itemWidth, 16u + 27u) << "no record: an empty text";

    menu.SetIconSize(32, 32);
    menu.MeasureItem(&measure);
    EXPECT_EQ(measure.itemHeight, 32u) << "an icon taller than the font";
}

TEST_F(MenuItems, FillWithTheHighlightOnlyWhileSelected)
{
    MenuItemRecord record = {"A", COwnerDrawMenu::kNoIcon, COwnerDrawMenu::kNoIcon};
    const int x = kWidth - 5, y = kHeight / 2;
    EXPECT_EQ(Draw(&record, false, x, y), kBack);
    EXPECT_EQ(Draw(&record, true, x, y), kHighlight);
    EXPECT_EQ(Draw(&record, true, x, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT)) << "raised frame";
    EXPECT_EQ(Draw(&record, false, x, 0), kBack) << "no visible frame";
    menu.SetItemFlag(1);
    EXPECT_EQ(Draw(&record, true, x, y), kBack) << "plain selection";
}

TEST_F(MenuItems, WithoutARecordDrawEmptyAndWithAnIconDrawIt)
{
    EXPECT_EQ(Draw(nullptr, true, kWidth - 5, kHeight / 2), kHighlight) << "no record: no text, no icon, no crash";
    EXPECT_EQ(Draw(nullptr, true, 5 + 8, 3 + 8), kHighlight);

    // The selected state falls back to the icon id.
    MenuItemRecord withIcon = {"B", static_cast<int32_t>(TeacherRes::IDI_TRAY), COwnerDrawMenu::kNoIcon};
    EXPECT_NE(Draw(&withIcon, true, 5 + 8, 3 + 8), kHighlight) << "the icon covers its place";
    EXPECT_NE(Draw(&withIcon, false, 5 + 8, 3 + 8), kBack);

    // A text that fills its field without a terminator is read within it.
    MenuItemRecord full;
    std::memset(full.text, 'W', sizeof full.text);
    full.iconId = COwnerDrawMenu::kNoIcon;
    full.selectedIconId = COwnerDrawMenu::kNoIcon;
    MenuItemRecord one = {"W", COwnerDrawMenu::kNoIcon, COwnerDrawMenu::kNoIcon};
    MEASUREITEMSTRUCT measure = {};
    measure.itemData = reinterpret_cast<ULONG_PTR>(&one);
    menu.MeasureItem(&measure);
    const UINT perCharacter = measure.itemWidth - (16 + 27);
    ASSERT_GT(perCharacter, 0u);
    measure.itemData = reinterpret_cast<ULONG_PTR>(&full);
    menu.MeasureItem(&measure);
    EXPECT_EQ(measure.itemWidth - (16 + 27), 32 * perCharacter) << "32 characters, not one more";
    EXPECT_NE(Draw(&full, false, kWidth - 5, kHeight / 2), 0xFFFFFFu);
}

} // namespace
