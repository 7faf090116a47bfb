// GDI objects and device contexts: ownership of handles, the wrappers of
// FromHandle, selection, drawing, text, fonts, bitmaps and image lists.

#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/DC.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "framework/ModuleState.h"
#include "framework/Pen.h"
#include "framework/Rgn.h"
#include "framework/Wnd.h"
#include "framework/tests/gdi_res/GdiTestResources.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

bool IsLive(HGDIOBJ handle)
{
    return ::GetObjectType(handle) != 0;
}

// A white memory canvas in the screen's colour format.
class Canvas {
public:
    Canvas(int width, int height)
    {
        CClientDC screen(nullptr);
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, width, height);
        m_previous = dc.SelectObject(&bitmap);
        dc.PatBlt(0, 0, width, height, WHITENESS);
    }
    ~Canvas() { dc.SelectObject(m_previous); }

    CDC dc;
    CBitmap bitmap;

private:
    CBitmap* m_previous;
};

TEST(GdiObject, OwnsItsHandleUntilDetachedOrReplaced)
{
    HGDIOBJ owned;
    {
        CPen pen(PS_SOLID, 1, kRed);
        owned = pen.m_hObject;
        ASSERT_TRUE(IsLive(owned));
    }
    EXPECT_FALSE(IsLive(owned)) << "the destructor deletes what the object owns";

    HGDIOBJ detached;
    {
        CBrush brush(kRed);
        detached = brush.Detach();
        EXPECT_EQ(brush.GetSafeHandle(), nullptr);
    }
    EXPECT_TRUE(IsLive(detached)) << "a detached handle is the caller's";
    ::DeleteObject(detached);

    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(kRed));
    HGDIOBJ first = brush.m_hObject;
    ASSERT_TRUE(brush.CreateSolidBrush(kBlue));
    EXPECT_FALSE(IsLive(first)) << "creating again frees the previous object";

    CBrush* none = nullptr;
    EXPECT_EQ(none->GetSafeHandle(), nullptr);
    EXPECT_FALSE(CBrush().Attach(nullptr));
}

TEST(GdiObject, FromHandleGivesTheOwnerOrATemporaryOfTheThread)
{
    CPen pen(PS_SOLID, 1, kRed);
    EXPECT_EQ(CPen::FromHandle(pen), &pen);
    EXPECT_EQ(CGdiObject::FromHandle(pen.m_hObject), &pen);

    HBRUSH raw = ::CreateSolidBrush(kGreen);
    CBrush* temporary = CBrush::FromHandle(raw);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->m_hObject, raw);
    EXPECT_EQ(CBrush::FromHandle(raw), temporary) << "one temporary per handle and thread";

    // Another thread gets its own temporaries, which go with it, also when
    // the thread had windows (whose state is cleaned up at thread exit too).
    CBrush* elsewhere = nullptr;
    CDC* elsewhereDC = nullptr;
    HDC memory = ::CreateCompatibleDC(nullptr);
    std::thread([&] {
        CWnd window;
        window.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 4, 4, nullptr, nullptr);
        elsewhereDC = CDC::FromHandle(memory);
        elsewhere = CBrush::FromHandle(raw);
        window.DestroyWindow();
    }).join();
    EXPECT_NE(elsewhere, temporary) << "temporaries belong to their thread";
    EXPECT_NE(elsewhereDC, nullptr);
    EXPECT_EQ(::GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC)) << "left alone when the thread ended";
    ::DeleteDC(memory);

    CGdiObject::DeleteTempMap();
    EXPECT_TRUE(IsLive(raw)) << "a temporary never deletes its handle";
    EXPECT_EQ(CBrush::FromHandle(nullptr), nullptr);
    ::DeleteObject(raw);

    HGDIOBJ handle = pen.Detach();
    EXPECT_NE(CGdiObject::FromHandle(handle), &pen) << "a detached object is no longer the owner";
    ::DeleteObject(handle);
    CGdiObject::DeleteTempMap();
}

TEST(DC, FromHandleWrapsWithoutOwning)
{
    HDC raw = ::CreateCompatibleDC(nullptr);
    CDC* temporary = CDC::FromHandle(raw);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->GetSafeHdc(), raw);
    EXPECT_EQ(temporary->m_hAttribDC, raw);
    EXPECT_EQ(CDC::FromHandle(raw), temporary);
    CDC::DeleteTempMap();
    EXPECT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC)) << "the temporary left the context alone";
    ::DeleteDC(raw);

    CDC owner;
    ASSERT_TRUE(owner.CreateCompatibleDC(nullptr));
    EXPECT_EQ(CDC::FromHandle(owner.m_hDC), &owner);
    HDC borrowed = owner.Detach();
    EXPECT_EQ(::GetObjectType(borrowed), static_cast<DWORD>(OBJ_MEMDC));
    ::DeleteDC(borrowed);
}

TEST(DC, SelectObjectReturnsWhatWasSelectedBefore)
{
    Canvas canvas(8, 8);
    CDC& dc = canvas.dc;

    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kRed);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "宋体"));

    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CFont* oldFont = dc.SelectObject(&font);
    ASSERT_NE(oldPen, nullptr);
    ASSERT_NE(oldBrush, nullptr);
    ASSERT_NE(oldFont, nullptr);
    EXPECT_EQ(oldPen->m_hObject, ::GetStockObject(BLACK_PEN));
    EXPECT_EQ(oldBrush->m_hObject, ::GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.GetCurrentPen(), &pen);
    EXPECT_EQ(dc.GetCurrentFont(), &font);
    EXPECT_EQ(dc.GetCurrentBitmap(), &canvas.bitmap);

    EXPECT_EQ(dc.SelectObject(oldPen), &pen) << "selecting back gives the owning object";
    EXPECT_EQ(dc.SelectObject(oldBrush), &brush);
    EXPECT_EQ(dc.SelectObject(oldFont), &font);

    CGdiObject* before = dc.SelectStockObject(BLACK_BRUSH);
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(before->m_hObject, ::GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
}

struct DrawCase {
    const char* name;
    std::function<void(CDC&)> draw;
    POINT point;
    COLORREF expected;
};

TEST(DC, DrawsWhatItIsAskedWhereItIsAsked)
{
    CBrush redBrush(kRed);
    CBrush blueBrush(kBlue);
    CPen bluePen(PS_SOLID, 1, kBlue);
    const RECT square = {2, 2, 8, 8};

    const DrawCase cases[] = {
        {"solid fill inside", [](CDC& dc) { dc.FillSolidRect(1, 1, 3, 3, kRed); }, {2, 2}, kRed},
        {"solid fill stops at its edge", [](CDC& dc) { dc.FillSolidRect(1, 1, 3, 3, kRed); }, {4, 4}, kWhite},
        {"3-D frame top left", [&](CDC& dc) { dc.Draw3dRect(&square, kGreen, kBlue); }, {2, 2}, kGreen},
        {"3-D frame top right corner", [&](CDC& dc) { dc.Draw3dRect(&square, kGreen, kBlue); }, {7, 2}, kBlue},
        {"3-D frame bottom left corner", [&](CDC& dc) { dc.Draw3dRect(&square, kGreen, kBlue); }, {2, 7}, kBlue},
        {"3-D frame leaves the inside", [&](CDC& dc) { dc.Draw3dRect(&square, kGreen, kBlue); }, {4, 4}, kWhite},
        {"brush fill", [&](CDC& dc) { dc.FillRect(&square, &redBrush); }, {7, 7}, kRed},
        {"frame edge", [&](CDC& dc) { dc.FrameRect(&square, &redBrush); }, {2, 5}, kRed},
        {"frame inside", [&](CDC& dc) { dc.FrameRect(&square, &redBrush); }, {4, 4}, kWhite},
        {"rectangle outline with the pen",
         [&](CDC& dc) {
             CPen* pen = dc.SelectObject(&bluePen);
             CBrush* brush = dc.SelectObject(&redBrush);
             dc.Rectangle(&square);
             dc.SelectObject(brush);
             dc.SelectObject(pen);
         },
         {2, 4}, kBlue},
        {"rectangle inside with the brush",
         [&](CDC& dc) {
             CBrush* brush = dc.SelectObject(&redBrush);
             dc.Rectangle(&square);
             dc.SelectObject(brush);
         },
         {4, 4}, kRed},
        {"line", [&](CDC& dc) {
             CPen* pen = dc.SelectObject(&bluePen);
             dc.MoveTo(0, 5);
             dc.LineTo(9, 5);
             dc.SelectObject(pen);
         },
         {6, 5}, kBlue},
        {"pixel", [](CDC& dc) { dc.SetPixel(3, 6, kGreen); }, {3, 6}, kGreen},
        {"pattern blit", [](CDC& dc) { dc.PatBlt(0, 0, 4, 4, BLACKNESS); }, {3, 3}, kBlack},
        {"ellipse centre", [&](CDC& dc) {
             CBrush* brush = dc.SelectObject(&blueBrush);
             dc.Ellipse(0, 0, 10, 10);
             dc.SelectObject(brush);
         },
         {5, 5}, kBlue},
        {"ellipse leaves the corner", [&](CDC& dc) {
             CBrush* brush = dc.SelectObject(&blueBrush);
             dc.Ellipse(0, 0, 10, 10);
             dc.SelectObject(brush);
         },
         {0, 0}, kWhite},
        {"region fill", [&](CDC& dc) {
             CRgn region;
             region.CreateEllipticRgn(0, 0, 10, 10);
             dc.FillRgn(&region, &redBrush);
         },
         {5, 5}, kRed},
        {"clip rectangle keeps drawing out", [](CDC& dc) {
             dc.SaveDC();
             dc.IntersectClipRect(0, 0, 2, 2);
             dc.FillSolidRect(0, 0, 10, 10, kRed);
             dc.RestoreDC(-1);
         },
         {5, 5}, kWhite},
    };
    for (const DrawCase& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(10, 10);
        c.draw(canvas.dc);
        EXPECT_EQ(canvas.dc.GetPixel(c.point), c.expected);
    }
}

TEST(DC, SolidFillLeavesTheBackgroundColour)
{
    Canvas canvas(4, 4);
    canvas.dc.SetBkColor(kGreen);
    canvas.dc.FillSolidRect(0, 0, 2, 2, kRed);
    EXPECT_EQ(canvas.dc.GetBkColor(), kGreen);
}

TEST(DC, SaveAndRestoreBringBackTheAttributes)
{
    Canvas canvas(4, 4);
    CDC& dc = canvas.dc;
    dc.SetTextColor(kRed);
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    const int saved = dc.SaveDC();
    ASSERT_NE(saved, 0);
    EXPECT_EQ(dc.SetTextColor(kBlue), kRed);
    dc.SetBkMode(OPAQUE);
    ASSERT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetTextColor(), kRed);
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
}

TEST(DC, CopiesBetweenContexts)
{
    Canvas source(4, 4);
    source.dc.FillSolidRect(0, 0, 4, 4, kRed);
    source.dc.SetPixel(0, 0, kMagenta);

    Canvas copy(8, 8);
    ASSERT_TRUE(copy.dc.BitBlt(1, 1, 4, 4, &source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(copy.dc.GetPixel(1, 1), kMagenta);
    EXPECT_EQ(copy.dc.GetPixel(4, 4), kRed);
    EXPECT_EQ(copy.dc.GetPixel(5, 5), kWhite);

    Canvas stretched(8, 8);
    ASSERT_TRUE(stretched.dc.StretchBlt(0, 0, 8, 8, &source.dc, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(stretched.dc.GetPixel(1, 1), kMagenta) << "the corner pixel doubled";
    EXPECT_EQ(stretched.dc.GetPixel(7, 7), kRed);

    Canvas keyed(4, 4);
    ASSERT_TRUE(keyed.dc.TransparentBlt(0, 0, 4, 4, &source.dc, 0, 0, 4, 4, kMagenta));
    EXPECT_EQ(keyed.dc.GetPixel(0, 0), kWhite) << "the transparent colour is left out";
    EXPECT_EQ(keyed.dc.GetPixel(2, 2), kRed);
}

TEST(DC, MeasuresAndDrawsText)
{
    Canvas canvas(120, 40);
    CDC& dc = canvas.dc;
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "宋体"));
    CFont* old = dc.SelectObject(&font);

    const CString text("WWW");
    const CSize one = dc.GetTextExtent("W", 1);
    const CSize three = dc.GetTextExtent(text);
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(three.cx, 3 * one.cx);
    EXPECT_EQ(three.cy, one.cy);

    TEXTMETRICA metrics = {};
    ASSERT_TRUE(dc.GetTextMetrics(&metrics));
    EXPECT_EQ(metrics.tmHeight, three.cy);

    RECT measured = {0, 0, 0, 0};
    const int height = dc.DrawText(text, &measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(height, three.cy);
    EXPECT_EQ(measured.right - measured.left, three.cx);
    EXPECT_EQ(canvas.dc.GetPixel(measured.right / 2, three.cy / 2), kWhite) << "measuring draws nothing";

    RECT area = {0, 0, 120, 40};
    dc.SetTextColor(kBlack);
    dc.DrawText("晨星晨星", -1, &area, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    int dark = 0;
    for (int x = 0; x < 120; ++x)
        for (int y = 0; y < 40; ++y)
            dark += dc.GetPixel(x, y) != kWhite;
    EXPECT_GT(dark, 0) << "the Chinese text was drawn";
    dc.SelectObject(old);
}

TEST(Font, PointFontsAreTenthsOfAPointAtTheScreenResolution)
{
    CClientDC screen(nullptr);
    ASSERT_EQ(screen.GetDeviceCaps(LOGPIXELSY), 96) << "the heights below are for 96 dots per inch";

    struct { int tenths; LONG height; } const cases[] = {{90, -12}, {105, -14}, {120, -16}, {240, -32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tenths);
        CFont onScreen;
        ASSERT_TRUE(onScreen.CreatePointFont(c.tenths, "宋体"));
        LOGFONT logFont = {};
        ASSERT_NE(onScreen.GetLogFont(&logFont), 0);
        EXPECT_EQ(logFont.lfHeight, c.height);
        EXPECT_STREQ(logFont.lfFaceName, "宋体");

        CFont onContext;
        ASSERT_TRUE(onContext.CreatePointFont(c.tenths, "宋体", &screen));
        onContext.GetLogFont(&logFont);
        EXPECT_EQ(logFont.lfHeight, c.height);
    }
}

TEST(Bitmap, LoadsFromTheCurrentResourceSource)
{
    struct { const char* name; std::function<BOOL(CBitmap&)> load; } const cases[] = {
        {"by id", [](CBitmap& b) { return b.LoadBitmap(IDB_TEST_RED); }},
        {"by name", [](CBitmap& b) { return b.LoadBitmap("NAMEDRED"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CBitmap bitmap;
        ASSERT_TRUE(c.load(bitmap));
        BITMAP info = {};
        ASSERT_NE(bitmap.GetBitmap(&info), 0);
        EXPECT_EQ(info.bmWidth, 8);
        EXPECT_EQ(info.bmHeight, 6);

        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        CBitmap* old = memory.SelectObject(&bitmap);
        EXPECT_EQ(memory.GetPixel(7, 5), kRed);
        memory.SelectObject(old);
    }

    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(IDB_TEST_MISSING));
    EXPECT_EQ(missing.GetSafeHandle(), nullptr);

    // Another resource source: the test program's bitmaps are not there.
    HINSTANCE own = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleA("kernel32.dll"));
    CBitmap elsewhere;
    EXPECT_FALSE(elsewhere.LoadBitmap(IDB_TEST_RED));
    AfxSetResourceHandle(own);
}

TEST(Bitmap, CreatesBitmapsOfTheAskedSize)
{
    const DWORD bits[2 * 3] = {};
    CBitmap plain;
    ASSERT_TRUE(plain.CreateBitmap(2, 3, 1, 32, bits));
    BITMAP info = {};
    plain.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(info.bmBitsPixel, 32);

    CClientDC screen(nullptr);
    CBitmap compatible;
    ASSERT_TRUE(compatible.CreateCompatibleBitmap(&screen, 5, 7));
    EXPECT_EQ(compatible.GetBitmapDimension(), CSize(0, 0));
    compatible.SetBitmapDimension(50, 70);
    EXPECT_EQ(compatible.GetBitmapDimension(), CSize(50, 70));
    EXPECT_FALSE(CBitmap().CreateCompatibleBitmap(nullptr, 5, 7));
}

TEST(Brush, PaintsItsColourOrPattern)
{
    CBitmap pattern;
    ASSERT_TRUE(pattern.LoadBitmap(IDB_TEST_RED));
    CBrush patterned(&pattern);
    ASSERT_NE(patterned.GetSafeHandle(), nullptr);
    CBrush hatched(HS_CROSS, kBlue);
    LOGBRUSH logBrush = {};
    hatched.GetLogBrush(&logBrush);
    EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(logBrush.lbColor, kBlue);

    Canvas canvas(4, 4);
    const RECT all = {0, 0, 4, 4};
    canvas.dc.FillRect(&all, &patterned);
    EXPECT_EQ(canvas.dc.GetPixel(3, 3), kRed);
    EXPECT_FALSE(CBrush().CreatePatternBrush(nullptr));
}

TEST(Pen, KeepsItsStyleWidthAndColour)
{
    CPen pen(PS_DASH, 1, kGreen);
    LOGPEN logPen = {};
    ASSERT_NE(pen.GetLogPen(&logPen), 0);
    EXPECT_EQ(logPen.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(logPen.lopnWidth.x, 1);
    EXPECT_EQ(logPen.lopnColor, kGreen);
}

TEST(ImageList, CutsABitmapIntoImagesAndDrawsThemMasked)
{
    CImageList images;
    ASSERT_TRUE(images.Create(IDB_TEST_STRIP, 4, 1, kMagenta));
    EXPECT_EQ(images.GetImageCount(), 2);
    int width = 0;
    int height = 0;
    images.GetIconSize(&width, &height);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 4);

    Canvas canvas(12, 4);
    ASSERT_TRUE(images.Draw(&canvas.dc, 0, POINT{0, 0}, ILD_TRANSPARENT));
    ASSERT_TRUE(images.Draw(&canvas.dc, 1, POINT{6, 0}, ILD_TRANSPARENT));
    EXPECT_EQ(canvas.dc.GetPixel(0, 0), kWhite) << "the mask colour is transparent";
    EXPECT_EQ(canvas.dc.GetPixel(2, 2), kRed);
    EXPECT_EQ(canvas.dc.GetPixel(8, 2), kBlue);
    EXPECT_EQ(canvas.dc.GetPixel(5, 2), kWhite);

    CBitmap more;
    ASSERT_TRUE(more.LoadBitmap(IDB_TEST_STRIP));
    EXPECT_EQ(images.Add(&more, kMagenta), 2) << "the index of the first image added";
    EXPECT_EQ(images.GetImageCount(), 4);
    EXPECT_TRUE(images.Remove(0));
    EXPECT_EQ(images.GetImageCount(), 3);

    EXPECT_TRUE(images.DeleteImageList());
    EXPECT_EQ(images.GetSafeHandle(), nullptr);
    EXPECT_FALSE(images.Create(IDB_TEST_MISSING, 4, 1, kMagenta));
}

} // namespace
