#pragma once
// CFrameWnd: a top-level frame with an optional view filling its client
// area. The frame never changes its own title: the title is exactly the text
// it was created with or the program set (other programs find some frames by
// their title). A frame deletes itself when its window is destroyed.

#include "framework/CreateContext.h"
#include "framework/Wnd.h"

// Kept for callers that pass it; titles are never changed automatically.
#ifndef FWS_ADDTOTITLE
#define FWS_ADDTOTITLE 0x00008000L
#endif
// The control id of the view that fills a frame.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;

class CDocument;
class CView;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;

    CFrameWnd() = default;
    ~CFrameWnd() override;

    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
                DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr);
    // Creates the frame with the icon, menu and accelerators of resource
    // nIDResource when the resource source has them, and an empty title.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    CDocument* GetActiveDocument();
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Shows the frame (nCmdShow -1: normally, unless already visible).
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    HACCEL m_hAccelTable = nullptr;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    void PostNcDestroy() override;

    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

private:
    CView* m_pViewActive = nullptr;
    bool m_ownsAccelTable = false;
};
