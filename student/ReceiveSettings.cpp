#include "student/ReceiveSettings.h"

#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"

namespace kq {

namespace {

constexpr long kAbsentClassroom = studentini::kAbsentNumber;
constexpr uint32_t kAbsentPortBits = studentini::kGroupPortAbsent;
constexpr long kDefaultBasePort = studentini::kDefaultGroupPort;
constexpr uint32_t kLow16Bits = 0xFFFF;
constexpr double kPercent = 100.0;

} // namespace

std::string GroupAddressText(const std::string& value, const char* fallback)
{
    return value.empty() || IsAbsentText(value) ? std::string(fallback) : value;
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
