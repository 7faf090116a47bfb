#include "student/ReceiveSettings.h"

#include "common/StudentIniKeys.h"

#include <cctype>

namespace kq {

namespace {

using studentini::kAbsentText;
constexpr long kAbsentClassroom = studentini::kAbsentNumber;
constexpr uint32_t kAbsentPortBits = studentini::kGroupPortAbsent;
constexpr long kDefaultBasePort = studentini::kDefaultGroupPort;
constexpr uint32_t kLow16Bits = 0xFFFF;
constexpr double kPercent = 100.0;

bool IsAbsentMarker(const std::string& value)
{
    if (value.size() != sizeof kAbsentText - 1)
        return false;
    for (size_t i = 0; i < value.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(value[i])) != kAbsentText[i])
            return false;
    return true;
}

} // namespace

std::string GroupAddressText(const std::string& value, const char* fallback)
{
    return value.empty() || IsAbsentMarker(value) ? std::string(fallback) : value;
}

uint16_t ReceivePort(long classroomId, long groupPort)
{
    const long classroom = classroomId == kAbsentClassroom ? 0 : classroomId;
    const long base = (static_cast<uint32_t>(groupPort) & kLow16Bits) == kAbsentPortBits ? kDefaultBasePort : groupPort;
    return static_cast<uint16_t>(static_cast<uint32_t>(classroom) + static_cast<uint32_t>(base));
}

int ProgressPosition(uint32_t received, uint32_t total)
{
    if (total == 0)
        return 0;
    return static_cast<int>(static_cast<double>(received) / static_cast<double>(total) * kPercent);
}

} // namespace kq
