#pragma once
// The texts of the teacher's restart and shutdown countdowns.

#include <string>

namespace kq {

// "...将在" + seconds + "秒后..."; a number of one or three digits gets a
// space in front so the text lines up with the two-digit ones.
std::string RestartCountdownText(long seconds);
std::string ShutdownCountdownText(long seconds);

} // namespace kq
