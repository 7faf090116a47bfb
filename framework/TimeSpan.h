#pragma once
// CTimeSpan: a signed duration in whole seconds.

#include "framework/Win32.h"

class CTimeSpan {
public:
    static constexpr LONGLONG kSecondsPerMinute = 60;
    static constexpr LONGLONG kSecondsPerHour = 60 * kSecondsPerMinute;
    static constexpr LONGLONG kSecondsPerDay = 24 * kSecondsPerHour;

    constexpr CTimeSpan() = default;
    constexpr CTimeSpan(LONGLONG seconds) : m_span(seconds) {}
    constexpr CTimeSpan(LONG days, int hours, int minutes, int seconds)
        : m_span(days * kSecondsPerDay + hours * kSecondsPerHour + minutes * kSecondsPerMinute + seconds) {}

    constexpr LONGLONG GetDays() const { return m_span / kSecondsPerDay; }
    constexpr LONGLONG GetTotalHours() const { return m_span / kSecondsPerHour; }
    constexpr LONGLONG GetTotalMinutes() const { return m_span / kSecondsPerMinute; }
    constexpr LONGLONG GetTotalSeconds() const { return m_span; }
    // The hours, minutes and seconds parts (with the sign of the span).
    constexpr LONG GetHours() const { return static_cast<LONG>(GetTotalHours() % 24); }
    constexpr LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() % 60); }
    constexpr LONG GetSeconds() const { return static_cast<LONG>(m_span % 60); }

    constexpr CTimeSpan operator+(CTimeSpan other) const { return CTimeSpan(m_span + other.m_span); }
    constexpr CTimeSpan operator-(CTimeSpan other) const { return CTimeSpan(m_span - other.m_span); }
    CTimeSpan& operator+=(CTimeSpan other) { m_span += other.m_span; return *this; }
    CTimeSpan& operator-=(CTimeSpan other) { m_span -= other.m_span; return *this; }
    constexpr auto operator<=>(const CTimeSpan&) const = default;

private:
    LONGLONG m_span = 0;
};
