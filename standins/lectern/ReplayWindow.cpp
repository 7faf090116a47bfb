#include "standins/lectern/ReplayWindow.h"

namespace kq::lectern {

bool ReplayWindow::Accept(uint32_t sequence)
{
    if (!started_) {
        started_ = true;
        highest_ = sequence;
        seen_ = 1;
        return true;
    }
    // Serial-number arithmetic, so the numbers may wrap around.
    const int32_t ahead = static_cast<int32_t>(sequence - highest_);
    if (ahead > 0) {
        seen_ = static_cast<uint32_t>(ahead) >= kWidth ? 0 : seen_ << ahead;
        seen_ |= 1;
        highest_ = sequence;
        return true;
    }
    const uint32_t behind = static_cast<uint32_t>(-static_cast<int64_t>(ahead));
    if (behind >= kWidth)
        return false;
    const uint64_t bit = uint64_t{1} << behind;
    if (seen_ & bit)
        return false;
    seen_ |= bit;
    return true;
}

void ReplayWindow::Reset()
{
    started_ = false;
    highest_ = 0;
    seen_ = 0;
}

} // namespace kq::lectern
