// The floating toolbar with the student agent's look: buttons found in the
// order of adding, enabled and disabled by index, the disabled face shown.

#include "widgets/KqToolBar.h"
#include "widgets/StudentLook.h"
#include "widgets/TeacherLook.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "SatchelResources.h"

#include <gtest/gtest.h>

namespace {

using kqtest::BitmapPixel;

constexpr int kButtons = 5;
constexpr int kButtonStep = 37;
constexpr UINT kFirstId = 5000;

// Five buttons; the third has a disabled face.
struct FiveButtonBar {
    explicit FiveButtonBar(const kq::SkinLook& look) : bar(look)
    {
        EXPECT_TRUE(bar.Create(SatchelRes::IDB_TOOLBAR_BACKGROUND, kqtest::Host().m_hWnd, WS_POPUP | WS_VISIBLE, 229,
                               33, 100, 500));
        const UINT faces[kButtons] = {SatchelRes::IDB_TOOL_VERSION, SatchelRes::IDB_TOOL_SEAT_NUMBER,
                                      SatchelRes::IDB_TOOL_HAND_UP_UP, SatchelRes::IDB_TOOL_REQUEST,
                                      SatchelRes::IDB_TOOL_HIDE};
        for (int i = 0; i < kButtons; ++i) {
            const UINT disabled = i == 2 ? SatchelRes::IDB_TOOL_HAND_UP_DISABLED : 0;
            added[i] = bar.AddButton(faces[i], 5 + i * kButtonStep, 7, kFirstId + i, disabled, 0, nullptr);
        }
    }
    CKqToolBar bar;
    CToolBarButton* added[kButtons] = {};
};

TEST(ToolBar, FindAndSetStateByIndexInTheOrderOfAdding)
{
    FiveButtonBar five(kq::kStudentSkinLook);
    for (int i = 0; i < kButtons; ++i) {
        ASSERT_NE(five.added[i], nullptr);
        EXPECT_EQ(five.bar.FindButton(i), five.added[i]);
        EXPECT_EQ(five.bar.FindButton(i)->GetDlgCtrlID(), static_cast<int>(kFirstId + i));
        CRect rect;
        five.added[i]->GetClientRect(&rect);
        EXPECT_EQ(rect.Size(), CSize(32, 22));
    }
    EXPECT_EQ(five.bar.FindButton(kButtons), nullptr);
    EXPECT_EQ(five.bar.FindButton(-1), nullptr);

    EXPECT_EQ(five.bar.SetButtonState(kButtons, 0), 0) << "no sixth button";
    for (int i = 0; i < kButtons; ++i)
        EXPECT_TRUE(five.added[i]->IsWindowEnabled()) << "nothing changed";

    EXPECT_EQ(five.bar.SetButtonState(1, 0), 1);
    EXPECT_FALSE(five.added[1]->IsWindowEnabled());
    EXPECT_EQ(five.bar.SetButtonState(1, 1), 1);
    EXPECT_TRUE(five.added[1]->IsWindowEnabled());

    CString name;
    five.bar.GetWindowText(name);
    EXPECT_TRUE(name.IsEmpty()) << "the student's toolbar has no window name";
}

TEST(ToolBar, ADisabledButtonShowsItsDisabledFace)
{
    FiveButtonBar five(kq::kStudentSkinLook);
    CToolBarButton& withFace = *five.added[2];
    CToolBarButton& plain = *five.added[3];
    const CPoint probe(16, 11);
    ASSERT_NE(BitmapPixel(SatchelRes::IDB_TOOL_HAND_UP_UP, 1, 1),
              BitmapPixel(SatchelRes::IDB_TOOL_HAND_UP_DISABLED, 1, 1));

    EXPECT_EQ(kqtest::ScreenPixel(withFace, 1, 1), BitmapPixel(SatchelRes::IDB_TOOL_HAND_UP_UP, 1, 1));
    five.bar.SetButtonState(2, 0);
    five.bar.SetButtonState(3, 0);
    kqtest::PumpFor(50);
    EXPECT_EQ(kqtest::ScreenPixel(withFace, 1, 1), BitmapPixel(SatchelRes::IDB_TOOL_HAND_UP_DISABLED, 1, 1));
    EXPECT_EQ(kqtest::ScreenPixel(withFace, probe.x, probe.y),
              BitmapPixel(SatchelRes::IDB_TOOL_HAND_UP_DISABLED, probe.x, probe.y));
    EXPECT_EQ(kqtest::ScreenPixel(plain, 1, 1), BitmapPixel(SatchelRes::IDB_TOOL_REQUEST, 1, 1))
        << "without a disabled face the face stays";
}

TEST(ToolBar, TheTeachersIsNamedAndForwardsClicksToItsOwner)
{
    FiveButtonBar five(kq::kTeacherSkinLook);
    CString name;
    five.bar.GetWindowText(name);
    EXPECT_EQ(name, CString("KqToolBar"));
    EXPECT_EQ(five.bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(101, 501)), HTCAPTION);

    five.bar.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(::IsWindow(five.bar.m_hWnd)) << "Alt+F4 does not close it";

    MSG msg;
    while (::PeekMessageA(&msg, kqtest::Host().m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    }
    five.added[0]->SendMessage(BM_CLICK);
    ASSERT_TRUE(::PeekMessageA(&msg, kqtest::Host().m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(LOWORD(msg.wParam), kFirstId);
}

} // namespace
