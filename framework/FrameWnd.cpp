#include "framework/FrameWnd.h"

#include "framework/Document.h"
#include "framework/Menu.h"
#include "framework/ModuleState.h"
#include "framework/View.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::~CFrameWnd()
{
    if (m_ownsAccelTable && m_hAccelTable != nullptr)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCSTR lpszMenuName,
                       DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr)
        hMenu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
    // rectDefault leaves the size to the system.
    const bool defaultRect = rect.left == CW_USEDEFAULT;
    const int width = defaultRect ? CW_USEDEFAULT : rect.right - rect.left;
    const int height = defaultRect ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle & ~FWS_ADDTOTITLE, rect.left,
                  rect.top, width, height, pParentWnd->GetSafeHwnd(), hMenu, pContext)) {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext)
{
    HINSTANCE hResources = AfxGetResourceHandle();
    LPCSTR resource = MAKEINTRESOURCEA(nIDResource);
    HICON hIcon = ::LoadIconA(hResources, resource);
    LPCSTR className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
    const bool hasMenu = ::FindResourceA(hResources, resource, RT_MENU) != nullptr;
    if (m_hAccelTable == nullptr) {
        m_hAccelTable = ::LoadAcceleratorsA(hResources, resource);
        m_ownsAccelTable = m_hAccelTable != nullptr;
    }
    return Create(className, "", dwDefaultStyle, rectDefault, pParentWnd,
                  hasMenu ? resource : nullptr, 0, pContext);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* pContext = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (!OnCreateClient(lpCreateStruct, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    auto* pView = dynamic_cast<CView*>(pObject);
    if (pView == nullptr) {
        delete pObject;
        return nullptr;
    }
    // A view that fails deletes itself (PostNcDestroy) once it had a window.
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID,
                       pContext)) {
        return nullptr;
    }
    if (m_pViewActive == nullptr)
        m_pViewActive = pView;
    return pView;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL)
{
    m_pViewActive = pViewNew;
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_pViewActive == nullptr || m_pViewActive->m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_pViewActive->MoveWindow(&client);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE)
            BringWindowToTop();
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (m_pViewActive != nullptr)
        m_pViewActive->OnInitialUpdate();
    (void)pDoc;
    if (!bMakeVisible)
        return;
    int nCmdShow = -1;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && AfxGetMainWnd() == this) {
        nCmdShow = pApp->m_nCmdShow;
        pApp->m_nCmdShow = -1; // only the first frame takes the program's show command
    }
    ActivateFrame(nCmdShow);
    if (m_pViewActive != nullptr && nCmdShow != SW_HIDE)
        m_pViewActive->UpdateWindow();
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    // The view first, then the frame, then the application.
    if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    // A frame without a class of its own paints the usual window background.
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    return CWnd::PreCreateWindow(cs);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    return m_hAccelTable != nullptr && pMsg->message >= WM_KEYFIRST &&
           pMsg->message <= WM_KEYLAST && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}
