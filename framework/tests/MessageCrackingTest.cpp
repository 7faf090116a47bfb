// The ON_WM_ entries: each cracks its message into the handler's arguments
// and hands the handler's result back to the sender.

#include "framework/tests/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {


std::string Pt(CPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
std::string N(long long v) { return std::to_string(v); }

// Records what each handler was given. Created hidden and never painted, so
// only the test's own messages reach the handlers that would also see system ones.
class CrackingWnd : public CWnd {
public:
    std::string got;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnClose() { got = "close"; }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) { got = "erase " + N(pDC != nullptr); return TRUE; }
    afx_msg void OnTimer(UINT_PTR id) { got = "timer " + N(id); }
    afx_msg void OnSize(UINT type, int cx, int cy) { got = "size " + N(type) + " " + N(cx) + "x" + N(cy); }
    afx_msg void OnMove(int x, int y) { got = "move " + N(x) + "," + N(y); }
    afx_msg void OnShowWindow(BOOL show, UINT status) { got = "show " + N(show) + " " + N(status); }
    afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized) { got = "activate " + N(state) + " " + N(other != nullptr) + " " + N(minimized); }
    afx_msg void OnLButtonDown(UINT flags, CPoint p) { got = "ldown " + N(flags) + " " + Pt(p); }
    afx_msg void OnLButtonUp(UINT, CPoint p) { got = "lup " + Pt(p); }
    afx_msg void OnLButtonDblClk(UINT, CPoint p) { got = "ldbl " + Pt(p); }
    afx_msg void OnRButtonDown(UINT, CPoint p) { got = "rdown " + Pt(p); }
    afx_msg void OnRButtonUp(UINT, CPoint p) { got = "rup " + Pt(p); }
    afx_msg void OnRButtonDblClk(UINT, CPoint p) { got = "rdbl " + Pt(p); }
    afx_msg void OnMButtonDown(UINT, CPoint p) { got = "mdown " + Pt(p); }
    afx_msg void OnMButtonUp(UINT, CPoint p) { got = "mup " + Pt(p); }
    afx_msg void OnMButtonDblClk(UINT, CPoint p) { got = "mdbl " + Pt(p); }
    afx_msg void OnMouseMove(UINT, CPoint p) { got = "move to " + Pt(p); }
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint p) { got = "wheel " + N(flags) + " " + N(delta) + " " + Pt(p); return TRUE; }
    afx_msg BOOL OnSetCursor(CWnd*, UINT hit, UINT message) { got = "cursor " + N(hit) + " " + N(message); return TRUE; }
    afx_msg LRESULT OnNcHitTest(CPoint p) { got = "hittest " + Pt(p); return HTCAPTION; }
    afx_msg void OnNcLButtonDown(UINT hit, CPoint p) { got = "ncldown " + N(hit) + " " + Pt(p); }
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags) { got = "char " + N(ch) + " " + N(repeat) + " " + N(flags); }
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT) { got = "keydown " + N(ch) + " " + N(repeat); }
    afx_msg void OnKeyUp(UINT ch, UINT, UINT) { got = "keyup " + N(ch); }
    afx_msg void OnSysKeyDown(UINT ch, UINT, UINT) { got = "syskey " + N(ch); }
    afx_msg void OnKillFocus(CWnd* next) { got = "killfocus " + N(next == nullptr); }
    afx_msg void OnSetFocus(CWnd* old) { got = "setfocus " + N(old == nullptr); }
    afx_msg void OnSysCommand(UINT id, LPARAM) { got = "syscommand " + N(id); }
    afx_msg BOOL OnQueryEndSession() { got = "query end"; return TRUE; }
    afx_msg void OnEndSession(BOOL ending) { got = "end session " + N(ending); }
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar) { got = "hscroll " + N(code) + " " + N(pos) + " " + N(bar == nullptr); }
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar*) { got = "vscroll " + N(code) + " " + N(pos); }
    afx_msg void OnHotKey(UINT id, UINT modifiers, UINT key) { got = "hotkey " + N(id) + " " + N(modifiers) + " " + N(key); }
    afx_msg void OnDropFiles(HDROP) { got = "drop"; }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* info) { got = "minmax " + N(info->ptMaxSize.x); }
    afx_msg void OnWindowPosChanging(WINDOWPOS* pos) { got = "poschanging " + N(pos->cx); }
    afx_msg BOOL OnCopyData(CWnd*, COPYDATASTRUCT* data) { got = "copydata " + N(static_cast<long long>(data->dwData)); return TRUE; }
    afx_msg void OnContextMenu(CWnd*, CPoint p) { got = "context " + Pt(p); }
    afx_msg void OnUpdateNothing(CCmdUI*) { got = "never"; }
};

BEGIN_MESSAGE_MAP(CrackingWnd, CWnd)
    ON_WM_CLOSE()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_SHOWWINDOW()
    ON_WM_ACTIVATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONUP()
    ON_WM_MBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_SETCURSOR()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_SYSKEYDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_SETFOCUS()
    ON_WM_SYSCOMMAND()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_HOTKEY()
    ON_WM_DROPFILES()
    ON_WM_GETMINMAXINFO()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_COPYDATA()
    ON_WM_CONTEXTMENU()
    ON_UPDATE_COMMAND_UI(1, OnUpdateNothing)
END_MESSAGE_MAP()

LPARAM Points(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

TEST(MessageCracking, EachEntryGivesItsHandlerTheMessagesArguments)
{
    CrackingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "cracking", WS_POPUP, 0, 0, 50, 50,
                             nullptr, nullptr));
    HDC hDC = ::GetDC(wnd.m_hWnd);
    MINMAXINFO minMax = {};
    minMax.ptMaxSize.x = 640;
    WINDOWPOS pos = {};
    pos.cx = 321;
    COPYDATASTRUCT data = {9, 0, nullptr};

    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string expected;
        LRESULT result; // what the sender gets back; -1: not checked
    } cases[] = {
        {WM_CLOSE, 0, 0, "close", 0},
        {WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0, "erase 1", TRUE},
        {WM_TIMER, 12, 0, "timer 12", 0},
        {WM_SIZE, SIZE_MAXIMIZED, Points(800, 600), "size 2 800x600", 0},
        {WM_MOVE, 0, Points(-5, -7), "move -5,-7", 0},
        {WM_SHOWWINDOW, TRUE, SW_PARENTOPENING, "show 1 3", 0},
        {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0, "activate 2 0 1", 0},
        {WM_LBUTTONDOWN, MK_LBUTTON, Points(-3, 4), "ldown 1 -3,4", 0},
        {WM_LBUTTONUP, 0, Points(1, 2), "lup 1,2", 0},
        {WM_LBUTTONDBLCLK, 0, Points(3, 4), "ldbl 3,4", 0},
        {WM_RBUTTONDOWN, 0, Points(5, 6), "rdown 5,6", 0},
        {WM_RBUTTONUP, 0, Points(7, 8), "rup 7,8", 0},
        {WM_RBUTTONDBLCLK, 0, Points(9, 10), "rdbl 9,10", 0},
        {WM_MBUTTONDOWN, 0, Points(11, 12), "mdown 11,12", 0},
        {WM_MBUTTONUP, 0, Points(13, 14), "mup 13,14", 0},
        {WM_MBUTTONDBLCLK, 0, Points(15, 16), "mdbl 15,16", 0},
        {WM_MOUSEMOVE, 0, Points(-100, 200), "move to -100,200", 0},
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), Points(30, 40), "wheel 8 -120 30,40", TRUE},
        {WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), "cursor 1 512", TRUE},
        {WM_NCHITTEST, 0, Points(-20, 30), "hittest -20,30", HTCAPTION},
        {WM_NCLBUTTONDOWN, HTCAPTION, Points(5, 6), "ncldown 2 5,6", 0},
        {WM_CHAR, 'a', MAKELPARAM(3, 0x1E), "char 97 3 30", 0},
        {WM_KEYDOWN, VK_RETURN, MAKELPARAM(2, 0), "keydown 13 2", 0},
        {WM_KEYUP, VK_ESCAPE, 0, "keyup 27", 0},
        {WM_SYSKEYDOWN, VK_F4, 0, "syskey 115", 0},
        {WM_KILLFOCUS, 0, 0, "killfocus 1", 0},
        {WM_SETFOCUS, 0, 0, "setfocus 1", 0},
        {WM_SYSCOMMAND, SC_MINIMIZE, 0, "syscommand 61472", 0},
        {WM_QUERYENDSESSION, 0, 0, "query end", TRUE},
        {WM_ENDSESSION, TRUE, 0, "end session 1", 0},
        {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0, "hscroll 5 40 1", 0},
        {WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0, "vscroll 1 0", 0},
        {WM_HOTKEY, 3, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'X'), "hotkey 3 3 88", 0},
        {WM_DROPFILES, 0, 0, "drop", 0},
        {WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&minMax), "minmax 640", 0},
        {WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos), "poschanging 321", 0},
        {WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), "copydata 9", TRUE},
        {WM_CONTEXTMENU, 0, Points(-1, -1), "context -1,-1", 0},
    };
    for (const Case& c : cases) {
        wnd.got.clear();
        const LRESULT result = wnd.SendMessage(c.message, c.wParam, c.lParam);
        EXPECT_EQ(c.expected, wnd.got);
        if (c.result != -1) {
            EXPECT_EQ(c.result, result) << c.expected;
        }
    }
    // Command-state updates are never sent.
    wnd.got.clear();
    wnd.SendMessage(WM_COMMAND, 1);
    EXPECT_EQ("", wnd.got);
    ::ReleaseDC(wnd.m_hWnd, hDC);
    wnd.DestroyWindow();
}

} // namespace
