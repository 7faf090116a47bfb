// Regions: shapes, combination, moves, and who frees a region handed to a
// window.

#include "framework/Rgn.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct ShapeCase {
    const char* name;
    std::function<BOOL(CRgn&)> create;
    std::vector<POINT> inside;
    std::vector<POINT> outside;
    RECT box;
};

TEST(Rgn, ShapesHoldTheirPointsAndBox)
{
    const POINT triangle[] = {{0, 0}, {20, 0}, {0, 20}};
    const RECT indirect = {5, 5, 15, 25};
    const ShapeCase cases[] = {
        {"rectangle, right and bottom edges excluded",
         [](CRgn& r) { return r.CreateRectRgn(0, 0, 10, 10); },
         {{0, 0}, {9, 9}}, {{10, 5}, {5, 10}}, {0, 0, 10, 10}},
        {"rectangle from a RECT", [&](CRgn& r) { return r.CreateRectRgnIndirect(&indirect); },
         {{5, 5}, {14, 24}}, {{4, 5}, {15, 24}}, indirect},
        {"ellipse", [](CRgn& r) { return r.CreateEllipticRgn(0, 0, 20, 10); },
         {{10, 5}, {1, 5}}, {{0, 0}, {19, 0}, {19, 9}}, {0, 0, 19, 9}},
        {"round rectangle of a skinned window (corners 20 x 24)",
         [](CRgn& r) { return r.CreateRoundRectRgn(0, 0, 101, 81, 20, 24); },
         {{50, 0}, {0, 40}, {99, 40}, {50, 79}}, {{0, 0}, {99, 0}, {0, 79}, {99, 79}}, {0, 0, 100, 80}},
        {"polygon", [&](CRgn& r) { return r.CreatePolygonRgn(triangle, 3, ALTERNATE); },
         {{1, 1}, {15, 2}}, {{15, 15}, {19, 19}}, {0, 0, 20, 20}},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        CRgn region;
        ASSERT_TRUE(c.create(region));
        for (const POINT& p : c.inside)
            EXPECT_TRUE(region.PtInRegion(p)) << p.x << "," << p.y;
        for (const POINT& p : c.outside)
            EXPECT_FALSE(region.PtInRegion(p.x, p.y)) << p.x << "," << p.y;
        RECT box = {};
        EXPECT_NE(region.GetRgnBox(&box), ERROR);
        EXPECT_TRUE(::EqualRect(&box, &c.box))
            << box.left << "," << box.top << "," << box.right << "," << box.bottom;
    }
}

TEST(Rgn, CombinesIntoAnExistingRegion)
{
    CRgn left;
    CRgn right;
    left.CreateRectRgn(0, 0, 10, 10);
    right.CreateRectRgn(5, 0, 15, 10);

    // Sample points: only in left, in both, only in right.
    struct { const char* name; int mode; bool inLeft, inBoth, inRight; } const cases[] = {
        {"and", RGN_AND, false, true, false},
        {"or", RGN_OR, true, true, true},
        {"xor", RGN_XOR, true, false, true},
        {"diff", RGN_DIFF, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CRgn result;
        result.CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(result.CombineRgn(&left, &right, c.mode), ERROR);
        EXPECT_EQ(bool(result.PtInRegion(2, 5)), c.inLeft);
        EXPECT_EQ(bool(result.PtInRegion(7, 5)), c.inBoth);
        EXPECT_EQ(bool(result.PtInRegion(12, 5)), c.inRight);
    }

    // A copy into a rectangle region, as a button takes its shape.
    CRgn shape;
    shape.CreateEllipticRgn(0, 0, 20, 20);
    CRgn copy;
    copy.CreateRectRgn(0, 0, 20, 20);
    EXPECT_EQ(copy.CombineRgn(&shape, nullptr, RGN_COPY), COMPLEXREGION);
    EXPECT_FALSE(copy.PtInRegion(0, 0));
    EXPECT_TRUE(copy.EqualRgn(&shape));
    EXPECT_NE(copy.m_hObject, shape.m_hObject) << "the caller keeps its own shape";

    CRgn empty;
    EXPECT_EQ(empty.CombineRgn(&left, &right, RGN_OR), ERROR) << "the destination must exist";
    EXPECT_EQ(empty.CopyRgn(&left), ERROR);
}

TEST(Rgn, MovesAndResets)
{
    CRgn region;
    region.CreateRectRgn(0, 0, 10, 10);
    region.OffsetRgn(5, 7);
    RECT box = {};
    region.GetRgnBox(&box);
    const RECT moved = {5, 7, 15, 17};
    EXPECT_TRUE(::EqualRect(&box, &moved));
    region.OffsetRgn(POINT{-5, -7});
    region.GetRgnBox(&box);
    const RECT back = {0, 0, 10, 10};
    EXPECT_TRUE(::EqualRect(&box, &back));

    const RECT reset = {1, 2, 3, 4};
    region.SetRectRgn(&reset);
    region.GetRgnBox(&box);
    EXPECT_TRUE(::EqualRect(&box, &reset));
}

// A plain window of the system's static class to hand regions to.
class RegionWindow {
public:
    RegionWindow()
        : m_hwnd(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 80, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~RegionWindow()
    {
        if (m_hwnd != nullptr)
            ::DestroyWindow(m_hwnd);
    }
    HWND Handle() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

TEST(Rgn, ARegionHandedToAWindowIsTheWindowsOnceDetached)
{
    RegionWindow window;
    ASSERT_NE(window.Handle(), nullptr);

    // Windows keeps the handed region as the window's own; Wine copies it
    // and frees the handle at once. Either way the caller must let go of it,
    // and the window keeps its shape after the CRgn is gone.
    {
        CRgn shape;
        ASSERT_TRUE(shape.CreateRoundRectRgn(0, 0, 101, 81, 20, 24));
        const HGDIOBJ handed = shape.m_hObject;
        ASSERT_TRUE(::SetWindowRgn(window.Handle(), shape, TRUE));
        EXPECT_EQ(shape.Detach(), handed);
        EXPECT_NE(CGdiObject::FromHandle(handed), &shape) << "no longer the owner";
    }
    CRgn current;
    current.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(window.Handle(), current), COMPLEXREGION);
    EXPECT_FALSE(current.PtInRegion(0, 0)) << "the corner is cut off";
    EXPECT_TRUE(current.PtInRegion(50, 40));
    CGdiObject::DeleteTempMap();

    // A region that no window took stays the CRgn's and goes with it.
    HRGN kept;
    {
        CRgn own;
        own.CreateRectRgn(0, 0, 10, 10);
        kept = own;
        EXPECT_FALSE(::SetWindowRgn(nullptr, own, FALSE)) << "no window: the region stays ours";
        EXPECT_EQ(::GetObjectType(kept), static_cast<DWORD>(OBJ_REGION));
    }
    EXPECT_EQ(::GetObjectType(kept), 0u) << "freed with its CRgn";
}

} // namespace
