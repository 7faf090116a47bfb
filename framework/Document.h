#pragma once
// CDocument: the data of a single-document program, shown by its views.
// Its title is kept for the program; it is never copied to a frame.

#include "framework/CmdTarget.h"
#include "framework/String.h"

#include <vector>

class CDocTemplate;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCSTR lpszPathName) { m_strPathName = lpszPathName; }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}

    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    int GetViewCount() const { return static_cast<int>(m_views.size()); }
    CView* GetView(int nIndex) const;
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    CDocTemplate* m_pDocTemplate = nullptr;

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;

private:
    std::vector<CView*> m_views;
};
