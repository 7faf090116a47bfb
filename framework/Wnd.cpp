// CWnd: the handle map, creation hooking, the window procedure and the end
// of a window's life.

#include "framework/Wnd.h"

#include "framework/DC.h"
#include "framework/HandleMap.h"
#include "framework/ModuleState.h"
#include "framework/ThreadState.h"
#include "framework/WinApp.h"

#include <string>
#include <vector>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

CHandleMap<HWND, CWnd>& PermanentMap()
{
    static CHandleMap<HWND, CWnd> map;
    return map;
}

} // namespace

// ---------------------------------------------------------------- handle map

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd == nullptr ? nullptr : PermanentMap().Lookup(hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hWnd))
        return permanent;
    auto& temps = AfxGetThreadState().tempWnds;
    auto& slot = temps[hWnd];
    if (!slot)
        slot = std::make_unique<CWnd>(hWnd);
    return slot.get();
}

void CWnd::DeleteTempMap()
{
    auto& temps = AfxGetThreadState().tempWnds;
    for (auto& entry : temps)
        entry.second->m_hWnd = nullptr;
    temps.clear();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr)
        return FALSE;
    m_hWnd = hWndNew;
    PermanentMap().SetAt(hWndNew, this);
    // A temporary wrapper made earlier on this thread would shadow nothing,
    // but it must not outlive the handle's new owner unnoticed.
    AfxGetThreadState().tempWnds.erase(hWndNew);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr)
        PermanentMap().RemoveIf(hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    const auto wide = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (old != AfxWndProc) {
        m_pfnSuper = old;
        m_pfnSuperWide = wide;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    m_pfnSuperWide = nullptr;
    return Detach();
}

CWnd::~CWnd()
{
    if (m_hWnd == nullptr || FromHandlePermanent(m_hWnd) != this)
        return;
    // The window must not outlive its object: its messages would reach freed
    // memory. When it cannot be destroyed from here (another thread owns it),
    // it is at least handed back to its own window procedure.
    if (!::DestroyWindow(m_hWnd) && m_hWnd != nullptr)
        UnsubclassWindow();
}

BOOL AfxIsLiveWindowObject(const CWnd* pWnd)
{
    return pWnd != nullptr &&
           PermanentMap().FindIf([pWnd](HWND, CWnd* p) { return p == pWnd; }) != nullptr;
}

// ---------------------------------------------------------------- creation

namespace {

LPCSTR DefaultWndClass()
{
    static LPCSTR name = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return name;
}

// The system may create its input-method window for the thread while one of
// ours is being created: that window is not the one the object waits for.
bool IsInputMethodWindow(HWND hWnd)
{
    char className[32] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    return lstrcmpiA(className, "IME") == 0 || lstrcmpiA(className, "MSCTFIME UI") == 0;
}

} // namespace

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState& state = AfxGetThreadState();
    if (code == HCBT_CREATEWND && state.pWndInit != nullptr &&
        !IsInputMethodWindow(reinterpret_cast<HWND>(wParam))) {
        CWnd* pWnd = state.pWndInit;
        state.pWndInit = nullptr;
        pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(state.hCbtHook, code, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    AfxThreadState& state = AfxGetThreadState();
    if (state.hCbtHook == nullptr) {
        state.hCbtHook = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, nullptr,
                                             ::GetCurrentThreadId());
    }
    state.pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    AfxThreadState& state = AfxGetThreadState();
    const bool consumed = state.pWndInit == nullptr;
    state.pWndInit = nullptr;
    return consumed;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = DefaultWndClass();
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x,
                                  cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                  cs.lpCreateParams);
    AfxUnhookWindowCreate();
    // On failure after the hook attached the window (OnCreate returned -1),
    // WM_NCDESTROY already detached the object and ran PostNcDestroy, which
    // may have deleted it: `this` is not touched again.
    return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName,
                    DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    // Create makes child windows; CreateEx is the road to anything else.
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd,
                    nID, pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    HWND hWnd = m_hWnd;
    const bool permanent = FromHandlePermanent(hWnd) == this;
    BOOL destroyed = ::DestroyWindow(hWnd);
    // A wrapper that was never subclassed gets no WM_NCDESTROY: let go here.
    if (destroyed && !permanent)
        m_hWnd = nullptr;
    return destroyed;
}

// ---------------------------------------------------------------- window procedure

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState& state = AfxGetThreadState();
    const MSG saved = state.lastSentMsg;
    state.lastSentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    state.lastSentMsg = saved;

    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        // The window is gone: unbind the object, then let it finish itself
        // (frames and views delete themselves in PostNcDestroy).
        if (pWnd->m_pfnSuper != nullptr &&
            ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(AfxWndProc)) {
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
        }
        pWnd->m_pfnSuper = nullptr;
        pWnd->m_pfnSuperWide = nullptr;
        pWnd->Detach();
        // A thread whose main window is gone ends its message loop (a DLL's
        // threads are ended by the DLL itself).
        CWinThread* pThread = AfxGetThread();
        if (pThread != nullptr && pThread->m_pMainWnd == pWnd) {
            pThread->m_pMainWnd = nullptr;
            if (!AfxIsDllModule())
                ::PostQuitMessage(0);
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pMainWnd == pWnd)
            pApp->m_pMainWnd = nullptr;
        pWnd->PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState().lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr && message == WM_CHAR && m_pfnSuperWide != nullptr)
        return PassCharToSuper(wParam, lParam);
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::PassCharToSuper(WPARAM wParam, LPARAM lParam)
{
    // A double-byte character reaches an ANSI window as two WM_CHARs, lead
    // byte first; the system control below the subclass would convert each
    // call on its own and make '?' of both halves. It gets the pair as one
    // wide character.
    const BYTE byte = LOBYTE(wParam);
    if (m_leadByte == 0 && HIBYTE(LOWORD(wParam)) == 0 && ::IsDBCSLeadByte(byte)) {
        m_leadByte = byte;
        return 0;
    }
    if (m_leadByte == 0)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, WM_CHAR, wParam, lParam);
    const char pair[2] = {static_cast<char>(m_leadByte), static_cast<char>(byte)};
    m_leadByte = 0;
    WCHAR wide = 0;
    if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, pair, 2, &wide, 1) != 1)
        return 0; // not a character of the code page: dropped
    return ::CallWindowProcW(m_pfnSuperWide, m_hWnd, WM_CHAR, wide, lParam);
}

// ---------------------------------------------------------------- window classes

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One class per distinct set of attributes, named after them, in this
    // module: classes are registered per module instance.
    static std::mutex lock;
    static std::vector<std::unique_ptr<std::string>> names;
    char name[128];
    wsprintfA(name, "Kq:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
              static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
              static_cast<void*>(hIcon));
    std::lock_guard<std::mutex> guard(lock);
    for (const auto& known : names) {
        if (*known == name)
            return known->c_str();
    }
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    WNDCLASSA existing = {};
    if (!::GetClassInfoA(wc.hInstance, name, &existing) && !::RegisterClassA(&wc))
        return nullptr;
    names.push_back(std::make_unique<std::string>(name));
    return names.back()->c_str();
}

CDC* AfxDCFromHandle(HDC hDC)
{
    return CDC::FromHandle(hDC);
}
