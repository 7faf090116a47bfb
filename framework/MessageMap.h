#pragma once
// Message maps: a static table of entries per class, chained to the base
// class's table. A window (or thread) looks a message up from its own class's
// table towards CCmdTarget's, and the first matching entry handles it.
//
// Each entry carries a small captureless lambda (the "thunk") written by the
// ON_... macro inside the class's own map function: it cracks wParam/lParam
// and calls the handler through a pointer of the class that names the map.
// Handlers are therefore bound to that class (a base's entry never calls a
// derived handler of the same name unless the handler is virtual), have
// their signatures checked by the compiler, and may be private.

#include "framework/Win32.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CScrollBar;

// One message being dispatched through a map.
struct AfxMsgCall {
    UINT message; // the window message (or thread message)
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;       // the control or command id for WM_COMMAND / WM_NOTIFY
    LRESULT result; // what the window procedure returns
};

// Returns FALSE when the handler declined the message (the _EX forms, or a
// reflected colour handler returning no brush): the search then goes on.
typedef BOOL (*AFX_PTHUNK)(CCmdTarget* pTarget, AfxMsgCall& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;            // window message, reflected or pseudo message
    UINT nCode;               // notification code (WM_COMMAND, WM_NOTIFY)
    UINT nID;                 // first control id
    UINT nLastID;             // last control id
    const UINT* pnRegistered; // ON_REGISTERED_MESSAGE: the registered id
    AFX_PTHUNK pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Reflected messages are looked up in the child's own map under these ids.
constexpr UINT KQ_REFLECT_BASE = 0xBC00;
#define KQ_REFLECT(msg) (KQ_REFLECT_BASE + (msg))
// The colour messages WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC are all looked up
// under the old single message WM_CTLCOLOR.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
// Never sent: ON_UPDATE_COMMAND_UI entries are kept but not dispatched.
constexpr UINT KQ_UPDATE_COMMAND_UI = 0xBBFF;

// Helpers the thunks use (defined in Wnd.cpp / ScrollBar.cpp): temporary
// wrappers for handles passed in messages.
CDC* AfxDCFromHandle(HDC hDC);
CScrollBar* AfxScrollBarFromHandle(HWND hWnd);

#define DECLARE_MESSAGE_MAP()                                                  \
protected:                                                                     \
    static const AFX_MSGMAP* GetThisMessageMap();                              \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
    const AFX_MSGMAP* theClass::GetMessageMap() const                          \
    {                                                                          \
        return GetThisMessageMap();                                            \
    }                                                                          \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                            \
    {                                                                          \
        using ThisClass [[maybe_unused]] = theClass;                           \
        using TheBaseClass = baseClass;                                        \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                      \
        {0, 0, 0, 0, nullptr, nullptr}};                                       \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,\
                                              &_messageEntries[0]};            \
        return &messageMap;                                                    \
    }

// The thunk: `self_` is the target as the class that names the map.
#define KQ_THUNK(...)                                                          \
    [](CCmdTarget* pTarget_, AfxMsgCall& call_) -> BOOL {                      \
        [[maybe_unused]] ThisClass* self_ = static_cast<ThisClass*>(pTarget_); \
        [[maybe_unused]] WPARAM w_ = call_.wParam;                             \
        [[maybe_unused]] LPARAM l_ = call_.lParam;                             \
        __VA_ARGS__;                                                           \
        return TRUE;                                                           \
    }
#define KQ_ENTRY(msg, code, id, lastId, ...)                                   \
    {static_cast<UINT>(msg), static_cast<UINT>(code), static_cast<UINT>(id),  \
     static_cast<UINT>(lastId), nullptr, KQ_THUNK(__VA_ARGS__)},
#define KQ_WM(msg, ...) KQ_ENTRY(msg, 0, 0, 0, __VA_ARGS__)
// Signed client or screen coordinates packed in lParam.
#define KQ_X_LPARAM(l) static_cast<int>(static_cast<short>(LOWORD(l)))
#define KQ_Y_LPARAM(l) static_cast<int>(static_cast<short>(HIWORD(l)))
#define KQ_POINT_LPARAM CPoint(KQ_X_LPARAM(l_), KQ_Y_LPARAM(l_))
#define KQ_WND_FROM(h) CWnd::FromHandle(reinterpret_cast<HWND>(h))

// Window messages.
#define ON_WM_CREATE() KQ_WM(WM_CREATE, call_.result = self_->OnCreate(reinterpret_cast<LPCREATESTRUCT>(l_)))
#define ON_WM_DESTROY() KQ_WM(WM_DESTROY, self_->OnDestroy())
#define ON_WM_NCDESTROY() KQ_WM(WM_NCDESTROY, self_->OnNcDestroy())
#define ON_WM_CLOSE() KQ_WM(WM_CLOSE, self_->OnClose())
#define ON_WM_PAINT() KQ_WM(WM_PAINT, self_->OnPaint())
#define ON_WM_ERASEBKGND() KQ_WM(WM_ERASEBKGND, call_.result = self_->OnEraseBkgnd(AfxDCFromHandle(reinterpret_cast<HDC>(w_))))
#define ON_WM_TIMER() KQ_WM(WM_TIMER, self_->OnTimer(static_cast<UINT_PTR>(w_)))
#define ON_WM_SIZE() KQ_WM(WM_SIZE, self_->OnSize(static_cast<UINT>(w_), LOWORD(l_), HIWORD(l_)))
#define ON_WM_MOVE() KQ_WM(WM_MOVE, self_->OnMove(KQ_X_LPARAM(l_), KQ_Y_LPARAM(l_)))
#define ON_WM_SHOWWINDOW() KQ_WM(WM_SHOWWINDOW, self_->OnShowWindow(static_cast<BOOL>(w_), static_cast<UINT>(l_)))
#define ON_WM_ACTIVATE() KQ_WM(WM_ACTIVATE, self_->OnActivate(LOWORD(w_), KQ_WND_FROM(l_), static_cast<BOOL>(HIWORD(w_))))
#define KQ_MOUSE(msg, fn) KQ_WM(msg, self_->fn(static_cast<UINT>(w_), KQ_POINT_LPARAM))
#define ON_WM_LBUTTONDOWN() KQ_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() KQ_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() KQ_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() KQ_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() KQ_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() KQ_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() KQ_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() KQ_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() KQ_MOUSE(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEMOVE() KQ_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEWHEEL() KQ_WM(WM_MOUSEWHEEL, call_.result = self_->OnMouseWheel(GET_KEYSTATE_WPARAM(w_), GET_WHEEL_DELTA_WPARAM(w_), KQ_POINT_LPARAM))
#define ON_WM_SETCURSOR() KQ_WM(WM_SETCURSOR, call_.result = self_->OnSetCursor(KQ_WND_FROM(w_), LOWORD(l_), HIWORD(l_)))
#define ON_WM_NCHITTEST() KQ_WM(WM_NCHITTEST, call_.result = static_cast<LRESULT>(self_->OnNcHitTest(KQ_POINT_LPARAM)))
#define ON_WM_NCLBUTTONDOWN() KQ_WM(WM_NCLBUTTONDOWN, self_->OnNcLButtonDown(static_cast<UINT>(w_), KQ_POINT_LPARAM))
#define KQ_KEY(msg, fn) KQ_WM(msg, self_->fn(static_cast<UINT>(w_), LOWORD(l_), HIWORD(l_)))
#define ON_WM_CHAR() KQ_KEY(WM_CHAR, OnChar)
#define ON_WM_KEYDOWN() KQ_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() KQ_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() KQ_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_KILLFOCUS() KQ_WM(WM_KILLFOCUS, self_->OnKillFocus(KQ_WND_FROM(w_)))
#define ON_WM_SETFOCUS() KQ_WM(WM_SETFOCUS, self_->OnSetFocus(KQ_WND_FROM(w_)))
#define ON_WM_SYSCOMMAND() KQ_WM(WM_SYSCOMMAND, self_->OnSysCommand(static_cast<UINT>(w_), l_))
#define ON_WM_QUERYENDSESSION() KQ_WM(WM_QUERYENDSESSION, call_.result = self_->OnQueryEndSession())
#define ON_WM_ENDSESSION() KQ_WM(WM_ENDSESSION, self_->OnEndSession(static_cast<BOOL>(w_)))
#define ON_WM_CTLCOLOR() KQ_WM(WM_CTLCOLOR, call_.result = reinterpret_cast<LRESULT>(self_->OnCtlColor(AfxDCFromHandle(reinterpret_cast<HDC>(w_)), KQ_WND_FROM(l_), call_.message - WM_CTLCOLORMSGBOX)))
#define ON_WM_HSCROLL() KQ_WM(WM_HSCROLL, self_->OnHScroll(LOWORD(w_), HIWORD(w_), AfxScrollBarFromHandle(reinterpret_cast<HWND>(l_))))
#define ON_WM_VSCROLL() KQ_WM(WM_VSCROLL, self_->OnVScroll(LOWORD(w_), HIWORD(w_), AfxScrollBarFromHandle(reinterpret_cast<HWND>(l_))))
#define ON_WM_HOTKEY() KQ_WM(WM_HOTKEY, self_->OnHotKey(static_cast<UINT>(w_), LOWORD(l_), HIWORD(l_)))
#define ON_WM_DROPFILES() KQ_WM(WM_DROPFILES, self_->OnDropFiles(reinterpret_cast<HDROP>(w_)))
#define ON_WM_MEASUREITEM() KQ_WM(WM_MEASUREITEM, self_->OnMeasureItem(static_cast<int>(w_), reinterpret_cast<LPMEASUREITEMSTRUCT>(l_)); call_.result = TRUE)
#define ON_WM_DRAWITEM() KQ_WM(WM_DRAWITEM, self_->OnDrawItem(static_cast<int>(w_), reinterpret_cast<LPDRAWITEMSTRUCT>(l_)); call_.result = TRUE)
#define ON_WM_GETMINMAXINFO() KQ_WM(WM_GETMINMAXINFO, self_->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(l_)))
#define ON_WM_WINDOWPOSCHANGING() KQ_WM(WM_WINDOWPOSCHANGING, self_->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(l_)))
#define ON_WM_WINDOWPOSCHANGED() KQ_WM(WM_WINDOWPOSCHANGED, self_->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(l_)))
#define ON_WM_COPYDATA() KQ_WM(WM_COPYDATA, call_.result = self_->OnCopyData(KQ_WND_FROM(w_), reinterpret_cast<COPYDATASTRUCT*>(l_)))
#define ON_WM_CONTEXTMENU() KQ_WM(WM_CONTEXTMENU, self_->OnContextMenu(KQ_WND_FROM(w_), KQ_POINT_LPARAM))

// Any message by number: LRESULT OnMessage(WPARAM, LPARAM).
#define ON_MESSAGE(msg, fn) KQ_WM(msg, call_.result = self_->fn(w_, l_))
#define ON_REGISTERED_MESSAGE(var, fn)                                         \
    {0, 0, 0, 0, &(var), KQ_THUNK(call_.result = self_->fn(w_, l_))},
// Messages posted to a thread (no window): void OnMessage(WPARAM, LPARAM).
#define ON_THREAD_MESSAGE(msg, fn) KQ_WM(msg, self_->fn(w_, l_))
#define ON_REGISTERED_THREAD_MESSAGE(var, fn)                                  \
    {0, 0, 0, 0, &(var), KQ_THUNK(self_->fn(w_, l_))},

// Commands (menus, accelerators, BN_CLICKED): void OnCommand().
#define ON_COMMAND(id, fn) KQ_ENTRY(WM_COMMAND, 0, id, id, self_->fn())
#define ON_COMMAND_RANGE(id, idLast, fn) KQ_ENTRY(WM_COMMAND, 0, id, idLast, self_->fn(call_.nID))
#define ON_COMMAND_EX(id, fn) KQ_ENTRY(WM_COMMAND, 0, id, id, return self_->fn(call_.nID))
#define ON_UPDATE_COMMAND_UI(id, fn) KQ_ENTRY(KQ_UPDATE_COMMAND_UI, 0, id, id, self_->fn(reinterpret_cast<CCmdUI*>(l_)))

// Control notifications through WM_COMMAND: void OnNotification().
#define ON_CONTROL(code, id, fn) KQ_ENTRY(WM_COMMAND, code, id, id, self_->fn())
#define ON_CONTROL_RANGE(code, id, idLast, fn) KQ_ENTRY(WM_COMMAND, code, id, idLast, self_->fn(call_.nID))
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_BN_SETFOCUS(id, fn) ON_CONTROL(BN_SETFOCUS, id, fn)
#define ON_BN_KILLFOCUS(id, fn) ON_CONTROL(BN_KILLFOCUS, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_MAXTEXT(id, fn) ON_CONTROL(EN_MAXTEXT, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_DBLCLK(id, fn) ON_CONTROL(CBN_DBLCLK, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_STN_DBLCLK(id, fn) ON_CONTROL(STN_DBLCLK, id, fn)

// WM_NOTIFY: void OnNotify(NMHDR*, LRESULT*); the range form gets the id first.
#define ON_NOTIFY(code, id, fn) KQ_ENTRY(WM_NOTIFY, code, id, id, self_->fn(reinterpret_cast<NMHDR*>(l_), &call_.result))
#define ON_NOTIFY_RANGE(code, id, idLast, fn) KQ_ENTRY(WM_NOTIFY, code, id, idLast, self_->fn(call_.nID, reinterpret_cast<NMHDR*>(l_), &call_.result))

// Reflected to the control that sent them, in the control's own map.
#define ON_CONTROL_REFLECT(code, fn) KQ_ENTRY(KQ_REFLECT(WM_COMMAND), code, 0, 0, self_->fn())
#define ON_CONTROL_REFLECT_EX(code, fn) KQ_ENTRY(KQ_REFLECT(WM_COMMAND), code, 0, 0, return self_->fn())
#define ON_BN_CLICKED_REFLECT(fn) ON_CONTROL_REFLECT(BN_CLICKED, fn)
#define ON_NOTIFY_REFLECT(code, fn) KQ_ENTRY(KQ_REFLECT(WM_NOTIFY), code, 0, 0, self_->fn(reinterpret_cast<NMHDR*>(l_), &call_.result))
#define ON_NOTIFY_REFLECT_EX(code, fn) KQ_ENTRY(KQ_REFLECT(WM_NOTIFY), code, 0, 0, return self_->fn(reinterpret_cast<NMHDR*>(l_), &call_.result))
// HBRUSH CtlColor(CDC*, UINT): a null brush leaves the colour to the parent.
#define ON_WM_CTLCOLOR_REFLECT()                                               \
    KQ_WM(KQ_REFLECT(WM_CTLCOLOR),                                             \
          HBRUSH hBrush_ = self_->CtlColor(AfxDCFromHandle(reinterpret_cast<HDC>(w_)), call_.message - WM_CTLCOLORMSGBOX); \
          if (hBrush_ == nullptr) return FALSE;                                \
          call_.result = reinterpret_cast<LRESULT>(hBrush_))
#define ON_WM_HSCROLL_REFLECT() KQ_WM(KQ_REFLECT(WM_HSCROLL), self_->HScroll(LOWORD(w_), HIWORD(w_)))
#define ON_WM_VSCROLL_REFLECT() KQ_WM(KQ_REFLECT(WM_VSCROLL), self_->VScroll(LOWORD(w_), HIWORD(w_)))
