#include "broadcast/ScreenReceiverWnd.h"

#include "broadcast/DatagramBuilder.h"
#include "broadcast/DecompressWnd.h"
#include "broadcast/DisplayMode.h"
#include "broadcast/FrameRows.h"
#include "broadcast/GroupSocket.h"
#include "broadcast/HookLibrary.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"
#include "broadcast/ViewerTexts.h"

#include <cstring>

namespace {

constexpr char kWindowName[] = "SCREENRECEIVER";
constexpr uint16_t kViewFullScreen = 3;
constexpr uint16_t kViewWindowed = 4;
constexpr uint16_t kViewMulti = 5;
constexpr uint16_t kInputSends = 2;
constexpr uint16_t kDrawPointer = 2;
constexpr uint16_t kHookKeys = 1;
constexpr int32_t kTeacherSide = 0;
constexpr int32_t kStudentSide = 1;
constexpr int32_t kTeachingDemo = 0;
constexpr int32_t kOtherStudents = 2;
constexpr int32_t kStudentDemo = 3;
constexpr int32_t kHandleTeacher = 1;
constexpr int kToolFull = 3;
constexpr int kToolExitOnly = 1;
constexpr int32_t kMonitorOne = 4;
constexpr int32_t kMonitorMany = 5;
constexpr int kTitleRightOffset = 70;
constexpr int kTitleTop = 20;
constexpr DWORD kStretchedRedrawMs = 150;
constexpr DWORD kInputPauseMs = 1;
constexpr int kFullFrameRequests = 6;
constexpr DWORD kFullFrameGapMs = 5;
constexpr uint32_t kKeyReleasedBit = 0x80000000u;
constexpr uint32_t kKeyUpFlag = 2;
constexpr int kScanShift = 16;
constexpr LPARAM kScanMask = 0xFF;
constexpr COLORREF kWaitingColour = RGB(255, 255, 0);
constexpr COLORREF kViewerBackground = RGB(0, 0, 0);
constexpr int kCursorSize = 32;
constexpr int kMaxHotSpot = kCursorSize - 1;
constexpr uint32_t kPaletteEntries = 256;
constexpr uint32_t kBitsPerByte = 8;

CScreenReceiverWnd g_views[kViewCount];

bool HasIdList(const MirageEngineState& state) { return state.idListMode == 1 || state.idListMode == 2; }

// Remote control (both kinds) and the student demonstration seen by the teacher.
bool HasToolWindow(const MirageEngineState& state)
{
    return state.modeKind == kHandleTeacher || state.modeKind == kOtherStudents || state.modeKind == kStudentDemo;
}

struct DibHeader {
    BITMAPINFOHEADER header;
    RGBQUAD colours[kPaletteEntries];
};

void FillHeader(DibHeader& dib, const MirageEngineState& state, uint32_t rows)
{
    std::memset(&dib, 0, sizeof dib);
    dib.header.biSize = sizeof(BITMAPINFOHEADER);
    dib.header.biWidth = static_cast<LONG>(state.frameWidth);
    dib.header.biHeight = static_cast<LONG>(rows);
    dib.header.biPlanes = 1;
    dib.header.biBitCount = state.frameBpp;
    dib.header.biCompression = BI_RGB;
    if (state.frameBpp <= kBitsPerByte) {
        dib.header.biClrUsed = kPaletteEntries;
        std::memcpy(dib.colours, state.framePalette, sizeof dib.colours);
    }
}

// The whole frame stretched over the client area.
void StretchFrame(HDC dc, const RECT& client, const MirageEngineState& state)
{
    DibHeader dib;
    FillHeader(dib, state, state.frameHeight);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, state.frameWidth, state.frameHeight,
                  state.frameBuffer, reinterpret_cast<const BITMAPINFO*>(&dib), DIB_RGB_COLORS, SRCCOPY);
}

// The stretched frame again, only inside the square a cursor image covers
// with its top-left corner at `corner`: GDI maps every pixel as a whole
// redraw would, and stretches no more than the square.
void RestretchSquare(HDC dc, const RECT& client, const MirageEngineState& state, POINT corner)
{
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, corner.x, corner.y, corner.x + kCursorSize, corner.y + kCursorSize);
    StretchFrame(dc, client, state);
    RestoreDC(dc, saved);
}

// True when the client area has the frame's size: drawn 1:1, not stretched.
bool ShownOneToOne(const RECT& client, const MirageEngineState& state)
{
    return static_cast<uint32_t>(client.right) == state.frameWidth &&
           static_cast<uint32_t>(client.bottom) == state.frameHeight;
}

// The frame can be handed to GDI: its rows, padded as GDI reads them, lie
// inside the frame buffer.
bool Drawable(const MirageEngineState& state)
{
    const uint64_t padded = FrameRowBytes(state.frameWidth, state.frameBpp);
    return state.frameBuffer != nullptr && state.frameWidth > 0 && state.frameHeight > 0 &&
           (state.frameBpp == 8 || state.frameBpp == 16 || state.frameBpp == 24) &&
           padded * state.frameHeight <= state.frameBufferSize;
}

} // namespace

CScreenReceiverWnd& View(int index)
{
    return g_views[(index % kViewCount + kViewCount) % kViewCount];
}

CScreenReceiverWnd& CurrentView()
{
    return View(EngineState().currentView);
}

void RedrawCurrentView()
{
    CScreenReceiverWnd& view = CurrentView();
    if (view.GetSafeHwnd() == nullptr)
        return;
    if (EngineState().waitingForFrame)
        view.DrawWaitingText();
    else
        view.DrawFrame();
}

BEGIN_MESSAGE_MAP(CScreenReceiverWnd, CWnd)
    ON_WM_HOTKEY()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_SYSCOMMAND()
    ON_MESSAGE(WM_MIRAGE_HOOK_KEY, OnHookKey)
    ON_COMMAND(ID_MIRAGE_NEXT_PAGE, OnNextPage)
    ON_COMMAND(ID_MIRAGE_PREVIOUS_PAGE, OnPreviousPage)
    ON_COMMAND(ID_MIRAGE_FULL_OR_HALF, OnFullOrHalf)
    ON_COMMAND(ID_MIRAGE_FLOATING, OnFloating)
    ON_COMMAND(ID_MIRAGE_TO_TUTORING, OnToTutoring)
    ON_COMMAND(ID_MIRAGE_TO_REVIEW, OnToReview)
    ON_COMMAND(ID_MIRAGE_TO_STUDENT_DEMO, OnToStudentDemo)
    ON_COMMAND(ID_MIRAGE_TO_TEACHER_DEMO, OnToTeacherDemo)
    ON_COMMAND(ID_MIRAGE_EXIT, OnExit)
    ON_COMMAND(ID_MIRAGE_ZOOM, OnZoom)
    ON_COMMAND(ID_MIRAGE_WARN, OnWarn)
    ON_COMMAND(ID_MIRAGE_LOCK, OnLock)
END_MESSAGE_MAP()

bool CScreenReceiverWnd::FullScreenLayout() const
{
    const MirageEngineState& state = EngineState();
    return state.viewState == kViewFullScreen || (state.viewState == kViewMulti && state.zoomed);
}

bool CScreenReceiverWnd::CreateView()
{
    MirageEngineState& state = EngineState();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (state.viewState == kViewFullScreen)
        m_rect = {0, 0, screenWidth, screenHeight};
    else
        m_rect = GridCell(m_cell, state.maxViews, screenWidth, screenHeight);
    const DWORD style = WS_POPUP | (state.viewState != kViewFullScreen || state.windowedView ? WS_BORDER : 0);
    // No background brush: a view is drawn only with frames and texts.
    const LPCSTR windowClass = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), nullptr);
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass, kWindowName, style, m_rect.left, m_rect.top,
                  m_rect.width, m_rect.height, nullptr, nullptr))
        return false;
    ShowWindow(SW_SHOW);
    if (HasIdList(state))
        m_title.CreateTip(GetSafeHwnd(), m_rect.left + m_rect.width - kTitleRightOffset, m_rect.top + kTitleTop);

    if (m_cell == 0) {
        m_cursor = LoadCursor(nullptr, IDC_ARROW);
        m_ownCursor = false;
        m_pointer = state.pointerRole == kDrawPointer ? LoadCursor(nullptr, IDC_ARROW) : nullptr;
        if (state.keyRole == kHookKeys)
            m_keyHook = HookLibrary().InstallKeyHook(GetSafeHwnd());
        state.cursorX = state.cursorY = state.pointerX = state.pointerY = 0;
        m_lastCorner = m_lastPointer = {-1, -1};
        m_hotKey = RegisterHotKey(GetSafeHwnd(), kViewSwitchHotKey, MOD_CONTROL, LOBYTE(VkKeyScanA('q'))) != FALSE;
    }
    ImmAssociateContext(GetSafeHwnd(), nullptr);
    if (state.side == kTeacherSide && state.openMode == MIRAGE_OPEN_FULL &&
        (state.modeKind == kMonitorOne || state.modeKind == kMonitorMany))
        m_preset.CreateFor(this); // hidden until warn or lock
    if (state.side == kTeacherSide && state.openMode == MIRAGE_OPEN_FULL && HasToolWindow(state))
        m_tool.CreateTool(state.modeKind == kStudentDemo ? kToolExitOnly : kToolFull, this);

    // A student joining a picture already running asks for a whole frame.
    const bool askWholeFrame = state.side == kStudentSide && state.openMode == MIRAGE_OPEN_FULL &&
                               (state.modeKind == kTeachingDemo || state.modeKind == kOtherStudents ||
                                state.modeKind == kStudentDemo);
    if (askWholeFrame && state.socketHandle != 0) {
        const MirageHead request = BuildControl(state.ownId, MIRAGE_CONTROL_FULL_FRAME);
        for (int i = 0; i < kFullFrameRequests; ++i) {
            GroupSocket().Send(&request);
            Sleep(kFullFrameGapMs);
        }
    }
    m_lastDraw = GetTickCount();
    return true;
}

void CScreenReceiverWnd::DestroyView()
{
    if (m_cell == 0) {
        if (m_ownCursor && m_cursor != nullptr)
            DestroyCursor(m_cursor);
        m_cursor = nullptr;
        m_ownCursor = false;
        m_pointer = nullptr;
        if (m_keyHook)
            HookLibrary().UninstallKeyHook();
        m_keyHook = false;
        if (m_hotKey)
            UnregisterHotKey(GetSafeHwnd(), kViewSwitchHotKey);
        m_hotKey = false;
    }
    if (m_title.GetSafeHwnd() != nullptr)
        m_title.DestroyWindow();
    if (m_preset.GetSafeHwnd() != nullptr)
        m_preset.DestroyWindow();
    m_tool.DestroyTool();
}

void CScreenReceiverWnd::SetCursorShape(HCURSOR cursor, bool ownShape)
{
    if (m_ownCursor && m_cursor != nullptr)
        DestroyCursor(m_cursor);
    m_cursor = cursor;
    m_ownCursor = ownShape;
}

void CScreenReceiverWnd::PlaceTitle()
{
    if (m_title.GetSafeHwnd() != nullptr)
        m_title.SetWindowPos(nullptr, m_rect.left + m_rect.width - kTitleRightOffset, m_rect.top + kTitleTop, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CScreenReceiverWnd::LayoutView()
{
    MirageEngineState& state = EngineState();
    if (GetSafeHwnd() == nullptr)
        return;
    if (FullScreenLayout()) {
        if (state.viewState == kViewFullScreen && state.frameWidth > 0 && state.frameHeight > 0)
            displaymode::SwitchTo(state.frameBpp, state.frameWidth, state.frameHeight);
        m_rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        SetWindowPos(nullptr, 0, 0, m_rect.width, m_rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
        PlaceTitle();
        if (state.waitingForFrame) {
            m_title.ShowText("");
            DrawWaitingText();
        }
        m_tool.Reposition();
        return;
    }
    const ViewRect cell =
        GridCell(m_cell, state.maxViews, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (cell.left != m_rect.left || cell.top != m_rect.top || cell.width != m_rect.width ||
        cell.height != m_rect.height) {
        m_rect = cell;
        SetWindowPos(nullptr, m_rect.left, m_rect.top, m_rect.width, m_rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
        PlaceTitle();
    }
    if (state.waitingForFrame) {
        DrawWaitingText();
        m_title.ShowText("");
    }
    m_tool.Reposition();
}

void CScreenReceiverWnd::ShowWithTitle(bool show)
{
    m_empty = false;
    if (GetSafeHwnd() != nullptr)
        ShowWindow(show ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (m_title.GetSafeHwnd() != nullptr)
        m_title.ShowWindow(show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CScreenReceiverWnd::ShowEmpty()
{
    HWND hwnd = GetSafeHwnd();
    if (m_title.GetSafeHwnd() != nullptr)
        m_title.ShowWindow(SW_HIDE);
    if (hwnd == nullptr)
        return;
    m_empty = true;
    ShowWindow(SW_SHOWNOACTIVATE);
    HDC dc = ::GetDC(hwnd);
    FillBackground(dc);
    ::ReleaseDC(hwnd, dc);
}

void CScreenReceiverWnd::FillBackground(HDC dc)
{
    RECT client;
    ::GetClientRect(GetSafeHwnd(), &client);
    const COLORREF old = SetBkColor(dc, kViewerBackground);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

void CScreenReceiverWnd::OnPaint()
{
    // Views are drawn by the decoder as frames come; only an empty cell
    // has nothing else that would ever cover what another window left.
    CPaintDC dc(this);
    if (m_empty)
        FillBackground(dc.m_hDC);
}

void CScreenReceiverWnd::DrawWaitingText()
{
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr)
        return;
    RECT client;
    ::GetClientRect(hwnd, &client);
    HDC dc = ::GetDC(hwnd);
    FillBackground(dc);
    const std::string text = WaitingText();
    SetTextColor(dc, kWaitingColour);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::ReleaseDC(hwnd, dc);
}

void CScreenReceiverWnd::DrawRows(HDC dc, uint32_t firstRow, uint32_t rows)
{
    const MirageEngineState& state = EngineState();
    DibHeader dib;
    FillHeader(dib, state, rows);
    const auto stride = static_cast<size_t>(FrameRowBytes(state.frameWidth, state.frameBpp));
    // Bottom-up: picture row `firstRow + rows - 1` is the band's first in memory.
    const uint8_t* bits = state.frameBuffer + (state.frameHeight - firstRow - rows) * stride;
    SetDIBitsToDevice(dc, 0, static_cast<int>(firstRow), state.frameWidth, rows, 0, 0, 0, rows, bits,
                      reinterpret_cast<const BITMAPINFO*>(&dib), DIB_RGB_COLORS);
}

POINT CScreenReceiverWnd::PointerCorner(bool stretched) const
{
    const MirageEngineState& state = EngineState();
    POINT p = {state.pointerX, state.pointerY};
    if (stretched) {
        p.x = SenderToView(p.x, m_rect.width, state.frameWidth);
        p.y = SenderToView(p.y, m_rect.height, state.frameHeight);
    }
    return p;
}

POINT CScreenReceiverWnd::CursorCorner(bool stretched) const
{
    const MirageEngineState& state = EngineState();
    LONG hotX = 0, hotY = 0;
    if (m_ownCursor) {
        uint32_t x = 0, y = 0;
        std::memcpy(&x, state.cursorShapeArea, sizeof x);
        std::memcpy(&y, state.cursorShapeArea + sizeof x, sizeof y);
        hotX = static_cast<LONG>(std::min<uint32_t>(x, kMaxHotSpot));
        hotY = static_cast<LONG>(std::min<uint32_t>(y, kMaxHotSpot));
    }
    POINT p = {state.cursorX, state.cursorY};
    if (stretched) {
        p.x = SenderToView(p.x, m_rect.width, state.frameWidth);
        p.y = SenderToView(p.y, m_rect.height, state.frameHeight);
    }
    return {p.x - hotX, p.y - hotY};
}

void CScreenReceiverWnd::DrawCursorAndPointer(HDC dc, bool stretched)
{
    const MirageEngineState& state = EngineState();
    if (state.showRemoteCursor && m_cursor != nullptr) {
        const POINT corner = CursorCorner(stretched);
        DrawIconEx(dc, corner.x, corner.y, m_cursor, 0, 0, 0, nullptr, DI_NORMAL);
        m_lastCorner = corner;
    }
    if (state.pointerRole == kDrawPointer && m_pointer != nullptr) {
        const POINT corner = PointerCorner(stretched);
        DrawIconEx(dc, corner.x, corner.y, m_pointer, 0, 0, 0, nullptr, DI_NORMAL);
        m_lastPointer = corner;
    }
}

void CScreenReceiverWnd::DrawFrame()
{
    MirageEngineState& state = EngineState();
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr || !Drawable(state))
        return;
    RECT client;
    ::GetClientRect(hwnd, &client);
    const bool oneToOne = ShownOneToOne(client, state);
    const DWORD now = GetTickCount();
    if (!oneToOne && state.modeKind == kTeachingDemo && now - m_lastDraw < kStretchedRedrawMs)
        return;
    HDC dc = ::GetDC(hwnd);
    if (oneToOne) {
        for (int band = 0; band < kFrameBands; ++band) {
            const FrameBand b = BandOf(state.frameHeight, band);
            if (b.rows > 0)
                DrawRows(dc, b.firstRow, b.rows);
        }
    } else {
        StretchFrame(dc, client, state);
        m_lastDraw = now;
    }
    m_rect.width = client.right;
    m_rect.height = client.bottom;
    DrawCursorAndPointer(dc, !oneToOne);
    ::ReleaseDC(hwnd, dc);
    if (HasIdList(state))
        m_title.ShowText(state.names[state.watchedId]);
    m_tool.Reposition();
}

void CScreenReceiverWnd::DrawPointer()
{
    MirageEngineState& state = EngineState();
    HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr || !Drawable(state))
        return;
    RECT client;
    ::GetClientRect(hwnd, &client);
    const bool oneToOne = ShownOneToOne(client, state);
    const POINT corner = CursorCorner(!oneToOne);
    if (corner.x == m_lastCorner.x && corner.y == m_lastCorner.y && state.pointerRole != kDrawPointer)
        return;
    HDC dc = ::GetDC(hwnd);
    if (oneToOne && m_lastCorner.y >= 0) {
        // Repaint the frame rows the old cursor covered.
        const uint32_t first = std::min<uint32_t>(static_cast<uint32_t>(m_lastCorner.y), state.frameHeight - 1);
        const uint32_t rows = std::min<uint32_t>(kCursorSize, state.frameHeight - first);
        DrawRows(dc, first, rows);
    } else if (!oneToOne) {
        // Only the squares the cursor and the pointer leave and enter: the
        // rest of the view already shows the frame, and stretching all of it
        // for every cursor message costs milliseconds.
        RestretchSquare(dc, client, state, m_lastCorner);
        RestretchSquare(dc, client, state, corner);
        if (state.pointerRole == kDrawPointer && m_pointer != nullptr) {
            RestretchSquare(dc, client, state, m_lastPointer);
            RestretchSquare(dc, client, state, PointerCorner(true));
        }
    }
    DrawCursorAndPointer(dc, !oneToOne);
    ::ReleaseDC(hwnd, dc);
}

// ---------------------------------------------------------------- input

void CScreenReceiverWnd::SendInputEvent(uint32_t mouseFlags, CPoint point, int32_t data, uint32_t keyState)
{
    const MirageEngineState& state = EngineState();
    if (state.inputRole != kInputSends || !state.engineActive)
        return;
    // The controlled station replays in its own pixels.
    RECT client;
    ::GetClientRect(GetSafeHwnd(), &client);
    const int32_t x = ViewToSender(point.x, client.right, state.frameWidth);
    const int32_t y = ViewToSender(point.y, client.bottom, state.frameHeight);
    const MirageInput event = BuildMouseEvent(state.ownId, mouseFlags, x, y, data, keyState);
    Sleep(kInputPauseMs);
    GroupSocket().Send(&event);
}

void CScreenReceiverWnd::OnLButtonDown(UINT flags, CPoint point)
{
    SendInputEvent(MOUSEEVENTF_LEFTDOWN, point, 0, flags);
    if (HasIdList(EngineState()))
        DecompressWnd().PostMessage(WM_MIRAGE_NEXT);
}

void CScreenReceiverWnd::OnLButtonUp(UINT flags, CPoint point) { SendInputEvent(MOUSEEVENTF_LEFTUP, point, 0, flags); }
void CScreenReceiverWnd::OnRButtonDown(UINT flags, CPoint point)
{
    SendInputEvent(MOUSEEVENTF_RIGHTDOWN, point, 0, flags);
}
void CScreenReceiverWnd::OnMButtonDown(UINT flags, CPoint point)
{
    SendInputEvent(MOUSEEVENTF_MIDDLEDOWN, point, 0, flags);
}
void CScreenReceiverWnd::OnMButtonUp(UINT flags, CPoint point)
{
    SendInputEvent(MOUSEEVENTF_MIDDLEUP, point, 0, flags);
}

void CScreenReceiverWnd::OnRButtonUp(UINT flags, CPoint point)
{
    // The button-up goes out before the menu's loop starts.
    SendInputEvent(MOUSEEVENTF_RIGHTUP, point, 0, flags);
    ShowMenu(point);
}

void CScreenReceiverWnd::OnMouseMove(UINT flags, CPoint point)
{
    MirageEngineState& state = EngineState();
    SetFocus();
    if (state.viewState == kViewWindowed && state.currentView == 0 && state.dodgeView) {
        m_cell = m_cell == 0 ? 1 : 0;
        LayoutView();
    }
    SendInputEvent(MOUSEEVENTF_MOVE, point, 0, flags);
}

BOOL CScreenReceiverWnd::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    ScreenToClient(&point);
    SendInputEvent(MOUSEEVENTF_WHEEL, point, delta, flags);
    return TRUE;
}

LRESULT CScreenReceiverWnd::OnHookKey(WPARAM virtualKey, LPARAM keyFlags)
{
    const MirageEngineState& state = EngineState();
    if (!state.engineActive)
        return 0;
    const auto flags = static_cast<uint32_t>(keyFlags);
    const MirageInput event = BuildKeyEvent(state.ownId, static_cast<uint8_t>(virtualKey),
                                            static_cast<uint8_t>((keyFlags >> kScanShift) & kScanMask),
                                            (flags & kKeyReleasedBit) != 0 ? kKeyUpFlag : 0);
    Sleep(kInputPauseMs);
    GroupSocket().Send(&event);
    return 0;
}

void CScreenReceiverWnd::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == SC_CLOSE)
        return; // a view closes only through the engine
    CWnd::OnSysCommand(id, lParam);
}

void CScreenReceiverWnd::SwitchFullAndWindowed()
{
    MirageEngineState& state = EngineState();
    state.viewState = state.viewState == kViewFullScreen ? kViewWindowed : kViewFullScreen;
    state.waitingForFrame = 1;
    const DWORD style = WS_POPUP | (state.viewState == kViewWindowed || state.windowedView ? WS_BORDER : 0);
    SetWindowLongA(GetSafeHwnd(), GWL_STYLE, static_cast<LONG>(style));
    m_rect = {};
    LayoutView();
}

void CScreenReceiverWnd::OnHotKey(UINT id, UINT, UINT)
{
    MirageEngineState& state = EngineState();
    if (static_cast<int>(id) != kViewSwitchHotKey)
        return;
    if (state.windowedView) {
        if (state.viewState == kViewFullScreen || state.viewState == kViewWindowed)
            SwitchFullAndWindowed();
    } else if (state.viewState == kViewWindowed) {
        state.viewState = kViewFullScreen; // laid out at the next frame
    }
}
