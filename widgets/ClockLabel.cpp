#include "widgets/ClockLabel.h"

BEGIN_MESSAGE_MAP(CClockLabel, CStatic)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

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

BOOL CClockLabel::Start()
{
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
