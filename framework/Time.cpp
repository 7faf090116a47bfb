#include "framework/Time.h"

#include "common/TextField.h"

#include <cstring>
#include <vector>

namespace {

constexpr ULONGLONG kTicksPerSecond = 10000000;          // FILETIME counts 100 ns
constexpr ULONGLONG kUnixEpochTicks = 116444736000000000; // 1970-01-01 as a FILETIME
constexpr int kMonthsPerYear = 12;
constexpr int kFirstTmYear = 1900;
constexpr size_t kFirstFormatBuffer = 128;
constexpr size_t kLargestFormatBuffer = 64 * 1024;
// The strftime conversions the C runtime knows ('#' may precede them).
constexpr char kFormatCodes[] = "aAbBcdHIjmMpSUwWxXyYzZ%";

ULONGLONG ToTicks(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FromTicks(ULONGLONG ticks)
{
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

__time64_t FromUtcSystemTime(const SYSTEMTIME& utc)
{
    FILETIME fileTime;
    if (!::SystemTimeToFileTime(&utc, &fileTime))
        return 0;
    const auto ticks = static_cast<LONGLONG>(ToTicks(fileTime)) - static_cast<LONGLONG>(kUnixEpochTicks);
    return ticks / static_cast<LONGLONG>(kTicksPerSecond);
}

__time64_t FromLocalSystemTime(const SYSTEMTIME& local)
{
    SYSTEMTIME utc;
    if (!::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc))
        return 0;
    return FromUtcSystemTime(utc);
}

int DayOfYear(const SYSTEMTIME& date)
{
    SYSTEMTIME january1 = {};
    january1.wYear = date.wYear;
    january1.wMonth = 1;
    january1.wDay = 1;
    SYSTEMTIME day = date;
    day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
    FILETIME start;
    FILETIME end;
    if (!::SystemTimeToFileTime(&january1, &start) || !::SystemTimeToFileTime(&day, &end))
        return 0;
    return static_cast<int>((ToTicks(end) - ToTicks(start)) / kTicksPerSecond / CTimeSpan::kSecondsPerDay);
}

struct tm ToTm(const SYSTEMTIME& time)
{
    struct tm out = {};
    out.tm_year = time.wYear - kFirstTmYear;
    out.tm_mon = time.wMonth - 1;
    out.tm_mday = time.wDay;
    out.tm_hour = time.wHour;
    out.tm_min = time.wMinute;
    out.tm_sec = time.wSecond;
    out.tm_wday = time.wDayOfWeek;
    out.tm_yday = DayOfYear(time);
    out.tm_isdst = 0;
    return out;
}

// The C runtime ends the program on an unknown conversion code, so every
// '%' not followed by a known code is doubled (printed as it is).
std::string SafeFormat(LPCSTR format)
{
    std::string safe;
    const size_t length = std::strlen(format);
    for (size_t i = 0; i < length; ++i) {
        const char c = format[i];
        if (kq::IsCp936LeadByte(static_cast<unsigned char>(c)) && i + 1 < length) {
            safe += c;
            safe += format[++i];
            continue;
        }
        if (c != '%') {
            safe += c;
            continue;
        }
        size_t code = i + 1;
        if (code < length && format[code] == '#')
            ++code;
        if (code < length && std::strchr(kFormatCodes, format[code])) {
            safe.append(format + i, code + 1 - i);
            i = code;
        } else {
            safe += "%%";
        }
    }
    return safe;
}

CString FormatTm(LPCSTR format, const struct tm& time)
{
    if (!format || !*format)
        return CString();
    const std::string safe = SafeFormat(format);
    for (size_t size = kFirstFormatBuffer; size <= kLargestFormatBuffer; size *= 2) {
        std::vector<char> buffer(size);
        const size_t written = std::strftime(buffer.data(), buffer.size(), safe.c_str(), &time);
        if (written > 0)
            return CString(buffer.data(), static_cast<int>(written));
    }
    return CString(); // the result is empty, or absurdly long
}

} // namespace

CTime CTime::GetCurrentTime()
{
    return CTime(_time64(nullptr));
}

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int)
{
    // Carry months into years, then days, hours, minutes and seconds as an
    // offset from the first of the month.
    const int months = year * kMonthsPerYear + (month - 1);
    SYSTEMTIME first = {};
    first.wYear = static_cast<WORD>(months / kMonthsPerYear);
    first.wMonth = static_cast<WORD>(months % kMonthsPerYear + 1);
    first.wDay = 1;
    FILETIME start;
    if (months < 0 || !::SystemTimeToFileTime(&first, &start))
        return;
    const LONGLONG offset = (day - 1) * CTimeSpan::kSecondsPerDay + hour * CTimeSpan::kSecondsPerHour +
                            minute * CTimeSpan::kSecondsPerMinute + second;
    const FILETIME local = FromTicks(ToTicks(start) + static_cast<ULONGLONG>(offset * static_cast<LONGLONG>(kTicksPerSecond)));
    SYSTEMTIME normalized;
    if (::FileTimeToSystemTime(&local, &normalized))
        m_time = FromLocalSystemTime(normalized);
}

CTime::CTime(const SYSTEMTIME& localTime, int dst)
    : CTime(localTime.wYear, localTime.wMonth, localTime.wDay, localTime.wHour, localTime.wMinute, localTime.wSecond, dst)
{
}

CTime::CTime(const FILETIME& fileTime, int)
    : m_time((static_cast<LONGLONG>(ToTicks(fileTime)) - static_cast<LONGLONG>(kUnixEpochTicks)) /
             static_cast<LONGLONG>(kTicksPerSecond))
{
}

FILETIME CTime::GetAsFileTime() const
{
    return FromTicks(static_cast<ULONGLONG>(m_time * static_cast<LONGLONG>(kTicksPerSecond)) + kUnixEpochTicks);
}

SYSTEMTIME CTime::Utc() const
{
    const FILETIME fileTime = GetAsFileTime();
    SYSTEMTIME utc = {};
    ::FileTimeToSystemTime(&fileTime, &utc);
    return utc;
}

SYSTEMTIME CTime::Local() const
{
    const SYSTEMTIME utc = Utc();
    SYSTEMTIME local;
    return ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ? local : utc;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& localTime) const
{
    localTime = Local();
    return localTime.wYear != 0;
}

struct tm* CTime::GetLocalTm(struct tm* out) const
{
    if (out)
        *out = ToTm(Local());
    return out;
}

struct tm* CTime::GetGmtTm(struct tm* out) const
{
    if (out)
        *out = ToTm(Utc());
    return out;
}

CString CTime::Format(LPCSTR format) const
{
    return FormatTm(format, ToTm(Local()));
}

CString CTime::FormatGmt(LPCSTR format) const
{
    return FormatTm(format, ToTm(Utc()));
}
