#pragma once
// CKqTab: one page of a CKqTabCtrl. The page window is as large as the tab
// control; its window region is its own ear (a polygon) joined with the
// body rectangle that all pages share, and one bitmap paints both. The
// selected page lies on top and shows the dialog controls added to it; the
// others hide theirs, so only their ears show. A click on the ear asks the
// tab control to select the page.

#include "framework/Framework.h"

#include <vector>

class CKqTab : public CWnd {
public:
    CKqTab() = default;
    // Deletes the face and the regions it still owns.
    ~CKqTab() override;

    // Posted to the tab control: the ear of page wParam was clicked.
    static constexpr UINT kEarClicked = WM_USER + 60;
    // Posted to the tab control: an unselected page has just painted.
    static constexpr UINT kPageErased = WM_USER + 61;

    // The page window with its region and face. FALSE at the first failure
    // (window, a region, the window region); otherwise whether the face loaded.
    BOOL Create(const POINT* ear, int pointCount, UINT id, const RECT& body, UINT bitmapId, const RECT& window,
                CWnd* parent);
    // Selects (on top, controls shown) or deselects (controls hidden) the page; 1.
    int Select(int on);
    int IsSelected() const { return m_selected; }
    // A control created on the page at page coordinates; the page shows and
    // hides it, and passes its commands on to the dialog. 1.
    int AddControl(CWnd* control);
    // Whether the page still holds its window region: only when the window
    // did not take it (after SetWindowRgn the system owns it).
    bool HoldsWindowRegion() const { return m_windowRegion.GetSafeHandle() != nullptr; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);

private:
    void ShowControls();

    std::vector<CWnd*> m_controls;
    CRgn m_windowRegion; // handed to the window once set
    int m_selected = 0;
    CRgn m_earRegion;
    CRgn m_bodyRegion;
    CBitmap m_face;
    int m_width = 0;
    int m_height = 0;
};
