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

    const ClassroomEndpoint endpoint =
        ResolveClassroomEndpoint(values.mainPort, values.multicastBase, values.classroomId);

    StudentInitRecord& record = result.record;
    record.frameWindow = values.frameWindow;
    record.edition = values.edition;
    record.perHost = values.perHost ? 1 : 0;
    record.mainPort = endpoint.mainPort;
    record.classroomGroup = endpoint.group;
    record.constant8 = kStudentInitConstant;
    CopyTextField(record.seatNumber, values.seatNumber.c_str());
    if (!IsAbsentText(values.lockBackground))
        CopyTextField(record.lockBackground, values.lockBackground.c_str());
    record.VersionID = static_cast<uint16_t>(versionLow);
    return result;
}

ClassroomEndpoint ResolveClassroomEndpoint(int64_t mainPort, const std::string& multicastBase, int64_t classroomId)
{
    const std::string base =
        IsAbsentText(multicastBase) ? std::string(studentini::kDefaultMulticastBase) : multicastBase;
    ClassroomEndpoint endpoint;
    endpoint.mainPort = static_cast<uint16_t>(static_cast<uint32_t>(mainPort) & kLow16);
    if (endpoint.mainPort == 0)
        endpoint.mainPort = studentini::kDefaultMainPort;
    // The classroom number is taken modulo 256, as the group's third octet is.
    endpoint.group = MakeClassroomGroup(ParseDottedIpv4(base).value_or(kIpv4None), static_cast<uint8_t>(classroomId));
    return endpoint;
}

} // namespace kq
