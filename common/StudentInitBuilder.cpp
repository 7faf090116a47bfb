#include "common/StudentInitBuilder.h"

#include "common/ClassroomGroup.h"
#include "common/Ipv4Text.h"
#include "common/StudentIni.h"
#include "common/StudentIniKeys.h"
#include "common/TextField.h"

#include <cstring>

namespace kq {

namespace {

constexpr uint32_t kLow16 = 0xFFFF;

} // namespace

SeatState ClassifySeat(const std::string& seat)
{
    if (seat.empty() || IsAbsentText(seat))
        return SeatState::Absent;
    if (seat == studentini::kUnassignedSeat || seat == studentini::kUnassignedSeatLower)
        return SeatState::Unassigned;
    return SeatState::Assigned;
}

StudentInitResult BuildStudentInitRecord(const StudentNetworkValues& values)
{
    StudentInitResult result;
    std::memset(&result.record, 0, sizeof result.record);

    const uint32_t versionLow = static_cast<uint32_t>(values.versionId) & kLow16;
    if (versionLow == static_cast<uint32_t>(studentini::kAbsentNumber)) {
        result.refusal = kMessageVersionIdMissing;
        return result;
    }
    if (values.classroomId == studentini::kAbsentNumber) {
        result.refusal = kMessageClassroomMissing;
        return result;
    }

    const std::string base =
        IsAbsentText(values.multicastBase) ? std::string(studentini::kDefaultMulticastBase) : values.multicastBase;
    uint16_t port = static_cast<uint16_t>(static_cast<uint32_t>(values.mainPort) & kLow16);
    if (port == 0)
        port = studentini::kDefaultMainPort;

    StudentInitRecord& record = result.record;
    record.frameWindow = values.frameWindow;
    record.edition = values.edition;
    record.perHost = values.perHost ? 1 : 0;
    record.mainPort = port;
    // The classroom number is taken modulo 256, as the group's third octet is.
    record.classroomGroup = MakeClassroomGroup(ParseDottedIpv4(base).value_or(kIpv4None), static_cast<uint8_t>(values.classroomId));
    record.constant8 = kStudentInitConstant;
    CopyTextField(record.seatNumber, values.seatNumber.c_str());
    if (!IsAbsentText(values.lockBackground))
        CopyTextField(record.lockBackground, values.lockBackground.c_str());
    record.VersionID = static_cast<uint16_t>(versionLow);
    return result;
}

} // namespace kq
