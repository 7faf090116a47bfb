// The kit's bitmap buttons, checked by the faces they paint.

#include "widgets/ButtonList.h"
#include "widgets/PolyButton.h"
#include "widgets/SkinButton.h"
#include "widgets/TeacherLook.h"
#include "widgets/ToggleBitmapButton.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using kqtest::BitmapPixel;
using kqtest::BitmapSize;
using kqtest::Canvas;
using kqtest::Host;

constexpr UINT kButtonId = 1200;
// Faces with text; and a plain one without, for the caption tests.
constexpr UINT kUp = TeacherRes::IDB_SHUTDOWN_UP;
constexpr UINT kDown = TeacherRes::IDB_SHUTDOWN_DOWN;
constexpr UINT kHover = TeacherRes::IDB_SHUTDOWN_HOVER;
constexpr UINT kPlain = TeacherRes::IDB_MAIN_FRAME_BOTTOM;

// A point where two faces differ, so a pixel tells which one was drawn;
// away from the edges, where frames are drawn over the faces.
CPoint WhereFacesDiffer(UINT first, UINT second)
{
    constexpr int kMargin = 3;
    const CSize size = BitmapSize(first);
    for (int y = kMargin; y < size.cy - kMargin; ++y) {
        for (int x = kMargin; x < size.cx - kMargin; ++x) {
            if (BitmapPixel(first, x, y) != BitmapPixel(second, x, y))
                return CPoint(x, y);
        }
    }
    ADD_FAILURE() << "faces " << first << " and " << second << " look the same";
    return CPoint(0, 0);
}

// The face a button shows now, of those given, or none.
std::optional<UINT> FaceShown(CWnd& button, std::initializer_list<UINT> faces, CPoint probe)
{
    Canvas canvas(200, 200);
    kqtest::PrintClient(button, canvas);
    const COLORREF pixel = canvas.dc.GetPixel(probe);
    for (UINT face : faces) {
        if (BitmapPixel(face, probe.x, probe.y) == pixel)
            return face;
    }
    return std::nullopt;
}

CRect RectInParent(CWnd& control)
{
    CRect rect;
    control.GetWindowRect(&rect);
    control.GetParent()->ScreenToClient(&rect);
    return rect;
}

TEST(SkinButton, TakesItsBitmapsSizeAndShowsThePressedFaceWhilePushed)
{
    CSkinButton button;
    ASSERT_TRUE(button.Create(10, 20, kButtonId, &Host(), WS_VISIBLE));
    EXPECT_EQ(RectInParent(button), CRect(10, 20, 10, 20)) << "no size before its bitmaps";
    ASSERT_TRUE(button.LoadBitmaps(kUp, kDown, nullptr, 0));
    EXPECT_EQ(RectInParent(button), CRect(CPoint(10, 20), BitmapSize(kUp)));

    const CPoint probe = WhereFacesDiffer(kUp, kDown);
    EXPECT_EQ(FaceShown(button, {kUp, kDown}, probe), kUp);
    button.SetState(TRUE);
    EXPECT_EQ(FaceShown(button, {kUp, kDown}, probe), kDown);
    button.SetState(FALSE);
    EXPECT_EQ(FaceShown(button, {kUp, kDown}, probe), kUp);

    EXPECT_FALSE(button.LoadBitmaps(9999, kDown, nullptr, 0)) << "a released face that does not load";
}

TEST(SkinButton, TakesACopyOfTheShapeAsItsRegion)
{
    const CSize size = BitmapSize(kUp);
    CRgn shape;
    ASSERT_TRUE(shape.CreateEllipticRgn(0, 0, size.cx, size.cy));
    CSkinButton button;
    ASSERT_TRUE(button.Create(10, 80, kButtonId, &Host(), WS_VISIBLE));
    ASSERT_TRUE(button.LoadBitmaps(kUp, kDown, &shape, 1));

    CRect box;
    EXPECT_NE(shape.GetRgnBox(&box), ERROR) << "the caller keeps its own region";
    shape.DeleteObject();
    CRgn window;
    window.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(button.m_hWnd, window), ERROR) << "the window's region outlives the caller's";
    EXPECT_FALSE(window.PtInRegion(0, 0));
    EXPECT_TRUE(window.PtInRegion(size.cx / 2, size.cy / 2));
}

// Hover tracking: each step sends one mouse move and says what follows.
TEST(HoverButton, LightsWhileTheMouseIsOverItAndHoldsTheCaptureMeanwhile)
{
    CButtonList list;
    ASSERT_TRUE(list.AddButton(&Host(), kButtonId, 10, 10, 57, 50, 0, nullptr, CHoverButton::kHoverStyle, kUp,
                               kDown, kHover, 0));
    CHoverButton& button = *list.FindById(kButtonId);
    ASSERT_NE(::GetActiveWindow(), nullptr) << "hover needs an active window";
    const CPoint probe = WhereFacesDiffer(kUp, kHover);
    const CPoint inside(5, 5);
    const CPoint outside(-5, 60);

    const struct {
        const char* name;
        UINT keys;
        CPoint at;
        UINT face;
        bool captured;
    } steps[] = {
        {"entered with the left button held: stays dark", MK_LBUTTON, inside, kUp, false},
        {"entered with the button up: lights", 0, inside, kHover, true},
        {"moving inside: still lit", 0, CPoint(20, 20), kHover, true},
        {"leaving: dark, capture released", 0, outside, kUp, false},
        {"entered again", 0, inside, kHover, true},
        {"leaving with the left button held: dark, capture kept", MK_LBUTTON, outside, kUp, true},
        {"button released outside", 0, outside, kUp, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        button.SendMessage(WM_MOUSEMOVE, step.keys, MAKELPARAM(step.at.x, step.at.y));
        EXPECT_EQ(FaceShown(button, {kUp, kHover}, probe), step.face);
        EXPECT_EQ(::GetCapture() == button.m_hWnd, step.captured);
    }
    ::ReleaseCapture();
}

TEST(HoverButton, DisabledShowsTheReleasedFaceAndGreyText)
{
    CButtonList list;
    ASSERT_TRUE(list.AddButton(&Host(), kButtonId, 10, 10, 90, 40, 0, "Go on", CHoverButton::kHoverStyle, kPlain,
                               kDown, kHover, 0));
    CHoverButton& button = *list.FindById(kButtonId);
    const CPoint corner(2, 2);

    const auto countText = [&](COLORREF colour) {
        Canvas canvas(80, 30);
        kqtest::PrintClient(button, canvas);
        EXPECT_EQ(canvas.dc.GetPixel(corner), BitmapPixel(kPlain, corner.x, corner.y)) << "the released face";
        int count = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 80; ++x)
                count += canvas.dc.GetPixel(x, y) == colour;
        }
        return count;
    };
    EXPECT_GT(countText(::GetSysColor(COLOR_BTNTEXT)), 0) << "enabled: the text in the button text colour";
    button.EnableWindow(FALSE);
    EXPECT_EQ(countText(::GetSysColor(COLOR_BTNTEXT)), 0) << "disabled: no plain text left";
    EXPECT_GT(countText(::GetSysColor(COLOR_BTNSHADOW)), 0) << "disabled: the text greyed";
}

TEST(HoverButton, ClassicStyleDrawsTheRaisedFrameAndTheFocusRectangleButNeverLights)
{
    CButtonList list;
    ASSERT_TRUE(list.AddButton(&Host(), kButtonId, 10, 10, 90, 40, 0, nullptr, CHoverButton::kClassicStyle, kPlain,
                               kDown, kHover, 0));
    CHoverButton& button = *list.FindById(kButtonId);
    const int w = 80, h = 30;

    Host().SetFocus();
    Canvas plain(w, h);
    kqtest::PrintClient(button, plain);
    EXPECT_EQ(plain.dc.GetPixel(0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(plain.dc.GetPixel(1, 1), ::GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(plain.dc.GetPixel(w - 1, h - 1), ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(plain.dc.GetPixel(w - 2, h - 2), ::GetSysColor(COLOR_BTNSHADOW));

    button.SetFocus();
    Canvas focused(w, h);
    kqtest::PrintClient(button, focused);
    int changed = 0;
    for (int x = 3; x < w - 3; ++x)
        changed += focused.dc.GetPixel(x, 3) != plain.dc.GetPixel(x, 3);
    EXPECT_GT(changed, (w - 6) / 3) << "a dotted focus rectangle 3 pixels in";
    EXPECT_EQ(focused.dc.GetPixel(w / 2, h / 2), plain.dc.GetPixel(w / 2, h / 2));

    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_NE(::GetCapture(), button.m_hWnd) << "no hover tracking";
}

TEST(ButtonList, FindsTheFirstOfEqualIdsAndRefusesMissingOnes)
{
    CButtonList list;
    ASSERT_TRUE(list.AddButton(&Host(), kButtonId, 10, 10, 57, 50, 0, nullptr, 1, kUp, kDown, kHover, 0));
    ASSERT_TRUE(list.AddButton(&Host(), kButtonId, 100, 10, 147, 50, 0, nullptr, 1, kUp, kDown, kHover, 0));
    ASSERT_TRUE(list.AddButton(&Host(), kButtonId + 1, 200, 10, 247, 50, TeacherRes::IDC_VERSION_BUTTON, "x", 1,
                               kUp, kDown, kHover, 0));

    CHoverButton* first = list.FindById(kButtonId);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(RectInParent(*first).TopLeft(), CPoint(10, 10));
    EXPECT_EQ(list.FindById(kButtonId + 7), nullptr);
    EXPECT_TRUE(list.SetFrames(0, kButtonId, 0));
    EXPECT_FALSE(list.SetFrames(0, kButtonId + 7, 0));

    const HWND window = first->m_hWnd;
    EXPECT_EQ(list.RemoveAll(), 0);
    EXPECT_EQ(list.FindById(kButtonId), nullptr);
    EXPECT_FALSE(::IsWindow(window)) << "removing a button destroys its window";
}

TEST(ToggleBitmapButton, ShowsItsFocusedFaceOnceTheMouseMovesOverIt)
{
    CToggleBitmapButton button;
    ASSERT_TRUE(button.Create(nullptr, WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 57, 50), &Host(), kButtonId));
    ASSERT_TRUE(button.LoadBitmaps(kUp, kDown, kHover, TeacherRes::IDB_HAND_UP_DISABLED));
    Host().SetFocus();
    const CPoint probe = WhereFacesDiffer(kUp, kHover);
    EXPECT_EQ(FaceShown(button, {kUp, kHover}, probe), kUp);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(::GetFocus(), button.m_hWnd);
    EXPECT_EQ(FaceShown(button, {kUp, kHover}, probe), kHover);

    button.EnableToggle(1);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(button.IsToggled(), 1);
}

TEST(PolyButton, HoldsThePolygonOnlyWhereverItsParentStandsAndDrawsItsFace)
{
    // The main window places it at (709, 39) with this size.
    CRect placed(709, 39, 782, 120);
    CRect host;
    Host().GetWindowRect(&host);
    ASSERT_NE(host.TopLeft(), CPoint(0, 0)) << "the parent away from the screen's corner";
    CPolyButton button;
    ASSERT_TRUE(button.Create(nullptr, WS_VISIBLE | BS_OWNERDRAW, placed, &Host(), 867));

    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(button.m_hWnd, region), ERROR);
    // The outline of TeacherLook.h, in the button's coordinates.
    CRect box;
    region.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(711 - placed.left, 44 - placed.top, 779 - placed.left, 118 - placed.top));
    const struct {
        CPoint at;
        bool inside;
    } points[] = {
        {{760, 50}, true}, {{715, 110}, true}, {{740, 70}, true},
        {{715, 50}, false}, {{712, 41}, false}, {{780, 100}, false},
    };
    for (const auto& p : points) {
        EXPECT_EQ(bool(region.PtInRegion(p.at.x - placed.left, p.at.y - placed.top)), p.inside)
            << p.at.x << "," << p.at.y;
    }

    Canvas canvas(80, 90);
    kqtest::PrintClient(button, canvas);
    EXPECT_EQ(canvas.dc.GetPixel(40, 40), BitmapPixel(kq::kVersionButtonFace, 40, 40));
    EXPECT_EQ(canvas.dc.GetPixel(60, 10), BitmapPixel(kq::kVersionButtonFace, 60, 10));
}

} // namespace
