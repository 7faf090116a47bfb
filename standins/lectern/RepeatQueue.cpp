#include "standins/lectern/RepeatQueue.h"

namespace kq::lectern {

void RepeatQueue::Add(const Outgoing& datagram, uint32_t copies, uint32_t gapMs, uint64_t now)
{
    if (copies == 0)
        return;
    if (items_.size() >= kCapacity)
        items_.pop_front();
    items_.push_back({datagram, copies, gapMs, now + gapMs});
}

void RepeatQueue::TakeDue(uint64_t now, std::vector<Outgoing>& due)
{
    for (auto it = items_.begin(); it != items_.end();) {
        if (it->due > now) {
            ++it;
            continue;
        }
        due.push_back(it->datagram);
        if (--it->remaining == 0) {
            it = items_.erase(it);
        } else {
            it->due = now + it->gapMs;
            ++it;
        }
    }
}

} // namespace kq::lectern
