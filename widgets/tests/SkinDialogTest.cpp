// The skinned dialog base: its size, region, position, caption band and
// close button, with the teacher's look and with another program's look.

#include "widgets/SkinDialog.h"
#include "widgets/TeacherLook.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kqtest::BitmapPixel;
using kqtest::BitmapSize;
using kqtest::RunModal;

constexpr UINT kTemplate = TeacherRes::IDD_MESSAGE_BOX;
constexpr UINT kBackground = TeacherRes::IDB_WARNING_BACKGROUND;
constexpr UINT kMissingBitmap = 9999;

// A skinned dialog that notes how it ended and what its start changed.
class ProbeDialog : public CSkinDialog {
public:
    using CSkinDialog::CSkinDialog;

    std::vector<std::string> endings;
    CRect rectBeforeSkin;
    // Whether the dialog was the foreground window right after its start.
    bool foregroundAfterSkin = false;
    BOOL skinResult = FALSE;

    BOOL OnInitDialog() override
    {
        GetWindowRect(&rectBeforeSkin);
        skinResult = CSkinDialog::OnInitDialog();
        foregroundAfterSkin = ::GetForegroundWindow() == m_hWnd;
        return skinResult;
    }
    void OnOK() override
    {
        endings.push_back("OnOK");
        CSkinDialog::OnOK();
    }
    void OnCancel() override
    {
        endings.push_back("OnCancel");
        CSkinDialog::OnCancel();
    }
};

// The rectangle of control `id` in the dialog's client coordinates.
CRect ControlRect(CWnd& dialog, int id)
{
    CWnd* control = dialog.GetDlgItem(id);
    if (control == nullptr)
        return CRect();
    CRect rect;
    control->GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

LRESULT HitTestAt(CWnd& dialog, int clientX, int clientY)
{
    CPoint point(clientX, clientY);
    dialog.ClientToScreen(&point);
    return dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
}

void PostKey(CWnd& dialog, UINT key)
{
    dialog.PostMessage(WM_KEYDOWN, key, 1);
}

TEST(SkinDialog, TakesTheBackgroundsSizeRoundedCornersAndTheScreensCentre)
{
    ProbeDialog dialog(kTemplate, 269, 4, kBackground, nullptr);
    const CSize background = BitmapSize(kBackground);
    ASSERT_EQ(background, CSize(298, 163));

    const INT_PTR result = RunModal(dialog, [&](CDialog& d) {
        CRect window;
        d.GetWindowRect(&window);
        EXPECT_EQ(window.Size(), background) << "the outer size is the bitmap's";
        EXPECT_EQ(window.left, (::GetSystemMetrics(SM_CXSCREEN) - background.cx) / 2);
        EXPECT_EQ(window.top, (::GetSystemMetrics(SM_CYSCREEN) - background.cy) / 2);

        CRgn region;
        region.CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(::GetWindowRgn(d.m_hWnd, region), ERROR) << "the window keeps its region";
        EXPECT_FALSE(region.PtInRegion(0, 0)) << "the corner is cut";
        EXPECT_FALSE(region.PtInRegion(background.cx - 1, background.cy - 1));
        EXPECT_TRUE(region.PtInRegion(background.cx / 2, background.cy / 2));
        EXPECT_TRUE(region.PtInRegion(background.cx / 2, 0));

        EXPECT_EQ(HitTestAt(d, background.cx / 2, 0), HTCAPTION);
        EXPECT_EQ(HitTestAt(d, background.cx / 2, 19), HTCAPTION);
        EXPECT_NE(HitTestAt(d, background.cx / 2, 20), HTCAPTION);
        EXPECT_NE(HitTestAt(d, background.cx / 2, 100), HTCAPTION);

        EXPECT_EQ(kqtest::ScreenPixel(d, 40, 60), BitmapPixel(kBackground, 40, 60)) << "the background is painted";
        d.GetDlgItem(kq::kTeacherSkinLook.closeId)->SendMessage(BM_CLICK);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.endings, std::vector<std::string>{"OnCancel"}) << "the close button takes the cancel path";
    EXPECT_TRUE(dialog.skinResult);
    EXPECT_FALSE(dialog.foregroundAfterSkin) << "the teacher's dialogs make no foreground call of their own";
}

TEST(SkinDialog, CloseButtonWhereAskedAndEndingsByKey)
{
    const CSize closeFace = BitmapSize(kq::kTeacherSkinLook.closeUpBitmap);
    const struct {
        const char* name;
        CPoint close;
        bool hasButton;
        UINT key;
        INT_PTR result;
        const char* ending;
    } cases[] = {
        {"close button at (269, 4), Esc", CPoint(269, 4), true, VK_ESCAPE, IDCANCEL, "OnCancel"},
        {"(0, 0) means no close button, Enter", CPoint(0, 0), false, VK_RETURN, IDOK, "OnOK"},
        {"(-5, 10) has one", CPoint(-5, 10), true, VK_RETURN, IDOK, "OnOK"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeDialog dialog(kTemplate, c.close.x, c.close.y, kBackground, nullptr);
        const INT_PTR result = RunModal(dialog, [&](CDialog& d) {
            const CRect close = ControlRect(d, kq::kTeacherSkinLook.closeId);
            EXPECT_EQ(!close.IsRectNull(), c.hasButton);
            if (c.hasButton) {
                EXPECT_EQ(close, CRect(c.close, closeFace));
            }
            PostKey(d, c.key);
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(dialog.endings, std::vector<std::string>{c.ending});
    }
}

TEST(SkinDialog, AnotherProgramsLookKeepsThePositionAndShowsItsOwnCloseButton)
{
    // Any program's look: another close id and faces, not centred, made the
    // foreground window.
    const kq::SkinLook look = {101, TeacherRes::IDB_SHUTDOWN_UP, TeacherRes::IDB_SHUTDOWN_DOWN, false, true,
                                nullptr, kq::LabelAlign::Left, kq::LineBreaking::Words};
    const CSize closeFace = BitmapSize(look.closeUpBitmap);
    ASSERT_NE(closeFace, BitmapSize(kq::kTeacherSkinLook.closeUpBitmap));

    ProbeDialog dialog(kTemplate, 20, 24, 200, 30, kBackground, nullptr, look);
    const INT_PTR result = RunModal(dialog, [&](CDialog& d) {
        CRect window;
        d.GetWindowRect(&window);
        EXPECT_EQ(window.TopLeft(), dialog.rectBeforeSkin.TopLeft()) << "the template's position";
        EXPECT_EQ(window.Size(), BitmapSize(kBackground));
        EXPECT_EQ(ControlRect(d, look.closeId), CRect(CPoint(200, 30), closeFace));
        EXPECT_EQ(d.GetDlgItem(kq::kTeacherSkinLook.closeId), nullptr);
        EXPECT_EQ(kqtest::ScreenPixel(*d.GetDlgItem(look.closeId), 2, 2), BitmapPixel(look.closeUpBitmap, 2, 2));
        d.GetDlgItem(look.closeId)->SendMessage(BM_CLICK);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.endings, std::vector<std::string>{"OnCancel"});
    EXPECT_TRUE(dialog.foregroundAfterSkin);
}

} // namespace

namespace {

TEST(SkinDialog, WithoutItsBackgroundKeepsTheTemplatesSize)
{
    ProbeDialog dialog(kTemplate, 0, 0, kMissingBitmap, nullptr);
    const INT_PTR result = RunModal(dialog, [&](CDialog& d) {
        CRect window;
        d.GetWindowRect(&window);
        EXPECT_EQ(window.Size(), dialog.rectBeforeSkin.Size());
        EXPECT_GT(window.Width(), 0);
        d.PostMessage(WM_CLOSE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(dialog.skinResult);
}

} // namespace
