#include "widgets/LetterNumberOrder.h"

#include <climits>
#include <cstdlib>

namespace kq {

namespace {

int Sign(long long difference)
{
    return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}

// The number after the first character, as atoi reads it but without its
// undefined overflow: out-of-range values stop at the int limits.
long long NumberAfterFirst(const char* text)
{
    long long value = std::strtoll(text + 1, nullptr, 10);
    if (value > INT_MAX)
        value = INT_MAX;
    if (value < INT_MIN)
        value = INT_MIN;
    return value;
}

} // namespace

int CompareLetterNumber(const char* a, const char* b)
{
    if (a == nullptr || b == nullptr || *a == '\0' || *b == '\0')
        return 0;
    const auto first = static_cast<signed char>(*a);
    const auto second = static_cast<signed char>(*b);
    if (first != second)
        return first < second ? -1 : 1;
    return Sign(NumberAfterFirst(a) - NumberAfterFirst(b));
}

} // namespace kq
