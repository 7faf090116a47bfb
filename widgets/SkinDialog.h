#pragma once
// CSkinDialog: the base of every skinned dialog. It turns a dialog template
// into a borderless window of the exact size of a background bitmap, with
// rounded corners, dragged by its top 20 pixel rows, optionally centred on
// the screen and optionally carrying a bitmap close button. Derived dialogs
// call OnInitDialog first and then create their own controls.
//
// What differs between the programs (close button id and faces, centring,
// becoming the foreground window) comes in a SkinLook; the teacher's
// constructor uses the teacher's look.

#include "framework/Framework.h"
#include "widgets/SkinButton.h"
#include "widgets/SkinLook.h"

class CSkinDialog : public CDialog {
public:
    // A teacher dialog: the teacher's look, corners 20 x 24.
    CSkinDialog(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent);
    // A dialog of any program, with its corner sizes and look.
    CSkinDialog(UINT templateId, int cornerWidth, int cornerHeight, int closeX, int closeY,
                UINT backgroundId, CWnd* parent, const kq::SkinLook& look);
    ~CSkinDialog() override;

    // Sizes the window to the background, rounds its corners, sets the
    // caption band, creates the close button when its position has a
    // coordinate above 0, and centres the window when the look says so.
    // FALSE when the window region could not be made or set: the dialog
    // then has no caption band, no close button and stays where it is.
    BOOL OnInitDialog() override;
    void OnSetFont(CFont* font) override;

    static constexpr int kCaptionHeight = 20;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint screenPoint);
    // Closes the dialog the way Esc does: through OnCancel.
    afx_msg void OnCloseButton();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CRect m_captionBand;
    CSkinButton m_closeButton;
    CRect m_body;
    int m_cornerWidth;
    int m_cornerHeight;
    CBitmap m_background;
    UINT m_backgroundId;
    int m_closeX;
    int m_closeY;
    kq::SkinLook m_look;

private:
    // The size the window takes: the background's, or the template's when
    // the background does not load.
    CSize LoadBackground();
    // No system caption or border: the window is its client area.
    void DropSystemFrame();
    void CentreOnScreen();
};
