#pragma once
// The later copies of datagrams that go out several times with short pauses
// between them. The first copy is sent by the caller; the queue hands out the
// others when they are due, so no caller waits for the pauses.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "standins/lectern/Wire.h"

namespace kq::lectern {

struct Outgoing {
    uint8_t bytes[kMaxDatagramSize] = {};
    size_t size = 0;
    uint32_t address = 0; // network byte order
    uint16_t port = 0;    // host byte order
};

class RepeatQueue {
public:
    static constexpr size_t kCapacity = 256;

    // Schedules `copies` further copies, the first `gapMs` after `now`. When
    // the queue is full the oldest datagram loses its remaining copies.
    void Add(const Outgoing& datagram, uint32_t copies, uint32_t gapMs, uint64_t now);

    // Appends every copy due at `now` to `due`.
    void TakeDue(uint64_t now, std::vector<Outgoing>& due);

    bool empty() const { return items_.empty(); }
    void clear() { items_.clear(); }

private:
    struct Item {
        Outgoing datagram;
        uint32_t remaining;
        uint32_t gapMs;
        uint64_t due;
    };
    std::deque<Item> items_;
};

} // namespace kq::lectern
