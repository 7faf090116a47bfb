#include "envcheck/StartCounter.h"

#include <climits>

namespace kq {

namespace {

// The next value, stopping at the largest: a hand-edited file must not make
// the counter wrap round to "never shown yet".
int Next(int value)
{
    return value == INT_MAX ? INT_MAX : value + 1;
}

StartCount Count(int count, int maxCount)
{
    if (count > kLargestPlausibleCount)
        count = Next(maxCount);
    return {count, maxCount, Next(count)};
}

} // namespace

StartCount CountFixedDiskStart(std::optional<int> storedCount, int maxCount)
{
    if (maxCount == kMaxCountAbsent)
        maxCount = kDefaultMaxCount;
    return Count(storedCount.value_or(0), maxCount);
}

StartCount CountRegistryStart(std::optional<int> storedCount, int maxCount)
{
    return Count(storedCount.value_or(0), maxCount);
}

bool WindowAllowed(const StartCount& start)
{
    return start.count <= start.maxCount;
}

} // namespace kq
