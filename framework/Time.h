#pragma once
// CTime: a moment as seconds since 1970-01-01 00:00 UTC.
//
// Calendar parts (GetYear ... GetSecond, Format) are in the PC's local time
// zone, with the daylight-saving rules that applied on that date.

#include "framework/String.h"
#include "framework/TimeSpan.h"

#include <ctime>

// windows.h turns GetCurrentTime into GetTickCount.
#undef GetCurrentTime

class CTime {
public:
    static CTime GetCurrentTime();

    CTime() = default;
    CTime(__time64_t time) : m_time(time) {}
    // A local date and time; out-of-range parts carry over (day 32 of January
    // is February 1st). `dst` is accepted for compatibility: the time zone's
    // own rules decide.
    CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);
    CTime(const SYSTEMTIME& localTime, int dst = -1);
    // File times are UTC.
    CTime(const FILETIME& fileTime, int dst = -1);

    __time64_t GetTime() const { return m_time; }
    int GetYear() const { return Local().wYear; }
    int GetMonth() const { return Local().wMonth; }
    int GetDay() const { return Local().wDay; }
    int GetHour() const { return Local().wHour; }
    int GetMinute() const { return Local().wMinute; }
    int GetSecond() const { return Local().wSecond; }
    // 1 = Sunday ... 7 = Saturday.
    int GetDayOfWeek() const { return Local().wDayOfWeek + 1; }

    BOOL GetAsSystemTime(SYSTEMTIME& localTime) const;
    FILETIME GetAsFileTime() const;
    struct tm* GetLocalTm(struct tm* out) const;
    struct tm* GetGmtTm(struct tm* out) const;
    // strftime codes; an unknown code is copied as it is.
    CString Format(LPCSTR format) const;
    CString FormatGmt(LPCSTR format) const;

    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTotalSeconds()); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTotalSeconds()); }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTotalSeconds(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTotalSeconds(); return *this; }
    auto operator<=>(const CTime&) const = default;

private:
    SYSTEMTIME Local() const;
    SYSTEMTIME Utc() const;

    __time64_t m_time = 0;
};
