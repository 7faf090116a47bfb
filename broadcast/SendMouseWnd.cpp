#include "broadcast/SendMouseWnd.h"

#include "broadcast/DatagramBuilder.h"
#include "broadcast/GroupSocket.h"
#include "broadcast/MirageEngineState.h"
#include "broadcast/MirageMessageIds.h"
#include "common/CursorShape.h"

#include <cstring>

namespace {

constexpr char kWindowName[] = "DoSendMouseWnd";
constexpr char kHookLibrary[] = "Snarewell.dll";
constexpr char kInstallHook[] = "DoInstallMouseShapeHook";
constexpr char kUninstallHook[] = "DoUninstallMouseShapeHook";
constexpr UINT kPositionPeriodMs = 50;
constexpr DWORD kBeforeControlMs = 1;
constexpr WPARAM kShapeReady = 1;
constexpr uint16_t kInputRoleOwnCursor = 1;
constexpr DWORD kShapeBytes = sizeof(kq::CursorShape);

using InstallHookProc = BOOL (*)(HWND);
using UninstallHookProc = BOOL (*)();

static_assert(sizeof(kq::CursorShape) <= kMirageCursorShapeAreaSize);

bool Sending()
{
    const MirageEngineState& state = EngineState();
    return state.engineActive != 0 && state.inputRole == kInputRoleOwnCursor;
}

} // namespace

CSendMouseWnd& SendMouseWnd()
{
    static CSendMouseWnd window;
    return window;
}

BEGIN_MESSAGE_MAP(CSendMouseWnd, CWnd)
    ON_WM_TIMER()
    ON_MESSAGE(WM_MIRAGE_CURSOR_SHAPE_CHANGED, OnCursorShapeChanged)
END_MESSAGE_MAP()

void CSendMouseWnd::Start()
{
    const LPCSTR windowClass = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW));
    if (CreateEx(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, windowClass, kWindowName, WS_POPUP, 0, 0, 1, 1, nullptr,
                 nullptr))
        SetTimer(kCursorPositionTimer, kPositionPeriodMs);
    m_lastX = 0;
    m_lastY = 0;
    m_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kShapeBytes,
                                   kq::kCursorShapeMapping);
    if (m_mapping != nullptr)
        m_view = static_cast<const uint8_t*>(MapViewOfFile(m_mapping, FILE_MAP_ALL_ACCESS, 0, 0, kShapeBytes));
    CallHook(kInstallHook, GetSafeHwnd());
}

void CSendMouseWnd::Stop()
{
    CallHook(kUninstallHook, nullptr);
    if (m_view != nullptr)
        UnmapViewOfFile(m_view);
    m_view = nullptr;
    if (m_mapping != nullptr)
        CloseHandle(m_mapping);
    m_mapping = nullptr;
    if (GetSafeHwnd() != nullptr) {
        KillTimer(kCursorPositionTimer);
        DestroyWindow();
    }
}

void CSendMouseWnd::CallHook(const char* exportName, HWND window)
{
    if (m_hooks == nullptr)
        m_hooks = LoadLibraryA(kHookLibrary);
    if (m_hooks == nullptr)
        return;
    FARPROC proc = GetProcAddress(m_hooks, exportName);
    if (proc == nullptr)
        return;
    if (window != nullptr)
        reinterpret_cast<InstallHookProc>(reinterpret_cast<void*>(proc))(window);
    else
        reinterpret_cast<UninstallHookProc>(reinterpret_cast<void*>(proc))();
}

void CSendMouseWnd::OnTimer(UINT_PTR id)
{
    if (id == kCursorPositionTimer && Sending()) {
        POINT p = {};
        if (GetCursorPos(&p) && (p.x != m_lastX || p.y != m_lastY)) {
            const MirageInput position = BuildCursorPosition(EngineState().ownId, p.x, p.y);
            GroupSocket().Send(&position);
            m_lastX = p.x;
            m_lastY = p.y;
        }
    }
    Default();
}

LRESULT CSendMouseWnd::OnCursorShapeChanged(WPARAM shapeReady, LPARAM)
{
    if (!Sending())
        return 0;
    // Without the shared memory there is no shape to pass on: the viewers
    // show the standard arrow instead.
    const bool shapeOn = shapeReady == kShapeReady && m_view != nullptr;
    if (shapeOn)
        SendShape();
    SendShapeControl(shapeOn);
    return 0;
}

void CSendMouseWnd::SendShape()
{
    // The block followed by zeros: nothing past the mapped block is read.
    uint8_t area[kMirageCursorShapeAreaSize] = {};
    std::memcpy(area, m_view, kShapeBytes);
    const MirageEngineState& state = EngineState();
    for (uint32_t part = 0; part < kMirageCursorShapeParts; ++part) {
        const MirageCursorShapeFragment fragment = BuildCursorShapeFragment(state.ownId, part, area);
        // The pause comes before the mutex is taken, so no other sender waits through it.
        Sleep(state.burstPause);
        GroupSocket().Send(&fragment);
    }
}

void CSendMouseWnd::SendShapeControl(bool shapeOn)
{
    const MirageHead control =
        BuildControl(EngineState().ownId, shapeOn ? MIRAGE_CONTROL_CURSOR_ON : MIRAGE_CONTROL_CURSOR_OFF);
    Sleep(kBeforeControlMs);
    GroupSocket().Send(&control);
}
