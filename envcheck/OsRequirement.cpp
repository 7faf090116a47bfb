#include "envcheck/OsRequirement.h"

#include "envcheck/CheckIds.h"

#include <climits>

namespace kq {

namespace {

// "Service Pack n": the number follows the first twelve characters.
constexpr std::size_t kServicePackNumberAt = 12;

constexpr unsigned long kPlatformNt = 2;
constexpr unsigned long kNt4Major = 4;
constexpr unsigned long kNt4Minor = 0;

bool Matches(const OsRow& row, const OsVersion& system)
{
    return static_cast<unsigned long>(row.platformId) == system.platformId &&
           static_cast<unsigned long>(row.major) == system.major &&
           static_cast<unsigned long>(row.minor) == system.minor;
}

} // namespace

int ServicePackNumber(const std::string& text)
{
    if (text.size() <= kServicePackNumberAt)
        return 0;
    std::size_t at = kServicePackNumberAt;
    while (at < text.size() && text[at] == ' ')
        ++at;
    int number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        const int digit = text[at] - '0';
        if (number > (INT_MAX - digit) / 10)
            return INT_MAX; // far above any requirement
        number = number * 10 + digit;
    }
    return number;
}

OsCheck MatchOperatingSystem(const OsVersion& system, const std::vector<OsRow>& rows, int requiredNt4Pack)
{
    int looked = 0;
    for (const OsRow& row : rows) {
        if (looked++ == kOsRowCount)
            break;
        if (row.major == kOsKeyAbsent)
            return {check::kOsNotListed, false};
        if (!Matches(row, system))
            continue;
        const bool nt4 = system.platformId == kPlatformNt && system.major == kNt4Major && system.minor == kNt4Minor;
        if (nt4 && ServicePackNumber(system.servicePack) < requiredNt4Pack)
            return {check::kServicePackTooOld, true};
        return {check::kPassed, nt4};
    }
    // A full list without a match, or rows the reader did not give: only an
    // absent row ends the list.
    return {rows.size() < static_cast<std::size_t>(kOsRowCount) ? check::kOsNotListed : check::kPassed, false};
}

} // namespace kq
