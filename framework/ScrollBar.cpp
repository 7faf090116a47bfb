#include "framework/ScrollBar.h"

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos); }
void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw) { ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw); }
BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw) { return CWnd::SetScrollInfo(SB_CTL, lpScrollInfo, bRedraw); }
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask) { return CWnd::GetScrollInfo(SB_CTL, lpScrollInfo, nMask); }

CScrollBar* AfxScrollBarFromHandle(HWND hWnd)
{
    // Scroll messages from a window's own scroll bars carry no control.
    // A temporary wrapper adds no members, so it may stand for the control.
    return static_cast<CScrollBar*>(CWnd::FromHandle(hWnd));
}
