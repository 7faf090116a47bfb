#include "widgets/KqTabCtrl.h"

BEGIN_MESSAGE_MAP(CKqTabCtrl, CWnd)
    ON_MESSAGE(CKqTab::kEarClicked, OnTabClicked)
    ON_MESSAGE(CKqTab::kPageErased, OnTabErased)
END_MESSAGE_MAP()

namespace {

constexpr char kWindowName[] = "KqTabCtrl";

} // namespace

CKqTabCtrl::~CKqTabCtrl()
{
    DestroyWindow();
}

BOOL CKqTabCtrl::Create(const RECT& rect, const RECT& body, CWnd* parent, UINT id)
{
    const LPCSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!CWnd::Create(windowClass, kWindowName, WS_CHILD | WS_VISIBLE, rect, parent, id))
        return FALSE;
    GetClientRect(&m_client);
    m_body = body;
    return TRUE;
}

BOOL CKqTabCtrl::AddPage(const POINT* ear, int pointCount, int selected, UINT id, UINT bitmap)
{
    auto page = std::make_unique<CKqTab>();
    if (!page->Create(ear, pointCount, id, m_body, bitmap, m_client, this))
        return FALSE;
    page->Select(selected);
    m_pages.push_back(std::move(page));
    return TRUE;
}

CKqTab* CKqTabCtrl::GetPage(UINT id) const
{
    for (const auto& page : m_pages) {
        if (static_cast<UINT>(page->GetDlgCtrlID()) == id)
            return page.get();
    }
    return nullptr;
}

CKqTab* CKqTabCtrl::GetSelected() const
{
    for (const auto& page : m_pages) {
        if (page->IsSelected())
            return page.get();
    }
    return nullptr;
}

int CKqTabCtrl::RemoveAllPages()
{
    while (!m_pages.empty()) {
        m_pages.front()->DestroyWindow();
        m_pages.erase(m_pages.begin());
    }
    return 0;
}

BOOL CKqTabCtrl::DestroyWindow()
{
    RemoveAllPages();
    if (m_hWnd == nullptr)
        return FALSE;
    return CWnd::DestroyWindow();
}

LRESULT CKqTabCtrl::OnTabClicked(WPARAM wParam, LPARAM)
{
    auto* page = reinterpret_cast<CKqTab*>(wParam);
    // Only a page of this control, still alive, is selected.
    bool ours = false;
    for (const auto& held : m_pages)
        ours = ours || held.get() == page;
    if (!ours || page->IsSelected())
        return 0;
    if (CKqTab* selected = GetSelected())
        selected->Select(0);
    page->Select(1);
    return 0;
}

LRESULT CKqTabCtrl::OnTabErased(WPARAM, LPARAM)
{
    if (CKqTab* selected = GetSelected())
        selected->Invalidate(TRUE);
    return 0;
}

LRESULT CKqTabCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Commands of the pages' controls reach the dialog.
    if (message == WM_COMMAND) {
        if (CWnd* parent = GetParent())
            parent->PostMessage(message, wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
