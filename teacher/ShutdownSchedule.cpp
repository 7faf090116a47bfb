#include "teacher/ShutdownSchedule.h"

#include <algorithm>
#include <utility>

namespace kq {

void ShutdownSchedule::Add(uint64_t nowMs, unsigned delaySeconds, Seats seats)
{
    const uint64_t delayMs = static_cast<uint64_t>(delaySeconds) * kMsPerSecond;
    const uint64_t afterMs = delayMs > kLeadMs ? delayMs - kLeadMs : 0;
    m_pending.push_back({nowMs + afterMs, std::move(seats)});
}

uint64_t ShutdownSchedule::MsUntilNext(uint64_t nowMs) const
{
    if (m_pending.empty())
        return 0;
    const auto earliest = std::min_element(m_pending.begin(), m_pending.end(),
        [](const Pending& a, const Pending& b) { return a.deadlineMs < b.deadlineMs; });
    return earliest->deadlineMs > nowMs ? earliest->deadlineMs - nowMs : 0;
}

ShutdownSchedule::Seats ShutdownSchedule::TakeDue(uint64_t nowMs)
{
    Seats due;
    auto keep = m_pending.begin();
    for (auto it = m_pending.begin(); it != m_pending.end(); ++it) {
        if (it->deadlineMs <= nowMs) {
            due.insert(due.end(), it->seats.begin(), it->seats.end());
        } else {
            if (keep != it)
                *keep = std::move(*it);
            ++keep;
        }
    }
    m_pending.erase(keep, m_pending.end());
    return due;
}

} // namespace kq
