#include "broadcast/KqToolWnd.h"

#include "broadcast/MirageEngine.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/ScreenReceiverWnd.h"
#include "broadcast/ToolWindowLayout.h"

namespace {

constexpr char kWindowName[] = "DoKqToolWnd";
constexpr int kFullKind = 3;
constexpr int kFullButtons = 3;
constexpr UINT kBackground = 8025;
constexpr UINT kHandCursor = 8026;

struct ToolButton {
    UINT id;
    const char* caption;
    RECT rect;
    UINT normal, pressed, focus;
};
constexpr ToolButton kSoundButton = {ID_MIRAGE_TOOL_SOUND, "声音", {4, 5, 36, 29}, 8021, 8020, 8028};
constexpr ToolButton kPointerButton = {ID_MIRAGE_TOOL_POINTER, "教鞭", {40, 5, 72, 29}, 8019, 8018, 8027};
constexpr ToolButton kExitButton = {ID_MIRAGE_TOOL_EXIT, "退出", {76, 5, 108, 29}, 8023, 8022, 8029};
constexpr POINT kLoneExit = {4, 5};
constexpr SIZE kButtonSize = {32, 24};

bool MakeButton(CHandCursorButton& button, const ToolButton& spec, CWnd* parent)
{
    if (!button.Create(spec.caption, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, spec.rect, parent, spec.id))
        return false;
    button.LoadBitmaps(spec.normal, spec.pressed, spec.focus);
    button.SizeToContent();
    return true;
}

} // namespace

BEGIN_MESSAGE_MAP(CKqToolWnd, CWnd)
    ON_BN_CLICKED(ID_MIRAGE_TOOL_SOUND, OnSound)
    ON_BN_CLICKED(ID_MIRAGE_TOOL_POINTER, OnPointer)
    ON_BN_CLICKED(ID_MIRAGE_TOOL_EXIT, OnExit)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_NCLBUTTONDOWN()
END_MESSAGE_MAP()

CKqToolWnd::CKqToolWnd() : m_sound(kHandCursor), m_pointer(kHandCursor), m_exit(kHandCursor) {}

void CKqToolWnd::Place()
{
    m_screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const ToolWindowPlace p = ToolWindowPlacement(m_screenWidth, m_buttonCount);
    SetWindowPos(nullptr, p.x, p.y, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CKqToolWnd::CreateTool(int kind, CWnd* parent)
{
    m_buttonCount = kind == kFullKind ? kFullButtons : 1;
    const LPCSTR windowClass = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW));
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass, kWindowName, WS_POPUP | WS_VISIBLE, 0, 0, 0, 0,
                  parent != nullptr ? parent->GetSafeHwnd() : nullptr, nullptr))
        return false;
    m_background = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kBackground));
    Place();
    MakeButton(m_sound, kSoundButton, this);
    MakeButton(m_pointer, kPointerButton, this);
    MakeButton(m_exit, kExitButton, this);
    if (m_buttonCount == 1) {
        m_sound.ShowWindow(SW_HIDE);
        m_pointer.ShowWindow(SW_HIDE);
        m_exit.MoveWindow(kLoneExit.x, kLoneExit.y, kButtonSize.cx, kButtonSize.cy);
    }
    m_volume.CreateFor(parent);
    ShowWindow(SW_SHOWNOACTIVATE);
    // Above the view it floats on, which was shown (and activated) first.
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow();
    return true;
}

void CKqToolWnd::Reposition()
{
    if (GetSafeHwnd() != nullptr && GetSystemMetrics(SM_CXSCREEN) != m_screenWidth)
        Place();
}

void CKqToolWnd::DestroyTool()
{
    if (m_background != nullptr) {
        DeleteObject(m_background);
        m_background = nullptr;
    }
    for (CHandCursorButton* button : {&m_sound, &m_pointer, &m_exit})
        if (button->GetSafeHwnd() != nullptr)
            button->DestroyWindow();
    m_volume.DestroyDialog();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CKqToolWnd::OnSound()
{
    m_volume.Open();
}

void CKqToolWnd::OnPointer()
{
    MirageEngine().NotifyHost(MIRAGE_NOTICE_POINTER, 0, EngineState().watchedId);
}

void CKqToolWnd::OnExit()
{
    MirageEngine().NotifyHost(MIRAGE_NOTICE_MODE_ENDED, 0, 0);
}

void CKqToolWnd::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    if (m_background != nullptr) {
        RECT client = {};
        ::GetClientRect(m_hWnd, &client);
        BITMAP info = {};
        GetObjectA(m_background, sizeof info, &info);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, m_background);
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    EndPaint(m_hWnd, &paint);
}

void CKqToolWnd::OnLButtonDown(UINT flags, CPoint point)
{
    // Only the full window moves; the demonstration's lone exit stays put.
    if (m_buttonCount == kFullButtons) {
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
        return;
    }
    CWnd::OnLButtonDown(flags, point);
}

void CKqToolWnd::OnNcLButtonDown(UINT hitTest, CPoint point)
{
    CWnd::OnNcLButtonDown(hitTest, point);
    RedrawCurrentView();
}
