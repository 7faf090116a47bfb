#pragma once
// The browser requirement: version 4 or later, read from the registry's
// "Version" text of the browser.

#include <optional>
#include <string>

namespace kq {

inline constexpr int kOldestBrowserVersion = 4;

// The decimal number the text starts with ("10.0" gives 10); 0 when it does
// not start with a digit.
int LeadingVersionNumber(const std::string& text);

// kq::check::kPassed, or kBrowserTooOld when the version is older or could
// not be read (nothing).
int CheckBrowserVersion(const std::optional<std::string>& version);

} // namespace kq
