// The teacher's floating toolbar as the broadcast command builds it: a
// named topmost tool window without parent or owner, six 32 x 22 buttons,
// tooltips, and clicks that reach the owner only while it exists.

#include "widgets/KqToolBar.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 227;
constexpr int kHeight = 33;
constexpr int kRightMargin = 232;
constexpr int kTop = 5;

struct ButtonPlace {
    UINT face;
    int x;
    UINT id;
    UINT disabledFace;
};
const ButtonPlace kButtons[] = {
    {TeacherRes::IDB_TOOLBAR_BROADCASTING, 5, 870, 0},  {TeacherRes::IDB_TOOLBAR_SETTINGS, 42, 839, 0},
    {TeacherRes::IDB_TOOLBAR_RECORD, 79, 838, TeacherRes::IDB_TOOLBAR_RECORD_ON},
    {TeacherRes::IDB_TOOLBAR_WHITEBOARD, 116, 875, 0}, {TeacherRes::IDB_TOOLBAR_SCREEN_SWITCH, 153, 842, 0},
    {TeacherRes::IDB_TOOLBAR_STOP, 190, 837, 0},
};

// The toolbar of a broadcast, owned by `owner`.
struct BroadcastBar {
    explicit BroadcastBar(HWND owner)
    {
        const int x = ::GetSystemMetrics(SM_CXSCREEN) - kRightMargin;
        EXPECT_TRUE(bar.Create(TeacherRes::IDB_BROADCAST_TOOLBAR, owner, WS_POPUP | WS_VISIBLE, kWidth, kHeight, x,
                               kTop));
        bool first = true;
        for (const ButtonPlace& place : kButtons) {
            CToolBarButton* button = bar.AddButton(place.face, place.x, 7, place.id, place.disabledFace, 0, nullptr);
            EXPECT_NE(button, nullptr);
            if (!first) {
                EXPECT_TRUE(bar.AddButtonTip(button, "tip"));
            }
            first = false;
        }
    }
    CKqToolBar bar;
};

TEST(TeacherToolBar, IsANamedTopmostToolWindowWithoutParentOrOwner)
{
    BroadcastBar broadcast(kqtest::Host().m_hWnd);
    CKqToolBar& bar = broadcast.bar;
    CString name;
    bar.GetWindowText(name);
    EXPECT_EQ(name, CString("KqToolBar"));
    EXPECT_EQ(bar.GetExStyle() & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), DWORD(WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    EXPECT_EQ(::GetParent(bar.m_hWnd), nullptr);
    EXPECT_EQ(::GetWindow(bar.m_hWnd, GW_OWNER), nullptr) << "minimising the main window must not hide it";
    CRect rect;
    bar.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(::GetSystemMetrics(SM_CXSCREEN) - kRightMargin, kTop,
                          ::GetSystemMetrics(SM_CXSCREEN) - kRightMargin + kWidth, kTop + kHeight));

    for (int i = 0; i < 6; ++i) {
        CToolBarButton* button = bar.FindButton(i);
        ASSERT_NE(button, nullptr);
        CRect place;
        button->GetWindowRect(&place);
        bar.ScreenToClient(&place);
        EXPECT_EQ(place, CRect(kButtons[i].x, 7, kButtons[i].x + 32, 7 + 22));
    }
    EXPECT_EQ(::SendMessageA(bar.GetToolTipHwnd(), TTM_GETTOOLCOUNT, 0, 0), 5) << "every button but the first";
    EXPECT_FALSE(bar.AddButtonTip(nullptr, "tip"));
}

TEST(TeacherToolBar, ABiggerFaceIsClippedToTheButton)
{
    CKqToolBar bar;
    ASSERT_TRUE(bar.Create(TeacherRes::IDB_BROADCAST_TOOLBAR, nullptr, WS_POPUP | WS_VISIBLE, kWidth, kHeight, 100,
                           100));
    CToolBarButton* button = bar.AddButton(TeacherRes::IDB_BROADCAST_TOOLBAR, 5, 7, 870, 0, 0, nullptr);
    ASSERT_NE(button, nullptr);
    CRect client;
    button->GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(32, 22));
}

TEST(TeacherToolBar, ClicksReachTheOwnerOnlyWhileItExists)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    BroadcastBar broadcast(owner.m_hWnd);
    broadcast.bar.FindButton(3)->SendMessage(BM_CLICK);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, owner.m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(LOWORD(msg.wParam), 875);
    EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(broadcast.bar.FindButton(3)->m_hWnd));

    owner.DestroyWindow();
    broadcast.bar.FindButton(5)->SendMessage(BM_CLICK); // nothing to post to, no error
    EXPECT_TRUE(::IsWindow(broadcast.bar.m_hWnd));
    EXPECT_TRUE(broadcast.bar.DestroyWindow());
    EXPECT_EQ(broadcast.bar.FindButton(0), nullptr) << "the buttons went with it";
}

} // namespace
