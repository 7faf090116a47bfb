// The kit with the student agent's look: its skinned dialog base (close
// button 101, foreground, corners from the constructor) and its labels
// (alignment by style, lines broken by CP936 cells).

#include "widgets/SkinDialog.h"
#include "widgets/SkinLabel.h"
#include "widgets/StudentLook.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "SatchelResources.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using kqtest::BitmapSize;
using kqtest::RunModal;
using kq::kStudentSkinLook;

constexpr UINT kTemplate = SatchelRes::IDD_STUDENT_DIALOG;
constexpr UINT kBackground = SatchelRes::IDB_ERROR_BACKGROUND;

class StudentDialog : public CSkinDialog {
public:
    StudentDialog(int closeX, int closeY)
        : CSkinDialog(kTemplate, kq::kStudentCornerWidth, kq::kStudentCornerHeight, closeX, closeY, kBackground,
                      nullptr, kStudentSkinLook)
    {
    }
    bool foreground = false;
    BOOL OnInitDialog() override
    {
        const BOOL result = CSkinDialog::OnInitDialog();
        foreground = ::GetForegroundWindow() == m_hWnd;
        return result;
    }
};

LRESULT HitTestAt(CWnd& dialog, int clientX, int clientY)
{
    CPoint point(clientX, clientY);
    dialog.ClientToScreen(&point);
    return dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
}

TEST(StudentSkinDialog, SizeRegionCaptionAndCloseButton101)
{
    const CSize background = BitmapSize(kBackground);
    ASSERT_EQ(background, CSize(298, 163));
    StudentDialog dialog(269, 4);
    const INT_PTR result = RunModal(dialog, [&](CDialog& d) {
        CRect window;
        d.GetWindowRect(&window);
        EXPECT_EQ(window.Size(), background);

        CRgn region, expected;
        region.CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(::GetWindowRgn(d.m_hWnd, region), ERROR);
        expected.CreateRoundRectRgn(0, 0, background.cx + 1, background.cy + 1, 20, 24);
        // Compared within the window: the region reaches one pixel past it.
        CRgn inside;
        inside.CreateRectRgn(0, 0, background.cx, background.cy);
        ::CombineRgn(region, region, inside, RGN_AND);
        ::CombineRgn(expected, expected, inside, RGN_AND);
        int differing = 0;
        CPoint first(-1, -1);
        for (int y = 0; y < background.cy; ++y) {
            for (int x = 0; x < background.cx; ++x) {
                if (region.PtInRegion(x, y) != expected.PtInRegion(x, y) && differing++ == 0)
                    first = CPoint(x, y);
            }
        }
        EXPECT_EQ(differing, 0) << "a rounded 20 x 24 region; first difference at " << first.x << ", " << first.y;
        EXPECT_FALSE(region.PtInRegion(0, 0));

        EXPECT_EQ(HitTestAt(d, 150, 19), HTCAPTION);
        EXPECT_NE(HitTestAt(d, 150, 20), HTCAPTION);

        CWnd* close = d.GetDlgItem(kStudentSkinLook.closeId);
        ASSERT_NE(close, nullptr);
        CRect rect;
        close->GetWindowRect(&rect);
        d.ScreenToClient(&rect);
        EXPECT_EQ(rect, CRect(CPoint(269, 4), BitmapSize(SatchelRes::IDB_CLOSE_UP)));
        EXPECT_EQ(BitmapSize(SatchelRes::IDB_CLOSE_UP), CSize(20, 18));
        close->SendMessage(BM_CLICK);
    });
    EXPECT_EQ(result, IDCANCEL) << "the close button cancels";
    EXPECT_TRUE(dialog.foreground) << "the dialog makes itself the foreground window";
}

TEST(StudentSkinDialog, NoCloseButtonAtMinusOne)
{
    StudentDialog dialog(-1, -1);
    const INT_PTR result = RunModal(dialog, [&](CDialog& d) {
        EXPECT_EQ(d.GetDlgItem(kStudentSkinLook.closeId), nullptr);
        d.PostMessage(WM_CLOSE);
    });
    EXPECT_EQ(result, IDCANCEL);
}

// ---------------------------------------------------------------- labels

constexpr COLORREF kLabelBackground = 0xF9E5AB;
constexpr int kLabelWidth = 100;
constexpr int kLabelHeight = 80;

// The number of text lines and the rightmost inked column of a label.
struct Ink {
    int lines = 0;
    int left = kLabelWidth;
    int right = -1;
};

Ink InkOf(CPaintedLabel& label)
{
    kqtest::Canvas canvas(kLabelWidth, kLabelHeight);
    kqtest::PrintClient(label, canvas);
    Ink ink;
    bool inLine = false;
    for (int y = 0; y < kLabelHeight; ++y) {
        bool inked = false;
        for (int x = 0; x < kLabelWidth; ++x) {
            if (canvas.dc.GetPixel(x, y) != kLabelBackground) {
                inked = true;
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
            }
        }
        if (inked && !inLine)
            ++ink.lines;
        inLine = inked;
    }
    return ink;
}

TEST(StudentSkinLabel, BreaksByCellsAndAlignsByStyle)
{
    // One word far wider than the label: word breaking keeps it on one
    // line; the student's label cuts it by cells.
    const char* const word = "abcdefghijklmnopqrstuvwxyz0123456789";
    CSkinLabel teacher(kLabelBackground);
    CSkinLabel student(kLabelBackground, kStudentSkinLook);
    CSkinLabel right(kLabelBackground, kStudentSkinLook);
    CSkinLabel narrow(kLabelBackground, kStudentSkinLook);
    CWnd& host = kqtest::Host();
    ASSERT_TRUE(teacher.Create(word, WS_VISIBLE, CRect(0, 0, kLabelWidth, kLabelHeight), &host));
    ASSERT_TRUE(student.Create(word, WS_VISIBLE, CRect(0, 100, kLabelWidth, 100 + kLabelHeight), &host));
    ASSERT_TRUE(right.Create("ab", WS_VISIBLE | SS_RIGHT, CRect(200, 0, 200 + kLabelWidth, kLabelHeight), &host));
    ASSERT_TRUE(narrow.Create("IP 地址已被占用", WS_VISIBLE, CRect(400, 0, 412, kLabelHeight), &host));

    EXPECT_EQ(InkOf(teacher).lines, 1);
    EXPECT_GE(InkOf(student).lines, 3);
    const Ink rightInk = InkOf(right);
    EXPECT_GT(rightInk.left, kLabelWidth / 2) << "SS_RIGHT aligns right";
    // Two cells wide: drawn with plain word breaking, and the painting ends.
    EXPECT_GE(InkOf(narrow).lines, 1);
}

} // namespace
