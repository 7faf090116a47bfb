#include "widgets/KqTab.h"

#include "framework/BitmapDrawing.h"

BEGIN_MESSAGE_MAP(CKqTab, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

constexpr char kWindowName[] = "KqTab";
constexpr int kOnePolygon = 1;

} // namespace

CKqTab::~CKqTab()
{
    m_face.DeleteObject();
    m_earRegion.DeleteObject();
    m_bodyRegion.DeleteObject();
    m_windowRegion.DeleteObject(); // still ours only when the window refused it
    DestroyWindow();
}

BOOL CKqTab::Create(const POINT* ear, int pointCount, UINT id, const RECT& body, UINT bitmapId, const RECT& window,
                    CWnd* parent)
{
    const LPCSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    // The page paints its face around the controls it holds, not over them.
    if (!CWnd::Create(windowClass, kWindowName, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, window, parent, id))
        return FALSE;
    const INT counts[kOnePolygon] = {pointCount};
    if (!m_earRegion.CreatePolyPolygonRgn(ear, counts, kOnePolygon, ALTERNATE))
        return FALSE;
    if (!m_bodyRegion.CreateRectRgnIndirect(&body))
        return FALSE;
    if (!m_windowRegion.CreateRectRgnIndirect(&window))
        return FALSE;
    m_windowRegion.CombineRgn(&m_earRegion, &m_bodyRegion, RGN_OR);
    m_width = window.right - window.left;
    m_height = window.bottom - window.top;
    if (!SetWindowRgn(static_cast<HRGN>(m_windowRegion.GetSafeHandle()), FALSE))
        return FALSE;
    m_windowRegion.Detach(); // the window's now
    return m_face.LoadBitmap(bitmapId);
}

void CKqTab::ShowControls()
{
    for (CWnd* control : m_controls) {
        control->ShowWindow(m_selected ? SW_SHOW : SW_HIDE);
        control->Invalidate(TRUE);
    }
}

int CKqTab::Select(int on)
{
    m_selected = on;
    if (on)
        BringWindowToTop();
    ShowControls();
    Invalidate(TRUE);
    UpdateWindow();
    return 1;
}

int CKqTab::AddControl(CWnd* control)
{
    m_controls.push_back(control);
    return 1;
}

BOOL CKqTab::OnEraseBkgnd(CDC* dc)
{
    if (m_face.GetSafeHandle() != nullptr)
        kq::CopyBitmapTo(*dc, m_face, m_width, m_height); // the window region clips it
    ShowControls();
    if (!m_selected) {
        // The selected page paints again over this one.
        if (CWnd* tabs = GetParent())
            tabs->PostMessage(kPageErased, 0, 0);
    }
    return CWnd::OnEraseBkgnd(dc);
}

void CKqTab::OnLButtonDown(UINT flags, CPoint point)
{
    if (!m_bodyRegion.PtInRegion(point)) {
        if (CWnd* tabs = GetParent())
            tabs->PostMessage(kEarClicked, reinterpret_cast<WPARAM>(this), 0);
    }
    CWnd::OnLButtonDown(flags, point);
}

LRESULT CKqTab::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Commands travel on to the tab control, and from there to the dialog.
    if (message == WM_COMMAND) {
        if (CWnd* parent = GetParent())
            parent->PostMessage(message, wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
