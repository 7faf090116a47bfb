#include "student/CountdownText.h"

#include <string>

namespace kq {

namespace {

constexpr char kRestartBefore[] = "现在使用了远程重启功能，您的计算机将在";
constexpr char kRestartAfter[] = "秒后重新启动，请立刻保存程序。";
constexpr char kShutdownBefore[] = "现在使用了远程关机功能，您的计算机将在";
constexpr char kShutdownAfter[] = "秒后关闭，请立刻保存程序。";

std::string CountdownText(const char* before, long seconds, const char* after)
{
    const std::string number = std::to_string(seconds);
    const bool padded = number.size() == 1 || number.size() == 3;
    return std::string(before) + (padded ? " " : "") + number + after;
}

} // namespace

std::string RestartCountdownText(long seconds)
{
    return CountdownText(kRestartBefore, seconds, kRestartAfter);
}

std::string ShutdownCountdownText(long seconds)
{
    return CountdownText(kShutdownBefore, seconds, kShutdownAfter);
}

} // namespace kq
