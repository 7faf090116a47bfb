#pragma once
// The seats that delayed shutdowns and restarts will take off line: each
// command keeps its own targets and its own deadline, so a second delayed
// command neither moves the first one's deadline nor loses its own seats,
// and a change of selection meanwhile changes nothing. One window timer
// serves the earliest deadline.

#include <cstdint>
#include <vector>

namespace kq {

class ShutdownSchedule {
public:
    using Seats = std::vector<uint8_t>;

    // The students' PCs announce their end a second before it comes, so
    // their seats are taken off line a second early.
    static constexpr uint64_t kLeadMs = 1000;
    static constexpr uint64_t kMsPerSecond = 1000;

    // Adds `seats` to go off line `delaySeconds` (1-255) after `nowMs`.
    void Add(uint64_t nowMs, unsigned delaySeconds, Seats seats);
    bool Empty() const { return m_pending.empty(); }
    // Milliseconds from `nowMs` until the earliest deadline (0 when it has
    // passed); only meaningful when not Empty.
    uint64_t MsUntilNext(uint64_t nowMs) const;
    // Removes every command whose deadline has come and returns their seats.
    Seats TakeDue(uint64_t nowMs);

private:
    struct Pending {
        uint64_t deadlineMs;
        Seats seats;
    };
    std::vector<Pending> m_pending;
};

} // namespace kq
