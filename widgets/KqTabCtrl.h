#pragma once
// CKqTabCtrl: a bitmap tab control, a child window holding CKqTab pages
// (owned) in the order they were added. Clicking the ear of an unselected
// page selects it; commands from the pages' controls travel on to the
// dialog.

#include "widgets/KqTab.h"

#include <memory>
#include <vector>

class CKqTabCtrl : public CWnd {
public:
    CKqTabCtrl() = default;
    ~CKqTabCtrl() override;

    // The control window; `body` is the pages' common body in its client
    // coordinates. FALSE when the window cannot be made.
    BOOL Create(const RECT& rect, const RECT& body, CWnd* parent, UINT id);
    // A page with the given ear, selected or not, painted with `bitmap`.
    BOOL AddPage(const POINT* ear, int pointCount, int selected, UINT id, UINT bitmap);
    // The first page added with control id `id`, or null.
    CKqTab* GetPage(UINT id) const;
    // The first selected page, or null.
    CKqTab* GetSelected() const;
    // Destroys and deletes every page; 0.
    int RemoveAllPages();
    BOOL DestroyWindow() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()
    afx_msg LRESULT OnTabClicked(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTabErased(WPARAM wParam, LPARAM lParam);

private:
    CRect m_body;
    CRect m_client;
    std::vector<std::unique_ptr<CKqTab>> m_pages;
};
