// Menus: handle map, item states, and owner-drawn items reaching the menu
// object by its handle.

#include "framework/tests/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

constexpr UINT kFirstItem = 500;
constexpr UINT kSecondItem = 501;
constexpr UINT kItemWidth = 60;
constexpr UINT kItemHeight = 18;
constexpr UINT kEndMenuMs = 200;

class OwnerDrawMenu : public CMenu {
public:
    Log log;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        log.push_back("draw " + std::to_string(lpDIS->itemID));
    }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
    {
        log.push_back("measure " + std::to_string(lpMIS->itemID));
        lpMIS->itemWidth = kItemWidth;
        lpMIS->itemHeight = kItemHeight;
    }
};

TEST(Menu, PermanentObjectsTemporaryWrappersAndOwnership)
{
    HMENU hMenu = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        hMenu = menu.m_hMenu;
        CMenu sub;
        ASSERT_TRUE(sub.CreatePopupMenu());
        ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), "sub"));
        EXPECT_EQ(&menu, CMenu::FromHandle(hMenu));
        EXPECT_EQ(&menu, CMenu::FromHandlePermanent(hMenu));
        CMenu* wrapper = menu.GetSubMenu(0);
        ASSERT_NE(nullptr, wrapper);
        EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(wrapper->m_hMenu));
        CMenu::DeleteTempMap();
    }
    EXPECT_FALSE(::IsMenu(hMenu)); // destroyed with its object
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(hMenu));
}

TEST(Menu, ItemStates)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, kFirstItem, "first");
    menu.AppendMenu(MF_STRING, kSecondItem, "second");
    menu.CheckMenuItem(kFirstItem, MF_BYCOMMAND | MF_CHECKED);
    menu.EnableMenuItem(kSecondItem, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_TRUE((menu.GetMenuState(kFirstItem, MF_BYCOMMAND) & MF_CHECKED) != 0);
    EXPECT_TRUE((menu.GetMenuState(kSecondItem, MF_BYCOMMAND) & MF_GRAYED) != 0);
    EXPECT_EQ(2, menu.GetMenuItemCount());
    EXPECT_EQ(kSecondItem, menu.GetMenuItemID(1));
    char text[16] = {};
    menu.GetMenuString(0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ("first", text);
}

void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    ::EndMenu();
}

TEST(Menu, OwnerDrawnItemsReachTheMenuObject)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 0, 0,
                               100, 100, nullptr, nullptr));
    OwnerDrawMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, kFirstItem, "first");
    ASSERT_TRUE(menu.ModifyMenu(kFirstItem, MF_BYCOMMAND | MF_OWNERDRAW, kFirstItem));

    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = kFirstItem;
    owner.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(kItemWidth, mis.itemWidth);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = kFirstItem;
    dis.hwndItem = reinterpret_cast<HWND>(menu.m_hMenu);
    owner.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ((Log{"measure 500", "draw 500"}), menu.log);

    // The system asks too when it shows the menu.
    menu.log.clear();
    owner.SetForegroundWindow();
    ::SetTimer(nullptr, 0, kEndMenuMs, EndMenuSoon);
    menu.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &owner);
    ASSERT_FALSE(menu.log.empty());
    EXPECT_EQ("measure 500", menu.log.front());
    owner.DestroyWindow();
}

} // namespace
