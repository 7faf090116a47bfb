#pragma once
// CClockLabel: the main window's clock, a static control that shows the
// local time as hh:mm:ss and updates itself every second. Its parent's
// WM_CTLCOLORSTATIC is reflected to it: dark text on its own background.
// It is never narrower or lower than the widest time in its font, whatever
// size its parent gives it, so no digit is ever cut.

#include "framework/Framework.h"

class CClockLabel : public CStatic {
public:
    CClockLabel();
    // Destroys the window (which stops the clock) and frees the brush.
    ~CClockLabel() override;

    // Shows the time now and starts the one-second timer; FALSE when the
    // timer could not be started.
    BOOL Start();

    // "hh:mm:ss", hours 0-23.
    static CString FormatTime(const SYSTEMTIME& time);
    // The room the widest time takes in the control's font.
    CSize TextSize();

    static constexpr COLORREF kBackground = 0xEACD98;
    static constexpr UINT_PTR kClockTimer = 2;
    static constexpr UINT_PTR kSpareTimer = 3; // stopped with the clock
    static constexpr UINT kPeriodMs = 1000;

protected:
    // The local time; tests give the clock their own time.
    virtual void ReadTime(SYSTEMTIME* now) const;

    DECLARE_MESSAGE_MAP()
    afx_msg void OnTimer(UINT_PTR timerId);
    afx_msg void OnDestroy();
    afx_msg void OnWindowPosChanging(WINDOWPOS* pos);
    afx_msg HBRUSH CtlColor(CDC* dc, UINT ctlColor);

private:
    void ShowTime();
    void GrowToText();

    CBrush m_backgroundBrush;
    COLORREF m_backgroundColour = kBackground;
    COLORREF m_textColour;
    UINT_PTR m_timer = 0;
    SYSTEMTIME m_time = {};
    CString m_text;
};
