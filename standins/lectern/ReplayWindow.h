#pragma once
// Drops the repeats of datagrams that a sender transmits several times: each
// sequence number is accepted once. Remembers the highest number seen and the
// 64 numbers below it; older numbers count as repeats.

#include <cstdint>

namespace kq::lectern {

class ReplayWindow {
public:
    // True the first time `sequence` is offered, false for a repeat.
    bool Accept(uint32_t sequence);

    // Forgets everything (the sender started a new session).
    void Reset();

private:
    static constexpr uint32_t kWidth = 64;

    bool started_ = false;
    uint32_t highest_ = 0;
    uint64_t seen_ = 0; // bit i: highest_ - i was seen
};

} // namespace kq::lectern
