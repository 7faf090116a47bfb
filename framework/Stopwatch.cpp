#include "framework/Stopwatch.h"

namespace {
constexpr double kMsPerSecond = 1000.0;
} // namespace

CStopwatch::CStopwatch()
{
    ::QueryPerformanceFrequency(&m_frequency);
    Restart();
}

void CStopwatch::Restart()
{
    ::QueryPerformanceCounter(&m_last);
}

double CStopwatch::Lap()
{
    const double ms = ElapsedMs();
    Restart();
    return ms;
}

double CStopwatch::ElapsedMs() const
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - m_last.QuadPart) * kMsPerSecond /
           static_cast<double>(m_frequency.QuadPart);
}
