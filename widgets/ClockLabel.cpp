#include "widgets/ClockLabel.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CClockLabel, CStatic)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

namespace {
// Every digit of the time at its widest in a proportional font.
constexpr char kWidestTime[] = "00:00:00";
} // namespace

CClockLabel::CClockLabel() : m_backgroundBrush(kBackground), m_textColour(::GetSysColor(COLOR_WINDOWTEXT)) {}

CClockLabel::~CClockLabel()
{
    DestroyWindow();
}

CString CClockLabel::FormatTime(const SYSTEMTIME& time)
{
    CString text;
    text.Format("%02d:%02d:%02d", static_cast<int>(time.wHour), static_cast<int>(time.wMinute),
                static_cast<int>(time.wSecond));
    return text;
}

void CClockLabel::ReadTime(SYSTEMTIME* now) const
{
    ::GetLocalTime(now);
}

void CClockLabel::ShowTime()
{
    ReadTime(&m_time);
    m_text = FormatTime(m_time);
    SetWindowText(m_text);
}

CSize CClockLabel::TextSize()
{
    CClientDC dc(this);
    CFont* font = GetFont();
    CFont* old = font != nullptr ? dc.SelectObject(font) : nullptr;
    CSize size = dc.GetTextExtent(kWidestTime, static_cast<int>(sizeof kWidestTime - 1));
    for (char digit = '1'; digit <= '9'; ++digit) {
        const char time[] = {digit, digit, ':', digit, digit, ':', digit, digit};
        size.cx = std::max(size.cx, dc.GetTextExtent(time, static_cast<int>(sizeof time)).cx);
    }
    if (old != nullptr)
        dc.SelectObject(old);
    return size;
}

void CClockLabel::GrowToText()
{
    CRect rect;
    GetWindowRect(&rect);
    // The size is corrected in OnWindowPosChanging.
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CClockLabel::OnWindowPosChanging(WINDOWPOS* pos)
{
    CStatic::OnWindowPosChanging(pos);
    if ((pos->flags & SWP_NOSIZE) != 0)
        return;
    const CSize text = TextSize();
    pos->cx = std::max(pos->cx, static_cast<int>(text.cx));
    pos->cy = std::max(pos->cy, static_cast<int>(text.cy));
}

BOOL CClockLabel::Start()
{
    GrowToText();
    ShowTime();
    m_timer = SetTimer(kClockTimer, kPeriodMs);
    return m_timer != 0;
}

void CClockLabel::OnTimer(UINT_PTR timerId)
{
    if (timerId == kClockTimer)
        ShowTime();
    CStatic::OnTimer(timerId);
}

void CClockLabel::OnDestroy()
{
    CStatic::OnDestroy();
    KillTimer(kClockTimer);
    KillTimer(kSpareTimer);
    m_timer = 0;
}

HBRUSH CClockLabel::CtlColor(CDC* dc, UINT)
{
    dc->SetTextColor(m_textColour);
    dc->SetBkColor(m_backgroundColour);
    return m_backgroundBrush;
}
