#include "envcheck/BrowserVersion.h"

#include "envcheck/CheckIds.h"

#include <climits>

namespace kq {

int LeadingVersionNumber(const std::string& text)
{
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        const int digit = c - '0';
        if (number > (INT_MAX - digit) / 10)
            return INT_MAX;
        number = number * 10 + digit;
    }
    return number;
}

int CheckBrowserVersion(const std::optional<std::string>& version)
{
    if (version && LeadingVersionNumber(*version) >= kOldestBrowserVersion)
        return check::kPassed;
    return check::kBrowserTooOld;
}

} // namespace kq
