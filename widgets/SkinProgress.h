#pragma once
// CSkinProgress: a progress bar that paints itself: the empty part in its
// background colour, the done part from the left edge in the system's
// highlight colour.

#include "framework/Framework.h"
#include "framework/ProgressCtrl.h"

class CSkinProgress : public CProgressCtrl {
public:
    CSkinProgress() = default;
    // Destroys the window and deletes the font.
    ~CSkinProgress() override;

    // Set before the bar is first painted.
    void SetBackColor(COLORREF background) { m_background = background; }

    // The width filled for `position` in lower..upper: none for an empty or
    // reversed range, else width x (position - lower) / (upper - lower),
    // clamped to 0..width.
    static int FilledWidth(int width, int lower, int upper, int position);

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);

private:
    void Paint(CDC& dc);

    COLORREF m_background = 0;
    CFont m_font; // held with the control; the bar draws no text
};
