#pragma once
// The library's string numbers. Every check answers one of them: kPassed, or
// the message that tells what failed.

namespace kq::check {

inline constexpr int kPassed = 1;
inline constexpr int kOsNotListed = 2;
inline constexpr int kServicePackTooOld = 3;
inline constexpr int kNoAdapter = 4;
inline constexpr int kNoTcpIp = 6;
inline constexpr int kWinsockTooOld = 7;
inline constexpr int kDirectXTooOld = 8;
inline constexpr int kNoSound = 9;
inline constexpr int kDisplayMode = 10;
inline constexpr int kResultCaption = 13;
inline constexpr int kInstallerMissing = 14;
inline constexpr int kBrowserTooOld = 17;

} // namespace kq::check
