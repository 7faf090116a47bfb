#include "framework/Rect.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct RectCase {
    const char* name;
    CRect start;
    std::function<void(CRect&)> operation;
    CRect expected;
};

TEST(CRectTest, OperationsTable)
{
    const RectCase cases[] = {
        {"OffsetRect", {1, 2, 3, 4}, [](CRect& r) { r.OffsetRect(10, -2); }, {11, 0, 13, 2}},
        {"+= point", {1, 2, 3, 4}, [](CRect& r) { r += CPoint(1, 1); }, {2, 3, 4, 5}},
        {"-= size", {1, 2, 3, 4}, [](CRect& r) { r -= CSize(1, 2); }, {0, 0, 2, 2}},
        {"InflateRect", {10, 10, 20, 20}, [](CRect& r) { r.InflateRect(2, 3); }, {8, 7, 22, 23}},
        {"InflateRect sides", {10, 10, 20, 20}, [](CRect& r) { r.InflateRect(1, 2, 3, 4); }, {9, 8, 23, 24}},
        {"DeflateRect", {10, 10, 20, 20}, [](CRect& r) { r.DeflateRect(2, 3); }, {12, 13, 18, 17}},
        {"DeflateRect by rect", {10, 10, 20, 20}, [](CRect& r) { r -= CRect(1, 2, 3, 4); }, {11, 12, 17, 16}},
        {"+= rect inflates", {10, 10, 20, 20}, [](CRect& r) { r += CRect(1, 1, 1, 1); }, {9, 9, 21, 21}},
        {"NormalizeRect", {20, 30, 10, 5}, [](CRect& r) { r.NormalizeRect(); }, {10, 5, 20, 30}},
        {"&= overlap", {0, 0, 10, 10}, [](CRect& r) { r &= CRect(5, 5, 15, 15); }, {5, 5, 10, 10}},
        {"&= disjoint is empty", {0, 0, 10, 10}, [](CRect& r) { r &= CRect(20, 20, 30, 30); }, {0, 0, 0, 0}},
        {"|= union", {0, 0, 10, 10}, [](CRect& r) { r |= CRect(5, 5, 15, 20); }, {0, 0, 15, 20}},
        {"|= with empty keeps", {0, 0, 10, 10}, [](CRect& r) { r |= CRect(50, 50, 50, 50); }, {0, 0, 10, 10}},
        {"MoveToXY", {1, 2, 4, 6}, [](CRect& r) { r.MoveToXY(10, 20); }, {10, 20, 13, 24}},
        {"SetRectEmpty", {1, 2, 4, 6}, [](CRect& r) { r.SetRectEmpty(); }, {0, 0, 0, 0}},
        {"TopLeft by reference", {1, 2, 4, 6}, [](CRect& r) { r.TopLeft().Offset(-1, -2); }, {0, 0, 4, 6}},
        {"BottomRight by reference", {1, 2, 4, 6}, [](CRect& r) { r.BottomRight() = CPoint(9, 9); }, {1, 2, 9, 9}},
    };
    for (const auto& c : cases) {
        CRect r = c.start;
        c.operation(r);
        EXPECT_EQ(r, c.expected) << c.name << ": got " << r.left << "," << r.top << "," << r.right << ","
                                 << r.bottom;
    }
}

TEST(CRectTest, MeasuresAndTests)
{
    const CRect r(10, 20, 40, 60);
    EXPECT_EQ(r.Width(), 30);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_EQ(r.Size(), CSize(30, 40));
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    EXPECT_EQ(r.BottomRight(), CPoint(40, 60));
    EXPECT_EQ(r.CenterPoint(), CPoint(25, 40));

    EXPECT_TRUE(r.PtInRect(CPoint(10, 20))); // left and top are inside
    EXPECT_FALSE(r.PtInRect(CPoint(40, 30))); // right and bottom are outside
    EXPECT_FALSE(r.PtInRect(CPoint(20, 60)));

    EXPECT_FALSE(r.IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
    EXPECT_TRUE(CRect(10, 0, 5, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 5, 10).IsRectNull());
    EXPECT_TRUE(CRect().IsRectNull());

    CRect both;
    EXPECT_TRUE(both.IntersectRect(CRect(0, 0, 10, 10), CRect(8, 8, 20, 20)));
    EXPECT_EQ(both, CRect(8, 8, 10, 10));
    EXPECT_FALSE(both.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10))); // touching edges
    EXPECT_TRUE(both.IsRectNull());
    EXPECT_EQ(CRect(0, 0, 2, 2) | CRect(4, 4, 6, 6), CRect(0, 0, 6, 6));
    EXPECT_EQ(CRect(0, 0, 2, 2) + CPoint(1, 1), CRect(1, 1, 3, 3));
    EXPECT_NE(CRect(0, 0, 2, 2), CRect(0, 0, 2, 3));
}

TEST(CRectTest, ConvertsToAndFromWin32Types)
{
    RECT raw = {1, 2, 3, 4};
    CRect fromRaw(raw);
    CRect fromPointer(&raw);
    EXPECT_EQ(fromRaw, fromPointer);
    EXPECT_EQ(CRect(static_cast<LPCRECT>(nullptr)), CRect());
    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));

    LPRECT out = fromRaw;
    ::SetRect(out, 5, 6, 7, 8);
    EXPECT_EQ(fromRaw, CRect(5, 6, 7, 8));

    EXPECT_EQ(CPoint(MAKELONG(-3, 7)), CPoint(-3, 7)); // lParam with a negative coordinate
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 1), CSize(3, 4));
    EXPECT_EQ(CPoint(5, 5) + CSize(1, 2), CPoint(6, 7));
    EXPECT_EQ(-CSize(1, -2), CSize(-1, 2));
}

} // namespace
