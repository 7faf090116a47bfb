#include "framework/Document.h"

#include "framework/View.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument()
{
    // Views still open outlive the document only as windows without data.
    for (CView* pView : m_views)
        pView->m_pDocument = nullptr;
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    DeleteContents();
    SetPathName(lpszPathName);
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Closing the frames destroys the views, which remove themselves.
    std::vector<CView*> views = m_views;
    for (CView* pView : views) {
        if (CWnd* pFrame = pView->GetTopLevelParent())
            pFrame->DestroyWindow();
    }
    DeleteContents();
    delete this;
}

void CDocument::AddView(CView* pView)
{
    if (std::find(m_views.begin(), m_views.end(), pView) != m_views.end())
        return;
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
    pView->m_pDocument = nullptr;
}

CView* CDocument::GetView(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetViewCount())
        return nullptr;
    return m_views[static_cast<size_t>(nIndex)];
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    for (CView* pView : m_views) {
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}
