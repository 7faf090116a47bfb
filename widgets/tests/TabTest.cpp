// The bitmap tab control: ears select pages, bodies do not, the selected
// page's controls show, and commands reach the dialog.

#include "widgets/KqTabCtrl.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kTabsId = 950;
constexpr UINT kFirstPage = 951;
constexpr UINT kSecondPage = 952;
constexpr UINT kFirstControl = 961;
constexpr UINT kSecondControl = 962;

const POINT kFirstEar[] = {{0, 0}, {60, 0}, {60, 30}, {0, 30}};
const POINT kSecondEar[] = {{60, 0}, {120, 0}, {120, 30}, {60, 30}};
const CRect kBody(0, 30, 300, 200);

// Two pages on the host, the first selected, each with one button.
struct TwoPages {
    TwoPages()
    {
        CWnd& host = kqtest::Host();
        EXPECT_TRUE(tabs.Create(CRect(10, 10, 310, 210), kBody, &host, kTabsId));
        EXPECT_TRUE(tabs.AddPage(kFirstEar, 4, 1, kFirstPage, TeacherRes::IDB_MAIN_BACKGROUND_640));
        EXPECT_TRUE(tabs.AddPage(kSecondEar, 4, 0, kSecondPage, TeacherRes::IDB_MAIN_BACKGROUND_640));
        // Controls are the dialog's, above the tab control.
        first.Create("first", WS_CHILD | BS_PUSHBUTTON, CRect(40, 80, 120, 100), &host, kFirstControl);
        second.Create("second", WS_CHILD | BS_PUSHBUTTON, CRect(40, 80, 120, 100), &host, kSecondControl);
        tabs.GetPage(kFirstPage)->AddControl(&first);
        tabs.GetPage(kSecondPage)->AddControl(&second);
        tabs.GetPage(kFirstPage)->Invalidate(TRUE);
        tabs.GetPage(kSecondPage)->Invalidate(TRUE);
        kqtest::PumpFor(100);
    }
    void Press(UINT pageId, CPoint point)
    {
        tabs.GetPage(pageId)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        tabs.GetPage(pageId)->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        kqtest::PumpFor(100);
    }
    CKqTabCtrl tabs;
    CButton first;
    CButton second;
};

TEST(KqTabCtrl, AnEarClickSelectsItsPageAndABodyClickChangesNothing)
{
    TwoPages pages;
    CKqTab* first = pages.tabs.GetPage(kFirstPage);
    CKqTab* second = pages.tabs.GetPage(kSecondPage);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(pages.tabs.GetSelected(), first);
    EXPECT_TRUE(pages.first.IsWindowVisible()) << "shown at the selected page's erase";
    EXPECT_FALSE(pages.second.IsWindowVisible());

    pages.Press(kSecondPage, CPoint(150, 100)); // the body
    pages.Press(kFirstPage, CPoint(150, 100));
    pages.Press(kFirstPage, CPoint(30, 15)); // the selected page's own ear
    EXPECT_EQ(pages.tabs.GetSelected(), first);
    EXPECT_TRUE(pages.first.IsWindowVisible());
    EXPECT_FALSE(pages.second.IsWindowVisible());

    pages.Press(kSecondPage, CPoint(90, 15)); // the other ear
    EXPECT_EQ(pages.tabs.GetSelected(), second);
    EXPECT_FALSE(first->IsSelected());
    EXPECT_FALSE(pages.first.IsWindowVisible());
    EXPECT_TRUE(pages.second.IsWindowVisible());
}

TEST(KqTabCtrl, PagesHandTheirRegionToTheWindowAndFindTheFirstOfAnId)
{
    TwoPages pages;
    CKqTab* first = pages.tabs.GetPage(kFirstPage);
    EXPECT_FALSE(first->HoldsWindowRegion()) << "the window owns its region: the page must not delete it";
    CRgn shape;
    shape.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(first->m_hWnd, static_cast<HRGN>(shape.GetSafeHandle())), ERROR);
    EXPECT_TRUE(shape.PtInRegion(30, 15)) << "its ear";
    EXPECT_TRUE(shape.PtInRegion(150, 100)) << "the body";
    EXPECT_FALSE(shape.PtInRegion(90, 15)) << "not the other page's ear";

    ASSERT_TRUE(pages.tabs.AddPage(kSecondEar, 4, 0, kFirstPage, TeacherRes::IDB_MAIN_BACKGROUND_640));
    EXPECT_EQ(pages.tabs.GetPage(kFirstPage), first);
    EXPECT_EQ(pages.tabs.GetPage(12345), nullptr);

    EXPECT_EQ(pages.tabs.RemoveAllPages(), 0);
    EXPECT_EQ(pages.tabs.GetSelected(), nullptr);
}

TEST(KqTabCtrl, CommandsOfAPageTravelToTheDialog)
{
    TwoPages pages;
    CWnd& host = kqtest::Host();
    MSG msg;
    while (::PeekMessageA(&msg, host.m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    }
    constexpr WPARAM kCommand = MAKEWPARAM(4321, BN_CLICKED);
    pages.tabs.GetPage(kFirstPage)->SendMessage(WM_COMMAND, kCommand, 0);
    // The page posts to the tab control, which posts on to the dialog.
    while (::PeekMessageA(&msg, pages.tabs.m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        ::DispatchMessageA(&msg);
    ASSERT_TRUE(::PeekMessageA(&msg, host.m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(msg.wParam, kCommand);
}

} // namespace
