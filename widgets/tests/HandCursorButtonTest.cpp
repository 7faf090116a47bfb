// The hand-cursor button: it takes over a dialog's owner-drawn button, loads
// its faces by the button's caption, and shows the resource module's hand
// cursor on mouse moves and left button presses and releases before the
// button's own handling.

#include "widgets/HandCursorButton.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "HandCursorResources.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kOkId = IDOK; // captioned "OK": faces OKU and OKD

// The test program's own resources as the resource source, as in a library
// that carries its own.
class OwnResources {
public:
    OwnResources() : m_previous(AfxGetResourceHandle()) { AfxSetResourceHandle(::GetModuleHandleA(nullptr)); }
    ~OwnResources() { AfxSetResourceHandle(m_previous); }

private:
    HINSTANCE m_previous;
};

class ButtonsDialog : public CDialog {
public:
    ButtonsDialog() : CDialog(HandCursorRes::IDD_HAND_BUTTONS) {}
    int clicks = 0;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnOkClicked() { ++clicks; }
};

BEGIN_MESSAGE_MAP(ButtonsDialog, CDialog)
    ON_BN_CLICKED(kOkId, OnOkClicked)
END_MESSAGE_MAP()

COLORREF FacePixel(const char* face, int x, int y)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(face))
        return CLR_INVALID;
    CClientDC screen(nullptr);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap* previous = memory.SelectObject(&bitmap);
    const COLORREF pixel = memory.GetPixel(x, y);
    memory.SelectObject(previous);
    return pixel;
}

COLORREF ShownPixel(CWnd& button, int x, int y)
{
    kqtest::Canvas canvas(100, 50);
    kqtest::PrintClient(button, canvas);
    return canvas.dc.GetPixel(x, y);
}

TEST(HandCursorButton, LoadsItsNamedFacesAndShowsTheHandBeforeTheButtonsOwnHandling)
{
    OwnResources resources;
    ButtonsDialog dialog;
    ASSERT_TRUE(dialog.Create(HandCursorRes::IDD_HAND_BUTTONS, &kqtest::Host()));
    CHandCursorButton ok(HandCursorRes::IDC_TEST_HAND);
    ASSERT_TRUE(ok.AutoLoad(kOkId, &dialog)) << "the faces OKU and OKD";

    CRect size;
    ok.GetClientRect(&size);
    EXPECT_EQ(size.Size(), CSize(43, 20)) << "sized to its up face";
    // A point of the text, where the faces differ.
    const CPoint probe(21, 10);
    ASSERT_NE(FacePixel("OKU", probe.x, probe.y), FacePixel("OKD", probe.x, probe.y));
    EXPECT_EQ(ShownPixel(ok, probe.x, probe.y), FacePixel("OKU", probe.x, probe.y));

    const HCURSOR hand = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(HandCursorRes::IDC_TEST_HAND));
    const HCURSOR arrow = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    ASSERT_NE(hand, nullptr);
    ASSERT_NE(hand, arrow);
    const LPARAM inside = MAKELPARAM(5, 5);
    const struct {
        const char* name;
        UINT message;
        WPARAM keys;
    } steps[] = {
        {"move", WM_MOUSEMOVE, 0},
        {"press", WM_LBUTTONDOWN, MK_LBUTTON},
        {"release", WM_LBUTTONUP, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        ::SetCursor(arrow);
        ok.SendMessage(step.message, step.keys, inside);
        EXPECT_EQ(::GetCursor(), hand);
        if (step.message == WM_LBUTTONDOWN) {
            EXPECT_TRUE(ok.GetState() & BST_PUSHED) << "then the button's own handling";
            EXPECT_EQ(ShownPixel(ok, probe.x, probe.y), FacePixel("OKD", probe.x, probe.y));
        }
    }
    EXPECT_EQ(dialog.clicks, 1) << "press and release make a click";
    ::SetCursor(arrow);
    dialog.DestroyWindow();
}

} // namespace
