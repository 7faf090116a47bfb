#include "common/StudentInitBuilder.h"

#include "common/ClassroomGroup.h"
#include "common/StudentIniKeys.h"
#include "common/TextField.h"

#include <cstring>

namespace kq {

namespace {

constexpr uint32_t kLow16 = 0xFFFF;
constexpr uint32_t kNotAnAddress = 0xFFFFFFFFu;
constexpr int kOctets = 4;
constexpr unsigned kOctetMax = 255;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

bool IsAbsentText(const std::string& text)
{
    return text.size() == 2 && Lower(text[0]) == 'k' && Lower(text[1]) == 'q';
}

SeatState ClassifySeat(const std::string& seat)
{
    if (seat.empty() || IsAbsentText(seat))
        return SeatState::Absent;
    if (seat == studentini::kUnassignedSeat || seat == studentini::kUnassignedSeatLower)
        return SeatState::Unassigned;
    return SeatState::Assigned;
}

uint32_t ParseIpv4(const std::string& text)
{
    uint8_t octets[kOctets] = {};
    size_t pos = 0;
    for (int i = 0; i < kOctets; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return kNotAnAddress;
            ++pos;
        }
        unsigned value = 0;
        size_t digits = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 4) {
            value = value * 10 + static_cast<unsigned>(text[pos] - '0');
            ++pos;
            ++digits;
        }
        if (digits == 0 || value > kOctetMax)
            return kNotAnAddress;
        octets[i] = static_cast<uint8_t>(value);
    }
    if (pos != text.size())
        return kNotAnAddress;
    uint32_t address;
    std::memcpy(&address, octets, sizeof address);
    return address;
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
    record.classroomGroup = MakeClassroomGroup(ParseIpv4(base), static_cast<uint8_t>(values.classroomId));
    record.constant8 = kStudentInitConstant;
    CopyTextField(record.seatNumber, values.seatNumber.c_str());
    if (!IsAbsentText(values.lockBackground))
        CopyTextField(record.lockBackground, values.lockBackground.c_str());
    record.VersionID = static_cast<uint16_t>(versionLow);
    return result;
}

} // namespace kq
